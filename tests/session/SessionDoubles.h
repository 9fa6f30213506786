#pragma once
// A whole game environment without a window: scripted answers, recorded cues and messages, a
// plain grid for the board and timers stepped by hand.
#include "localisation/Catalogue.h"
#include "session/Partie.h"
#include "support/TestDoubles.h"

#include <deque>
#include <map>
#include <memory>

namespace quarvelin::test {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string title, text;
    };
    std::vector<Shown> messages, questions, saisies;
    std::deque<bool> reponses; // answers to questions, then `parDefaut`
    bool parDefaut = true;
    std::deque<std::string> texts; // answers to input boxes, then empty

    void message(const std::string& t, const std::string& x, DialogIcon) override {
        messages.push_back({t, x});
    }
    bool question(const std::string& t, const std::string& x) override {
        questions.push_back({t, x});
        if (reponses.empty()) return parDefaut;
        bool r = reponses.front();
        reponses.pop_front();
        return r;
    }
    std::string input(const std::string& t, const std::string& p, const std::string&) override {
        saisies.push_back({t, p});
        if (texts.empty()) return {};
        std::string r = texts.front();
        texts.pop_front();
        return r;
    }
    bool a_montre(const std::string& morceau) const {
        for (const auto& m : messages)
            if (m.text.find(morceau) != std::string::npos) return true;
        return false;
    }
};

class RecordingSounds : public SoundPlayer {
public:
    std::vector<std::string> joues;
    bool reussit = true;
    bool jouer(const std::string& path) override {
        joues.push_back(path.substr(path.find_last_of('/') + 1));
        return reussit;
    }
};

class RecordingCommentary : public Commentary {
public:
    bool montre = true;
    std::string text;
    bool visible() const override { return montre; }
    void append(const std::string& t) override { text += t; }
    void devant(const std::string& t) override { text = t + text; }
    void clear() override { text.clear(); }
};

class GridDisplay : public BoardDisplay {
public:
    std::array<PieceCode, 81> cases{};
    std::vector<std::array<int, 3>> marques; // x, y, colour
    bool enEdition = false;
    void installer(Colour orientation, const std::string&, const std::string&) override {
        Position p = Position::initial(orientation);
        cases = p.Board;
    }
    PieceCode lire_case(int x, int y) const override { return cases[x + 9 * y]; }
    void ecrire_case(int x, int y, PieceCode p) override { cases[x + 9 * y] = p; }
    void marquer_case(int x, int y, float, std::uint32_t c) override {
        marques.push_back({x, y, static_cast<int>(c)});
    }
    void montrer_coup(int, int, int, int, float, std::uint32_t) override {}
    void effacer_marques() override { marques.clear(); }
    void edition(bool a) override { enEdition = a; }
};

class ManualTimers : public HorlogeSource {
public:
    std::map<Minuterie, int> intervalles;
    void regler(Minuterie m, int ms) override { intervalles[m] = ms; }
};

class RecordingView : public VuePartie {
public:
    std::string title, resultatAffiche, envoye, caption, bulle;
    int menus = 0;
    void titre_plateau(const std::string& t) override { title = t; }
    void result(const std::string& r) override { resultatAffiche = r; }
    void envoyer_reseau(const std::string& m) override { envoye = m; }
    void bouton_lecture(const std::string& l, const std::string& b) override {
        caption = l;
        bulle = b;
    }
    void etat_menus() override { ++menus; }
};

// The settings of a fresh installation, the machine at depth `profondeur`, no book.
inline Settings reglages_de_test(int depth = 1) {
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

// One game and everything it talks to.
struct Banc {
    Settings settings;
    OffsetCatalogue catalogue;
    ScriptedDialogs dialogs;
    RecordingSounds sons;
    RecordingCommentary commentary;
    GridDisplay plateau;
    ManualTimers minuteries;
    RecordingView vue;
    RechercheSynchrone moteur;
    double hasard = 0.9; // the draws of the cues: never the rare cue unless a test says so
    std::unique_ptr<Partie> game;

    explicit Banc(Settings s = reglages_de_test(), const OpeningBase* base = nullptr)
        : settings(std::move(s)) {
        Environnement env{settings,
                          catalogue,
                          dialogs,
                          sons,
                          commentary,
                          plateau,
                          minuteries,
                          vue,
                          moteur,
                          base,
                          "/opt/quarvelin",
                          "quarvelin",
                          [this] { return hasard; },
                          1};
        game = std::make_unique<Partie>(env);
    }
    Partie& operator*() { return *game; }
    Partie* operator->() { return game.get(); }

    // A click on the square named in absolute terms ("e2"), whatever the orientation.
    void clic(const char* name) {
        Square c = namedSquare(name[0], name[1], game->position().PlayerColour);
        game->clic_case(c.x, c.y);
    }
    void move(const char* de, const char* vers) {
        clic(de);
        clic(vers);
    }
    PieceCode sur(const char* name) const {
        Square c = namedSquare(name[0], name[1], game->position().PlayerColour);
        return game->position().at(c.x, c.y);
    }
    // The board on screen agrees with the position.
    bool ecran_a_jour() const {
        const Position& p = game->position();
        for (int y = 1; y <= 8; ++y)
            for (int x = 1; x <= 8; ++x)
                if (plateau.lire_case(x, y) != p.at(x, y)) return false;
        return true;
    }
};

} // namespace quarvelin::test
