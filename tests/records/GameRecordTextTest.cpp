// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GameRecordText.h"
#include "session/SessionDoubles.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;
using namespace std::chrono;

namespace {

constexpr year_month_day Day{year{2026}, month{12}, day{4}};

Settings namedSettings() {
    Settings s = testSettings(2);
    s.MODE_JEUX = 2;
    s.LIEU_JEU = "Lyon";
    s.NOM_JOUEUR = {"", "Alice", "Bruno"};
    s.NOM_MOTEUR = {"", "Quarvelin", "Sparring"};
    s.NIVEAU_ELO = {0, 1500, 1700};
    s.PROFONDEUR_MAX = {0, 2, 0};
    return s;
}

// 1.e4 e5 2.Nf3 Nc6 3.Bb5 played at the board, with the user's colour at the bottom.
Bench ruyLopez(bool white, NotationCode notation = NotationCode::French) {
    Settings s = namedSettings();
    s.DEB_BLANC = white ? 1 : 0;
    Bench b(s);
    b->setNotation(notation);
    b->newGame();
    b.move("e2", "e4");
    b.move("e7", "e5");
    b.move("g1", "f3");
    b.move("b8", "c6");
    b.move("f1", "b5");
    b.note(0, "Open");
    b.note(3, "Knight out");
    return b;
}

TEST(GameText, RecordOfAGameAgainstTheMachine) {
    const char* alice = "[White \"Alice\"]\r\n[Black \"Quarvelin\"]\r\n[WhiteElo \"1600\"]\r\n"
                        "[BlackElo \"1500\"]\r\n";
    const char* machine = "[White \"Quarvelin\"]\r\n[Black \"Alice\"]\r\n[WhiteElo \"1500\"]\r\n"
                          "[BlackElo \"1600\"]\r\n";
    const char* moves[] = {"1.e2-e4 {Open} e7-e5 2.Cg1-f3 Cb8-c6  {Knight out} 3.Ff1-b5 *\r\n",
                           "1.e4 {Open} e5 2.Nf3 Nc6  {Knight out} 3.Bb5 *\r\n"};
    for (bool white : {true, false}) {
        for (std::uint8_t shortNotation : {0, 1}) {
            SCOPED_TRACE(std::string(white ? "white" : "black") + (shortNotation ? " short" : ""));
            Bench b = ruyLopez(white);
            b.settings.SAUVE_ABREGE = shortNotation;
            GameSession s = b->session();
            s.PlayMode = GameMode::Machine;
            s.OpeningCode = s.OpeningName = "B00 of the game before"; // the name given wins
            RecordingDialogs dialogs;
            const std::string text =
                saveText(s, b.settings, b->position().PlayerColour, Day, b.catalogue, dialogs,
                         "quarvelin", EcoLine{0, "C60", "Espagnole", "1.e4 e5 2.Nf3 Nc6 3.Bb5 *"});
            EXPECT_EQ(text,
                      std::string("[Event \"<28>\"]\r\n[Site \"Lyon\"]\r\n"
                                  "[Date \"2026.12.04\"]\r\n[Round \"1\"]\r\n") +
                          (white ? alice : machine) +
                          "[Result \"*\"]\r\n[ECO \"C60\"]\r\n[Opening \"Espagnole\"]\r\n\r\n" +
                          moves[shortNotation]);
            EXPECT_TRUE(dialogs.messages.empty());
        }
    }
}

TEST(GameText, PlayersOfAutomaticPlay) {
    struct Case {
        bool twoProfiles;
        Players expectedList;
    };
    const Case cases[] = {
        {true, {"Quarvelin", "Sparring", "1600", "1200"}},
        {false, {"Quarvelin", "Quarvelin", "1600", "1600"}},
    };
    for (const Case& c : cases) {
        Settings r = namedSettings();
        r.TwoProfiles = c.twoProfiles;
        GameSession s;
        s.PlayMode = GameMode::Auto;
        const Players j = savePlayers(s, r, Colour::White), &e = c.expectedList;
        EXPECT_EQ(std::tie(j.white, j.black, j.whiteElo, j.blackElo),
                  std::tie(e.white, e.black, e.whiteElo, e.blackElo));
    }
}

TEST(GameText, LoadedTagsKeptAndAStartPositionSaidOnce) {
    struct Case {
        const char* header;
        const char* fen;
        const char* expected;
    };
    const char* fen = "4k3/8/8/8/8/8/4P3/4K3 w - - 0 30";
    const Case cases[] = {
        {"[Event \"Club\"]\r\n[White \"X\"]\r\n\r\n", "",
         "[Event \"Club\"]\r\n[White \"X\"]\r\n\r\n"},
        // A text loaded with LF ends and no empty line still gets its empty line.
        {"[Event \"Club\"]\n", "", "[Event \"Club\"]\r\n\r\n"},
        {"[Event \"Club\"]\r\n\r\n", fen,
         "[Event \"Club\"]\r\n[SetUp \"1\"]\r\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 30\"]\r\n\r\n"},
        {"[Event \"Club\"]\r\n[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\r\n\r\n", fen,
         "[Event \"Club\"]\r\n[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\r\n\r\n"},
    };
    for (const Case& c : cases) {
        GameSession s;
        s.GameText = c.header;
        s.FenDepart = c.fen;
        EXPECT_EQ(saveHeader(s, namedSettings(), Colour::White, Day, OffsetCatalogue(), {}),
                  c.expected)
            << c.header;
    }
}

TEST(GameText, TagValuesEscaped) {
    EXPECT_EQ(tagLine("White", "Le \"Roi\" \\ Fou"), "[White \"Le \\\"Roi\\\" \\\\ Fou\"]\r\n");
    EXPECT_EQ(tagLine("Site", "a\r\nb"), "[Site \"a  b\"]\r\n");
}

TEST(GameText, NotesPutBackAfterTheirMoves) {
    struct Case {
        const char* text;
        std::vector<std::string> notes;
        const char* expected;
        std::size_t messages;
    };
    const Case cases[] = {
        {"1.e4 e5 2.Nf3", {"", "a"}, "1.e4 {a} e5 2.Nf3", 0},
        {"1.e4 e5 2.Nf3", {"", "", "b"}, "1.e4 e5  {b} 2.Nf3", 0},
        {"1.e4 e5 2.Nf3", {"", "", "", "c"}, "1.e4 e5 2.Nf3 {c}", 0},
        {"1.e4 e5", {"", "", "d"}, "1.e4 e5 {d}", 0},
        // A White note with blanks in it does not mislead the next note.
        {"1.e4 e5 2.Nf3", {"", "long note", "x", "y"}, "1.e4 {long note} e5  {x} 2.Nf3 {y}", 0},
        // Beyond the text: said once per note, and left out.
        {"1.e4 e5", {"", "a", "", "", "z", "w"}, "1.e4 {a} e5", 2},
        {"1.e4", {"", "a } b"}, "1.e4 {a ) b}", 0},
        // A game starting with a Black move.
        {"12... Nc6 13.Bb5 a6", {"", "n", "b"}, "12... Nc6  {n} 13.Bb5 {b} a6", 0},
        {"9.e5xd6e.p. Cb8-c6 10.a2-a3", {"", "", "c"}, "9.e5xd6e.p. Cb8-c6  {c} 10.a2-a3", 0},
        {"", {"", "a"}, "", 1},
    };
    for (const Case& c : cases) {
        RecordingDialogs dialogs;
        EXPECT_EQ(inserer_commentaires(c.text, c.notes, dialogs, OffsetCatalogue(), "quarvelin"),
                  c.expected)
            << c.text;
        ASSERT_EQ(dialogs.messages.size(), c.messages) << c.text;
        for (const auto& m : dialogs.messages) {
            EXPECT_EQ(m.text, "<609>");
            EXPECT_EQ(m.title, "quarvelin");
            EXPECT_EQ(m.icon, DialogIcon::Exclamation);
        }
    }
}

TEST(GameText, GameFromAPositionWithBlackToMove) {
    for (std::uint8_t shortNotation : {0, 1}) {
        Bench b = ruyLopez(true);
        b.settings.SAUVE_ABREGE = shortNotation;
        b->pastePosition("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 12");
        b.move("e8", "g8");
        b.move("e1", "c1");
        RecordingDialogs dialogs;
        const std::string text = saveText(b->session(), b.settings, Colour::White, Day, b.catalogue,
                                          dialogs, "quarvelin", {});
        EXPECT_NE(text.find("[SetUp \"1\"]\r\n[FEN \"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 12\"]\r\n"
                            "\r\n12... O-O 13.O-O-O *\r\n"),
                  std::string::npos)
            << text;
    }
}

TEST(GameText, DefaultFileNames) {
    struct Case {
        year_month_day day;
        GameFormat format;
        const char* name;
    };
    const Case cases[] = {
        {Day, GameFormat::Pgn, "Quarv041226.pgn"},
        {Day, GameFormat::Xml, "Quarv041226.xml"},
        {year_month_day{year{2000}, month{1}, day{9}}, GameFormat::Pgn, "Quarv090100.pgn"},
    };
    for (const Case& c : cases) EXPECT_EQ(defaultFileName(c.day, c.format), c.name);
}

} // namespace
