// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/LineReader.h"

#include "network/Protocol.h"

namespace quarvelin::net {

LineReader::Status LineReader::feed(std::string_view bytes) {
    if (status_ != Status::Ok) return status_;
    buffer_.append(bytes);
    // Each line is measured once, as its bytes arrive.
    for (; scanned_ < buffer_.size(); ++scanned_) {
        if (buffer_[scanned_] == '\n' && scanned_ > lineStart_ && buffer_[scanned_ - 1] == '\r') {
            if (scanned_ - 1 - lineStart_ > MaxLine) status_ = Status::LineTooLong;
            lineStart_ = scanned_ + 1;
        }
    }
    // A line still arriving is too long once it passes the limit and its CR.
    if (status_ == Status::Ok && buffer_.size() - lineStart_ > MaxLine + 1)
        status_ = Status::LineTooLong;
    if (status_ == Status::Ok && unread() > MaxUnread) status_ = Status::TooMuchUnread;
    if (status_ != Status::Ok) {
        buffer_.clear();
        start_ = scanned_ = lineStart_ = 0;
    }
    return status_;
}

std::optional<std::string> LineReader::next() {
    if (start_ >= lineStart_) return std::nullopt;
    const std::size_t end = buffer_.find("\r\n", start_);
    std::string line = buffer_.substr(start_, end - start_);
    start_ = end + 2;
    // Taken bytes are dropped once they are most of the buffer, so it does not grow forever.
    if (start_ > 4096 && start_ * 2 > buffer_.size()) {
        buffer_.erase(0, start_);
        scanned_ -= start_;
        lineStart_ -= start_;
        start_ = 0;
    }
    return line;
}

} // namespace quarvelin::net
