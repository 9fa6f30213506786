// The main window's games files: listing a file's games in the board window, opening one of
// them, and the commands that lead there.
#include "config/RecentFiles.h"
#include "config/Version.h"
#include "records/GameFilter.h"
#include "records/PgnConversion.h"
#include "records/PgnIndex.h"
#include "records/PgnReader.h"
#include "session/CancelToken.h"
#include "session/GameController.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/GameListModel.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/PrintCommands.h"
#include "ui/ProgressWindow.h"
#include "ui/RecentFilesMenu.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTreeView>

#include <fstream>
#include <functional>
#include <optional>

using quarvelin::TextKey;

namespace {

// The progress window of a pass over a games file: modal, told the games kept out of those
// seen and how far the pass is; its button asks the pass to stop.
class ProgressGuard {
public:
    ProgressGuard(QWidget* parent, const quarvelin::Catalogue& catalogue, const QString& title)
        : window_(parent), games_(QString::fromStdString(catalogue.text(TextKey::GamesSuffix))) {
        window_.appliquer_textes(catalogue);
        window_.setTitle(title + QStringLiteral(" ..."));
        window_.setWindowModality(Qt::ApplicationModal);
        window_.show();
        QApplication::processEvents();
    }
    ~ProgressGuard() { window_.close(); }

    void operator()(int percent, std::int64_t kept, std::int64_t views) {
        window_.setText(QStringLiteral("%1/%2").arg(kept).arg(views) + games_);
        window_.afficher_progression(percent);
        QApplication::processEvents();
    }

private:
    ProgressWindow window_;
    QString games_;
};

} // namespace

void MainWindow::lire_fichier_pgn(int mode, const QString& path, std::uint64_t position) {
    using quarvelin::DialogIcon;
    using quarvelin::ProgramName;
    if (!QFileInfo(path).isFile()) {
        if (mode == ReadSelection)
            dialogs_->message(
                ProgramName, catalogue_.text(TextKey::GamesFileMissing) + "\n" + path.toStdString(),
                DialogIcon::Information);
        else
            dialogs_->message(ProgramName,
                              catalogue_.text(TextKey::FileNotFound) + "\n" + path.toStdString(),
                              DialogIcon::Exclamation);
        return;
    }
    if (mode != ReadSelection) {
        boardSub_->show();
        board_->showGames(nullptr, {});
    }
    // The comment window starts again with the file's name, then the game's tags.
    if (comment_->visible()) comment_->clear();
    if (comment_->visible())
        comment_->append(catalogue_.text(TextKey::ChessGame) + " {" + path.toStdString() + "} :\n");
    if (mode == ReadSelection) {
        openGameFromFile(path, position);
        return;
    }

    // Listing: the whole filter, or the first game whatever it is.
    quarvelin::GameFilter filter;
    if (mode == ListFile)
        filter = quarvelin::filterFromSettings(settings_);
    else
        filter.maximum = 1;
    std::optional<ProgressGuard> progress(std::in_place, this, catalogue_,
                                          text(TextKey::ReadingPrefix) + path);
    auto index = quarvelin::PgnIndex::indexFile(QFile::encodeName(path).toStdString(), filter,
                                                std::ref(*progress));
    progress.reset();
    if (!index || index->readError()) {
        dialogs_->message(ProgramName,
                          catalogue_.text(quarvelin::TextKey::FileReadError) + path.toStdString(),
                          DialogIcon::Exclamation);
        if (!index) return;
    }
    currentFile_ = path;
    if (recent_->ajouter_fichier_recent(QFileInfo(path).absoluteFilePath().toStdString()))
        recentMenu_->show(recent_->afficher_fichiers_recents());
    const QLocale locale;
    const QString status = locale.toString(static_cast<qlonglong>(index->size())) +
                           text(TextKey::GamesSelectedOutOf) +
                           locale.toString(static_cast<qlonglong>(index->views()));
    auto list = std::make_shared<const quarvelin::PgnIndex>(std::move(*index));
    board_->showGames(list, status);
    menuStates();
    if (mode == OpenFirst && !list->empty()) openGameFromFile(path, list->position(0));
}

void MainWindow::openGameFromFile(const QString& path, std::uint64_t position) {
    using quarvelin::DialogIcon;
    using quarvelin::ProgramName;
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    quarvelin::ParsedGame parsed = quarvelin::readPgnGame(in, position);
    const std::string problem = quarvelin::readingMessage(parsed, catalogue_);
    if (parsed.error == quarvelin::TextKey::NoGameAtPlace ||
        parsed.error == quarvelin::TextKey::FileReadError) {
        dialogs_->message(ProgramName, problem, DialogIcon::Exclamation);
        return;
    }
    if (comment_->visible()) comment_->append(parsed.GameText);
    // The game as the file has it, then what could not be read of it, if anything.
    std::string preview = parsed.GameText + parsed.GameMoveText + " " + parsed.GameResult;
    if (!problem.empty()) preview += "\n\n" + problem;
    dialogs_->message(ProgramName, preview,
                      problem.empty() ? DialogIcon::Information : DialogIcon::Exclamation);
    loadGame(parsed);
}

void MainWindow::chooseAndOpenFirst() {
    QString start = currentFile_.isEmpty() ? QString::fromStdString(locations_.installation)
                                           : QFileInfo(currentFile_).absolutePath();
    QString path = chooseGamesFile
                       ? chooseGamesFile()
                       : QFileDialog::getOpenFileName(this, text(TextKey::ChooseFile), start,
                                                      text(TextKey::Files) +
                                                          QStringLiteral(" PGN (*.pgn *.PGN)"));
    if (!path.isEmpty()) lire_fichier_pgn(OpenFirst, path);
}

void MainWindow::printGameList() {
    // The list as the user sees it: sorted, at the column widths set; dated in the user's way.
    const QString date = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    PrintCommands::imprimer_liste(this, *board_->gameList(), QFileInfo(currentFile_).fileName(),
                                  date, QStringLiteral("Arial"), 10, catalogue_, *dialogs_);
}

void MainWindow::convertFile(const QString& source, const QString& target,
                             const quarvelin::ConversionOptions& options, QWidget* parent) {
    std::optional<ProgressGuard> progress(std::in_place, parent ? parent : this, catalogue_,
                                          text(TextKey::ConvertingPrefix) + source);
    const quarvelin::ConversionResult r = quarvelin::convertir_fichier_pgn(
        QFile::encodeName(source).toStdString(), QFile::encodeName(target).toStdString(),
        quarvelin::filterFromSettings(settings_), options, std::ref(*progress));
    progress.reset();
    dialogs_->message(quarvelin::ProgramName, quarvelin::conversionMessage(r, catalogue_),
                      r.success() ? quarvelin::DialogIcon::Information
                                  : quarvelin::DialogIcon::Exclamation);
}
