#include "records/ImpressionPartie.h"

#include "records/TextePartie.h"

namespace quarvelin {

namespace {

const std::string Retrait(13, ' ');

void append(std::vector<LigneImprimee>& out, std::string text, Police police = Police::Text) {
    out.push_back({police, std::move(text), {}});
}

void ajouter_coupe(std::vector<LigneImprimee>& out, std::string_view text) {
    for (std::string& morceau : couper(text)) append(out, std::move(morceau));
}

// The text's lines, whatever their ends; a last line end opens no line of its own.
std::vector<std::string_view> lignes_de(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t debut = 0;
    while (debut < text.size()) {
        std::size_t end = text.find_first_of("\r\n", debut);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(debut, end - debut));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        debut = end + 1;
    }
    return lines;
}

// Every line of a text, blank ones kept, long ones cut.
void ajouter_lignes(std::vector<LigneImprimee>& out, std::string_view text) {
    for (std::string_view l : lignes_de(text)) {
        if (l.empty())
            append(out, {});
        else
            ajouter_coupe(out, l);
    }
}

void en_tete(std::vector<LigneImprimee>& out, const TextCatalogue& catalogue,
             std::chrono::year_month_day d) {
    append(out, titre_impression(catalogue, d), Police::Title);
    append(out, {}, Police::Title);
}

} // namespace

std::vector<std::string> couper(std::string_view text, std::size_t largeur) {
    std::vector<std::string> morceaux;
    if (largeur == 0) largeur = 1;
    std::size_t debut = 0, caracteres = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool suite =
            i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (suite) continue;
        if (i == text.size() || caracteres == largeur) {
            if (i > debut) morceaux.emplace_back(text.substr(debut, i - debut));
            debut = i;
            caracteres = 0;
        }
        ++caracteres;
    }
    return morceaux;
}

std::string titre_impression(const TextCatalogue& catalogue, std::chrono::year_month_day d) {
    return "QUARVELIN - " + catalogue.text(TextKey::Game) + " - " + date_jjmmaaaa(d);
}

std::vector<LigneImprimee> impression_partie(const GameSession& s, const Settings& settings,
                                             Colour joueur, std::chrono::year_month_day d,
                                             const TextCatalogue& catalogue,
                                             DispositionPartie disposition, int parLigne) {
    std::vector<LigneImprimee> out;
    en_tete(out, catalogue, d);
    switch (disposition) {
    case DispositionPartie::Pgn:
        ajouter_lignes(out, entete_impression(s, settings, joueur, d));
        ajouter_coupe(out, texte_des_coups(s, settings));
        append(out, {});
        break;
    case DispositionPartie::Coups:
        for (const std::string& l : s.lines) append(out, Retrait + rogner(l));
        append(out, {});
        break;
    case DispositionPartie::Diagrammes: {
        if (parLigne < 1) parLigne = 1;
        LigneImprimee rangee;
        auto fermer = [&] {
            if (rangee.diagrammes.empty()) return;
            out.push_back(std::move(rangee));
            rangee = {};
        };
        for (std::size_t i = 0; i < s.lines.size(); ++i) {
            const bool move = i < s.textesCourts.size() && !s.textesCourts[i].empty();
            // Entry i + 1 of the history is the position after line i.
            if (!move || i + 1 >= s.PositionHistory.size()) {
                fermer();
                append(out, Retrait + rogner(s.lines[i]));
                continue;
            }
            Colour bas =
                i + 1 < s.PositionStates.size() ? s.PositionStates[i + 1].PlayerColour : joueur;
            rangee.diagrammes.push_back({rogner(s.lines[i]), s.PositionHistory[i + 1], bas});
            if (static_cast<int>(rangee.diagrammes.size()) == parLigne) fermer();
        }
        fermer();
        break;
    }
    }
    return out;
}

std::vector<LigneImprimee> impression_texte(std::string_view text, std::chrono::year_month_day d,
                                            const TextCatalogue& catalogue) {
    std::vector<LigneImprimee> out;
    en_tete(out, catalogue, d);
    ajouter_lignes(out, text);
    if (!out.back().text.empty()) append(out, {});
    return out;
}

} // namespace quarvelin
