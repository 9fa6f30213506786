#pragma once
// Reads the games of a PGN stream one at a time, in large blocks, keeping only the current
// game: tags, and the main line's move tokens with comments, variations, NAGs, move numbers
// and escape lines taken out.
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quarvelin {

struct PgnGame {
    std::vector<std::pair<std::string, std::string>> tags;
    std::vector<std::string> moves; // main line only
    std::string result;             // the closing result token, empty when missing
    std::uint64_t offset = 0;       // byte position of the game's first character

    const std::string* tag(std::string_view name) const;
};

class PgnStream {
public:
    explicit PgnStream(std::istream& in)
        : in_(in), buffer_(std::make_unique_for_overwrite<char[]>(BlockSize)) {}

    // The next game; false at the end of the stream.
    bool suivante(PgnGame& game);

private:
    int get(); // next byte, -1 at the end
    int peek();
    void skip_line();

    std::istream& in_;
    static constexpr std::size_t BlockSize = 1 << 20;
    std::unique_ptr<char[]> buffer_; // not zero-filled: most streams are small
    std::size_t pos_ = 0, len_ = 0;
    std::uint64_t consumed_ = 0; // bytes handed out so far
    bool lineStart_ = true;
    bool first_ = true;
};

} // namespace quarvelin
