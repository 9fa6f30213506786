// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/FilterSelection.h"

#include <QString>

namespace quarvelin {

std::string foldCase(std::string_view text) {
    std::string out(text);
    bool ascii = true;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (ascii) return out;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .toCaseFolded()
        .toStdString();
}

FilterSelection::FilterSelection(const GameFilter& f) : either_(f.either) {
    auto append = [&](const char* tag, const std::string& criterion, bool player) {
        if (criterion.empty()) return;
        patterns_.push_back(
            {foldCase(std::string(tag) + " \"" + criterion), foldCase(criterion), player});
    };
    append("White", f.white, true);
    append("Black", f.black, true);
    append("Result", f.result, false);
    append("ECO", f.eco, false);
    append("Site", f.site, false);
    append("Event", f.event, false);
    append("Date", f.date, false);
    append("Round", f.round, false);
}

bool FilterSelection::accepted(std::string_view tagsText) const {
    if (patterns_.empty()) return true;
    const std::string text = foldCase(tagsText);
    for (const Pattern& m : patterns_) {
        if (m.player) {
            if (text.find(m.alone) == std::string::npos) return false;
            if (!either_ && text.find(m.tagAndValue) == std::string::npos) return false;
        } else if (text.find(m.tagAndValue) == std::string::npos) {
            return false;
        }
    }
    return true;
}

} // namespace quarvelin
