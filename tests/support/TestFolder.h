// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of its own for each test, so tests running side by side never share files, and
// whole files read and written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace quarvelin::test {

// Empty and ready: named after the process and the running test, emptied first.
inline std::filesystem::path testFolder(const std::string& prefix) {
    auto dir = std::filesystem::temp_directory_path() /
               (prefix + "-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// Bytes as they are: "" for a file that cannot be read.
inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// How many times `pattern` stands in `text`, overlaps counted.
inline int occurrences(const std::string& text, const std::string& pattern) {
    int n = 0;
    for (auto i = text.find(pattern); i != std::string::npos; i = text.find(pattern, i + 1)) ++n;
    return n;
}

} // namespace quarvelin::test
