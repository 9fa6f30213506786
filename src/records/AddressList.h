// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Address lists: text files of addresses of games (web pages or files of this machine), one a
// line, "#" lines being remarks.
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

// The trimmed lines that are neither empty nor remarks; false when the file cannot be read.
bool readAddressList(const std::string& path, std::vector<std::string>& addresses);

// The entry from its "http://", "https://" or "file://" on, so a line may carry a label before
// the address; empty when there is no address in it.
std::string addressOfLine(std::string_view line);

} // namespace quarvelin
