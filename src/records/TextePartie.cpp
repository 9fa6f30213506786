#include "records/TextePartie.h"

#include <cstdio>
#include <ctime>

namespace quarvelin {

namespace {

constexpr const char* FinDeLigne = "\r\n";

std::string deux_chiffres(unsigned n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02u", n % 100);
    return buf;
}

std::string quatre_chiffres(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", n);
    return buf;
}

std::size_t indice_profil(int profile) { return profile == 2 ? 2 : 1; }

bool espace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// "12." or "12...": a move number standing alone.
bool numero_seul(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == 0 || i == t.size()) return false;
    return t.find_first_not_of('.', i) == std::string_view::npos;
}

// "12.Nf3": a White move carries its number.
bool coup_blanc(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i > 0 && i + 1 < t.size() && t[i] == '.' && t[i + 1] != '.';
}

struct Jeton {
    std::size_t debut = 0, end = 0;
    bool blanc = false;
};

// The k-th move of the text (k from 1), passing over notes already put back and lone numbers.
bool chercher_demi_coup(const std::string& t, std::size_t k, Jeton& jeton) {
    std::size_t i = 0, compte = 0;
    while (i < t.size()) {
        if (espace(t[i])) {
            ++i;
            continue;
        }
        if (t[i] == '{') {
            std::size_t f = t.find('}', i);
            i = f == std::string::npos ? t.size() : f + 1;
            continue;
        }
        std::size_t debut = i;
        while (i < t.size() && !espace(t[i]) && t[i] != '{') ++i;
        std::string_view mot(t.data() + debut, i - debut);
        if (numero_seul(mot)) continue;
        if (++compte == k) {
            jeton = {debut, i, coup_blanc(mot)};
            return true;
        }
    }
    return false;
}

// The tag section's last line end and its empty line, whatever the loaded text ended with;
// the start position's tags go before that empty line.
std::string finir_entete(std::string entete, const std::string& fen) {
    while (!entete.empty() && (entete.back() == '\r' || entete.back() == '\n')) entete.pop_back();
    if (!entete.empty()) entete += FinDeLigne;
    if (!fen.empty() && entete.find("[FEN ") == std::string::npos)
        entete += ligne_tag("SetUp", "1") + ligne_tag("FEN", fen);
    return entete + FinDeLigne;
}

std::string tags(const std::string& evenement, const std::string& date, const Joueurs& j,
                 const GameSession& s, const Settings& settings) {
    return ligne_tag("Event", evenement) + ligne_tag("Site", settings.LIEU_JEU) +
           ligne_tag("Date", date) + ligne_tag("Round", "1") + ligne_tag("White", j.blanc) +
           ligne_tag("Black", j.noir) + ligne_tag("WhiteElo", j.eloBlanc) +
           ligne_tag("BlackElo", j.eloNoir) + ligne_tag("Result", s.GameResult) +
           ligne_tag("ECO", s.OpeningCode) + ligne_tag("Opening", s.OpeningName) +
           ligne_tag("Variation", "a modifier");
}

} // namespace

std::chrono::year_month_day aujourdhui() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string date_pgn(std::chrono::year_month_day d) {
    return quatre_chiffres(static_cast<int>(d.year())) + "." +
           deux_chiffres(static_cast<unsigned>(d.month())) + "." +
           deux_chiffres(static_cast<unsigned>(d.day()));
}

std::string date_jjmmaaaa(std::chrono::year_month_day d) {
    return deux_chiffres(static_cast<unsigned>(d.day())) + "/" +
           deux_chiffres(static_cast<unsigned>(d.month())) + "/" +
           quatre_chiffres(static_cast<int>(d.year()));
}

std::string date_mmjjaaaa(std::chrono::year_month_day d) {
    return deux_chiffres(static_cast<unsigned>(d.month())) + "/" +
           deux_chiffres(static_cast<unsigned>(d.day())) + "/" +
           quatre_chiffres(static_cast<int>(d.year()));
}

std::string nom_fichier_defaut(std::chrono::year_month_day d, FormatPartie format) {
    auto annee = static_cast<unsigned>(static_cast<int>(d.year()) % 100);
    return "Quarv" + deux_chiffres(static_cast<unsigned>(d.day())) +
           deux_chiffres(static_cast<unsigned>(d.month())) + deux_chiffres(annee) +
           (format == FormatPartie::Pgn ? ".pgn" : ".xml");
}

std::string libelle_niveau(int profondeur) {
    // Depth 4 has no label of its own; it reads as the strongest one.
    if (profondeur < 0) profondeur = 0;
    if (profondeur >= static_cast<int>(EloLevels.size())) return std::string(EloLevels.back());
    return std::string(EloLevels[static_cast<std::size_t>(profondeur)]);
}

std::string ligne_tag(std::string_view name, std::string_view value) {
    std::string out = "[";
    out.append(name).append(" \"");
    for (char c : value) {
        if (c == '"' || c == '\\') out += '\\';
        // A line end would break the tag line apart.
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out + "\"]" + FinDeLigne;
}

Joueurs joueurs_sauvegarde(const GameSession& s, const Settings& r, Colour joueur) {
    const std::size_t p = indice_profil(s.EngineProfile);
    if (s.PlayMode == ModeJeu::Auto) {
        const std::size_t noir = r.TwoProfiles ? 2 : 1;
        return {r.NOM_MOTEUR[1], r.NOM_MOTEUR[noir], libelle_niveau(r.PROFONDEUR_MAX[1]),
                libelle_niveau(r.PROFONDEUR_MAX[noir])};
    }
    if (joueur != Colour::White)
        return {r.NOM_MOTEUR[1], r.NOM_JOUEUR[p], std::to_string(r.NIVEAU_ELO[1]),
                libelle_niveau(r.PROFONDEUR_MAX[p])};
    return {r.NOM_JOUEUR[p], r.NOM_MOTEUR[1], libelle_niveau(r.PROFONDEUR_MAX[p]),
            std::to_string(r.NIVEAU_ELO[1])};
}

Joueurs joueurs_impression(const GameSession& s, const Settings& r, Colour joueur) {
    const std::size_t p = indice_profil(s.EngineProfile);
    const std::string moteur = r.NOM_MOTEUR[p];
    const std::string niveau = libelle_niveau(r.PROFONDEUR_MAX[p]);
    if (s.PlayMode == ModeJeu::Auto) return {moteur, moteur, niveau, niveau};
    if (joueur != Colour::White) return {moteur, r.NOM_JOUEUR[p], niveau, niveau};
    return {r.NOM_JOUEUR[p], moteur, niveau, niveau};
}

std::string entete_sauvegarde(const GameSession& s, const Settings& settings, Colour joueur,
                              std::chrono::year_month_day d, const TextCatalogue& catalogue) {
    if (!s.GameText.empty()) return finir_entete(s.GameText, s.FenDepart);
    return finir_entete(tags(catalogue.text(TextKey::ChessGame), date_pgn(d),
                             joueurs_sauvegarde(s, settings, joueur), s, settings),
                        s.FenDepart);
}

std::string entete_impression(const GameSession& s, const Settings& settings, Colour joueur,
                              std::chrono::year_month_day d) {
    if (!s.GameText.empty()) return finir_entete(s.GameText, s.FenDepart);
    const std::string date = date_jjmmaaaa(d);
    return finir_entete(
        tags("Partie du " + date, date, joueurs_impression(s, settings, joueur), s, settings),
        s.FenDepart);
}

std::string texte_des_coups(const GameSession& s, const Settings& settings) {
    std::string moves = settings.SAUVE_ABREGE == 1 ? s.GameMoveText : s.LongMoveText;
    moves = rogner(moves);
    if (moves.empty() || s.PositionStates.empty()) return moves;
    const Position& depart = s.PositionStates.front();
    // Without its number a first Black move would read as White's in other programs.
    if (depart.side_to_move() == Colour::Black && !coup_blanc(moves) && !numero_seul(moves))
        moves = std::to_string(depart.MoveCount) + "... " + moves;
    return moves;
}

std::string inserer_commentaires(std::string text, const std::vector<std::string>& notes,
                                 Dialogs& dialogs, const TextCatalogue& catalogue,
                                 const std::string& titre) {
    for (std::size_t k = 1; k < notes.size(); ++k) {
        if (notes[k].empty()) continue;
        Jeton j;
        if (!chercher_demi_coup(text, k, j)) {
            dialogs.message(titre, catalogue.text(TextKey::CommentInsertionProblem),
                            DialogIcon::Exclamation);
            continue;
        }
        // A closing brace would end the note early and leave the rest of it as moves.
        std::string note = notes[k];
        for (char& c : note)
            if (c == '}') c = ')';
        const bool enFin = j.end >= text.size();
        text.insert(j.end, (j.blanc || enFin ? " {" : "  {") + note + "}");
    }
    return text;
}

std::string texte_sauvegarde(const GameSession& s, const Settings& settings, Colour joueur,
                             std::chrono::year_month_day d, const TextCatalogue& catalogue,
                             Dialogs& dialogs, const std::string& titre) {
    std::string moves =
        inserer_commentaires(texte_des_coups(s, settings), s.notes, dialogs, catalogue, titre);
    // A note on the game as a whole, read before its first move, goes back in front of it.
    if (!s.notes.empty() && !s.notes[0].empty()) {
        std::string note = s.notes[0];
        for (char& c : note)
            if (c == '}') c = ')';
        moves = "{" + note + "}" + (moves.empty() ? "" : " ") + moves;
    }
    if (!moves.empty()) moves += ' ';
    return entete_sauvegarde(s, settings, joueur, d, catalogue) + moves + s.GameResult + FinDeLigne;
}

} // namespace quarvelin
