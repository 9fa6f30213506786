// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window `Menu`: the menu bar, and the board, comment and help windows in an MDI area.
// It routes each command to the logic that carries it and keeps the menus in step with the
// game; the game lives in GameController, the games files in GamesFileController.
#include "config/Settings.h"
#include "config/Startup.h"
#include "localisation/Catalogue.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"
#include "records/BaseReports.h"
#include "records/GamesFileController.h"
#include "session/GameSession.h"
#include "ui/TipsWindow.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

class BoardWindow;
class CapturedPiecesWindow;
class CommentWindow;
class CorrespondenceWindow;
class DataGridWindow;
class KeyringPasswords;
struct CorrespondenceLinks;
class LanguageWindow;
class MessageBoxDialogs;
class ProgressTaskRunner;
class QMdiArea;
class QMdiSubWindow;
class QtSoundPlayer;
class QtTranslations;
class RecentFilesMenu;
class SearchTask;
class TournamentWindow;
class WindowPlacement;

namespace quarvelin {
class MailService;
struct CorrespondenceGame;
namespace net {
class NetworkGame;
}
class MenuBuilder;
class OpeningBaseCommands;
class TipsOption;
class RecentFiles;
class GameController;
} // namespace quarvelin

struct BoardAnalysis;

class MainWindow : public QMainWindow, private quarvelin::GamesFileView {
    Q_OBJECT

public:
    MainWindow(quarvelin::Settings& settings, quarvelin::Catalogue& catalogue,
               quarvelin::Locations locations, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The end of start-up: the language window at the first start, else a new game when the
    // settings ask for one; then a games file named on the command line.
    void start(const QString& commandLineFile = {});

    quarvelin::GameController& game() { return *game_; }
    quarvelin::MenuBuilder& menus() { return *menus_; }
    QMdiArea* mdiArea() const { return mdiArea_; }
    BoardWindow* boardWindow() const { return board_; }
    QMdiSubWindow* boardSubWindow() const { return boardSub_; }
    CommentWindow* commentWindow() const { return comment_; }
    LanguageWindow* languageWindow() const { return language_; }
    TipsWindow* tipsWindow() const { return tips_; }
    CapturedPiecesWindow* capturedPiecesWindow() const { return captured_; }
    QMdiSubWindow* capturedPiecesSubWindow() const { return capturedSub_; }
    // Whether the tips open at start-up: the user's store unless a test gives its own.
    quarvelin::TipsOption& tipsOption() { return *tipsOption_; }
    void setTipsOption(std::unique_ptr<quarvelin::TipsOption> option);
    quarvelin::Catalogue& catalogue() { return catalogue_; }
    quarvelin::Settings& settings() { return settings_; }

    using ReadMode = quarvelin::GamesFileController::ReadMode;
    void lire_fichier_pgn(ReadMode mode, const QString& path, std::uint64_t position = 0);
    QString currentFile() const;
    // The file dialog of "Load a game"; tests put their own answer here.
    std::function<QString()> chooseGamesFile;
    // The correspondence window, opened with its list filled.
    CorrespondenceWindow* correspondenceWindow();
    // The quick entry grid on the opening base (ECO) or the correspondence base (PARTIE), when
    // it is open.
    DataGridWindow* dataGrid(bool correspondence) const;
    // The mail service of the preferences; tests put their own here.
    std::function<std::unique_ptr<quarvelin::MailService>()> mailService;
    // The file chooser of the opening-base commands (title, filter, save); tests answer here.
    std::function<QString(const QString&, const QString&, bool)> chooseBaseFile;

    void titre_principal();
    void appliquer_textes();
    void appliquer_langue(int languageKey);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // GamesFileView
    void showGameList(std::shared_ptr<const quarvelin::PgnIndex> games,
                      const std::string& status) override;
    void openGame(const quarvelin::ParsedGame& game) override { loadGame(game); }
    void recentFilesChanged() override;

    void wireCommands();
    void wireWindows();
    void menuStates();
    void syncMenus();

    // Commands
    void openPreferences();
    void openRecentFile(const QString& caption);
    void newGame();
    // A game with moves not saved since its last move is only dropped once the user says so:
    // saved first, discarded, or kept (false).
    bool mayDropGame();
    void openEditor();
    void copyPosition(int entry);
    void openSaveWindow();
    void chooseAndOpenFirst();
    void openLoadGamesWindow();
    void openExtractWindow();
    void openXmlGameWindow();
    void printGameList();
    void showLog();
    void showText(const std::string& text);
    void setMode(quarvelin::GameMode mode);
    void setLevel(int depth);
    void setNotation(quarvelin::NotationCode notation);
    void toggleSetting(const char* name, std::uint8_t& flag);
    void toggleCoordinates();
    void showCommentary(bool shown);
    void saveOptions();
    void listWindows();
    void openHelp(bool search);
    void showAbout();
    // The knowledge-base menu: learning (0 up to the selected move, 1 the whole game, 2 a PGN
    // file), CSV transfer (1 import, 2 export).
    void learn(int entry);
    void transfer(int entry);
    // The statistics window of the game on the board, with the analysis curves while the board
    // still holds the analysed moves (MainWindowAnalysis.cpp).
    void openStatistics();
    // MainWindowAnalysis.cpp: the game on the board analysed on the worker thread, its marks in
    // the move list and its curves in the statistics window.
    void analyseGame();
    // The last analysis, kept to draw its curves while the board holds the same moves.
    std::shared_ptr<const BoardAnalysis> analysis_;
    QString baseFile(quarvelin::TextKey title, const QString& kind, bool save,
                     const QString& proposed = {});
    void openTips();
    void showCapturedPieces();
    void openReleaseWindow();
    // Options > Tournament: round robins of personalities (MainWindowTournament.cpp).
    void openTournament();
    // The two bases browsed in a grid and printed as lists (MainWindowBases.cpp).
    void openDataGrid(bool correspondence);
    void printBaseReport(quarvelin::BaseReport report);
    // Compact and repair replace the file under the grid: it is closed first, asking about a
    // changed row; false when the user keeps it open.
    bool closeOpeningsGrid();

    void boardClosed();
    // Correspondence play: a stored game on the board, the position e-mailed.
    CorrespondenceLinks correspondenceLinks();
    void openCorrespondenceGame(const quarvelin::CorrespondenceGame& g);
    void sendPosition();
    std::unique_ptr<quarvelin::MailService> makeMailService();
    // Network play: the connection window, then listening or connecting.
    void openConnexion();
    // A game that arrives as text (a games file, a web address) replaces the one on the board.
    void loadGame(const quarvelin::ParsedGame& parsed);
    QString text(quarvelin::TextKey key) const;

    quarvelin::Settings& settings_;
    quarvelin::Catalogue& catalogue_;
    quarvelin::Locations locations_;
    quarvelin::OpeningBase base_;
    quarvelin::OpeningNames names_;
    std::unique_ptr<MessageBoxDialogs> dialogs_;
    std::unique_ptr<QtSoundPlayer> sounds_;
    std::unique_ptr<SearchTask> engine_;
    std::unique_ptr<quarvelin::RecentFiles> recent_;
    std::unique_ptr<ProgressTaskRunner> runner_;
    std::unique_ptr<QtTranslations> qtTexts_;
    WindowPlacement* placement_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    BoardWindow* board_ = nullptr;
    QMdiSubWindow* boardSub_ = nullptr;
    CommentWindow* comment_ = nullptr;
    QMdiSubWindow* commentSub_ = nullptr;
    LanguageWindow* language_ = nullptr;
    QPointer<TipsWindow> tips_; // deleted when closed
    CapturedPiecesWindow* captured_ = nullptr;
    QMdiSubWindow* capturedSub_ = nullptr;
    TournamentWindow* tournament_ = nullptr;
    std::unique_ptr<quarvelin::TipsOption> tipsOption_;
    RecentFilesMenu* recentMenu_ = nullptr;
    std::unique_ptr<quarvelin::MenuBuilder> menus_;
    std::unique_ptr<quarvelin::GameController> game_;
    std::unique_ptr<quarvelin::GamesFileController> gamesFile_;
    std::unique_ptr<KeyringPasswords> passwords_;
    CorrespondenceWindow* corres_ = nullptr;
    std::unique_ptr<quarvelin::net::NetworkGame> network_;
    std::unique_ptr<quarvelin::OpeningBaseCommands> baseCommands_;
    QPointer<DataGridWindow> openingsGrid_;
    QPointer<DataGridWindow> correspondenceGrid_;
};
