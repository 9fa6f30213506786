// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/GameController.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/GameListModel.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/RecentFilesMenu.h"

#include "config/RecentFiles.h"
#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "config/Version.h"
#include "correspondence/CorrespondenceRules.h"
#include "notation/Fen.h"
#include "notation/ParsedGame.h"
#include "records/PgnConversion.h"
#include "ui/LastFolder.h"
#include "ui/LoadGamesDialog.h"
#include "ui/PrintCommands.h"
#include "ui/ProgressTaskRunner.h"
#include "ui/SaveWindow.h"
#include "ui/XmlGameWindow.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

using quarvelin::TextKey;

void MainWindow::openRecentFile(const QString& caption) {
    auto path = quarvelin::RecentFiles::choose(caption.toStdString(), *dialogs_, catalogue_);
    if (path) lire_fichier_pgn(ReadMode::ListFile, QString::fromStdString(*path));
}

void MainWindow::openSaveWindow() {
    SaveWindow w(game_->session(), settings_, game_->position().PlayerColour, catalogue_, *dialogs_,
                 recent_.get(), base_.isOpen() ? &base_ : nullptr, this);
    connect(&w, &SaveWindow::gameSaved, this, [this] {
        game_->markSaved();
        recentFilesChanged();
    });
    w.exec();
}

void MainWindow::openLoadGamesWindow() {
    LoadGamesDialog d(LoadGamesDialog::Mode::Load, settings_, catalogue_,
                      QString::fromStdString(quarvelin::settingsFile(locations_)), currentFile(),
                      dialogs_.get(), this);
    QString chosen;
    connect(&d, &LoadGamesDialog::loadRequested, this,
            [&chosen](const QString& path) { chosen = path; });
    d.exec();
    // Listed once the dialog is gone, under the progress window.
    if (!chosen.isEmpty()) lire_fichier_pgn(ReadMode::ListFile, chosen);
}

void MainWindow::openExtractWindow() {
    LoadGamesDialog d(LoadGamesDialog::Mode::Extract, settings_, catalogue_,
                      QString::fromStdString(quarvelin::settingsFile(locations_)), currentFile(),
                      dialogs_.get(), this);
    // The progress shows over the dialog, which stays open for another extraction.
    ProgressTaskRunner overDialog(&d, catalogue_);
    connect(&d, &LoadGamesDialog::extractRequested, this,
            [this, &overDialog](const QString& source, const QString& target, bool xml,
                                bool onePerFile, bool addresses) {
                gamesFile_->convert(
                    QFile::encodeName(source).toStdString(),
                    QFile::encodeName(target).toStdString(),
                    {xml ? quarvelin::ConversionFormat::Xml : quarvelin::ConversionFormat::Pgn,
                     onePerFile, addresses},
                    &overDialog);
            });
    d.exec();
}

void MainWindow::openXmlGameWindow() {
    XmlGameWindow w(catalogue_, *comment_, dialogs_.get(), this);
    connect(&w, &XmlGameWindow::receivedGame, this,
            [this](const QString& header, const QString& moves, const QString& result,
                   const QString& fen) {
                quarvelin::ParsedGame parsed;
                parsed.GameText = header.toStdString();
                parsed.GameMoveText = moves.toStdString();
                parsed.GameResult = result.toStdString();
                parsed.FenDepart = fen.toStdString();
                if (!mayDropGame()) return;
                // The listed games belong to another file than the game on the board now.
                gamesFile_->forgetFile();
                loadGame(parsed);
            });
    w.exec();
}

void MainWindow::lire_fichier_pgn(ReadMode mode, const QString& path, std::uint64_t position) {
    gamesFile_->lire_fichier_pgn(mode, QFile::encodeName(path).toStdString(), position);
}

QString MainWindow::currentFile() const {
    return QFile::decodeName(gamesFile_->currentFile().c_str());
}

void MainWindow::showGameList(std::shared_ptr<const quarvelin::PgnIndex> games,
                              const std::string& status) {
    boardSub_->show();
    board_->showGames(std::move(games), QString::fromStdString(status));
    menuStates();
}

void MainWindow::recentFilesChanged() { recentMenu_->show(recent_->afficher_fichiers_recents()); }

void MainWindow::chooseAndOpenFirst() {
    const QString current = currentFile();
    const QString start = LastFolder::startIn(
        this, current.isEmpty() ? QString() : QFileInfo(current).absolutePath());
    const QString path = chooseGamesFile
                             ? chooseGamesFile()
                             : QFileDialog::getOpenFileName(
                                   this, text(TextKey::ChooseFile), start,
                                   text(TextKey::Files) + QStringLiteral(" PGN (*.pgn *.PGN)"));
    if (path.isEmpty()) return;
    LastFolder::remember(this, path);
    lire_fichier_pgn(ReadMode::OpenFirst, path);
}

void MainWindow::printGameList() {
    // The list as the user sees it: sorted, at the column widths set; dated in the user's way.
    const QString date = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    PrintCommands::imprimer_liste(this, *board_->gameList(), QFileInfo(currentFile()).fileName(),
                                  date, QStringLiteral("Arial"), 10, catalogue_, *dialogs_);
}

void MainWindow::loadGame(const quarvelin::ParsedGame& parsed) {
    // During a network game the controller refuses it, with its message, before anything goes.
    if (game_->networkLocked()) {
        game_->loadGame(parsed);
        return;
    }
    if (!mayDropGame()) return;
    // A loaded game is read in PGN letters and shown move by move, ready to step through.
    game_->closeBoard();
    boardSub_->show();
    if (game_->loadGame(parsed)) board_->result(game_->session().GameResult);
    syncMenus();
    menuStates();
}

void MainWindow::showLog() {
    const QString log = QString::fromStdString(settings_.FILE_LOG);
    if (!QFileInfo::exists(log))
        dialogs_->message(quarvelin::ProgramName, catalogue_.text(TextKey::LogFileMissing),
                          quarvelin::DialogIcon::Information);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(log));
}
