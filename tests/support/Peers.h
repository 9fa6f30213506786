// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running Debian's chess tools as peers: the test feeds them a file and reads what they print.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quarvelin::test {

inline std::string findProgram(const std::string& name) {
    for (const char* dir : {"/usr/games/", "/usr/bin/", "/usr/local/bin/"}) {
        std::string path = std::string(dir) + name;
        if (::access(path.c_str(), X_OK) == 0) return path;
    }
    return {};
}

// What `command` prints on its standard output.
inline std::string exitOf(const std::string& command) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return "popen failed";
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    ::pclose(p);
    return out;
}

// Runs `command` with `input` on its standard input; returns what it printed.
inline std::string run(const std::string& command, const std::string& input) {
    const auto in = std::filesystem::temp_directory_path() /
                    ("quarvelin-peer-" + std::to_string(::getpid()) + ".in");
    std::ofstream(in) << input;
    std::string output = exitOf(command + " < " + in.string() + " 2>/dev/null");
    std::filesystem::remove(in);
    return output;
}

} // namespace quarvelin::test
