// The UCI front: scripted sessions, a live session on another thread, and a match against
// Debian's Stockfish refereed by its own move generator.
#include "support/Peers.h"
#include "support/TestDoubles.h"
#include "support/UciMatch.h"

#include "cli/Cli.h"
#include "cli/Uci.h"
#include "config/SettingsFile.h"
#include "engine/Engine.h"
#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <random>
#include <sstream>
#include <streambuf>
#include <thread>

using namespace quarvelin;
using namespace std::chrono_literals;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

struct Output {
    int status;
    std::vector<std::string> lines;
};

Output session(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    int status = runUci(in, out);
    return {status, lines(out.str())};
}

std::string wordAfter(const std::string& line, const std::string& key) {
    std::istringstream in(line);
    for (std::string m; in >> m;)
        if (m == key && in >> m) return m;
    return {};
}

// The position a `position` command names, applied as the rules of chess play it.
Position positionOf(const std::string& fen, const std::vector<std::string>& moves = {}) {
    Position p = fen.empty() ? Position::initial(Colour::White) : *readFen(fen, Colour::White);
    for (const auto& m : moves) {
        auto legal = legalMoves(p);
        auto c = std::find_if(legal.begin(), legal.end(),
                              [&](const Move& l) { return uciMove(p, l) == m; });
        EXPECT_NE(c, legal.end()) << m;
        if (c == legal.end()) break;
        playMove(p, *c);
    }
    return p;
}

bool isLegal(const Position& p, const std::string& move) {
    auto legal = legalMoves(p);
    return std::any_of(legal.begin(), legal.end(),
                       [&](const Move& c) { return uciMove(p, c) == move; });
}

// What the engine itself answers for p, built as the command line's bestmove builds it.
struct Expected {
    std::string move;
    long score;
    std::int32_t nodes;
};
Expected expected(const Position& p, int depth, const EngineWeights& weights = {}) {
    SearchRequest d;
    d.position = p;
    d.colour = p.sideToMove();
    if (d.colour == Colour::White) ++d.position.MoveCount;
    d.weights = weights;
    d.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);
    d.notation = NotationCode::Pgn;
    SearchCounters c;
    SearchResult r = searchMove(d, c);
    std::optional<Move> move = chosenMove(legalMoves(p), r);
    return {move ? uciMove(p, *move) : "", std::lround(r.score), c.PositionsEvaluated};
}

const std::vector<std::string> Presentation = {
    "id name Quarvelin",
    "id author the Quarvelin developers",
    "option name Depth type spin default 2 min 0 max 3",
    "option name Profile type string default <empty>",
    "option name Threads type spin default 2 min 1 max 8",
    "uciok",
};

const char* Kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

TEST(Uci, ScriptedSessionAnswersInOrder) {
    Output s =
        session("uci\n  isready \r\nposition startpos moves e2e4\ngo depth 1\nquit\nisready\n");
    EXPECT_EQ(s.status, 0);
    ASSERT_GE(s.lines.size(), Presentation.size() + 2);
    std::vector<std::string> beginning(s.lines.begin(), s.lines.begin() + 7);
    std::vector<std::string> wanted = Presentation;
    wanted.push_back("readyok");
    EXPECT_EQ(beginning, wanted);
    // quit may cut the search short: info lines or none, then one bestmove, then nothing.
    for (std::size_t i = 7; i + 1 < s.lines.size(); ++i)
        EXPECT_TRUE(s.lines[i].starts_with("info ")) << s.lines[i];
    const std::string& end = s.lines.back();
    ASSERT_TRUE(end.starts_with("bestmove ")) << end;
    EXPECT_TRUE(isLegal(positionOf("", {"e2e4"}), wordAfter(end, "bestmove"))) << end;
}

// At the end of the input a bounded search finishes, so its answer is the engine's own.
TEST(Uci, SearchAnswersWhatTheEngineFinds) {
    struct Case {
        std::string settings; // setoption lines before
        std::string fen;      // empty: startpos
        std::vector<std::string> moves;
        std::string go;
        int depth; // the depth searched
    };
    const Case cases[] = {
        {"", "", {}, "go", 2},
        {"", "", {"e2e4", "e7e5"}, "go depth 1", 1},
        {"setoption name Depth value 3\n",
         "",
         {"e2e4"},
         "go depth 0 wtime 1000 btime 1000 winc 10 binc 10 movestogo 5",
         0},
        {"setoption name Depth value 1\n", Kiwipete, {"e1g1", "h3g2"}, "go depth 5 movetime 10", 1},
        {"setoption name DEPTH value 7\n", "", {"d2d4"}, "go depth 9", 3},
        {"setoption name Depth value -2\n", Kiwipete, {}, "go nodes 100", 0},
        {"", "", {"g1f3"}, "go depth -5", 2},
        {"setoption name Depth value 1\nsetoption name Depth value abc\n", "", {}, "go", 1},
        {"setoption name Threads value 1\n",
         "4k3/1P6/8/8/8/8/6K1/8 w - - 0 1",
         {},
         "go infinite",
         2},
        {"setoption name Threads value 8\n",
         "8/8/8/KpP4r/8/8/8/4k3 w - b6 0 1",
         {},
         "go depth 1",
         1},
    };
    for (const Case& c : cases) {
        std::string position = c.fen.empty() ? "position startpos" : "position fen " + c.fen;
        if (!c.moves.empty()) position += " moves";
        for (const auto& m : c.moves) position += " " + m;
        const std::string script = c.settings + position + "\n" + c.go + "\n";
        Output s = session(script);
        Expected a = expected(positionOf(c.fen, c.moves), c.depth);
        ASSERT_GE(s.lines.size(), 2u) << script;
        EXPECT_EQ(s.lines.back(), "bestmove " + a.move) << script;
        // Each rise as it comes, then the whole search's line.
        std::int64_t nodes = 0;
        for (std::size_t i = 0; i + 1 < s.lines.size(); ++i) {
            const std::string& l = s.lines[i];
            if (l.starts_with("info string ")) continue;
            ASSERT_TRUE(l.starts_with("info depth " + std::to_string(c.depth) + " ")) << l;
            std::int64_t n = std::stoll(wordAfter(l, "nodes"));
            EXPECT_GE(n, nodes) << l;
            nodes = n;
        }
        const std::string& info = s.lines[s.lines.size() - 2];
        EXPECT_EQ(info, "info depth " + std::to_string(c.depth) + " score cp " +
                            std::to_string(a.score) + " nodes " + std::to_string(a.nodes) + " pv " +
                            a.move)
            << script;
    }
}

TEST(Uci, NoLegalMoveAnswersTheNullMove) {
    for (const char* fen : {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", "k7/8/1Q6/8/8/8/8/7K b - - 0 1",
                            // The engine names a king move here, though it is mate.
                            "1R2k2r/1ppp1ppp/1b3nbN/nPB5/B1P1P3/q4N2/Pp1P2PP/R2Q1RK1 b k - 0 2"}) {
        Output s = session(std::string("position fen ") + fen + "\ngo depth 1\n");
        EXPECT_EQ(s.lines, std::vector<std::string>{"bestmove 0000"}) << fen;
    }
}

TEST(Uci, EnginesMoveIsCheckedAgainstTheRules) {
    Position p = positionOf("4k3/1P6/8/8/8/8/6K1/8 w - - 0 1");
    auto legal = legalMoves(p);
    auto result = [](int fx, int fy, int tx, int ty, std::string text = " 1.x") {
        SearchResult r;
        r.fromX = fx, r.fromY = fy, r.toX = tx, r.toY = ty;
        r.score = 0;
        r.text = std::move(text);
        return r;
    };
    struct Case {
        SearchResult r;
        const char* wanted; // nullptr: refused
    };
    const Case cases[] = {
        {result(2, 2, 2, 1), "b7b8q"}, // the promotion is the queen's
        {result(7, 7, 7, 6), "g2g3"},  // the king, from the display squares
        {result(2, 2, 2, 3), nullptr}, // a pawn backwards
        {result(7, 7, 5, 7), nullptr}, // the king two squares, no castling
        {result(0, 0, 0, 0, "MAT"), nullptr}, {result(7, 7, 7, 6, "PAT"), nullptr},
    };
    for (const Case& c : cases) {
        std::optional<Move> move = chosenMove(legal, c.r);
        if (c.wanted) {
            ASSERT_TRUE(move) << c.wanted;
            EXPECT_EQ(uciMove(p, *move), c.wanted);
        } else {
            EXPECT_FALSE(move) << (move ? uciMove(p, *move) : "");
        }
    }
}

class ProfileFile {
public:
    explicit ProfileFile(const std::string& content)
        : path_((std::filesystem::temp_directory_path() /
                 ("quarvelin-uci-" + std::to_string(::getpid()) + ".ini"))
                    .string()) {
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~ProfileFile() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

TEST(Uci, ProfileGivesTheEngineWeights) {
    ProfileFile profile("NOTE_CENTRE=0\r\nNOTE_MOBILITE_CAVALIER=0\r\n");
    Settings s = builtInSettings(".");
    ASSERT_TRUE(readProfile(profile.path(), s, 1));
    const Position start = Position::initial(Colour::White);
    const std::string builtIn = expected(start, 1).move;
    const std::string load = expected(start, 1, profileWeights(s, 1)).move;
    ASSERT_NE(builtIn, load) << "the profile must change the move for this test to mean anything";

    struct Case {
        std::string settings;
        std::string move;
        bool error;
    };
    const Case cases[] = {
        {"setoption name Profile value " + profile.path() + "\n", load, false},
        {"setoption name Profile value /nonexistent/profile.ini\n", builtIn, true},
        {"setoption name Profile value " + profile.path() +
             "\nsetoption name Profile value /nonexistent/profile.ini\n",
         load, true},
        {"setoption name Profile value " + profile.path() +
             "\nsetoption name Profile value <empty>\n",
         builtIn, false},
        {"setoption name Profile value " + profile.path() + "\nsetoption name Profile value\n",
         builtIn, false},
    };
    for (const Case& c : cases) {
        Output r =
            session("setoption name Depth value 1\n" + c.settings + "position startpos\ngo\n");
        ASSERT_FALSE(r.lines.empty()) << c.settings;
        EXPECT_EQ(r.lines.back(), "bestmove " + c.move) << c.settings;
        bool error = std::any_of(r.lines.begin(), r.lines.end(), [](const std::string& l) {
            return l.starts_with("info string cannot read the profile /nonexistent/profile.ini");
        });
        EXPECT_EQ(error, c.error) << c.settings;
    }
}

// Input that a test writes to as it goes; reading waits for it, like a pipe.
class LiveEntry : public std::streambuf {
public:
    void write(const std::string& s) {
        std::lock_guard lock(m_);
        data_ += s;
        cv_.notify_all();
    }
    void close() {
        std::lock_guard lock(m_);
        closed_ = true;
        cv_.notify_all();
    }

protected:
    int_type underflow() override {
        std::unique_lock lock(m_);
        cv_.wait(lock, [&] { return parsed_ < data_.size() || closed_; });
        if (parsed_ >= data_.size()) return traits_type::eof();
        buffer_ = data_.substr(parsed_);
        parsed_ = data_.size();
        setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    std::string data_, buffer_;
    std::size_t parsed_ = 0;
    bool closed_ = false;
};

// Output the test reads line by line as it comes, with a deadline.
class LiveOutput : public std::streambuf {
public:
    // The next whole line starting with `beginning`; the lines passed go to `before`.
    std::optional<std::string> wait(const std::string& beginning, std::chrono::milliseconds delay,
                                    std::vector<std::string>* before = nullptr) {
        std::unique_lock lock(m_);
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            std::size_t end = text_.find('\n', parsed_);
            if (end != std::string::npos) {
                std::string l = text_.substr(parsed_, end - parsed_);
                parsed_ = end + 1;
                if (l.starts_with(beginning)) return l;
                if (before) before->push_back(l);
                continue;
            }
            if (cv_.wait_until(lock, limit) == std::cv_status::timeout &&
                text_.find('\n', parsed_) == std::string::npos)
                return std::nullopt;
        }
    }
    // The whole lines not read yet.
    std::vector<std::string> rest() {
        std::lock_guard lock(m_);
        std::size_t end = text_.rfind('\n');
        if (end == std::string::npos || end < parsed_) return {};
        std::vector<std::string> out = lines(text_.substr(parsed_, end + 1 - parsed_));
        parsed_ = end + 1;
        return out;
    }

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            std::lock_guard lock(m_);
            text_ += traits_type::to_char_type(c);
            cv_.notify_all();
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::lock_guard lock(m_);
        text_.append(s, static_cast<std::size_t>(n));
        cv_.notify_all();
        return n;
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    std::string text_;
    std::size_t parsed_ = 0;
};

// runUci on its own thread, as a GUI would drive it; always joined.
class LiveSession {
public:
    LiveSession() : thread_([this] { status_ = runUci(in_, out_); }) {}
    ~LiveSession() { finish(); }

    void send(const std::string& line) { entry_.write(line + "\n"); }
    std::optional<std::string> wait(const std::string& beginning,
                                    std::chrono::milliseconds delay = 30s,
                                    std::vector<std::string>* before = nullptr) {
        return output_.wait(beginning, delay, before);
    }
    std::vector<std::string> rest() { return output_.rest(); }
    // Closes the input and waits for runUci to return; its status.
    int finish() {
        entry_.close();
        if (thread_.joinable()) thread_.join();
        return status_;
    }

private:
    LiveEntry entry_;
    LiveOutput output_;
    std::istream in_{&entry_};
    std::ostream out_{&output_};
    int status_ = -1;
    std::thread thread_;
};

TEST(Uci, GarbledLinesAreIgnored) {
    LiveSession s;
    s.send("setoption name Depth value 1");
    s.send("position startpos moves e2e4");
    std::mt19937 rng(20240611);
    for (int i = 0; i < 40; ++i) {
        std::string noise(1 + rng() % 80, ' ');
        for (char& c : noise) {
            c = static_cast<char>(rng() % 256);
            if (c == '\n') c = '\0';
        }
        s.send(noise);
    }
    for (const char* l :
         {"position fen garbage", "position", "position fen", "position middle",
          "setoption name Depth value abc", "setoption name Threads value x", "setoption name",
          "setoption", "setoption name Colour value red", "  ", "\t\r"})
        s.send(l);
    s.send("isready");
    std::vector<std::string> before;
    ASSERT_TRUE(s.wait("readyok", 30s, &before));
    for (const char* text : {"info string position refused, not a FEN: garbage",
                             "info string option Depth needs a number, kept as it was",
                             "info string option Threads needs a number, kept as it was",
                             "info string no option named colour"})
        EXPECT_NE(std::find(before.begin(), before.end(), text), before.end()) << text;
    // Both search the position kept, after e2e4, at the depth kept, 1.
    const Position after = positionOf("", {"e2e4"});
    for (const char* go : {"go depth", "go searchmoves e2e4 wtime"}) {
        s.send(go);
        std::vector<std::string> infos;
        auto b = s.wait("bestmove", 30s, &infos);
        ASSERT_TRUE(b) << go;
        EXPECT_TRUE(isLegal(after, wordAfter(*b, "bestmove"))) << *b;
        EXPECT_FALSE(infos.empty()) << go;
        for (const auto& l : infos) EXPECT_EQ(wordAfter(l, "depth"), "1") << l;
    }

    s.send("position startpos moves e2e5 zz");
    s.send("go depth -5");
    std::vector<std::string> infos;
    auto b = s.wait("bestmove", 30s, &infos);
    ASSERT_TRUE(b);
    ASSERT_FALSE(infos.empty());
    EXPECT_EQ(infos.front(), "info string illegal move e2e5, the moves from there are ignored");
    EXPECT_EQ(*b, "bestmove " + expected(Position::initial(Colour::White), 1).move);
    s.send("quit");
    EXPECT_EQ(s.finish(), 0);
}

TEST(Uci, InfiniteSearchWaitsForStop) {
    LiveSession s;
    s.send("setoption name Depth value 0");
    s.send("position startpos moves d2d4");
    s.send("go infinite");
    s.send("isready");
    std::vector<std::string> before;
    ASSERT_TRUE(s.wait("readyok", 30s, &before));
    // A depth-0 search is over at once; an infinite one still answers only once stopped.
    std::this_thread::sleep_for(300ms);
    for (const auto& l : s.rest()) before.push_back(l);
    for (const auto& l : before) EXPECT_FALSE(l.starts_with("bestmove")) << l;
    s.send("stop");
    auto b = s.wait("bestmove");
    ASSERT_TRUE(b);
    // Stopped after the search ended: its move, not a fallback.
    EXPECT_EQ(*b, "bestmove " + expected(positionOf("", {"d2d4"}), 0).move);
    s.send("quit");
    EXPECT_EQ(s.finish(), 0);
}

// A depth-3 search of this position on one thread takes seconds: stop and quit must not wait.
TEST(Uci, StopAndQuitCutALongSearchShort) {
    for (const char* end : {"stop", "quit"}) {
        LiveSession s;
        s.send("setoption name Threads value 1");
        s.send("setoption name Depth value 3");
        s.send(std::string("position fen ") + Kiwipete);
        s.send("go depth 3");
        s.send("isready");
        std::vector<std::string> before;
        ASSERT_TRUE(s.wait("readyok", 30s, &before)) << end;
        s.send("go depth 1");
        ASSERT_TRUE(s.wait("info string already searching, go ignored", 30s, &before)) << end;
        for (const auto& l : before) EXPECT_FALSE(l.starts_with("bestmove")) << l;

        auto beginning = std::chrono::steady_clock::now();
        s.send(end);
        auto b = s.wait("bestmove", 30s);
        if (std::string(end) == "quit") {
            EXPECT_EQ(s.finish(), 0);
        }
        auto duration = std::chrono::steady_clock::now() - beginning;
        ASSERT_TRUE(b) << end;
        EXPECT_LT(duration, 1000ms) << end;
        EXPECT_TRUE(isLegal(positionOf(Kiwipete), wordAfter(*b, "bestmove"))) << *b;
        if (std::string(end) == "stop") {
            s.send("isready");
            EXPECT_TRUE(s.wait("readyok", 30s));
            s.send("quit");
            EXPECT_EQ(s.finish(), 0);
        }
        // One answer for the one search.
        for (const auto& l : s.rest()) EXPECT_FALSE(l.starts_with("bestmove")) << l;
    }
}

TEST(Uci, CommandLineEntry) {
    test::OffsetCatalogue cat;
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"uci", "--help"}, out, err, cat), 0);
    EXPECT_EQ(out.str().find("usage: quarvelin-cli uci"), 0u) << out.str();
    std::ostringstream out2, err2;
    EXPECT_EQ(runCli({"uci", "extra"}, out2, err2, cat), 2);
    EXPECT_NE(err2.str().find("<903>extra"), std::string::npos) << err2.str();

    std::string output = test::run(std::string("(") + QUARVELIN_CLI + " uci; echo status=$?)",
                                   "uci\nposition startpos\ngo depth 0\nquit\n");
    std::vector<std::string> l = lines(output);
    ASSERT_GE(l.size(), Presentation.size() + 2);
    EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 6), Presentation);
    EXPECT_TRUE(l[l.size() - 2].starts_with("bestmove ")) << output;
    EXPECT_EQ(l.back(), "status=0");
}

TEST(Uci, MatchAgainstStockfish) {
    std::string stockfish = test::findProgram("stockfish");
    ASSERT_FALSE(stockfish.empty()) << "stockfish is installed by 'make test'";
    test::UciProcess quarvelin(QUARVELIN_CLI, {"uci"});
    test::UciProcess opponent(stockfish, {});
    ASSERT_TRUE(quarvelin.started());
    ASSERT_TRUE(opponent.started());
    for (test::UciProcess* e : {&quarvelin, &opponent}) {
        ASSERT_TRUE(e->send("uci"));
        ASSERT_TRUE(e->wait("uciok", 30s));
    }
    quarvelin.send("setoption name Depth value 1");
    opponent.send("setoption name Skill Level value 0");
    opponent.send("setoption name Threads value 1");

    test::SettingsMatch settings;
    auto beginning = std::chrono::steady_clock::now();
    test::MatchResult r = test::playMatch(quarvelin, opponent, settings);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - beginning).count();
    std::cout << "match Quarvelin (depth 1) vs Stockfish (skill 0, movetime 20): " << r.gains
              << " wins, " << r.draws << " draws, " << r.losses << " losses, " << r.unfinished
              << " unfinished at " << settings.maxHalfMoves << " plies, in " << seconds << " s\n";
    EXPECT_EQ(r.error, "");
    if (r.error.empty()) {
        EXPECT_EQ(r.gains + r.draws + r.losses + r.unfinished, settings.games);
    }

    for (test::UciProcess* e : {&quarvelin, &opponent}) e->send("quit");
    ASSERT_TRUE(quarvelin.waitForEnd(30s)) << "quarvelin-cli did not leave after quit";
    int status = *quarvelin.status();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
}

} // namespace
