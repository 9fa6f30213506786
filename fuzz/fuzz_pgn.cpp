// SPDX-License-Identifier: GPL-3.0-or-later
// Game files as found in the world: the index lists games only where a line starts with the
// Event tag, a filter lists no more than the plain index, and every listed game reads without a
// crash, its comments and variations within what the text holds. A game as the PGN conversion
// copies it is still one game, with the same tags.
#include "records/PgnConversion.h"
#include "records/PgnIndex.h"
#include "records/PgnReader.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using namespace quarvelin;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 65536) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    GameFilter all;
    all.maximum = 1 << 20;
    PgnIndex index = PgnIndex::buildIndex(in, size, all);
    check(index.views() == static_cast<std::int64_t>(index.size()));
    for (std::size_t i = 0; i < index.size(); ++i) {
        std::uint64_t p = index.position(i);
        check(p < size && (i == 0 || p > index.position(i - 1)));
        check(p == 0 || text[p - 1] == '\n' || (p == 3 && text.starts_with("\xEF\xBB\xBF")));
        std::size_t bracket = text.find_first_not_of(" \t", p);
        check(text.compare(bracket, 7, "[Event ") == 0);

        ParsedGame game = readPgnGame(in, p);
        check(game.position == p);
        check(game.comments.size() <= 18001);
        std::size_t written = 0;
        for (const std::string& c : game.comments) written += c.size();
        for (const auto& v : game.variations) {
            check(v.text.starts_with('('));
            check(v.halfMove >= 0);
            written += v.text.size();
        }
        // Windows-1252 bytes take up to three bytes each in UTF-8.
        check(written <= 3 * size + game.comments.size());
        // An indexed game is there to read: only its contents can be wrong.
        check(game.error != GameReadProblem::NoGameAtPlace &&
              game.error != GameReadProblem::FileReadError);

        const std::uint64_t end = i + 1 < index.size() ? index.position(i + 1) : size;
        const std::string copy = copyPgnGame(std::string_view(text).substr(p, end - p));
        std::istringstream reread(copy);
        PgnIndex alone = PgnIndex::buildIndex(reread, copy.size(), all);
        check(alone.views() == 1 && alone.size() == 1 && alone.position(0) == 0);
        for (int c = 0; c < PgnIndex::FieldCountValue; ++c) {
            const auto field = static_cast<PgnIndex::Field>(c);
            check(alone.value(0, field) == index.value(i, field));
        }
    }

    // A filter taken from the input's first bytes lists a part of the same games.
    GameFilter filter = all;
    auto piece = [&](std::size_t beginning, std::size_t n) {
        return beginning < size ? text.substr(beginning, n) : std::string();
    };
    std::size_t n = size > 0 ? static_cast<std::size_t>(data[0] % 4) : 0;
    filter.white = piece(1, n);
    filter.result = piece(1 + n, size > 1 ? static_cast<std::size_t>(data[1] % 3) : 0);
    filter.either = size > 2 && (data[2] & 1);
    std::istringstream again(text);
    PgnIndex filterIndex = PgnIndex::buildIndex(again, size, filter);
    check(filterIndex.size() <= index.size());
    for (std::size_t i = 0, j = 0; i < filterIndex.size(); ++i, ++j) {
        while (j < index.size() && index.position(j) != filterIndex.position(i)) ++j;
        check(j < index.size());
    }
    return 0;
}
