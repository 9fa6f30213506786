#include "records/SelectionFiltre.h"

#include <QString>

namespace quarvelin {

std::string plier_casse(std::string_view text) {
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

SelectionFiltre::SelectionFiltre(const FiltreParties& f) : lesDeux_(f.lesDeux) {
    auto append = [&](const char* tag, const std::string& critere, bool joueur) {
        if (critere.empty()) return;
        motifs_.push_back(
            {plier_casse(std::string(tag) + " \"" + critere), plier_casse(critere), joueur});
    };
    append("White", f.blanc, true);
    append("Black", f.noir, true);
    append("Result", f.result, false);
    append("ECO", f.eco, false);
    append("Site", f.site, false);
    append("Event", f.evenement, false);
    append("Date", f.date, false);
    append("Round", f.ronde, false);
}

bool SelectionFiltre::accepte(std::string_view texteTags) const {
    if (motifs_.empty()) return true;
    const std::string text = plier_casse(texteTags);
    for (const Motif& m : motifs_) {
        if (m.joueur) {
            if (text.find(m.seul) == std::string::npos) return false;
            if (!lesDeux_ && text.find(m.tagEtValeur) == std::string::npos) return false;
        } else if (text.find(m.tagEtValeur) == std::string::npos) {
            return false;
        }
    }
    return true;
}

} // namespace quarvelin
