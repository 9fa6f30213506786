// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Game files written so that nothing already there is lost: the new content goes to a
// temporary file beside the target, which replaces the target only once it is complete.
#include <string>
#include <string_view>

namespace quarvelin {

// Writes `content` to `path`. With `append`, the file's present content is copied in front
// of it first, so the games already in the file stay whole whatever happens to the write.
// Empty on success, else why not; the target is then exactly as it was.
std::string writeGameFile(const std::string& path, std::string_view content, bool append);

// The text with CR LF line ends, whatever mix of CR, LF and CR LF it held.
std::string crlfLines(std::string_view text);

} // namespace quarvelin
