// SPDX-License-Identifier: GPL-3.0-or-later
// What an outside UCI engine says while it searches, any bytes: the client's reading must not
// crash, and what it keeps must hold together.
#include "uci/UciEngine.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::string last = lines.empty() ? "" : lines.back();
    if (!lines.empty()) lines.pop_back();
    for (int multiPv : {1, 3}) {
        quarvelin::UciResult r = quarvelin::UciEngine::readResult(lines, last, multiPv);
        if (r.lines.size() > static_cast<std::size_t>(multiPv)) __builtin_trap();
        if (!r.lines.empty() && !(r.score == r.lines.front().score)) __builtin_trap();
        if (r.bestMove.find(' ') != std::string::npos) __builtin_trap();
    }
    for (const std::string& line : lines) quarvelin::UciEngine::parseScore(line);
    return 0;
}
