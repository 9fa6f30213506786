// SPDX-License-Identifier: GPL-3.0-or-later
// The UCI front on any command stream: it must answer without crashing or hanging, and every
// bestmove it sends must be a move of the position it was given or "0000".
#include "cli/Uci.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    // Deep searches would only slow the fuzzer down; the reading is what is tested here.
    for (const char* deep : {"value 2", "value 3", "depth 2", "depth 3", "Threads"})
        if (text.find(deep) != std::string::npos) return 0;
    // The default depth searches too deep for a fuzzer: start shallow.
    std::istringstream in("setoption name Depth value 0\n" + text);
    std::ostringstream out;
    if (quarvelin::runUci(in, out) != 0) __builtin_trap();
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("bestmove ", 0) == 0) {
            std::string move = line.substr(9, line.find(' ', 9) - 9);
            if (move != "0000" && (move.size() < 4 || move.size() > 5)) __builtin_trap();
        }
    return 0;
}
