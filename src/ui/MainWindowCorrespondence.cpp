// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/MoveMail.h"
#include "network/NetworkGame.h"
#include "session/GameController.h"
#include "ui/BoardWindow.h"
#include "ui/CorrespondenceDialogs.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxDialogs.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "config/Version.h"
#include "correspondence/CorrespondenceRules.h"
#include "correspondence/DesktopMailService.h"
#include "correspondence/SmtpMailService.h"
#include "notation/Fen.h"
#include "notation/ParsedGame.h"
#include "records/PgnConversion.h"
#include "ui/ConnexionDialog.h"
#include "ui/CorrespondenceWindow.h"
#include "ui/KeyringPasswords.h"

using quarvelin::TextKey;

void MainWindow::openConnexion() {
    ConnexionDialog window(settings_, catalogue_, this);
    if (window.exec() != QDialog::Accepted) return;
    window.store(settings_);
    boardSub_->show();
    network_->start();
    syncMenus();
    menuStates();
}

CorrespondenceLinks MainWindow::correspondenceLinks() {
    return {settings_,
            catalogue_,
            *dialogs_,
            QString::fromStdString(quarvelin::settingsFile(locations_)),
            [this] { return makeMailService(); },
            [this](const quarvelin::CorrespondenceGame& g) { openCorrespondenceGame(g); },
            [this] { return game_->session().GameMoveText; }};
}

std::unique_ptr<quarvelin::MailService> MainWindow::makeMailService() {
    if (mailService) return mailService();
    if (settings_.MEL_ENVOI != 1) return std::make_unique<quarvelin::DesktopMailService>();
    if (!passwords_) passwords_ = std::make_unique<KeyringPasswords>(catalogue_, this);
    quarvelin::SmtpAccount account{
        QString::fromStdString(settings_.SMTP_SERVEUR),
        settings_.SMTP_PORT,
        static_cast<quarvelin::SmtpSecurity>(std::min<int>(settings_.SMTP_SECURITE, 2)),
        QString::fromStdString(settings_.SMTP_UTILISATEUR),
        {}};
    return std::make_unique<quarvelin::SmtpMailService>(account, passwords_.get());
}

CorrespondenceWindow* MainWindow::correspondenceWindow() {
    if (!corres_) corres_ = new CorrespondenceWindow(correspondenceLinks(), this);
    corres_->show();
    corres_->raise();
    corres_->activateWindow();
    corres_->charger_liste_corres();
    return corres_;
}

void MainWindow::openCorrespondenceGame(const quarvelin::CorrespondenceGame& g) {
    if (!mayDropGame()) return;
    game_->closeBoard();
    boardSub_->show();
    const auto notation =
        g.notation == 1 ? quarvelin::NotationCode::French : quarvelin::NotationCode::Pgn;
    // Stored games are SAN; one written by hand in French letters is read all the same.
    const quarvelin::GameMoves moves = quarvelin::readMoves(g.Move.toStdString(), notation);
    game_->openCorrespondence(quarvelin::correspondenceHeader(g),
                              moves.ok ? quarvelin::numberedMoves(moves.san) : g.Move.toStdString(),
                              g.JAIBLANC, notation);
    board_->result(game_->session().GameResult);
    boardSub_->setWindowTitle(board_->windowTitle());
    syncMenus();
    menuStates();
}

void MainWindow::sendPosition() {
    const CorrespondenceLinks links = correspondenceLinks();
    quarvelin::CorrespondenceStore unused(QString::fromStdString(settings_.BASE_CORRES));
    quarvelin::Dispatch d;
    d.kind = quarvelin::MailKind::Position;
    d.message = quarvelin::positionMail(catalogue_, settings_,
                                        QString::fromStdString(game_->copyPosition(2)));
    MessageWindow w(links, unused, d, this);
    w.exec();
}
