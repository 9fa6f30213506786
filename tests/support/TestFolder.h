#pragma once
// A folder of its own for each test, so tests running side by side never share files.
#include <gtest/gtest.h>

#include <filesystem>
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

} // namespace quarvelin::test
