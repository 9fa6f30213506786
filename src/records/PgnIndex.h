// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The games of a PGN file that pass a filter: for each, the byte position of its first line and
// its tag values, enough to list it and to read it later by seeking straight to it. The file is
// scanned in large blocks; only the listed games are kept, their texts in one shared buffer.
#include "records/GameFilter.h"
#include "session/CancelToken.h"

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class PgnIndex {
public:
    enum Field : int { Event, Site, Date, Round, White, Black, Result, Eco };
    static constexpr int FieldCountValue = 8;
    // Told as the scan goes on: the share of the file read (0 to 100), games listed, games seen.
    using Progression = std::function<void(int percent, std::int64_t listed, std::int64_t views)>;

    // Scans a file; nothing when it cannot be opened. Stops at the next block once the token is
    // cancelled.
    static std::optional<PgnIndex> indexFile(const std::string& path, const GameFilter& filter,
                                             const Progression& progression = {},
                                             const CancelToken* cancel = nullptr);
    // Scans a stream from its current position, which counts as position 0; size (0 when
    // unknown) gives the percentages.
    static PgnIndex buildIndex(std::istream& in, std::uint64_t size, const GameFilter& filter,
                               const Progression& progression = {},
                               const CancelToken* cancel = nullptr);

    std::size_t size() const { return number_; }
    bool empty() const { return number_ == 0; }
    // Byte position of the game's first line.
    std::uint64_t position(std::size_t i) const { return entry(i).position; }
    // The tag value as written, in UTF-8; empty when the game has no such tag.
    std::string_view value(std::size_t i, Field field) const;

    std::int64_t views() const { return views_; } // games seen, listed or not
    bool cancelled() const { return cancelled_; }
    bool readError() const { return readError_; }

private:
    struct Entry {
        std::uint64_t position;
        std::uint32_t text;                              // its values' chunk of texts_
        std::uint32_t beginning;                         // first value's place in the chunk
        std::array<std::uint16_t, FieldCountValue> ends; // end of each value, from debut
    };
    // Fixed chunks rather than one growing array: a million games are never copied to a
    // larger block, and no memory is touched twice.
    static constexpr std::size_t EntriesPerSlice = 1 << 14;
    static constexpr std::size_t TextSize = 1 << 20;
    // A longer value is cut (at a character's start): the list shows no more of it anyway.
    static constexpr std::size_t MaximumValue = 4096;
    static_assert(FieldCountValue * MaximumValue <= 65535 &&
                  FieldCountValue * MaximumValue <= TextSize);

    const Entry& entry(std::size_t i) const {
        return slices_[i / EntriesPerSlice][i % EntriesPerSlice];
    }
    void append(std::uint64_t position,
                const std::array<std::string_view, FieldCountValue>& values);

    std::vector<std::unique_ptr<Entry[]>> slices_;
    std::size_t number_ = 0;
    std::vector<std::unique_ptr<char[]>> texts_; // chunks of TextSize bytes
    std::size_t filled_ = TextSize;              // bytes used in the last chunk
    std::int64_t views_ = 0;
    bool cancelled_ = false;
    bool readError_ = false;
};

} // namespace quarvelin
