// SPDX-License-Identifier: GPL-3.0-or-later
// The board window with a real game behind it: squares clicked and dragged with the mouse, the
// machine thinking on its worker thread while the window stays live.
#include "session/SessionDoubles.h"
#include "ui/ModalAnswer.h"

#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/SearchTask.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

// A fresh installation's settings in a play mode, the machine at depth 0.
Settings inMode(int mode) {
    Settings s = testSettings(0);
    s.MODE_JEUX = static_cast<std::uint8_t>(mode);
    return s;
}

struct Window {
    Settings settings;
    OffsetCatalogue catalogue;
    ScriptedDialogs dialogs;
    RecordingSounds sounds;
    RecordingCommentary commentary;
    BoardWindow window;
    SearchTask engine;
    std::unique_ptr<GameController> game;

    explicit Window(Settings s) : settings(std::move(s)) {
        Environment env{
            settings, catalogue, dialogs, sounds,           commentary,  *window.board(),    window,
            window,   engine,    nullptr, "/opt/quarvelin", "quarvelin", [] { return 0.9; }, 2};
        game = std::make_unique<GameController>(env);
        window.attach(game.get(), &catalogue);
        window.resize(900, 640);
        window.show();
    }
    // Lets the worker thread finish and its result arrive.
    void wait() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !game->machineThinking(); }, 20000));
    }
    QPoint centre(int x, int y) const { return window.board()->squareRect(x, y).center(); }
    // Moves by their squares ("e2e4"), White at the bottom.
    void play(std::initializer_list<const char*> moves) {
        for (const char* m : moves)
            for (int k : {0, 2}) {
                const Square c = namedSquare(m[k], m[k + 1], Colour::White);
                click(c.x, c.y);
            }
    }
    void click(int x, int y) {
        QTest::mouseClick(window.board(), Qt::LeftButton, {}, centre(x, y));
    }
};

TEST(BoardWindow, DraggingAPieceMakesTheMove) {
    Window f(inMode(2));
    f.game->newGame();
    Square g1 = namedSquare('g', '1', Colour::White), f3 = namedSquare('f', '3', Colour::White);
    QTest::mousePress(f.window.board(), Qt::LeftButton, {}, f.centre(g1.x, g1.y));
    EXPECT_EQ(f.game->state(), BoardState::PieceLifted);
    EXPECT_EQ(f.window.board()->cursor().shape(), Qt::BitmapCursor); // the piece is the pointer
    // Mouse moves with the button held are not synthesised by QTest; send them by hand.
    QPoint a = f.centre(g1.x, g1.y), b = f.centre(f3.x, f3.y);
    for (int i = 1; i <= 4; ++i) {
        QPoint p = a + (b - a) * i / 4;
        QMouseEvent move(QEvent::MouseMove, p, f.window.board()->mapToGlobal(p), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.window.board(), &move);
    }
    QTest::mouseRelease(f.window.board(), Qt::LeftButton, {}, b);
    ASSERT_EQ(f.window.moveList()->count(), 1);
    EXPECT_EQ(f.window.moveList()->item(0)->text(), QStringLiteral(" 1.Cg1-f3"));
    EXPECT_EQ(f.window.board()->readSquare(f3.x, f3.y), PieceCode::WhiteKnight);
    EXPECT_NE(f.window.board()->cursor().shape(), Qt::BitmapCursor);
    // A press and release on one square lifts the piece and keeps it lifted for a second click.
    Square e7 = namedSquare('e', '7', Colour::White), e5 = namedSquare('e', '5', Colour::White);
    f.click(e7.x, e7.y);
    EXPECT_EQ(f.game->state(), BoardState::PieceLifted);
    f.click(e5.x, e5.y);
    EXPECT_EQ(f.window.moveList()->count(), 2);
}

TEST(BoardWindow, NavigationButtonsAndClocksFollowTheGame) {
    Window f(inMode(2));
    f.game->newGame();
    EXPECT_TRUE(f.window.timerRunning(Timer::Bottom));
    EXPECT_TRUE(f.window.timerRunning(Timer::Duration));
    EXPECT_EQ(f.window.bottomClock()->text(), QStringLiteral("00:15:00"));
    f.play({"e2e4", "e7e5", "g1f3"});
    EXPECT_TRUE(f.window.timerRunning(Timer::Top));
    QTest::mouseClick(f.window.navigationButton(0), Qt::LeftButton);
    EXPECT_EQ(f.window.board()->readSquare(5, 7), PieceCode::WhitePawn); // e2 again
    EXPECT_EQ(f.window.moveList()->currentRow(), -1);
    QTest::mouseClick(f.window.navigationButton(2), Qt::LeftButton);
    EXPECT_EQ(f.window.moveList()->currentRow(), 0);
    QTest::mouseClick(f.window.navigationButton(3), Qt::LeftButton);
    EXPECT_EQ(f.window.moveList()->currentRow(), 2);
    EXPECT_EQ(f.window.board()->readSquare(6, 6), PieceCode::WhiteKnight);
    // A click on a line shows the position after that move.
    QTest::mouseClick(f.window.moveList()->viewport(), Qt::LeftButton, {},
                      f.window.moveList()->visualItemRect(f.window.moveList()->item(0)).center());
    EXPECT_EQ(f.game->shownEntry(), 1);
    EXPECT_EQ(f.window.board()->readSquare(5, 5), PieceCode::WhitePawn); // e4
    EXPECT_EQ(f.window.board()->readSquare(5, 2), PieceCode::BlackPawn); // e7
}

TEST(BoardWindow, EditorPaletteCommandsAndStart) {
    Window f(inMode(2));
    f.game->newGame();
    f.click(5, 7);
    f.click(5, 5); // e2-e4: White's time ran, Black's runs now
    f.game->enterEditor(false);
    EXPECT_TRUE(f.window.palette()->isVisible());
    EXPECT_FALSE(f.window.timerRunning(Timer::Top)); // nobody's time runs while setting up
    EXPECT_FALSE(f.window.timerRunning(Timer::Bottom));
    QTest::mouseClick(f.window.clearBoardButton(), Qt::LeftButton);
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            ASSERT_EQ(f.window.board()->readSquare(x, y), PieceCode::Empty);
    // A piece chosen stays chosen, and shown so, until another is.
    QTest::mouseClick(f.window.paletteButton(12), Qt::LeftButton);
    EXPECT_TRUE(f.window.paletteButton(12)->isChecked());
    f.click(4, 8);
    f.click(1, 1);
    EXPECT_TRUE(f.window.paletteButton(12)->isChecked());
    QTest::mouseClick(f.window.paletteButton(13), Qt::LeftButton);
    EXPECT_FALSE(f.window.paletteButton(12)->isChecked());
    EXPECT_TRUE(f.window.paletteButton(13)->isChecked());
    f.click(5, 8);
    QTest::mouseClick(f.window.paletteButton(7), Qt::LeftButton);
    f.click(5, 1);
    f.click(1, 1); // a click on a piece with another chosen replaces it
    f.click(1, 1); // and on the same piece removes it
    EXPECT_EQ(f.window.board()->readSquare(1, 1), PieceCode::Empty);
    QTest::mouseClick(f.window.startButton(), Qt::LeftButton);
    EXPECT_FALSE(f.window.palette()->isVisible());
    EXPECT_EQ(f.game->session().FenDepart, "4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    // A fresh game from there: full clocks, White's running, and the duration counting.
    EXPECT_EQ(f.window.bottomClock()->text(), QStringLiteral("00:15:00"));
    EXPECT_TRUE(f.window.timerRunning(Timer::Bottom));
    EXPECT_TRUE(f.window.timerRunning(Timer::Duration));

    f.game->enterEditor(false);
    QTest::mouseClick(f.window.initialPositionButton(), Qt::LeftButton);
    EXPECT_EQ(f.window.board()->readSquare(5, 8), PieceCode::WhiteKing);
    EXPECT_EQ(f.window.board()->readSquare(4, 1), PieceCode::BlackQueen);
}

TEST(BoardWindow, PromotionPickerShowsThePawnAndCancelTakesTheMoveBack) {
    Window f(inMode(2));
    f.game->newGame();
    f.game->pastePosition("8/4P2k/8/8/8/8/8/4K3 w - - 0 1");
    Square e7 = namedSquare('e', '7', Colour::White), e8 = namedSquare('e', '8', Colour::White);
    for (const char* choice : {"cancel", "N"}) {
        SCOPED_TRACE(choice);
        int buttons = 0;
        PieceCode onE7 = PieceCode::Empty;
        whenModalOpens<QWidget>([&](QWidget* w) {
            EXPECT_EQ(w->objectName(), QStringLiteral("promotion"));
            onE7 = f.window.board()->readSquare(e7.x, e7.y);
            buttons = static_cast<int>(w->findChildren<QToolButton*>().size());
            w->findChild<QAbstractButton*>(QStringLiteral("promotion_") + choice)->click();
            return true;
        });
        f.click(e7.x, e7.y);
        f.click(e8.x, e8.y);
        EXPECT_EQ(buttons, 4);
        EXPECT_EQ(onE7, PieceCode::WhitePawn); // the pawn stays in sight while the user chooses
        EXPECT_EQ(f.game->state(), BoardState::Waiting);
    }
    EXPECT_EQ(f.window.board()->readSquare(e7.x, e7.y), PieceCode::Empty);
    EXPECT_EQ(f.window.board()->readSquare(e8.x, e8.y), PieceCode::WhiteKnight);
    EXPECT_EQ(f.window.moveList()->count(), 1);
}

TEST(BoardWindow, MoveListKeysMoveTheBoardAndArrowsStepFromThere) {
    Window f(inMode(2));
    f.game->newGame();
    f.play({"e2e4", "e7e5", "g1f3"});
    QListWidget* list = f.window.moveList();
    list->setFocus();
    struct Step {
        Qt::Key key;
        int entry;
    };
    const Step steps[] = {{Qt::Key_Home, 1}, {Qt::Key_Down, 2}, {Qt::Key_End, 3},
                          {Qt::Key_Up, 2},   {Qt::Key_Up, 1},   {Qt::Key_Return, 1}};
    for (const Step& k : steps) {
        QTest::keyClick(list, k.key);
        EXPECT_EQ(f.game->shownEntry(), k.entry) << k.key;
        EXPECT_EQ(list->currentRow(), k.entry - 1) << k.key;
    }
    EXPECT_EQ(f.window.board()->readSquare(5, 5), PieceCode::WhitePawn); // e4 played, e5 not
    EXPECT_EQ(f.window.board()->readSquare(5, 2), PieceCode::BlackPawn);
    QTest::mouseClick(f.window.navigationButton(2), Qt::LeftButton);
    EXPECT_EQ(f.game->shownEntry(), 2);
    QTest::mouseClick(f.window.navigationButton(1), Qt::LeftButton);
    QTest::mouseClick(f.window.navigationButton(1), Qt::LeftButton);
    EXPECT_EQ(f.game->shownEntry(), 0);
}

TEST(BoardWindow, PlayButtonShowsPlayOrPauseAndPauseStopsBothClocks) {
    Window f(inMode(4));
    f.game->newGame();
    QPushButton* play = f.window.navigationButton(4);
    const QStyle* style = f.window.style();
    auto shows = [&](QStyle::StandardPixmap symbol) {
        return play->icon().pixmap(16).toImage() ==
               style->standardIcon(symbol).pixmap(16).toImage();
    };
    EXPECT_TRUE(play->text().isEmpty());
    EXPECT_TRUE(shows(QStyle::SP_MediaPause));
    EXPECT_EQ(play->toolTip(), QStringLiteral("<919>"));
    f.wait();
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_TRUE(shows(QStyle::SP_MediaPlay));
    EXPECT_FALSE(f.window.timerRunning(Timer::Auto));
    EXPECT_FALSE(f.window.timerRunning(Timer::Bottom));
    EXPECT_FALSE(f.window.timerRunning(Timer::Top));
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_TRUE(shows(QStyle::SP_MediaPause));
    EXPECT_TRUE(f.window.timerRunning(Timer::Bottom) || f.window.timerRunning(Timer::Top));
}

TEST(BoardWindow, ClocksRunOnWhileAQuestionIsOpen) {
    Window f(inMode(2));
    f.game->newGame();
    QMessageBox box(&f.window);
    box.setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(2300, &box, &QDialog::accept);
    box.exec();
    // Two seconds have gone while the box was open, and the clock says so at once.
    const QTime left =
        QTime::fromString(f.window.bottomClock()->text(), QStringLiteral("hh:mm:ss"));
    EXPECT_LE(left.minute() * 60 + left.second(), 15 * 60 - 2);
}

} // namespace
