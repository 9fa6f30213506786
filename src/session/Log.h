// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trace file of GES_LOG: new games and the engine's choices, one line each.
#include <string>

namespace quarvelin {

// Appends a line to the file; a file that cannot be opened is skipped without a word.
void appendToLog(const std::string& path, const std::string& line);

// "dd/mm/yyyy" and "hh:mm:ss" of now, local time.
std::string today();
std::string currentTime();

} // namespace quarvelin
