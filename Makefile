# SPDX-License-Identifier: GPL-3.0-or-later
# Quarvelin: the commands a newcomer needs.
#   make run    install what is missing, build, start the desktop program
#   make test   install what is missing, build, run every test
#   make deb    the Debian package quarvelin_<version>_<arch>.deb, from the same build

BUILD      ?= build
SANITIZE   ?= build-sanitize
FUZZBUILD  ?= build-fuzz
NATIVEBUILD ?= build-native
JOBS       ?= 2
PREFIX     ?= /usr/local
FUZZ_SECONDS ?= 30
CMAKE_GEN  := -G Ninja
# WERROR=ON turns warnings into errors, as CI builds.
WERROR     ?= OFF
SOURCES     = git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'tools/*.cpp'

.PHONY: all deps build run test test-sanitize fuzz bench bench-portable run-bench deb format format-check clean install

all: build

deps:
	@scripts/install-deps

# Portable code, so the tests run on what the package ships.
build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQUARVELIN_NATIVE=OFF -DQUARVELIN_WERROR=$(WERROR) >/dev/null
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

# The package and its .deb file, moved to the top of the tree for `apt-get install ./...`.
deb: build
	@rm -rf $(BUILD)/package
	@cd $(BUILD) && cpack -G DEB -B package >/dev/null
	@mv $(BUILD)/package/quarvelin_*.deb .
	@ls -l quarvelin_*.deb

# The benchmarks run on a tree of their own tuned for this processor; `make bench-portable`
# runs them on the portable build. Each names the build its figures come from.
bench: deps
	@cmake -S . -B $(NATIVEBUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQUARVELIN_NATIVE=ON >/dev/null
	@cmake --build $(NATIVEBUILD) -j $(JOBS)
	@$(MAKE) --no-print-directory run-bench BENCHDIR=$(NATIVEBUILD)

bench-portable: build
	@$(MAKE) --no-print-directory run-bench BENCHDIR=$(BUILD)

run-bench:
	$(BENCHDIR)/bin/bench_perft
	$(BENCHDIR)/bin/bench_engine
	$(BENCHDIR)/bin/bench_session
	$(BENCHDIR)/bin/bench_learn
	$(BENCHDIR)/bin/bench_tournament
	$(BENCHDIR)/bin/bench_analysis
	bench/bench_pgn.sh $(BENCHDIR)
	bench/startup.sh $(BENCHDIR)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format: deps
	@$(SOURCES) | xargs clang-format -i

format-check: deps
	@$(SOURCES) | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZBUILD) $(NATIVEBUILD)
