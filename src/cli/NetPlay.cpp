// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/NetPlay.h"

#include "cli/Autoplay.h"
#include "config/AtomicFileWriter.h"
#include "config/SettingsFile.h"
#include "network/NetworkGame.h"
#include "session/GameController.h"
#include "session/Headless.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <ctime>
#include <random>

namespace quarvelin {

namespace {

// Boxes become lines on standard error; questions the protocol does not ask are answered no.
class CliDialogs : public Dialogs {
public:
    explicit CliDialogs(std::ostream& err) : err_(err) {}
    void message(const std::string&, const std::string& text, DialogIcon) override {
        err_ << text << '\n';
    }
    bool question(const std::string&, const std::string&) override { return false; }
    std::string input(const std::string&, const std::string&, const std::string& f) override {
        return f;
    }

private:
    std::ostream& err_;
};

class LinkedView : public GameView {
public:
    net::NetworkGame* link = nullptr;
    void sendNetwork(const std::string& m) override {
        if (link) link->send(m);
    }
    void closeConnection() override {
        if (link) link->close();
    }
};

struct Options {
    bool serve = true;
    std::string host;
    int port = 5555;
    std::string name = "Quarvelin";
    int depth = -1;
    std::string profile;
    bool acceptDraws = true;
    std::string pgn;
    int maxPlies = 300;
};

bool number(const std::string& v, int bottom, int top, int& out) {
    if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::stoi(v);
    return out >= bottom && out <= top;
}

std::string tag(const std::string& name, const std::string& value) {
    std::string v;
    for (char c : value) {
        if (c == '"' || c == '\\') v += '\\';
        v += c;
    }
    return "[" + name + " \"" + v + "\"]\r\n";
}

std::string pgnDate() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    char text[16];
    std::strftime(text, sizeof text, "%Y.%m.%d", &t);
    return text;
}

} // namespace

int netPlay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const TextCatalogue& catalogue, const std::string& programFolder) {
    auto error = [&](TextKey key, const std::string& detail) {
        err << "quarvelin-cli: " << catalogue.text(key) << detail << '\n';
        return 2;
    };
    if (args.size() < 2) return error(TextKey::MissingArgument, "");
    Options o;
    std::size_t i = 2;
    if (args[1] == "connect") {
        o.serve = false;
        if (args.size() < 3 || args[2].starts_with("--"))
            return error(TextKey::MissingArgument, "");
        o.host = args[2];
        // HOST:PORT; a bracketed IPv6 address keeps its colons.
        const std::size_t colon = o.host.rfind(':');
        const std::size_t bracket = o.host.rfind(']');
        if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket) &&
            o.host.find(':') == colon) {
            if (!number(o.host.substr(colon + 1), 1, 65535, o.port))
                return error(TextKey::UnknownArgument, args[2]);
            o.host.resize(colon);
        }
        if (o.host.size() > 2 && o.host.front() == '[' && o.host.back() == ']')
            o.host = o.host.substr(1, o.host.size() - 2);
        i = 3;
    } else if (args[1] != "serve") {
        return error(TextKey::UnknownArgument, args[1]);
    }
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool known = (a == "--port" && o.serve) || a == "--name" || a == "--depth" ||
                           a == "--profile" || a == "--draw" || a == "--pgn" || a == "--max-plies";
        if (!known) return error(TextKey::UnknownArgument, a);
        if (i + 1 >= args.size()) return error(TextKey::MissingArgument, "");
        const std::string& v = args[++i];
        if (a == "--port" && !number(v, 1, 65535, o.port))
            return error(TextKey::UnknownArgument, v);
        if (a == "--depth" && !number(v, 0, 3, o.depth)) return error(TextKey::InvalidDepth, v);
        if (a == "--max-plies" && !number(v, 1, 100000, o.maxPlies))
            return error(TextKey::UnknownArgument, v);
        if (a == "--draw") {
            if (v != "accept" && v != "refuse") return error(TextKey::UnknownArgument, v);
            o.acceptDraws = v == "accept";
        }
        if (a == "--name") {
            if (v.empty() || !net::validUtf8(v)) return error(TextKey::UnknownArgument, v);
            o.name = v;
        }
        if (a == "--profile") o.profile = v;
        if (a == "--pgn") o.pgn = v;
    }

    Settings settings = builtInSettings(programFolder);
    applyNewFile(settings);
    if (!o.profile.empty() && !readProfile(o.profile, settings, 1))
        return error(TextKey::CannotOpenFile, o.profile);
    if (o.depth >= 0) settings.PROFONDEUR_MAX[1] = static_cast<std::int16_t>(o.depth);
    settings.ACTIVE_BASE_CON[1] = 0;
    settings.MODE_JEUX = static_cast<std::uint8_t>(GameMode::Network);
    settings.ACTIVE_SON = 0;
    settings.ACTIVE_HORLOGE = 0; // nobody's time runs out in an engine game
    settings.GES_LOG = 0;
    settings.IP_NOM_UTILISATEUR = o.name;
    settings.IP_MODE_SERVEUR = o.serve ? 1 : 0;

    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "quarvelin-cli";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // lives as long as the program
    }

    Headless screen;
    CliDialogs dialogs(err);
    LinkedView view;
    SynchronousSearch engine;
    std::mt19937_64 rng(1);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    Environment env{settings,
                    catalogue,
                    dialogs,
                    screen,
                    screen,
                    screen,
                    screen,
                    view,
                    engine,
                    nullptr,
                    programFolder,
                    "quarvelin-cli",
                    [&] { return uniform(rng); },
                    1};
    GameController game(env);
    net::NetworkGame link({game, settings, catalogue, dialogs, screen, "quarvelin-cli"},
                          {{}, [&](const std::string& c) { out << "chat " << c << '\n'; }, {}},
                          {[](const std::string&) { return true; }, [&] { return o.acceptDraws; }});
    view.link = &link;

    const Colour me = o.serve ? Colour::White : Colour::Black;
    if (o.serve) {
        if (!link.serve(o.port)) return 1;
        out << "listening on port " << link.port() << std::endl;
    } else {
        link.connectTo(o.host, o.port);
    }

    QEventLoop loop;
    QTimer heartbeat; // wakes the loop now and then, whatever the socket does
    heartbeat.start(200);
    bool started = false;
    std::size_t printed = 0;
    int lastOffer = -1000;
    bool offeredAtLimit = false;
    while (true) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        const GameSession& s = game.session();
        if (link.stage() == net::NetworkGame::Stage::Playing && !started) {
            started = true;
            out << "playing " << (me == Colour::White ? "White" : "Black") << " against "
                << link.opponent() << std::endl;
        }
        for (; printed < s.lines.size(); ++printed) {
            if (s.shortTexts[printed].empty()) continue;
            const bool black = isBlackLine(s.lines[printed]);
            // White's short texts carry their number ("12.Nf3"); it is printed once.
            std::string move = s.shortTexts[printed];
            move.erase(0, move.find_first_not_of("0123456789."));
            out << ((black ? Colour::Black : Colour::White) == me ? "sent " : "received ")
                << printed / 2 + 1 << (black ? "... " : ". ") << move << std::endl;
        }
        if (!started) {
            if (link.stage() == net::NetworkGame::Stage::Idle) return 1;
            continue;
        }
        if (s.gameOver() || link.stage() != net::NetworkGame::Stage::Playing) break;
        const int plies = s.moveCount();
        const Position& p = game.livePosition();
        if (p.sideToMove() == me) {
            game.joue_coup_machine();
            continue;
        }
        // On the peer's turn: a draw offered when the game goes nowhere, once in a while.
        const bool atLimit = plies >= o.maxPlies;
        if (atLimit && offeredAtLimit && !link.drawOfferPending() && plies >= 2 * o.maxPlies) {
            out << "no end after " << plies << " half-moves: closing" << std::endl;
            break;
        }
        const bool stuck =
            compter_repetitions(s) >= 2 || p.QuietMoveCount >= 100 || (atLimit && !offeredAtLimit);
        if (stuck && !link.drawOfferPending() && plies - lastOffer >= 10) {
            link.send("/");
            lastOffer = plies;
            offeredAtLimit = offeredAtLimit || atLimit;
            out << "draw offered" << std::endl;
        }
    }
    link.close();
    // What was sent last leaves before the program does.
    QTimer grace;
    grace.setSingleShot(true);
    grace.start(300);
    while (grace.isActive()) loop.processEvents(QEventLoop::WaitForMoreEvents);

    const GameSession& s = game.session();
    out << "result " << s.GameResult << std::endl;
    if (!o.pgn.empty()) {
        const std::string white = o.serve ? o.name : link.opponent();
        const std::string black = o.serve ? link.opponent() : o.name;
        const std::string record = tag("Event", "Network game") +
                                   tag("Site", o.serve ? "localhost" : o.host) +
                                   tag("Date", pgnDate()) + tag("Round", "-") +
                                   tag("White", white) + tag("Black", black) + gamePgn(s);
        AtomicFileWriter file;
        if (!file.open(o.pgn, AtomicFileWriter::Start::OldContent) || !file.write(record) ||
            !file.commit()) {
            err << "quarvelin-cli: " << catalogue.text(TextKey::CannotOpenFile) << o.pgn << ": "
                << file.error() << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace quarvelin
