// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board window `plateau`: the board, the clocks, the move list and the game list, the
// navigation buttons, the thinking display and the position editor's palette. It binds its
// events to the game in play and shows what the game tells it; it holds no game state.
#include "engine/SearchCounters.h"
#include "localisation/TextKey.h"
#include "session/GameView.h"
#include "session/TimerSource.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <utility>

class BoardView;
class FigureLabel;
class GameListModel;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTreeView;
class QTimer;
class QToolButton;

namespace quarvelin {
class PgnIndex;
class GameController;
class TextCatalogue;
} // namespace quarvelin

class BoardWindow : public QWidget, public quarvelin::GameView, public quarvelin::TimerSource {
    Q_OBJECT

public:
    explicit BoardWindow(QWidget* parent = nullptr);
    ~BoardWindow() override;

    // The game this window shows; set once, before the first game opens.
    void attach(quarvelin::GameController* game, const quarvelin::TextCatalogue* catalogue);
    void appliquer_textes();

    BoardView* board() const { return board_; }
    QListWidget* moveList() const { return list1_; }
    QTreeView* gameList() const { return list2_; }
    GameListModel* gameListModel() const { return games_; }
    // The games a scan listed, shown in the game list's tab, with what the scan found in the
    // status bar; null empties the list.
    void showGames(std::shared_ptr<const quarvelin::PgnIndex> index, const QString& status);
    QLabel* bottomClock() const { return clockBottom_; }
    QLabel* topClock() const { return clockTop_; }
    QPushButton* navigationButton(int i) const { return nav_[static_cast<std::size_t>(i)]; }
    QLabel* statusPanel(int i) const { return panels_[static_cast<std::size_t>(i)]; }
    QFrame* palette() const { return palette_; }
    QPushButton* startButton() const { return command4_; }
    QPushButton* clearBoardButton() const { return clearBoard_; }
    QPushButton* initialPositionButton() const { return initialPosition_; }
    QToolButton* paletteButton(int code) const {
        return paletteButtons_[static_cast<std::size_t>(code)];
    }

    // The marks of an analysed game ("??", "?", "?!" or "") beside its moves' short texts, one
    // per half-move: shown after each move line while the game on the board still has those moves.
    void setMoveMarks(std::vector<std::string> shortTexts, std::vector<std::string> marks);

    // GameView
    void listChanged() override;
    void boardTitle(const std::string& title) override;
    void titre_principal() override { emit mainTitleChanged(); }
    void clocksChanged() override;
    void waitCursor(bool waiting) override;
    void pieceLifted(quarvelin::PieceCode piece) override;
    void thinking(const std::string& text, quarvelin::PieceCode piece) override;
    void counters(const quarvelin::SearchCounters& c, float best) override;
    void playButton(bool running, const std::string& tip) override;
    void menuStates() override { emit menuStateChanged(); }
    void result(const std::string& r) override;
    void coordinates(bool visible) override;
    void palette(bool visible) override;
    void paletteChoice(quarvelin::PieceCode piece) override;
    std::optional<quarvelin::PieceType> choosePromotion(quarvelin::Colour mover) override;
    void setOpeningsAvailable(bool yes) override { emit openingsAvailable(yes); }
    void showOpeningList(const quarvelin::OpeningBase* base) override { emit openingList(base); }
    void sendNetwork(const std::string& m) override { emit networkSend(QString::fromStdString(m)); }
    void closeConnection() override { emit networkClose(); }
    void networkConnection() override { emit networkDialog(); }

    // TimerSource
    void set(quarvelin::Timer m, int intervalMs) override;
    bool timerRunning(quarvelin::Timer m) const;

    void setNetworkMode(bool network);
    // A chat line from the opponent: appended, in view, the box focused.
    void appendChat(const QString& line);

signals:
    void mainTitleChanged();
    void menuStateChanged();
    void gameMenuRequested(QPoint globalPos);
    void openingsAvailable(bool available);
    void openingList(const quarvelin::OpeningBase* base);
    void networkSend(const QString& message);
    void networkClose();
    void networkDialog();
    void chatSent(const QString& text);
    // A game of the list chosen by a double click or Enter: its byte position in its file.
    void gameChosen(qulonglong position);
    void gameListPrintRequested();
    // The set-up button: the main window asks about the game on the board first.
    void editorRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each line's text in the list with its analysis mark, and the mark's rank (0 none, 1 ?!,
    // 2 ?, 3 ??).
    std::vector<std::pair<QString, int>> shownLines() const;
    void build();
    void tick(quarvelin::Timer m);
    void updateLastMove();
    QString text(quarvelin::TextKey key) const;

    quarvelin::GameController* game_ = nullptr;
    const quarvelin::TextCatalogue* catalogue_ = nullptr;

    BoardView* board_ = nullptr;
    QLabel* clockTop_ = nullptr;
    QLabel* clockBottom_ = nullptr;
    QLabel* nameTop_ = nullptr;
    QLabel* nameBottom_ = nullptr;
    QLabel* duration_ = nullptr;
    QLabel* durationCaption_ = nullptr;
    QLabel* thinkingIcon_ = nullptr;
    QLabel* thinking_ = nullptr;
    FigureLabel* depth_ = nullptr;
    QLabel* result_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTabWidget* lists_ = nullptr;
    QListWidget* list1_ = nullptr;
    std::vector<std::string> markedTexts_, marks_;
    QTreeView* list2_ = nullptr;
    GameListModel* games_ = nullptr;
    std::array<QPushButton*, 5> nav_{};
    QPushButton* note_ = nullptr;
    QPushButton* coordinates_ = nullptr;
    QPushButton* hint_ = nullptr;
    QPushButton* command2_ = nullptr;
    QFrame* palette_ = nullptr;
    std::array<QToolButton*, 14> paletteButtons_{};
    QPushButton* command4_ = nullptr;
    QPushButton* clearBoard_ = nullptr;
    QPushButton* initialPosition_ = nullptr;
    QLabel* paletteHelp_ = nullptr;
    QFrame* chat_ = nullptr;
    QPlainTextEdit* chatBox_ = nullptr;
    QLineEdit* chatField_ = nullptr;
    QStatusBar* status_ = nullptr;
    std::array<QLabel*, 5> panels_{};
    // The last counters shown, shown again in a new language.
    std::optional<std::pair<quarvelin::SearchCounters, float>> counters_;
    std::array<QTimer*, quarvelin::TimerCount> timers_{};
    // The move list is being refilled: its row changes are not the user's.
    bool listUpdating_ = false;
    bool waitCursor_ = false;
};
