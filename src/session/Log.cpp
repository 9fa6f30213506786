// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Log.h"

#include <ctime>
#include <fstream>

namespace quarvelin {

void appendToLog(const std::string& path, const std::string& line) {
    if (path.empty()) return;
    std::ofstream f(path, std::ios::app | std::ios::binary);
    if (f) f << line << '\n';
}

namespace {
std::string now(const char* format) {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, format, &local);
    return buf;
}
} // namespace

std::string today() { return now("%d/%m/%Y"); }
std::string currentTime() { return now("%H:%M:%S"); }

} // namespace quarvelin
