// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program as a user meets it: a fresh installation, the language window, games
// against the machine played with the mouse through the menus and the board.
#include "ui/Capture.h"
#include "ui/Controls.h"
#include "ui/ModalAnswer.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "engine/Engine.h"
#include "rules/MoveRules.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/LanguageWindow.h"
#include "ui/LoadGamesDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/MenuTree.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/SaveWindow.h"
#include "ui/XmlGameWindow.h"

#include "support/TestFolder.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace quarvelin;

namespace {

// A fresh installation tree in a temporary folder: the settings file the build ships, the
// opening base is left out (the program plays on without book).
struct Installation {
    QTemporaryDir dir;
    Locations locations;
    Installation(bool firstStartup, int depth = 0, bool white = true) {
        QStandardPaths::setTestModeEnabled(true); // recent files go to a test store
        Settings s = builtInSettings(dir.path().toStdString());
        applyNewFile(s);
        s.FIRST_STARTUP = firstStartup ? 1 : 0;
        s.AFF_NOUVELLE = 0;
        s.ACTIVE_SON = 0;
        s.DEB_BLANC = white ? 1 : 0;
        for (auto& p : s.PROFONDEUR_MAX) p = static_cast<std::int16_t>(depth);
        locations = {dir.path().toStdString(), dir.path().toStdString()};
        EXPECT_EQ(ecrire_reglages(s, settingsFile(locations)), "");
    }
    std::string settings() const { return test::readText(settingsFile(locations)); }
};

struct Program {
    Settings settings;
    Catalogue catalogue;
    std::unique_ptr<MainWindow> window;
    QStringList boxes; // texts of the message boxes closed along the way
    QTimer closer;
    bool leaveSaveQuestions = false; // the test answers save / discard / cancel itself
    explicit Program(const Installation& inst) {
        Startup d = start(inst.locations, settings, catalogue);
        EXPECT_FALSE(d.end);
        window = std::make_unique<MainWindow>(settings, catalogue, inst.locations);
        window->show();
        // Message boxes and questions are answered as they come: OK, and No to questions.
        QObject::connect(&closer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || (leaveSaveQuestions && box->button(QMessageBox::Discard))) return;
            boxes << box->text();
            QAbstractButton* b = box->button(QMessageBox::No);
            if (!b) b = box->button(QMessageBox::Ok);
            if (!b) b = box->button(QMessageBox::Cancel); // work is kept
            if (b) b->click();
        });
        closer.start(10);
    }
    GameController& game() { return window->game(); }
    void wait() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !game().machineThinking(); }, 20000));
    }
    void click(int x, int y) {
        BoardView* b = window->boardWindow()->board();
        QTest::mouseClick(b, Qt::LeftButton, {}, b->squareRect(x, y).center());
    }
    bool enabled(const char* name) {
        return window->menus().action(QString::fromLatin1(name))->isEnabled();
    }
    void menu(const char* name, int index = -1) {
        QAction* a = window->menus().action(QString::fromLatin1(name), index);
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
    // The human plays random legal moves with the mouse until the game ends.
    void playToTheEnd(unsigned seed) {
        std::mt19937 rng(seed);
        for (int n = 0; n < 400 && !game().session().gameOver(); ++n) {
            wait();
            if (game().session().gameOver()) break;
            std::vector<Move> legal = legalMoves(game().position());
            const Move& c = legal[rng() % legal.size()];
            click(c.fromX, c.fromY);
            if (c.promotion != PieceCode::Empty) pickPromotion(QStringLiteral("Q"));
            click(c.toX, c.toY);
        }
        wait();
    }
};

// A fresh installation without book, the program started on it.
class Desktop : public ::testing::Test {
protected:
    Installation inst{false, 0};
    Program p{inst};
    void SetUp() override { p.window->start(); }
};
class GamesFile : public Desktop {};
class Windows : public Desktop {};

TEST(Program, FirstStartAsksForTheLanguageThenGoesStraightToTheBoard) {
    Installation inst(true);
    {
        Program p(inst);
        p.window->start();
        ASSERT_NE(p.window->languageWindow(), nullptr);
        EXPECT_TRUE(p.window->languageWindow()->isVisible());
        takeScreenshot(*p.window->languageWindow(), QStringLiteral("langue"));
        const QString before = p.window->menus().action(QStringLiteral("menu_nouvelle"))->text();
        QTest::mouseClick(p.window->languageWindow()->button(2), Qt::LeftButton); // English
        const QString after = p.window->menus().action(QStringLiteral("menu_nouvelle"))->text();
        EXPECT_NE(before, after);
        EXPECT_EQ(after.toStdString(), p.catalogue.text(quarvelin::TextKey::MenuNewGame));
        EXPECT_NE(inst.settings().find("CLE_LANGUE=2"), std::string::npos);
        EXPECT_NE(inst.settings().find("FIRST_STARTUP=0"), std::string::npos);
    }
    Program again(inst);
    again.window->start();
    EXPECT_EQ(again.window->languageWindow(), nullptr);
    EXPECT_EQ(again.settings.CLE_LANGUE, 2);
    // English moves are written with English letters from the start.
    EXPECT_EQ(again.game().session().NotationCode, NotationCode::Pgn);
    EXPECT_TRUE(again.window->menus().action(QStringLiteral("notation_pgn"))->isChecked());
}

TEST_F(Desktop, AWholeGameAgainstTheMachineFromTheMenus) {
    p.menu("menu_nouvelle");
    EXPECT_TRUE(p.window->boardSubWindow()->isVisible());
    // During the game: draw and resign on, the mode off; New game stays, it asks first.
    for (const char* on : {"menu_nouvelle", "menu_abandon", "menu_propose_nul"})
        EXPECT_TRUE(p.enabled(on)) << on;
    for (const char* off : {"menu_mode", "menu_couleur"}) EXPECT_FALSE(p.enabled(off)) << off;
    p.playToTheEnd(1);
    const GameSession& g = p.game().session();
    ASSERT_TRUE(g.gameOver()) << g.GameMoveText;
    EXPECT_EQ(p.window->boardWindow()->moveList()->count(), static_cast<int>(g.lines.size()));
    // The end was told in a box, the result line closes the move list and the result is shown;
    // the board shows the last position and the clocks have stopped.
    EXPECT_FALSE(p.boxes.isEmpty());
    BoardWindow* b = p.window->boardWindow();
    EXPECT_EQ(b->moveList()->item(b->moveList()->count() - 1)->text().toStdString(),
              g.lines.back());
    auto* result = child<QLabel>(*b, "resultat");
    EXPECT_TRUE(result->isVisible());
    EXPECT_EQ(result->text().toStdString(), g.GameResult);
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            EXPECT_EQ(b->board()->readSquare(x, y), p.game().position().at(x, y));
    EXPECT_FALSE(b->timerRunning(Timer::Bottom) || b->timerRunning(Timer::Top));
    // Over: the next game can be set up at once, and the finished one not resigned.
    for (const char* on : {"menu_nouvelle", "menu_mode", "menu_couleur", "menu_sauve"})
        EXPECT_TRUE(p.enabled(on)) << on;
    for (const char* off : {"menu_abandon", "menu_propose_nul"})
        EXPECT_FALSE(p.enabled(off)) << off;
    EXPECT_TRUE(p.window->boardSubWindow()->isVisible());
    takeScreenshot(*p.window, QStringLiteral("partie-finie"));
}

TEST(Program, PlayingBlackTheMachineOpens) {
    Installation inst(false, 0, false);
    Program p(inst);
    p.window->start();
    EXPECT_TRUE(p.window->menus().action(QStringLiteral("couleur_noire"))->isChecked());
    p.menu("menu_nouvelle");
    p.wait();
    ASSERT_EQ(p.window->boardWindow()->moveList()->count(), 1);
    EXPECT_EQ(p.window->boardWindow()->moveList()->item(0)->text(), QStringLiteral(" 1.e2-e4"));
    p.playToTheEnd(5);
    EXPECT_TRUE(p.game().session().gameOver());
}

TEST_F(Desktop, ResigningEndsTheGameAndTheNextOneFollows) {
    p.menu("menu_nouvelle");
    EXPECT_FALSE(p.enabled("menu_mode"));
    p.closer.stop();
    whenModalOpens<QMessageBox>([](QMessageBox* box) {
        box->button(QMessageBox::Yes)->click();
        return true;
    });
    p.menu("menu_abandon");
    EXPECT_TRUE(p.game().session().boardOpen);
    EXPECT_EQ(p.game().session().GameResult, "0-1");
    EXPECT_EQ(p.window->boardWindow()->moveList()->item(0)->text().toStdString(),
              p.catalogue.text(TextKey::WhiteResigns));
    EXPECT_FALSE(p.enabled("menu_abandon"));
    EXPECT_TRUE(p.enabled("menu_mode"));
    p.menu("mode_libre");
    EXPECT_EQ(p.game().session().PlayMode, GameMode::Free);
    EXPECT_TRUE(p.window->windowTitle().contains(
        QString::fromStdString(p.catalogue.text(TextKey::PlayModeFree))));
    p.menu("menu_nouvelle"); // no question: the last game has its result
    EXPECT_EQ(p.game().session().GameResult, "*");
    EXPECT_TRUE(p.enabled("menu_abandon"));
}

// Every way of replacing or dropping a game with unsaved moves asks save / discard / cancel;
// Cancel keeps the game as it was, Discard lets the command go on.
TEST(Program, UnsavedMovesAreNeverDroppedWithoutAQuestion) {
    QTemporaryDir dir;
    const QString pgn = dir.filePath(QStringLiteral("une.pgn"));
    {
        QFile f(pgn);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Event \"x\"]\n[Result \"*\"]\n\n1. d4 d5 2. c4 *\n");
    }
    const char* fen = "4k3/8/8/8/8/8/8/4K3 w - - 0 1";
    struct Case {
        const char* name;
        std::function<void(Program&)> act;
        std::function<bool(Program&)> happened;
    };
    const Case cases[] = {
        {"paste",
         [&](Program& p) {
             QApplication::clipboard()->setText(QString::fromLatin1(fen) + QStringLiteral("\n"));
             p.menu("menu_coller_position");
         },
         [&](Program& p) { return p.game().session().FenDepart == fen; }},
        {"new game", [](Program& p) { p.menu("menu_nouvelle"); },
         [](Program& p) { return p.game().session().lines.empty(); }},
        {"editor", [](Program& p) { p.menu("menu_position"); },
         [](Program& p) { return p.game().state() == BoardState::Editing; }},
        {"load",
         [&](Program& p) {
             p.window->chooseGamesFile = [&] { return pgn; };
             p.menu("menu_charge");
             for (int i = 0; i < 200 && p.game().session().lines.size() == 1; ++i) QTest::qWait(10);
         },
         [](Program& p) { return p.game().session().lines.size() == 3; }},
        {"close the board", [](Program& p) { p.window->boardSubWindow()->close(); },
         [](Program& p) { return !p.game().session().boardOpen; }},
        {"quit", [](Program& p) { p.window->close(); },
         [](Program& p) { return !p.window->isVisible(); }},
    };
    Installation inst(false, 0);
    for (const Case& c : cases) {
        for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Discard}) {
            SCOPED_TRACE(std::string(c.name) + (answer == QMessageBox::Cancel ? " cancel" : ""));
            Program p(inst);
            p.leaveSaveQuestions = true;
            p.window->start();
            p.menu("mode_libre");
            p.menu("menu_nouvelle");
            p.click(5, 7);
            p.click(5, 5); // e2-e4
            ASSERT_EQ(p.game().session().lines.size(), 1u);
            QString asked;
            whenModalOpens<QMessageBox>([&](QMessageBox* box) {
                if (!box->button(QMessageBox::Discard)) return false;
                asked = box->text();
                box->button(answer)->click();
                return true;
            });
            c.act(p);
            EXPECT_EQ(asked.toStdString(), p.catalogue.text(TextKey::UnsavedGameQuestion));
            EXPECT_EQ(c.happened(p), answer == QMessageBox::Discard);
            if (answer == QMessageBox::Cancel) {
                EXPECT_EQ(p.game().session().lines.size(), 1u);
                EXPECT_TRUE(p.window->boardSubWindow()->isVisible());
            }
        }
    }
}

TEST_F(Desktop, SettingUpPiecesOpensABoardWhenNoneIsOpen) {
    ASSERT_FALSE(p.game().session().boardOpen);
    p.menu("menu_position");
    EXPECT_TRUE(p.window->boardSubWindow()->isVisible());
    EXPECT_EQ(p.game().state(), BoardState::Editing);
    EXPECT_TRUE(p.window->boardWindow()->palette()->isVisible());
}

TEST(Program, ASavedGameIsDroppedWithoutAQuestion) {
    Installation inst(false, 0);
    Program p(inst);
    p.closer.stop();
    p.window->start();
    p.menu("mode_libre");
    p.menu("menu_nouvelle");
    p.click(5, 7);
    p.click(5, 5);
    // Asked, Save chosen, and the save window reports the game written.
    whenModalOpens<QMessageBox>([&](QMessageBox* box) {
        box->button(QMessageBox::Save)->click();
        whenModalOpens<SaveWindow>([](SaveWindow* save) {
            emit save->gameSaved(QStringLiteral("/tmp/x.pgn"));
            save->reject();
            return true;
        });
        return true;
    });
    p.menu("menu_position");
    EXPECT_EQ(p.game().state(), BoardState::Editing);
    EXPECT_FALSE(p.game().hasUnsavedMoves());
}

TEST_F(Desktop, DepthMenuAndLanguageMenuRelabelTheTitle) {
    p.menu("menu_niv", 2);
    EXPECT_EQ(p.settings.PROFONDEUR_MAX[1], 2);
    EXPECT_TRUE(p.window->windowTitle().contains(
        QString::fromStdString(p.catalogue.text(TextKey::LevelAdvanced))));
    p.menu("choix_langue", 5);
    EXPECT_EQ(p.catalogue.BaseTexte(), 4010);
    EXPECT_TRUE(p.window->menus().action(QStringLiteral("notation_pgn"))->isChecked());
    EXPECT_TRUE(p.window->windowTitle().contains(
        QString::fromStdString(p.catalogue.text(TextKey::LevelAdvanced))));
}

// In automatic play with two profiles, the title and the level menu follow the side to play.
TEST(Program, TheLevelShownIsThatOfTheProfileToPlay) {
    Installation inst(false, 0);
    Program p(inst);
    p.settings.TwoProfiles = true;
    p.settings.PROFONDEUR_MAX = {0, 0, 2};
    p.window->start();
    p.menu("mode_auto");
    p.menu("menu_nouvelle");
    for (int i = 0; i < 1000 && p.game().profile() != 2; ++i) QTest::qWait(5);
    ASSERT_EQ(p.game().profile(), 2);
    EXPECT_TRUE(p.window->windowTitle().contains(
        QString::fromStdString(p.catalogue.text(LevelTexts.at(2)))))
        << p.window->windowTitle().toStdString();
    EXPECT_TRUE(p.window->menus().action(QStringLiteral("menu_niv"), 2)->isChecked());
    p.menu("menu_niv", 1); // sets the level of the profile to play
    EXPECT_EQ(p.settings.PROFONDEUR_MAX[2], 1);
    EXPECT_EQ(p.settings.PROFONDEUR_MAX[1], 0);
}

TEST_F(Desktop, EveryWiredCommandOpensItsWindow) {
    QStringList opened;
    // Whatever dialog a command opens is noted and closed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened << d->metaObject()->className();
            d->reject();
        }
    });
    closer.start(10);
    p.closer.stop();
    // Between games, then during one.
    for (const char* name : {"menu_pref", "menu_moteur", "menu_a_propos"}) p.menu(name);
    p.menu("menu_nouvelle");
    for (const char* name :
         {"menu_abrege", "menu_not_comp", "menu_sauve", "menu_charge_xml", "menu_charge_fichier"})
        p.menu(name);
    p.menu("menu_edt_encours", 1);
    EXPECT_EQ(opened, (QStringList{"PreferencesDialog", "EngineProfilesDialog", "AboutWindow",
                                   "QMessageBox", "QMessageBox", "SaveWindow", "XmlGameWindow",
                                   "LoadGamesDialog", "QPrintPreviewDialog"}));
    const int before = static_cast<int>(p.window->mdiArea()->subWindowList().size());
    p.menu("menu_sommaire");
    EXPECT_EQ(p.window->mdiArea()->subWindowList().size(), before + 1); // the help window
    p.menu("menu_voir_ouvertures");
    EXPECT_NE(p.window->findChild<QDialog*>(QStringLiteral("liste_coup")), nullptr);
    p.menu("menu_copie_position", 2);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));
    EXPECT_TRUE(p.window->menus().action(QStringLiteral("menu_coller_position"))->isEnabled());
    p.menu("affiche_commentaire");
    EXPECT_FALSE(p.window->commentWindow()->visible());
    EXPECT_FALSE(p.window->menus().action(QStringLiteral("affiche_commentaire"))->isChecked());
}

// Three games; the second has comments, the third is played by "Abel" as Black.
const char* const ThreeGames =
    "[Event \"Open\"]\n[Site \"Paris\"]\n[Date \"2026.01.02\"]\n[Round \"10\"]\n"
    "[White \"Abc Def\"]\n[Black \"Xyz\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 "
    "4.Qxf7# 1-0\n\n"
    "[Event \"Open\"]\n[Site \"lyon\"]\n[Date \"2026.01.03\"]\n[Round \"2\"]\n"
    "[White \"Zed\"]\n[Black \"Yann\"]\n[Result \"1/2-1/2\"]\n\n1.d4 {solid} d5 2.c4 {the gambit}\n"
    "e6 1/2-1/2\n\n"
    "[Event \"Cup\"]\n[Site \"Nice\"]\n[Date \"2026.02.01\"]\n[Round \"3\"]\n"
    "[White \"Xavier\"]\n[Black \"Abel\"]\n[Result \"0-1\"]\n\n1.f3 e5 2.g4 Qh4# 0-1\n\n";

QString writeFile(const QTemporaryDir& dir, const char* name, const std::string& text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    test::writeText(path.toStdString(), text);
    return path;
}

// The three games written to the installation's folder and listed in the board window.
QString listThreeGames(Program& p, const Installation& inst) {
    const QString path = writeFile(inst.dir, "trois.pgn", ThreeGames);
    p.window->lire_fichier_pgn(MainWindow::ReadMode::ListFile, path);
    return path;
}

QStringList column(const BoardWindow& b, int c) {
    QStringList v;
    auto* m = b.gameList()->model();
    for (int r = 0; r < m->rowCount(); ++r) v << m->index(r, c).data().toString();
    return v;
}

QString commentText(const Program& p) {
    return p.window->commentWindow()->findChild<QPlainTextEdit*>()->toPlainText();
}

TEST_F(GamesFile, LoadingAGameOpensTheFirstOnlyAndLeavesTheBoardItsSize) {
    p.menu("menu_nouvelle");
    BoardWindow& b = *p.window->boardWindow();
    QTest::qWait(50);
    const QSize board = b.board()->boardRect().size();
    const QString path = writeFile(inst.dir, "trois.pgn", ThreeGames);
    p.window->chooseGamesFile = [&] { return path; };
    p.menu("menu_charge");
    QTest::qWait(50);
    EXPECT_EQ(column(b, 4), QStringList{"Abc Def"});
    const GameSession& g = p.game().session();
    EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7#");
    EXPECT_EQ(g.GameResult, "1-0");
    EXPECT_EQ(g.NotationCode, NotationCode::Pgn);
    // No box: the tags are in the comment window, and the board as big as before.
    EXPECT_TRUE(p.boxes.isEmpty()) << p.boxes.join('\n').toStdString();
    EXPECT_TRUE(commentText(p).contains(QStringLiteral("[White \"Abc Def\"]")));
    EXPECT_EQ(b.board()->boardRect().size(), board);
    EXPECT_EQ(p.window->currentFile(), path);
}

// Listed again on the same window for each filter: the list shows only the last listing's games.
TEST_F(GamesFile, TheSettingsFilterListsWhatItAsks) {
    const struct {
        std::string white;
        bool either;
        int maximum;
        QStringList whitesListed;
        int views;
    } cases[] = {
        {"", false, 1000, {"Abc Def", "Zed", "Xavier"}, 3},
        {"", false, 2, {"Abc Def", "Zed"}, 2},
        {"ab", false, 1000, {"Abc Def"}, 3},
        {"ab", true, 1000, {"Abc Def", "Xavier"}, 3},
        {"bc", false, 1000, {}, 3}, // not in the middle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.white + (c.either ? " either" : "") + " " + std::to_string(c.maximum));
        p.settings.CRITERE_BLANC = c.white;
        p.settings.CRITERE_LESDEUX = c.either ? 1 : 0;
        p.settings.MAX_SEUIL_PARTIE = c.maximum;
        listThreeGames(p, inst);
        const BoardWindow& b = *p.window->boardWindow();
        EXPECT_EQ(column(b, 4), c.whitesListed);
        // Listed, then seen, in the status bar; "0 partie retenue", "2 parties retenues".
        const QString words = QString::fromStdString(
            p.catalogue.text(c.whitesListed.size() <= 1 ? TextKey::GamesSelectedOutOfOne
                                                        : TextKey::GamesSelectedOutOf));
        EXPECT_EQ(b.statusPanel(1)->text(),
                  QString::number(c.whitesListed.size()) + words + QString::number(c.views));
        EXPECT_EQ(p.window->menus().action(QStringLiteral("menu_edt_pc"))->isEnabled(),
                  !c.whitesListed.isEmpty());
    }
}

TEST_F(GamesFile, ChoosingAListedGameOpensItWithItsComments) {
    const QString path = listThreeGames(p, inst);
    BoardWindow& b = *p.window->boardWindow();
    // Sorted by round, the second game ("2") comes first, the "10" last.
    b.gameList()->sortByColumn(3, Qt::AscendingOrder);
    EXPECT_EQ(column(b, 3), (QStringList{"2", "3", "10"}));
    EXPECT_EQ(column(b, 1), (QStringList{"LYON", "NICE", "PARIS"}));
    QTreeView* list = b.gameList();
    const QModelIndex first = list->model()->index(0, 0);
    list->setCurrentIndex(first);
    emit list->activated(first);
    const GameSession& g = p.game().session();
    EXPECT_EQ(g.GameMoveText, "1.d4 d5 2.c4 e6");
    EXPECT_EQ(g.GameResult, "1/2-1/2");
    ASSERT_GE(g.notes.size(), 4u);
    EXPECT_EQ(g.notes[1], "solid");
    EXPECT_EQ(g.notes[3], "the gambit");
    EXPECT_NE(p.window->commentWindow()->findChild<QPlainTextEdit*>()->toPlainText().indexOf(
                  QStringLiteral("{the gambit}")),
              -1);
    EXPECT_EQ(b.moveList()->count(), 4);
}

TEST_F(GamesFile, TheLoadingDialogListsTheFileItNames) {
    const QString path = writeFile(inst.dir, "trois.pgn", ThreeGames);
    QTimer::singleShot(50, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        child<QLineEdit>(*d, "Text1")->setText(path);
        child<QCheckBox>(*d, "Check1")->setChecked(true);
        child<QLineEdit>(*d, "Text3")->setText(QStringLiteral("y"));
        child<QPushButton>(*d, "Command2")->click();
    });
    p.menu("menu_charge_fichier");
    // Black starting with "y": Yann's game, not Xyz's; the criterion stays for this session.
    EXPECT_EQ(column(*p.window->boardWindow(), 4), QStringList{"Zed"});
    EXPECT_EQ(p.window->currentFile(), path);
    EXPECT_EQ(p.settings.CRITERE_NOIR, "y");
    EXPECT_EQ(inst.settings().find("CRITERE_NOIR=y"), std::string::npos);
}

TEST_F(GamesFile, ExtractingWritesTheGamesTheFilterKeeps) {
    const QString path = writeFile(inst.dir, "trois.pgn", ThreeGames);
    const QString target = inst.dir.filePath(QStringLiteral("open.pgn"));
    QTimer::singleShot(50, [&] {
        auto* d = qobject_cast<LoadGamesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->setSaveChooser(
            [&](QWidget*, const QString&, const QString&, const QString&) { return target; });
        child<QLineEdit>(*d, "Text1")->setText(path);
        child<QCheckBox>(*d, "Check1")->setChecked(true);
        child<QLineEdit>(*d, "Text10")->setText(QStringLiteral("open"));
        child<QRadioButton>(*d, "Option1_1")->setChecked(true); // PGN
        child<QPushButton>(*d, "Command4")->click();
        d->reject();
    });
    p.menu("menu_sauve_fichier");
    const std::string written = test::readText(target.toStdString());
    EXPECT_NE(written.find("[White \"Abc Def\"]"), std::string::npos);
    EXPECT_NE(written.find("{the gambit}"), std::string::npos); // copied as written
    EXPECT_EQ(written.find("Xavier"), std::string::npos);
    // The counts were told: two written of three read.
    ASSERT_FALSE(p.boxes.isEmpty());
    EXPECT_TRUE(p.boxes.back().startsWith(
        QString::fromStdString(p.catalogue.text(TextKey::ConversionFinished)) +
        QStringLiteral("2")))
        << p.boxes.back().toStdString();
}

TEST_F(GamesFile, MissingFilesAreReportedAndChangeNothing) {
    const QString path = listThreeGames(p, inst);
    const int before = static_cast<int>(p.boxes.size());
    QFile::remove(path);
    p.window->lire_fichier_pgn(MainWindow::ReadMode::ReadSelection, path, 0);
    p.window->lire_fichier_pgn(MainWindow::ReadMode::ListFile, path);
    ASSERT_EQ(p.boxes.size(), before + 2);
    EXPECT_TRUE(p.boxes[before].startsWith(
        QString::fromStdString(p.catalogue.text(TextKey::GamesFileMissing))));
    EXPECT_TRUE(p.boxes[before + 1].startsWith(
        QString::fromStdString(p.catalogue.text(TextKey::FileNotFound))));
    EXPECT_EQ(column(*p.window->boardWindow(), 4).size(), 3);
}

TEST(CommandLine, AGamesFileIsListedAndRemembered) {
    Installation inst(false, 0);
    Program p(inst);
    const QString path = writeFile(inst.dir, "trois.pgn", ThreeGames);
    p.window->start(path);
    EXPECT_EQ(column(*p.window->boardWindow(), 4).size(), 3);
    EXPECT_EQ(p.window->currentFile(), path);
    // A game with a move that cannot be played: the user is asked, and the moves before it
    // stay on the board.
    const QString broken =
        writeFile(inst.dir, "casse.pgn",
                  "[Event \"x\"]\n\n1.e4 e5 2.Qxh7 Nc6 *\n\n[Event \"y\"]\n\n1.d4 *\n");
    const qsizetype before = p.boxes.size();
    p.window->lire_fichier_pgn(MainWindow::ReadMode::OpenFirst, broken);
    ASSERT_EQ(p.boxes.size(), before + 1);
    EXPECT_TRUE(p.boxes.back().contains(
        QString::fromStdString(p.catalogue.text(TextKey::MoveSeemsImpossible))));
    EXPECT_EQ(p.window->boardWindow()->moveList()->count(), 2);
    // What the reading found is one line, with the file and the byte to look at.
    const QString place = QString::fromStdString(p.catalogue.text(TextKey::ByteInFile))
                              .arg(QStringLiteral("casse.pgn"))
                              .arg(0);
    EXPECT_EQ(commentText(p).count(QStringLiteral("Qxh7 (") + place + QLatin1Char(')')), 1)
        << commentText(p).toStdString();
}

TEST_F(GamesFile, AGameFromTheWebWindowStartsFromItsPositionAndClearsTheList) {
    listThreeGames(p, inst);
    const QString xml = writeFile(inst.dir, "finale.xml",
                                  "<LIST><GAME><SetUp>1</SetUp><FEN>4k3/8/8/8/8/8/4P3/4K3 w - - 0 "
                                  "30</FEN><Move>30.e4 Kd7 31.e5 *</Move></GAME></LIST>");
    QTimer::singleShot(50, [&] {
        auto* w = qobject_cast<XmlGameWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        w->findChild<QLineEdit*>(QStringLiteral("Text1"))
            ->setText(QUrl::fromLocalFile(xml).toString());
        w->loadGame();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !p.game().session().FenDepart.empty(); }, 10000));
        w->reject();
    });
    p.menu("menu_charge_xml");
    EXPECT_EQ(p.game().session().GameMoveText, "30.e4 Kd7 31.e5");
    EXPECT_TRUE(column(*p.window->boardWindow(), 4).isEmpty());
    EXPECT_EQ(p.window->currentFile(), QString());
}

QMdiSubWindow* subWindowOf(QWidget* w) {
    while (w && !qobject_cast<QMdiSubWindow*>(w)) w = w->parentWidget();
    return qobject_cast<QMdiSubWindow*>(w);
}

TEST_F(Windows, ClosedWindowsComeBackWhole) {
    QWidget* board = p.window->boardWindow();
    QWidget* comment = p.window->commentWindow();
    const struct {
        const char* name;
        QWidget* inner;
        const char* reopen;
        bool closedFromTheMenu;
    } cases[] = {{"board by its X", board, "menu_nouvelle", false},
                 {"comment by its X", comment, "affiche_commentaire", false},
                 {"comment from the menu", comment, "affiche_commentaire", true}};
    p.menu("menu_nouvelle");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QMdiSubWindow* sub = subWindowOf(c.inner);
        c.closedFromTheMenu ? p.menu(c.reopen) : void(sub->close());
        EXPECT_FALSE(sub->isVisible());
        p.menu(c.reopen);
        EXPECT_TRUE(sub->isVisible());
        EXPECT_TRUE(c.inner->isVisible());
    }
}

// Squeezed by a small screen or a tiling, the board window scrolls: its parts keep their room,
// it keeps the larger share, and its figures are never cut.
TEST(BoardRoom, PartsKeepTheirRoom) {
    const struct {
        const char* name;
        QSize window;
        int tiling; // the Window menu's `wa` item, -1 for none
    } cases[] = {{"640x480", {640, 480}, -1},
                 {"rows", {1180, 800}, 1},
                 {"columns", {1180, 800}, 2},
                 {"tile", {1180, 800}, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst(false, 0);
        Program p(inst);
        p.window->resize(1180, 800);
        p.window->start();
        p.menu("menu_nouvelle");
        p.window->resize(c.window); // shrunk with its windows open
        QCoreApplication::processEvents();
        BoardWindow* b = p.window->boardWindow();
        b->counters({12, {}, 321062, 4870213}, 1.25f);
        if (c.tiling >= 0) p.menu("wa", c.tiling);
        QCoreApplication::processEvents();
        QMdiSubWindow* sub = p.window->boardSubWindow();
        const QRect area = p.window->mdiArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(sub->geometry())) << sub->geometry().width();
        const auto surface = [](QWidget* w) { return w->width() * w->height(); };
        for (QMdiSubWindow* other : p.window->mdiArea()->subWindowList()) {
            if (other != sub && other->isVisible()) {
                EXPECT_GT(surface(sub), surface(other));
            }
        }
        ASSERT_NE(qobject_cast<QScrollArea*>(sub->widget()), nullptr);
        EXPECT_GE(b->height(), b->minimumSizeHint().height());
        EXPECT_GE(b->topClock()->height(), b->topClock()->sizeHint().height());
        EXPECT_GE(b->moveList()->height(), 4 * b->moveList()->fontMetrics().height());
        const std::pair<QLabel*, QString> figures[] = {
            {b->findChild<QLabel*>(QStringLiteral("profondeur")), QStringLiteral("12")},
            {b->statusPanel(2), QStringLiteral("321062")},
            {b->statusPanel(3), QStringLiteral("4870213")},
            {b->statusPanel(4), QString::fromStdString(scoreText(1.25f))}};
        for (const auto& [label, figure] : figures) {
            EXPECT_TRUE(label->text().endsWith(figure)) << label->text().toStdString();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width())
                << label->text().toStdString();
        }
        takeScreenshot(*p.window, QStringLiteral("13-") + QLatin1String(c.name));
    }
}

TEST_F(Windows, ChangingTheLanguageRelabelsEverything) {
    listThreeGames(p, inst);
    BoardWindow* b = p.window->boardWindow();
    b->counters({12, {}, 321062, 4870213}, 1.25f);
    p.closer.stop();
    const struct {
        int language;
        const char* yes; // Qt's own button
    } cases[] = {{2, "&Yes"}, {5, "&Ja"}, {1, "&Oui"}};
    for (const auto& c : cases) {
        p.menu("choix_langue", c.language);
        SCOPED_TRACE(p.catalogue.BaseTexte());
        const std::pair<QLabel*, TextKey> labels[] = {
            {b->statusPanel(1), TextKey::GamesSelectedOutOf},
            {b->statusPanel(2), TextKey::MovesExamined},
            {b->statusPanel(3), TextKey::PositionsEvaluated},
            {b->statusPanel(4), TextKey::BestScore},
            {b->findChild<QLabel*>(QStringLiteral("profondeur")), TextKey::Depth}};
        for (const auto& [label, key] : labels)
            EXPECT_TRUE(label->text().contains(QString::fromStdString(p.catalogue.text(key))))
                << label->text().toStdString();
        QString yes;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            yes = box->button(QMessageBox::Yes)->text();
            box->button(QMessageBox::No)->click();
        });
        MessageBoxDialogs(p.window.get()).question("quarvelin", "?");
        EXPECT_EQ(yes, QString::fromLatin1(c.yes));
    }
    takeScreenshot(*p.window, QStringLiteral("14-language"));
}

// What the next modal window does: each dialog met is handled, the first one by `answer`.
void whenOpened(const std::function<void(QWidget*)>& answer) {
    QTimer::singleShot(50, [answer] { answer(QApplication::activeModalWidget()); });
}

TEST(WindowPlacement, WholeCentredThenWhereTheUserLeftThem) {
    Installation inst(false, 0);
    Program p(inst);
    p.window->setGeometry(60, 40, 640, 480);
    p.window->start();
    const QRect screen = p.window->screen()->availableGeometry();
    const QPoint moved(17, 9);
    // The engine profiles are loaded between games; saving needs one.
    for (const char* name :
         {"menu_moteur", "menu_pref", "menu_charge_fichier", "menu_charge_xml", "menu_sauve"}) {
        SCOPED_TRACE(name);
        if (std::string_view(name) == "menu_sauve") p.menu("menu_nouvelle");
        QRect first, again;
        whenOpened([&](QWidget* w) {
            first = w->geometry();
            w->move(w->pos() + moved);
            static_cast<QDialog*>(w)->reject();
        });
        p.menu(name);
        whenOpened([&](QWidget* w) {
            again = w->geometry();
            static_cast<QDialog*>(w)->reject();
        });
        p.menu(name);
        EXPECT_TRUE(screen.contains(first)) << first.width() << "x" << first.height();
        if (first.width() < screen.width() - 40 && first.height() < screen.height() - 40) {
            EXPECT_LE((first.center() - p.window->geometry().center()).manhattanLength(), 2);
        }
        EXPECT_EQ(again.topLeft(), first.topLeft() + moved);
    }
    // The help window, within the main window's area.
    const QRect area = p.window->mdiArea()->viewport()->rect();
    p.menu("menu_sommaire");
    QMdiSubWindow* help = p.window->mdiArea()->subWindowList().last();
    EXPECT_TRUE(area.contains(help->geometry()));
    EXPECT_LE((help->geometry().center() - area.center()).manhattanLength(), 2);
    help->move(help->pos() + moved);
    const QRect left = help->geometry();
    help->close();
    p.menu("menu_sommaire");
    EXPECT_EQ(p.window->mdiArea()->subWindowList().last()->geometry(), left);
}

// Where the file dialog a window opens starts; it picks `pick`, or is cancelled.
QString dialogFolder(Program& p, const char* menu, const char* button, const QString& pick = {}) {
    QString folder;
    bool pressed = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* chooser = qobject_cast<QFileDialog*>(w)) {
            folder = chooser->directory().absolutePath();
            if (pick.isEmpty()) return chooser->reject();
            // Typed whole: selectFile leaves a focused name field as it is.
            child<QLineEdit>(*chooser, "fileNameEdit")->setText(pick);
            static_cast<QDialog*>(chooser)->accept(); // QFileDialog's own is protected
        } else if (button && qobject_cast<QDialog*>(w) && !qobject_cast<QMessageBox*>(w)) {
            // The window of `button`, left once pressed; a progress window goes its way.
            if (pressed) return static_cast<QDialog*>(w)->reject();
            pressed = true;
            QTimer::singleShot(0, w->findChild<QPushButton*>(QLatin1String(button)),
                               &QPushButton::click);
        }
    });
    driver.start(20);
    p.menu(menu);
    return folder;
}

TEST_F(Windows, FileDialogsOpenWhereTheUserLastWent) {
    QDir root(inst.dir.path());
    for (const char* folder : {"gone", "games", "saved"}) root.mkpath(QLatin1String(folder));
    writeFile(inst.dir, "gone/trois.pgn", ThreeGames);
    const QString games = writeFile(inst.dir, "games/trois.pgn", ThreeGames);
    dialogFolder(p, "menu_charge", nullptr, root.filePath(QStringLiteral("gone/trois.pgn")));
    QDir(root.filePath(QStringLiteral("gone"))).removeRecursively();
    EXPECT_EQ(dialogFolder(p, "menu_charge", nullptr, games), QDir::homePath());
    const std::pair<const char*, const char*> windows[] = {
        {"menu_charge", nullptr},           {"menu_charge_fichier", "Command3"},
        {"menu_sauve_fichier", "Command4"}, {"menu_sauve", "Command1"},
        {"menu_charge_xml", "Command3"},    {"menu_pref", "parcourir_BASE_ECO"},
        {"menu_pref", "enregistrer_sous"}};
    for (const auto& [menu, button] : windows)
        EXPECT_EQ(dialogFolder(p, menu, button), root.filePath(QStringLiteral("games")))
            << menu << " " << (button ? button : "");
    p.window->boardSubWindow()->close(); // the engine profiles are loaded between games
    EXPECT_EQ(dialogFolder(p, "menu_moteur", "parcourir1"), root.filePath(QStringLiteral("games")));
    dialogFolder(p, "menu_sauve", "Command1", root.filePath(QStringLiteral("saved/partie.pgn")));
    EXPECT_EQ(dialogFolder(p, "menu_charge", nullptr), root.filePath(QStringLiteral("saved")));
}

TEST(PieceSets, ThoseOfTheDataFolderAreOfferedAndDrawn) {
    Installation inst(false, 0);
    QTemporaryDir data;
    ASSERT_TRUE(QFile::copy(QString::fromStdString(settingsFile(inst.locations)),
                            data.filePath(QStringLiteral("quarvelin.ini"))));
    inst.locations.data = data.path().toStdString();
    const QString set = data.filePath(QStringLiteral("images/pieces/Rouge"));
    QDir().mkpath(set);
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (int code = 2; code <= 13; ++code) red.save(set + QStringLiteral("/%1.png").arg(code));
    Program p(inst);
    p.settings.CURENT_PIECE = "Rouge";
    p.window->start();
    QStringList offered;
    whenOpened([&](QWidget* w) {
        auto* sets = w->findChild<QComboBox*>(QStringLiteral("CURENT_PIECE"));
        for (int i = 0; i < sets->count(); ++i) offered << sets->itemText(i);
        static_cast<QDialog*>(w)->reject();
    });
    p.menu("menu_pref");
    EXPECT_TRUE(offered.contains(QStringLiteral("Rouge"))) << offered.join(u',').toStdString();
    p.menu("menu_nouvelle");
    EXPECT_EQ(p.window->boardWindow()
                  ->board()
                  ->pieceImage(PieceCode::WhiteKing, 32)
                  .toImage()
                  .pixelColor(16, 16),
              QColor(Qt::red));
}

TEST_F(Windows, PreferencesKeepWhatTheMenusChanged) {
    p.menu("menu_niv", 2);
    p.menu("couleur_noire");
    p.menu("notation_pgn");
    int level = -1, side = -1;
    whenOpened([&](QWidget* w) {
        level = child<QComboBox>(*w, "PROFONDEUR_MAX")->currentIndex();
        side = child<QComboBox>(*w, "DEB_BLANC")->currentIndex();
        child<QLineEdit>(*w, "NOM_JOUEUR")->setText(QStringLiteral("Alice"));
        child<QPushButton>(*w, "ok")->click();
    });
    p.menu("menu_pref");
    EXPECT_EQ(level, 2);
    EXPECT_EQ(side, 1);
    EXPECT_EQ(p.settings.NOM_JOUEUR[1], "Alice");
    EXPECT_EQ(p.settings.PROFONDEUR_MAX[1], 2);
    EXPECT_EQ(p.settings.DEB_BLANC, 0);
    EXPECT_EQ(p.game().session().NotationCode, NotationCode::Pgn); // not French's own
    for (auto [name, index] :
         {std::pair{"menu_niv", 2}, {"couleur_noire", -1}, {"notation_pgn", -1}})
        EXPECT_TRUE(p.window->menus().action(QLatin1String(name), index)->isChecked()) << name;
}

} // namespace
