// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"
#include "localisation/Catalogue.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(quarvelin::systemLanguage());
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string folder = ec ? std::string(".") : exe.parent_path().string();
    int status = quarvelin::runCli(args, std::cout, std::cerr, catalogue, folder);
    std::cout.flush();
    return status;
}
