// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bytes from the peer, cut into lines at CR LF. The lines wait here until they are taken, so a
// question box can hold them up; the limits keep a peer from filling the memory.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quarvelin::net {

class LineReader {
public:
    enum class Status { Ok, LineTooLong, TooMuchUnread };

    // Appends received bytes. Past a limit the reader keeps nothing and stays failed.
    Status feed(std::string_view bytes);
    // The next whole line without its CR LF.
    std::optional<std::string> next();
    std::size_t unread() const { return buffer_.size() - start_; }
    Status status() const { return status_; }

private:
    std::string buffer_;
    std::size_t start_ = 0;   // first byte not taken
    std::size_t scanned_ = 0; // bytes already searched for CR LF
    std::size_t lineStart_ = 0;
    Status status_ = Status::Ok;
};

} // namespace quarvelin::net
