// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A whole game environment without a window: scripted answers, recorded cues and messages, a
// plain grid for the board and timers stepped by hand.
#include "localisation/Catalogue.h"
#include "rules/MoveRules.h"
#include "session/GameController.h"
#include "support/TestDoubles.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>

namespace quarvelin::test {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string title, text;
    };
    std::vector<Shown> messages, questions, inputs;
    std::deque<bool> answers; // answers to questions, then `byDefault`
    bool byDefault = true;
    std::deque<std::string> texts;      // answers to input boxes, then empty
    std::deque<SaveChoice> saveChoices; // answers to save/discard/cancel, then Cancel

    void message(const std::string& t, const std::string& x, DialogIcon) override {
        messages.push_back({t, x});
    }
    bool question(const std::string& t, const std::string& x) override {
        questions.push_back({t, x});
        if (answers.empty()) return byDefault;
        bool r = answers.front();
        answers.pop_front();
        return r;
    }
    std::string input(const std::string& t, const std::string& p, const std::string&) override {
        inputs.push_back({t, p});
        if (texts.empty()) return {};
        std::string r = texts.front();
        texts.pop_front();
        return r;
    }
    SaveChoice saveDiscardCancel(const std::string& t, const std::string& x) override {
        questions.push_back({t, x});
        if (saveChoices.empty()) return SaveChoice::Cancel;
        SaveChoice r = saveChoices.front();
        saveChoices.pop_front();
        return r;
    }
    bool showed(const std::string& piece) const {
        for (const auto& m : messages)
            if (m.text.find(piece) != std::string::npos) return true;
        return false;
    }
};

class RecordingSounds : public SoundPlayer {
public:
    std::vector<std::string> played;
    bool succeeds = true;
    bool play(const std::string& path) override {
        played.push_back(path.substr(path.find_last_of('/') + 1));
        return succeeds;
    }
};

class RecordingCommentary : public Commentary {
public:
    bool shows = true;
    std::string text;
    bool visible() const override { return shows; }
    void append(const std::string& t) override { text += t; }
    void prepend(const std::string& t) override { text = t + text; }
    void clear() override { text.clear(); }
};

class GridDisplay : public BoardDisplay {
public:
    std::array<PieceCode, 81> cases{};
    std::vector<std::array<int, 3>> marks; // x, y, colour
    bool isEditing = false;
    void setUp(Colour orientation, const std::string&, const std::string&) override {
        Position p = Position::initial(orientation);
        cases = p.Board;
    }
    PieceCode readSquare(int x, int y) const override { return cases[x + 9 * y]; }
    void writeSquare(int x, int y, PieceCode p) override { cases[x + 9 * y] = p; }
    void markSquare(int x, int y, float, std::uint32_t c) override {
        marks.push_back({x, y, static_cast<int>(c)});
    }
    void showMove(int, int, int, int, float, std::uint32_t) override {}
    void clearMarks() override { marks.clear(); }
    void editing(bool a) override { isEditing = a; }
};

class ManualTimers : public TimerSource {
public:
    std::map<Timer, int> intervals;
    void set(Timer m, int ms) override { intervals[m] = ms; }
};

class RecordingView : public GameView {
public:
    std::string title, shownResult, sent, tip, thought;
    std::vector<std::string> thoughts; // every text the thinking label showed
    bool running = false;
    int menus = 0;
    PieceCode chosenOnPalette = PieceCode::Empty;
    // The answer to the next promotion; nothing cancels it.
    std::optional<PieceType> promotion = PieceType::Queen;
    std::vector<Colour> promotionsAsked;
    void boardTitle(const std::string& t) override { title = t; }
    void result(const std::string& r) override { shownResult = r; }
    // Where the game's messages to a network peer go on, when a test links one.
    std::function<void(const std::string&)> forward;
    std::function<void()> closing;
    void sendNetwork(const std::string& m) override {
        sent = m;
        if (forward) forward(m);
    }
    void closeConnection() override {
        if (closing) closing();
    }
    void playButton(bool r, const std::string& b) override {
        running = r;
        tip = b;
    }
    void thinking(const std::string& t, PieceCode) override {
        thought = t;
        if (!t.empty()) thoughts.push_back(t);
    }
    void paletteChoice(PieceCode p) override { chosenOnPalette = p; }
    std::optional<PieceType> choosePromotion(Colour c) override {
        promotionsAsked.push_back(c);
        return promotion;
    }
    void menuStates() override { ++menus; }
};

// Searches in place, keeping the side and MoveCount each search and evaluation was given.
class RecordingSearch : public SynchronousSearch {
public:
    struct Asked {
        Colour colour;
        int moveCount;
        float score = 0; // a search's result
    };
    std::vector<Asked> searches, evaluations;
    void launch(const SearchRequest& d, const SearchCounters& c, const EngineCallbacks& r,
                End end) override {
        SynchronousSearch::launch(d, c, r, [&](const SearchResult& x, const SearchCounters& n) {
            searches.push_back({d.colour, d.position.MoveCount, x.score});
            end(x, n);
        });
    }
    float evaluate(const Position& p, Colour mover, const EngineWeights& w) override {
        evaluations.push_back({mover, p.MoveCount});
        return SynchronousSearch::evaluate(p, mover, w);
    }
};

// The settings of a fresh installation, the machine at depth `depth`, no book.
inline Settings testSettings(int depth = 1) {
    Settings s = builtInSettings("/opt/quarvelin");
    applyNewFile(s);
    for (auto& d : s.PROFONDEUR_MAX) d = static_cast<std::int16_t>(depth);
    for (auto& a : s.ACTIVE_BASE_CON) a = 0;
    s.ACTIVE_HORLOGE = 1;
    s.ACTIVE_SON = 1;
    s.GES_LOG = 0;
    s.DEB_BLANC = 1;
    s.MODE_JEUX = 1;
    return s;
}

// Two players at one board, White or Black at the bottom.
inline Settings freePlay(bool whiteBelow = true) {
    Settings s = testSettings();
    s.MODE_JEUX = 2;
    s.DEB_BLANC = whiteBelow ? 1 : 0;
    return s;
}

// One game and everything it talks to.
struct Bench {
    Settings settings;
    OffsetCatalogue catalogue;
    ScriptedDialogs dialogs;
    RecordingSounds sounds;
    RecordingCommentary commentary;
    GridDisplay board;
    ManualTimers timers;
    RecordingView view;
    RecordingSearch engine;
    double chance = 0.9; // the draws of the cues: never the rare cue unless a test says so
    std::unique_ptr<GameController> game;

    explicit Bench(Settings s = testSettings(), const OpeningBase* base = nullptr)
        : settings(std::move(s)) {
        Environment env{settings,
                        catalogue,
                        dialogs,
                        sounds,
                        commentary,
                        board,
                        timers,
                        view,
                        engine,
                        base,
                        "/opt/quarvelin",
                        "quarvelin",
                        [this] { return chance; },
                        1};
        game = std::make_unique<GameController>(env);
    }
    GameController& operator*() { return *game; }
    GameController* operator->() { return game.get(); }

    // A click on the square named in absolute terms ("e2"), whatever the orientation.
    void click(const char* name) {
        Square c = namedSquare(name[0], name[1], game->position().PlayerColour);
        game->clickSquare(c.x, c.y);
    }
    void move(const char* of, const char* to) {
        click(of);
        click(to);
    }
    // A note typed on a move line, the last line selected again afterwards.
    void note(int line, const std::string& text) {
        dialogs.texts.push_back(text);
        game->selectLine(line);
        game->noteMove();
        game->selectLine(static_cast<int>(game->session().lines.size()) - 1);
    }
    // A random legal move clicked on the board, under-promotions included.
    void playRandomMove(std::mt19937& rng) {
        const std::vector<Move> moves = legalMoves(game->position());
        if (moves.empty()) return;
        const Move& m = moves[rng() % moves.size()];
        if (m.promotion != PieceCode::Empty) view.promotion = pieceType(m.promotion);
        game->clickSquare(m.fromX, m.fromY);
        game->clickSquare(m.toX, m.toY);
    }
    PieceCode on(const char* name) const {
        Square c = namedSquare(name[0], name[1], game->position().PlayerColour);
        return game->position().at(c.x, c.y);
    }
    // The board on screen agrees with the position.
    bool screenUpToDate() const {
        const Position& p = game->position();
        for (int y = 1; y <= 8; ++y)
            for (int x = 1; x <= 8; ++x)
                if (board.readSquare(x, y) != p.at(x, y)) return false;
        return true;
    }
};

} // namespace quarvelin::test
