// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the games of a PGN stream one at a time, in large blocks, keeping only the current
// game: tags, and the main line's move tokens with comments, variations, NAGs, move numbers
// and escape lines taken out. Asked for them, it also keeps the comments and variations of the
// main line, each with what was written before it.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quarvelin {

// A comment or variation of the main line.
struct PgnAside {
    bool variation = false;
    std::string text;         // a comment without its braces or ';', a variation with its brackets
    int movesBefore = 0;      // main-line moves read before it
    std::string previous;     // the last main-line token before it, as written ("12.", "Nf3")
    std::string lastNumbered; // the last main-line token before it starting "12.", as written
};

struct PgnGame {
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<std::string> moves; // main line only
    std::string result;             // the closing result token, empty when missing
    std::uint64_t offset = 0;       // byte position of the game's first character
    std::vector<PgnAside> asides;   // only from a stream asked for them
    char unclosed = 0;              // '{' or '(' when one runs to the end of the stream

    const std::string* tag(std::string_view name) const;
};

class PgnStream {
public:
    explicit PgnStream(std::istream& in, bool asides = false)
        : in_(in), buffer_(std::make_unique_for_overwrite<char[]>(BlockSize)), asides_(asides) {}

    // The next game; false at the end of the stream.
    bool next(PgnGame& game);
    // Keep only the first n moves of the main line: the rest of each game is scanned for its
    // end without being taken apart, which is most of the work on long games. Not with asides.
    void keepMoves(std::size_t n) { keptMoves_ = n; }

private:
    int get(); // next byte, -1 at the end
    int peek();
    void skipLine();
    // Consumes up to and including the byte `end`; false when the stream ends first.
    bool skipPast(char end);
    // The rest of a game past the moves kept: read as next() reads it, for the result or the
    // next game's tags only.
    bool skipRest(PgnGame& game, int depth);
    std::string restOfLine();
    // From its '(' to the matching ')', nested comments and variations included.
    void readVariation(std::string& text, PgnGame& game);

    std::istream& in_;
    static constexpr std::size_t BlockSize = 1 << 20;
    std::unique_ptr<char[]> buffer_; // not zero-filled: most streams are small
    std::size_t pos_ = 0, len_ = 0;
    std::uint64_t consumed_ = 0; // bytes handed out so far
    bool lineStart_ = true;
    bool first_ = true;
    bool asides_;
    std::size_t keptMoves_ = SIZE_MAX;
};

} // namespace quarvelin
