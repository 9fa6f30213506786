// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GameStart.h"

#include <cstring>

namespace quarvelin {

namespace {
constexpr std::string_view Mark = "[Event ";
}

StartSearch findGameStart(std::string_view text, std::size_t from, bool lineStart, bool complete) {
    StartSearch r;
    const char* base = text.data();
    const std::size_t n = text.size();
    std::size_t p = from;
    while (p < n) {
        const void* found = std::memchr(base + p, '[', n - p);
        if (!found) break;
        std::size_t i = static_cast<std::size_t>(static_cast<const char*>(found) - base);
        std::size_t j = i;
        while (j > 0 && lineWhite(base[j - 1])) --j;
        bool atStart = j == 0 ? lineStart : base[j - 1] == '\n';
        if (atStart) {
            if (n - i < Mark.size()) {
                if (complete) break;
                r.resumption = j;
                return r;
            }
            if (std::memcmp(base + i, Mark.data(), Mark.size()) == 0) {
                r.line = j;
                r.bracket = i;
                return r;
            }
        }
        p = i + 1;
    }
    r.resumption = n;
    return r;
}

bool endsAtLineStart(std::string_view text, bool lineStart) {
    std::size_t k = text.size();
    while (k > 0 && lineWhite(text[k - 1])) --k;
    return k == 0 ? lineStart : text[k - 1] == '\n';
}

} // namespace quarvelin
