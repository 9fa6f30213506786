// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text read from files the user brings: UTF-8, or Windows-1252 when it is not valid UTF-8.
#include <string>
#include <string_view>

namespace quarvelin {

bool validUtf8(std::string_view bytes);
std::string fromCp1252(std::string_view bytes);
// The bytes as UTF-8: unchanged when already valid UTF-8, converted from Windows-1252 otherwise.
std::string utf8Text(std::string_view bytes);

} // namespace quarvelin
