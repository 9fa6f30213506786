# SPDX-License-Identifier: GPL-3.0-or-later
# Quarvelin: the commands a newcomer needs.
#   make run    install what is missing, build, start the desktop program
#   make test   install what is missing, build, run every test

BUILD      ?= build
SANITIZE   ?= build-sanitize
FUZZBUILD  ?= build-fuzz
JOBS       ?= 2
PREFIX     ?= /usr/local
FUZZ_SECONDS ?= 30
CMAKE_GEN  := -G Ninja
# WERROR=ON turns warnings into errors, as CI builds.
WERROR     ?= OFF
SOURCES     = git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'tools/*.cpp'

.PHONY: all deps build run test test-sanitize fuzz bench format format-check clean install

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQUARVELIN_WERROR=$(WERROR) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/install-deps --run
	$(BUILD)/bin/quarvelin

test: build
	cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

test-sanitize: deps
	@cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARVELIN_SANITIZE=ON -DQUARVELIN_WERROR=$(WERROR) >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS)
	cd $(SANITIZE) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest -j $(JOBS) --output-on-failure

fuzz:
	@scripts/install-deps --fuzz
	@CXX=clang++ cmake -S . -B $(FUZZBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARVELIN_FUZZ=ON -DQUARVELIN_GUI=OFF >/dev/null
	@cmake --build $(FUZZBUILD) -j $(JOBS)
	@scripts/run-fuzzers $(FUZZBUILD)/bin $(FUZZ_SECONDS)

bench: build
	$(BUILD)/bin/bench_perft
	$(BUILD)/bin/bench_engine
	$(BUILD)/bin/bench_session
	$(BUILD)/bin/bench_learn
	bench/bench_pgn.sh $(BUILD)
	bench/startup.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format: deps
	@$(SOURCES) | xargs clang-format -i

format-check: deps
	@$(SOURCES) | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZBUILD)
