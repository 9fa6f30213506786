// SPDX-License-Identifier: GPL-3.0-or-later
// A tips file of any bytes: every tip is one non-blank line, and any pick lands on one of them.
#include "config/Tips.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Tips tips;
    tips.read(in);
    for (const std::string& t : tips.tips())
        if (t.empty() || t.find('\n') != std::string::npos) __builtin_trap();
    for (double r : {0.0, 0.5, 0.999999}) {
        const std::string* t = tips.pick(r);
        if ((t == nullptr) != tips.tips().empty()) __builtin_trap();
        if (t && (tips.current() < 1 || tips.current() > static_cast<int>(tips.tips().size())))
            __builtin_trap();
    }
    return 0;
}
