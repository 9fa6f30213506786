#include "cli/Cli.h"

#include "notation/Fen.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "rules/FastPosition.h"
#include "rules/MoveRules.h"
#include "rules/TextCatalogue.h"

#include <fstream>

namespace quarvelin {

namespace {

constexpr int TexteFenRefusee = 901;
constexpr int TexteProfondeur = 902;
constexpr int TexteArgumentInconnu = 903;
constexpr int TexteFichierIntrouvable = 904;
constexpr int TexteArgumentManquant = 905;

constexpr const char* AideGenerale =
    "usage: quarvelin-cli <command> [arguments]\n"
    "\n"
    "commands:\n"
    "  perft \"<FEN>\" <depth> [--divide]  count legal move sequences to <depth>\n"
    "  moves \"<FEN>\"                     list the legal moves in SAN\n"
    "  replay <file.pgn>                 replay every game, print the final FEN of each\n"
    "\n"
    "Run 'quarvelin-cli <command> --help' for the details of a command.\n";

constexpr const char* AidePerft =
    "usage: quarvelin-cli perft \"<FEN>\" <depth> [--divide]\n"
    "Counts the legal move sequences of <depth> half-moves from the position (a promotion\n"
    "counts as four moves). With --divide, first prints each legal move (long algebraic)\n"
    "with its count. The last line is the total.\n";

constexpr const char* AideMoves =
    "usage: quarvelin-cli moves \"<FEN>\"\n"
    "Prints the legal moves of the side to move in standard algebraic notation, one a line.\n";

constexpr const char* AideReplay =
    "usage: quarvelin-cli replay <file.pgn>\n"
    "Replays the main line of every game of the file, from the start position or the game's\n"
    "[FEN] tag, and prints one line a game: its number, a tab, and the FEN after the last\n"
    "move, or 'error at <move number>: <token>'. Exits with 1 when a game failed.\n";

struct Usage {
    std::ostream& err;
    const TextCatalogue& cat;
    int erreur(int offset, const std::string& detail) const {
        err << "quarvelin-cli: " << cat.texte(offset) << detail << '\n';
        return 2;
    }
};

bool aide_demandee(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

std::optional<Position> fen_ou_erreur(const std::string& text, const Usage& u) {
    int why = 0;
    auto p = lire_fen(text, Colour::White, &why);
    if (!p) u.erreur(TexteFenRefusee, text + " (" + u.cat.texte(why) + ")");
    return p;
}

int perft(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    bool divide = false;
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--divide")
            divide = true;
        else if (args[i].starts_with("--"))
            return u.erreur(TexteArgumentInconnu, args[i]);
        else
            rest.push_back(args[i]);
    }
    if (rest.size() < 2) return u.erreur(TexteArgumentManquant, "");
    if (rest.size() > 2) return u.erreur(TexteArgumentInconnu, rest[2]);
    const std::string& d = rest[1];
    if (d.empty() || d.size() > 2 || d.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(d) > 20)
        return u.erreur(TexteProfondeur, d);
    int depth = std::stoi(d);
    auto p = fen_ou_erreur(rest[0], u);
    if (!p) return 2;
    FastPosition f = FastPosition::from(*p);
    if (!divide) {
        out << f.perft(depth) << '\n';
        return 0;
    }
    std::uint64_t total = 0;
    if (depth > 0) {
        MoveList list;
        f.generate(list);
        for (FastMove m : list) {
            std::uint64_t n = f.after(m).perft(depth - 1);
            total += n;
            out << coup_uci(*p, coup_depuis(*p, m)) << ": " << n << '\n';
        }
        out << '\n';
    } else {
        total = 1;
    }
    out << total << '\n';
    return 0;
}

int moves(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    if (args.size() < 2) return u.erreur(TexteArgumentManquant, "");
    if (args.size() > 2) return u.erreur(TexteArgumentInconnu, args[2]);
    auto p = fen_ou_erreur(args[1], u);
    if (!p) return 2;
    for (const Coup& c : coups_legaux(*p)) out << san(*p, c) << '\n';
    return 0;
}

int replay(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    if (args.size() < 2) return u.erreur(TexteArgumentManquant, "");
    if (args.size() > 2) return u.erreur(TexteArgumentInconnu, args[2]);
    std::ifstream in(args[1], std::ios::binary);
    if (!in) return u.erreur(TexteFichierIntrouvable, args[1]);
    PgnStream stream(in);
    PgnGame game;
    int number = 0, status = 0;
    while (stream.suivante(game)) {
        ++number;
        Rejeu r = rejouer(game);
        if (r.ok) {
            out << number << '\t' << ecrire_fen(r.position) << '\n';
        } else {
            out << number << "\terror at " << r.numeroErreur << ": " << r.jetonErreur << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace

int executer_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const TextCatalogue& catalogue) {
    Usage u{err, catalogue};
    if (args.empty()) {
        err << AideGenerale;
        return 2;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << AideGenerale;
        return 0;
    }
    struct Commande {
        const char* nom;
        const char* aide;
        int (*run)(const std::vector<std::string>&, std::ostream&, const Usage&);
    };
    static constexpr Commande commandes[] = {
        {"perft", AidePerft, perft}, {"moves", AideMoves, moves}, {"replay", AideReplay, replay}};
    for (const Commande& c : commandes) {
        if (command != c.nom) continue;
        if (aide_demandee(args)) {
            out << c.aide;
            return 0;
        }
        return c.run(args, out, u);
    }
    return u.erreur(TexteArgumentInconnu, command);
}

} // namespace quarvelin
