// SPDX-License-Identifier: GPL-3.0-or-later
// Opening classification files as found: any bytes read without crashing, and every line kept
// is a line that replays, written in the game text's form.
#include "openings/ImportEco.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    quarvelin::ImportEco r = quarvelin::readEcoFile(in);
    for (const auto& l : r.lines)
        if (l.moves.size() < 3 || !l.moves.ends_with(" *") ||
            quarvelin::replayLine(l.moves) != l.moves)
            __builtin_trap();
    return 0;
}
