#pragma once
// The main window `Menu`: the menu bar, and the board, comment and help windows in an MDI area.
// It routes each command to the logic that carries it and keeps the menus in step with the
// game; the game itself lives in GameController.
#include "config/Settings.h"
#include "config/Startup.h"
#include "localisation/Catalogue.h"
#include "openings/OpeningBase.h"

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <memory>

class BoardWindow;
class CommentWindow;
class LanguageWindow;
class MessageBoxDialogs;
class QMdiArea;
class QMdiSubWindow;
class QtSoundPlayer;
class RecentFilesMenu;
class SearchTask;

namespace quarvelin {
class MenuBuilder;
class RecentFiles;
class GameController;
struct ConversionOptions;
struct ParsedGame;
} // namespace quarvelin

class MainWindow : public QMainWindow {
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
    quarvelin::Catalogue& catalogue() { return catalogue_; }
    quarvelin::Settings& settings() { return settings_; }

    // Reading a games file: the first game opened, every game passing the filter listed in the
    // board window, or the listed game at `position` opened.
    enum ReadMode { OpenFirst = 0, ListFile = 1, ReadSelection = 99 };
    void lire_fichier_pgn(int mode, const QString& path, std::uint64_t position = 0);
    QString currentFile() const { return currentFile_; }
    // The file dialog of "Load a game"; tests put their own answer here.
    std::function<QString()> chooseGamesFile;

    void titre_principal();
    void appliquer_textes();
    void appliquer_langue(int languageKey);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireCommands();
    void newGame();
    void boardClosed();
    void menuStates();
    void syncMenus();
    void showCommentary(bool shown);
    // A game that arrives as text (a web address, later a file) replaces the one on the board.
    void loadGame(const quarvelin::ParsedGame& parsed);
    void openGameFromFile(const QString& path, std::uint64_t position);
    void chooseAndOpenFirst();
    void printGameList();
    // The games of `source` the filter accepts, copied to `target` under the progress window;
    // the counts or the trouble said at the end.
    void convertFile(const QString& source, const QString& target,
                     const quarvelin::ConversionOptions& options, QWidget* parent);
    void openHelp(bool search);
    void showText(const std::string& text);
    void listWindows();
    void toggle(const char* name, std::uint8_t& flag);
    QString text(quarvelin::TextKey key) const;

    quarvelin::Settings& settings_;
    quarvelin::Catalogue& catalogue_;
    quarvelin::Locations locations_;
    quarvelin::OpeningBase base_;
    std::unique_ptr<MessageBoxDialogs> dialogs_;
    std::unique_ptr<QtSoundPlayer> sounds_;
    std::unique_ptr<SearchTask> engine_;
    std::unique_ptr<quarvelin::RecentFiles> recent_;
    QMdiArea* mdiArea_ = nullptr;
    BoardWindow* board_ = nullptr;
    QMdiSubWindow* boardSub_ = nullptr;
    CommentWindow* comment_ = nullptr;
    QMdiSubWindow* commentSub_ = nullptr;
    LanguageWindow* language_ = nullptr;
    RecentFilesMenu* recentMenu_ = nullptr;
    std::unique_ptr<quarvelin::MenuBuilder> menus_;
    std::unique_ptr<quarvelin::GameController> game_;
    bool closing_ = false;
    QString currentFile_; // the games file the game list comes from
};
