#include "records/LecteurPgn.h"

#include "localisation/Encoding.h"
#include "localisation/TextCatalogue.h"
#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "records/DebutPartie.h"

#include <algorithm>
#include <istream>
#include <sstream>

namespace quarvelin {

namespace {

constexpr std::size_t Morceau = 64 << 10;
// No real game comes near it; a file without another game start after a broken one is not
// read whole.
constexpr std::size_t TailleMaximale = 16 << 20;
// Longer than any game can be; keeps a wild move number before a comment from growing the
// comment list without end.
constexpr int IndexMaximal = 2 * 9000;

// The bytes from `position` to the next game's first line, the end, or TailleMaximale.
std::string texte_de_partie(std::istream& in, std::uint64_t position, bool& error) {
    std::string text;
    in.clear();
    in.seekg(static_cast<std::streamoff>(position));
    if (!in) return text;
    std::size_t depuis = 0;
    for (;;) {
        std::size_t avant = text.size();
        text.resize(avant + Morceau);
        in.read(text.data() + avant, static_cast<std::streamsize>(Morceau));
        text.resize(avant + static_cast<std::size_t>(in.gcount()));
        bool end = !in;
        if (in.bad()) error = true;
        RechercheDebut r;
        for (;;) {
            r = chercher_debut_partie(text, depuis, true, end);
            if (r.line != 0) break;
            depuis = r.crochet + 1; // the game's own first line
        }
        if (r.line != RechercheDebut::Aucun) {
            text.resize(r.line);
            return text;
        }
        depuis = r.reprise;
        if (end) return text;
        if (text.size() >= TailleMaximale) {
            text.resize(TailleMaximale);
            return text;
        }
    }
}

// The leading digits of a move number as written; 0 when there are none.
int nombre(std::string_view s) {
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
        if (n > IndexMaximal) return IndexMaximal;
    }
    return n;
}

// The move number a token starts with ("12.", "12...", "12.Nf3", "12...Nf6"), and whether it is
// Black's; 0 for a token without one, "e4xd3e.p." included.
struct NumeroEcrit {
    int n = 0;
    bool noir = false;
};

NumeroEcrit numero_ecrit(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == 0 || i == t.size() || t[i] != '.') return {};
    return {nombre(t), t.substr(i).starts_with("..")};
}

// The half-move a comment belongs to, found from the text before it: a last token starting
// with a number gives that move, "12." and "12.Nf3" White's move 12 (index 23), "12...Nf6"
// Black's (24); a token without one (a move written apart from its number, "1. e4" included)
// gives the Black move of the last number written, 2n.
int index_commentaire(const PgnAside& a) {
    if (a.previous.empty()) return 0;
    int index = 0;
    if (NumeroEcrit n = numero_ecrit(a.previous); n.n > 0)
        index = n.noir ? 2 * n.n : 2 * n.n - 1;
    else if (NumeroEcrit d = numero_ecrit(a.lastNumbered); d.n > 0)
        index = 2 * d.n;
    return std::clamp(index, 0, IndexMaximal);
}

// Line breaks and the blanks around them become one space; the ends are trimmed.
std::string sur_une_ligne(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool coupure = false;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
            coupure = true;
        } else if (coupure && (c == ' ' || c == '\t')) {
        } else {
            if (coupure && !out.empty()) out += ' ';
            coupure = false;
            out += c;
        }
    }
    std::size_t debut = out.find_first_not_of(" \t");
    if (debut == std::string::npos) return {};
    std::size_t end = out.find_last_not_of(" \t");
    return out.substr(debut, end - debut + 1);
}

std::string ligne_de_tag(const std::string& name, const std::string& value) {
    std::string line = "[" + name + " \"";
    for (char c : value) {
        if (c == '"' || c == '\\') line += '\\';
        line += c;
    }
    return line + "\"]\r\n";
}

} // namespace

PartieLue lire_partie_pgn(std::istream& in, std::uint64_t position) {
    PartieLue partie;
    partie.position = position;
    bool erreurLecture = false;
    std::string text = texte_de_partie(in, position, erreurLecture);
    std::istringstream flux(utf8Text(text));
    text.clear();
    PgnStream stream(flux, true);
    PgnGame game;
    if (!stream.next(game) || (game.tags.empty() && game.moves.empty())) {
        partie.error = erreurLecture ? TextKey::FileReadError : TextKey::NoGameAtPlace;
        partie.detail = std::to_string(position);
        return partie;
    }

    for (const auto& [name, value] : game.tags) partie.GameText += ligne_de_tag(name, value);
    partie.GameText += "\r\n";
    partie.etiquettes = game.tags;

    Position depart = Position::initial(Colour::White);
    if (const std::string* fen = game.tag("FEN")) {
        if (auto p = readFen(*fen, Colour::White)) {
            depart = *p;
            partie.FenDepart = *fen;
        } else {
            partie.error = TextKey::StartFenRejected;
            partie.detail = *fen;
        }
    }

    // The main line numbered from the start position.
    Colour trait = depart.side_to_move();
    int number = trait == Colour::White ? depart.MoveCount + 1 : depart.MoveCount;
    const int premierIndex = trait == Colour::White ? 2 * number - 1 : 2 * number;
    for (std::size_t k = 0; k < game.moves.size(); ++k) {
        if (k > 0) partie.GameMoveText += ' ';
        if (trait == Colour::White)
            partie.GameMoveText += std::to_string(number) + ".";
        else if (k == 0)
            partie.GameMoveText += std::to_string(number) + "...";
        partie.GameMoveText += game.moves[k];
        if (trait == Colour::Black) ++number;
        trait = opposite(trait);
    }

    for (const PgnAside& a : game.asides) {
        std::string texteAparte = sur_une_ligne(a.text);
        if (a.variation) {
            int demiCoup = a.movesBefore == 0 ? 0 : premierIndex + a.movesBefore - 1;
            partie.variantes.push_back({demiCoup, std::move(texteAparte)});
            continue;
        }
        if (texteAparte.empty()) continue;
        std::size_t index = static_cast<std::size_t>(index_commentaire(a));
        if (partie.commentaires.size() <= index) partie.commentaires.resize(index + 1);
        std::string& place = partie.commentaires[index];
        if (!place.empty()) place += ' ';
        place += texteAparte;
    }

    const std::string* tagResultat = game.tag("Result");
    partie.GameResult = !game.result.empty()                        ? game.result
                        : tagResultat && isResult(*tagResultat) ? *tagResultat
                                                                    : "*";

    if (partie.error) return partie;
    if (game.unclosed != 0) {
        partie.error = TextKey::NotClosedAtEnd;
        partie.detail = std::string(1, game.unclosed);
        return partie;
    }
    Replay r = replay(game);
    if (!r.ok) {
        partie.error = TextKey::MoveUnreadableAt;
        partie.errorNumber = r.errorNumber;
        partie.detail = r.errorToken;
    }
    return partie;
}

std::string message_lecture(const PartieLue& partie, const TextCatalogue& catalogue) {
    if (partie.ok()) return {};
    std::string text = catalogue.text(*partie.error);
    if (std::size_t marque = text.find("%1"); marque != std::string::npos)
        text.replace(marque, 2, std::to_string(partie.errorNumber));
    return text + partie.detail;
}

} // namespace quarvelin
