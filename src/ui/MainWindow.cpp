// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "config/LanguageChoice.h"
#include "config/RecentFiles.h"
#include "config/SettingsFile.h"
#include "config/Tips.h"
#include "config/Version.h"
#include "correspondence/CorrespondenceRules.h"
#include "network/NetworkGame.h"
#include "notation/Fen.h"
#include "notation/ParsedGame.h"
#include "records/PgnConversion.h"
#include "session/GameController.h"
#include "session/OpeningBaseCommands.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CapturedPiecesWindow.h"
#include "ui/CommentWindow.h"
#include "ui/CorrespondenceWindow.h"
#include "ui/DataGridWindow.h"
#include "ui/DebianPieceSets.h"
#include "ui/EngineProfilesDialog.h"
#include "ui/GameListModel.h"
#include "ui/KeyringPasswords.h"
#include "ui/LanguageWindow.h"
#include "ui/LastFolder.h"
#include "ui/MenuBuilder.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/OpeningListWindow.h"
#include "ui/PreferencesDialog.h"
#include "ui/PrintCommands.h"
#include "ui/ProgressTaskRunner.h"
#include "ui/QtSoundPlayer.h"
#include "ui/QtTranslations.h"
#include "ui/RecentFilesMenu.h"
#include "ui/ReleaseWindow.h"
#include "ui/SaveWindow.h"
#include "ui/ScrollFrame.h"
#include "ui/SearchTask.h"
#include "ui/StatisticsWindow.h"
#include "ui/TournamentWindow.h"
#include "ui/WindowPlacement.h"
#include "ui/XmlGameWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using quarvelin::GameMode;

using quarvelin::TextKey;

namespace {

// Wiring a command by name: the tree names every item, so a missing one is a programming error
// caught by the tests rather than a silent dead item.
template <typename F>
void bind(quarvelin::MenuBuilder& m, const char* name, int index, QObject* ctx, F&& f) {
    if (QAction* a = m.action(QString::fromLatin1(name), index))
        QObject::connect(a, &QAction::triggered, ctx, std::forward<F>(f));
}

} // namespace

MainWindow::MainWindow(quarvelin::Settings& settings, quarvelin::Catalogue& catalogue,
                       quarvelin::Locations locations, QWidget* parent)
    : QMainWindow(parent), settings_(settings), catalogue_(catalogue),
      locations_(std::move(locations)) {
    setObjectName(QStringLiteral("Menu"));
    setWindowIcon(QIcon(QStringLiteral(":/pieces/quarvelin/10.svg")));
    resize(1180, 800);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdi"));
    mdiArea_->setBackground(QColor(0xC8, 0xCC, 0xC4));
    setCentralWidget(mdiArea_);

    dialogs_ = std::make_unique<MessageBoxDialogs>(this);
    sounds_ = std::make_unique<QtSoundPlayer>();
    engine_ = std::make_unique<SearchTask>();
    recent_ = std::make_unique<quarvelin::RecentFiles>();
    tipsOption_ = std::make_unique<quarvelin::TipsOption>();
    qtTexts_ = std::make_unique<QtTranslations>();
    placement_ = new WindowPlacement(this, mdiArea_);
    new LastFolder(this);

    board_ = new BoardWindow;
    board_->board()->setPieceSetFolders(
        {QString::fromStdString(locations_.data + "/images/pieces")});
    // Below its least size the board window scrolls rather than cutting its clocks and lists.
    boardSub_ = mdiArea_->addSubWindow(new ScrollFrame(board_));
    boardSub_->setObjectName(QStringLiteral("plateau_cadre"));
    boardSub_->setAttribute(Qt::WA_DeleteOnClose, false);
    boardSub_->setGeometry(QRect(8, 8, 920, 690));
    boardSub_->hide();
    // Closing the board window ends the game where it stands.
    board_->installEventFilter(this);

    comment_ = new CommentWindow;
    commentSub_ = mdiArea_->addSubWindow(comment_);
    commentSub_->setAttribute(Qt::WA_DeleteOnClose, false);
    commentSub_->setGeometry(QRect(936, 8, 230, 690));
    commentSub_->hide();

    // The opening base is opened once and stays open; without it the game goes on without
    // book moves and names.
    base_.open(settings_.BASE_ECO);
    // Names in the other languages beside it; a base without them names in its own words.
    if (base_.isOpen() && names_.open(settings_.BASE_ECO)) base_.setNames(&names_);

    quarvelin::Environment env{settings_,
                               catalogue_,
                               *dialogs_,
                               *sounds_,
                               *comment_,
                               *board_->board(),
                               *board_,
                               *board_,
                               *engine_,
                               &base_, // reopened after the maintenance commands
                               locations_.installation,
                               quarvelin::ProgramName,
                               {},
                               2};
    game_ = std::make_unique<quarvelin::GameController>(env);
    board_->attach(game_.get(), &catalogue_);
    network_ = std::make_unique<quarvelin::net::NetworkGame>(
        quarvelin::net::NetworkGame::Context{*game_, settings_, catalogue_, *dialogs_, *comment_,
                                             quarvelin::ProgramName},
        quarvelin::net::NetworkGame::Events{
            [this](const std::string& title) { board_->boardTitle(title); },
            [this](const std::string& line) { board_->appendChat(QString::fromStdString(line)); },
            [this] { menuStates(); }});
    // Moves are written in the notation of the language the program starts in.
    game_->setNotation(static_cast<quarvelin::NotationCode>(
        quarvelin::Catalogue::languageNotation(settings_.CLE_LANGUE)));

    menus_ = std::make_unique<quarvelin::MenuBuilder>(menuBar(), catalogue_);
    QMenu* file = menus_->menu(QStringLiteral("menu_fichier"));
    recentMenu_ = new RecentFilesMenu(file, menus_->action(QStringLiteral("menu_quitter")));
    recentMenu_->show(recent_->afficher_fichiers_recents());
    runner_ = std::make_unique<ProgressTaskRunner>(this, catalogue_);
    gamesFile_ = std::make_unique<quarvelin::GamesFileController>(
        settings_, catalogue_, *dialogs_, *comment_, *recent_,
        static_cast<quarvelin::GamesFileView&>(*this), *runner_);
    baseCommands_ = std::make_unique<quarvelin::OpeningBaseCommands>(
        settings_, catalogue_, *dialogs_, *runner_, &base_, quarvelin::ProgramName);
    wireCommands();
    wireWindows();
    // The comment window opens with the program, as its menu item starts ticked.
    showCommentary(true);
    syncMenus();
    appliquer_textes();
    menuStates();
    // Piece sets of other packages, cut once into the data folder; after the window is up.
    QTimer::singleShot(0, this, [this] {
        importScidSets(QLatin1String(ScidSetsFolder),
                       QString::fromStdString(locations_.data + "/images/pieces"));
    });
}

MainWindow::~MainWindow() {
    // The game goes first: it may still hold a search on the worker thread.
    game_.reset();
}

QString MainWindow::text(quarvelin::TextKey key) const {
    return QString::fromStdString(catalogue_.text(key));
}

void MainWindow::titre_principal() {
    // The level of the profile that plays now: in automatic play the two may differ.
    const int depth = settings_.PROFONDEUR_MAX[static_cast<std::size_t>(game_->profile())];
    QString level = text(TextKey::MenuLevel).remove(u'&');
    setWindowTitle(
        QStringLiteral("%1 %2 - %3 - %4 - %5")
            .arg(QLatin1String(quarvelin::ProgramName), QLatin1String(quarvelin::ProgramVersion),
                 text(TextKey::Tagline),
                 level + QStringLiteral(": ") + text(quarvelin::LevelTexts.at(depth)),
                 text(quarvelin::PlayModeTexts.at(static_cast<int>(game_->session().PlayMode)))));
}

void MainWindow::appliquer_textes() {
    qtTexts_->apply(settings_.CLE_LANGUE);
    names_.setLanguage(settings_.CLE_LANGUE);
    menus_->appliquer_textes(catalogue_);
    board_->appliquer_textes();
    comment_->appliquer_textes(catalogue_);
    if (corres_) corres_->appliquer_textes();
    if (tournament_) tournament_->appliquer_textes(catalogue_);
    boardSub_->setWindowTitle(board_->windowTitle());
    commentSub_->setWindowTitle(comment_->windowTitle());
    if (captured_) {
        captured_->appliquer_textes(catalogue_);
        capturedSub_->setWindowTitle(captured_->windowTitle());
    }
    titre_principal();
}

void MainWindow::appliquer_langue(int languageKey) {
    settings_.CLE_LANGUE = static_cast<std::uint8_t>(languageKey);
    quarvelin::NotationCode notation = game_->session().NotationCode;
    quarvelin::appliquer_langue(settings_, catalogue_, notation);
    game_->setNotation(notation);
    syncMenus();
    appliquer_textes();
}

void MainWindow::syncMenus() {
    auto tick = [&](const char* name, int index, bool yes) {
        if (QAction* a = menus_->action(QString::fromLatin1(name), index)) a->setChecked(yes);
    };
    const quarvelin::GameSession& s = game_->session();
    tick("menu_active_son", -1, s.SoundOn);
    tick("menu_active_horloge", -1, s.ClockOn);
    tick("affiche_repere", -1, s.coordinatesShown);
    tick("analyser_ouverture", -1, s.nameOpenings);
    tick("couleur_blanche", -1, s.whiteChosen);
    tick("couleur_noire", -1, !s.whiteChosen);
    const auto profile = static_cast<std::size_t>(game_->profile());
    for (int i = 0; i <= 3; ++i) tick("menu_niv", i, settings_.PROFONDEUR_MAX[profile] == i);
    for (int i = 1; i <= 8; ++i) tick("choix_langue", i, settings_.CLE_LANGUE == i);
    tick("notation_francaise", -1, s.NotationCode == quarvelin::NotationCode::French);
    tick("notation_pgn", -1, s.NotationCode == quarvelin::NotationCode::Pgn);
    tick("notation_internationale", -1, s.NotationCode == quarvelin::NotationCode::International);
    const char* modes[] = {"mode_machine", "mode_libre", "mode_reseau", "mode_auto", "mode_corres"};
    for (int m = 1; m <= 5; ++m) tick(modes[m - 1], -1, static_cast<int>(s.PlayMode) == m);
    tick("affiche_commentaire", -1, comment_->visible());
    board_->board()->setCoordinatesVisible(s.coordinatesShown);
}

void MainWindow::menuStates() {
    const quarvelin::GameSession& s = game_->session();
    menus_->gameState(!s.boardOpen   ? quarvelin::GameState::NoBoard
                      : s.gameOver() ? quarvelin::GameState::Over
                                     : quarvelin::GameState::InProgress);
    if (QAction* pc = menus_->action(QStringLiteral("menu_part_pc")))
        pc->setEnabled(s.PlayMode == GameMode::Correspondence);
    if (QAction* paste = menus_->action(QStringLiteral("menu_coller_position"))) {
        const QString pressed = QApplication::clipboard()->text().trimmed();
        paste->setEnabled(s.boardOpen && (pressed.contains(u'/') || pressed.size() == 64));
    }
    board_->setNetworkMode(s.PlayMode == GameMode::Network);
    if (QAction* list = menus_->action(QStringLiteral("menu_edt_pc")))
        list->setEnabled(board_->gameListModel()->rowCount() > 0);
}

void MainWindow::toggleSetting(const char* name, std::uint8_t& flag) {
    flag = flag ? 0 : 1;
    if (QAction* a = menus_->action(QString::fromLatin1(name))) a->setChecked(flag == 1);
}

void MainWindow::wireCommands() {
    quarvelin::MenuBuilder& m = *menus_;
    using Handler = void (MainWindow::*)();
    const struct {
        const char* name;
        Handler handler;
    } commands[] = {
        {"menu_pref", &MainWindow::openPreferences},
        {"menu_nouvelle", &MainWindow::newGame},
        {"menu_sauve", &MainWindow::openSaveWindow},
        {"menu_charge", &MainWindow::chooseAndOpenFirst},
        {"menu_charge_fichier", &MainWindow::openLoadGamesWindow},
        {"menu_sauve_fichier", &MainWindow::openExtractWindow},
        {"menu_edt_pc", &MainWindow::printGameList},
        {"menu_charge_xml", &MainWindow::openXmlGameWindow},
        {"affiche_log", &MainWindow::showLog},
        {"affiche_repere", &MainWindow::toggleCoordinates},
        {"menu_sauve_option", &MainWindow::saveOptions},
        {"menu_a_propos", &MainWindow::showAbout},
        {"menu_envoi_position", &MainWindow::sendPosition},
        {"menu_astuce", &MainWindow::openTips},
        {"menu_chasse", &MainWindow::showCapturedPieces},
        {"menu_release", &MainWindow::openReleaseWindow},
        {"tournament", &MainWindow::openTournament},
        {"analyseGame", &MainWindow::analyseGame},
    };
    for (const auto& c : commands)
        bind(m, c.name, -1, this, [this, h = c.handler] { (this->*h)(); });
    bind(m, "menu_quitter", -1, this, [this] { close(); });
    // The correspondence tools act on the game selected in the correspondence window.
    const std::pair<const char*, void (CorrespondenceWindow::*)()> corresCommands[] = {
        {"menu_pc_message", &CorrespondenceWindow::writeMessage},
        {"sendCorrespondenceMove", &CorrespondenceWindow::sendMove},
        {"enterCorrespondenceMove", &CorrespondenceWindow::enterMove}};
    for (auto [name, action] : corresCommands)
        bind(m, name, -1, this, [this, action] {
            CorrespondenceWindow* w = correspondenceWindow();
            if (w->selectedGame()) (w->*action)();
        });

    quarvelin::GameController& g = *game_;
    const struct {
        const char* name;
        void (quarvelin::GameController::*action)();
    } gameCommands[] = {
        {"menu_voir_ouvertures", &quarvelin::GameController::viewOpenings},
        {"menu_modif_coup", &quarvelin::GameController::modifyLastMove},
        {"menu_propose_nul", &quarvelin::GameController::offerDraw},
        {"menu_abandon", &quarvelin::GameController::resign},
    };
    for (const auto& c : gameCommands) bind(m, c.name, -1, this, [&g, a = c.action] { (g.*a)(); });
    bind(m, "menu_position", -1, this, [this] { openEditor(); });
    bind(m, "menu_coller_position", -1, this, [this] {
        if (mayDropGame()) game_->pastePosition(QApplication::clipboard()->text().toStdString());
    });
    bind(m, "couleur_blanche", -1, this, [this] {
        game_->couleur_blanche();
        syncMenus();
    });
    bind(m, "couleur_noire", -1, this, [this] {
        game_->couleur_noire();
        syncMenus();
    });
    bind(m, "analyser_ouverture", -1, this, [this] {
        game_->toggleOpeningNames();
        syncMenus();
    });
    bind(m, "menu_abrege", -1, this, [this] { showText(game_->session().GameMoveText); });
    bind(m, "menu_not_comp", -1, this, [this] { showText(game_->session().LongMoveText); });
    bind(m, "menu_active_son", -1, this, [this] {
        toggleSetting("menu_active_son", settings_.ACTIVE_SON);
        game_->setSound(settings_.ACTIVE_SON == 1);
    });
    bind(m, "menu_active_horloge", -1, this, [this] {
        toggleSetting("menu_active_horloge", settings_.ACTIVE_HORLOGE);
        game_->setClocks(settings_.ACTIVE_HORLOGE == 1);
    });
    bind(m, "affiche_commentaire", -1, this, [this] { showCommentary(!comment_->visible()); });
    bind(m, "menu_moteur", -1, this, [this] {
        EngineProfilesDialog d(settings_, catalogue_, *dialogs_, this);
        d.exec();
    });

    for (int entry = 0; entry <= 2; ++entry)
        bind(m, "menu_enrichir", entry, this, [this, entry] { learn(entry); });
    for (int entry : {1, 2}) bind(m, "menu_trans", entry, this, [this, entry] { transfer(entry); });
    bind(m, "menu_stat", -1, this, [this] { openStatistics(); });
    bind(m, "menu_vider", -1, this, [this] { baseCommands_->purge(game_->session()); });
    bind(m, "menu_reorg", -1, this, [this] {
        if (closeOpeningsGrid()) baseCommands_->compact();
    });
    bind(m, "menu_repare", -1, this, [this] {
        if (closeOpeningsGrid()) baseCommands_->repair();
    });
    bind(m, "menu_grille", -1, this, [this] { openDataGrid(false); });
    bind(m, "menu_pc_grille", -1, this, [this] { openDataGrid(true); });
    using quarvelin::BaseReport;
    bind(m, "menu_edt_eco", -1, this, [this] { printBaseReport(BaseReport::ReferenceLines); });
    bind(m, "menu_edt_enrichie", -1, this, [this] { printBaseReport(BaseReport::LearnedLines); });
    bind(m, "menu_pc_edt", 0, this, [this] { printBaseReport(BaseReport::GamesByStartDate); });
    bind(m, "menu_pc_edt", 1, this, [this] { printBaseReport(BaseReport::GamesBySendingDate); });

    // Items of arrays, each with its number.
    for (int entry : {1, 2})
        bind(m, "menu_copie_position", entry, this, [this, entry] { copyPosition(entry); });
    for (int layout = 0; layout <= 2; ++layout)
        bind(m, "menu_edt_encours", layout, this, [this, layout] {
            PrintCommands::imprimer_partie(this, game_->session(), settings_,
                                           game_->position().PlayerColour, catalogue_, *dialogs_,
                                           layout, base_.isOpen() ? &base_ : nullptr);
        });
    const std::pair<const char*, GameMode> modes[] = {{"mode_machine", GameMode::Machine},
                                                      {"mode_libre", GameMode::Free},
                                                      {"mode_reseau", GameMode::Network},
                                                      {"mode_auto", GameMode::Auto},
                                                      {"mode_corres", GameMode::Correspondence}};
    for (auto [name, mode] : modes) bind(m, name, -1, this, [this, mode] { setMode(mode); });
    for (int depth = 0; depth <= 3; ++depth)
        bind(m, "menu_niv", depth, this, [this, depth] { setLevel(depth); });
    const std::pair<const char*, quarvelin::NotationCode> notations[] = {
        {"notation_francaise", quarvelin::NotationCode::French},
        {"notation_pgn", quarvelin::NotationCode::Pgn},
        {"notation_internationale", quarvelin::NotationCode::International}};
    for (auto [name, code] : notations)
        bind(m, name, -1, this, [this, code] { setNotation(code); });
    for (int i = 1; i <= 8; ++i)
        bind(m, "choix_langue", i, this, [this, i] { appliquer_langue(i); });
    bind(m, "wa", 0, this, [this] { mdiArea_->cascadeSubWindows(); });
    // Tiled, the board keeps the larger share.
    bind(m, "wa", 1, this, [this] { placement_->tile(WindowPlacement::Tiling::Rows, boardSub_); });
    bind(m, "wa", 2, this,
         [this] { placement_->tile(WindowPlacement::Tiling::Columns, boardSub_); });
    bind(m, "wa", 3, this, [this] { placement_->tile(WindowPlacement::Tiling::Grid, boardSub_); });
    bind(m, "menu_sommaire", -1, this, [this] { openHelp(false); });
    bind(m, "menu_aide_sur", -1, this, [this] { openHelp(true); });
    if (QMenu* window = m.menu(QStringLiteral("menu_fenetre")))
        connect(window, &QMenu::aboutToShow, this, &MainWindow::listWindows);
    connect(recentMenu_, &RecentFilesMenu::chosenCaption, this, &MainWindow::openRecentFile);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::menuStates);
}

// The board window and the comment window tell the main window what changed.
void MainWindow::wireWindows() {
    connect(board_, &BoardWindow::mainTitleChanged, this, [this] {
        titre_principal();
        syncMenus();
    });
    connect(board_, &BoardWindow::menuStateChanged, this, &MainWindow::menuStates);
    connect(board_, &BoardWindow::gameMenuRequested, this, [this](QPoint at) {
        if (QMenu* game = menus_->menu(QStringLiteral("menu_partie"))) game->popup(at);
    });
    connect(board_, &BoardWindow::openingsAvailable, this, [this](bool yes) {
        comment_->setShowOpeningsEnabled(yes);
        if (QAction* a = menus_->action(QStringLiteral("menu_voir_ouvertures"))) a->setEnabled(yes);
    });
    connect(board_, &QWidget::windowTitleChanged, boardSub_, &QWidget::setWindowTitle);
    connect(board_, &BoardWindow::gameChosen, this, [this](qulonglong position) {
        gamesFile_->lire_fichier_pgn(ReadMode::ReadSelection, gamesFile_->currentFile(), position);
    });
    connect(board_, &BoardWindow::gameListPrintRequested, this, &MainWindow::printGameList);
    connect(board_, &BoardWindow::editorRequested, this, &MainWindow::openEditor);
    connect(board_, &BoardWindow::networkDialog, this, &MainWindow::openConnexion);
    connect(board_, &BoardWindow::networkSend, this,
            [this](const QString& m) { network_->send(m.toStdString()); });
    connect(board_, &BoardWindow::networkClose, this, [this] { network_->close(); });
    connect(board_, &BoardWindow::chatSent, this,
            [this](const QString& t) { network_->sendChat(t.toStdString()); });
    connect(comment_, &CommentWindow::closed, this, [this] {
        comment_->setCommentaryShown(false);
        syncMenus();
    });
    connect(comment_, &CommentWindow::viewOpenings, this, [this] { game_->viewOpenings(); });
    connect(board_, &BoardWindow::openingList, this, [this](const quarvelin::OpeningBase* base) {
        auto* w = new OpeningListWindow(catalogue_, this);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setGame(game_->session().PlayMode, game_->position().PlayerColour);
        connect(w, &OpeningListWindow::playMove, this,
                [this](const QString& move) { game_->playListedMove(move.toStdString()); });
        w->show();
        w->fill(base, game_->session().GameMoveText);
    });
}

void MainWindow::openPreferences() {
    PreferencesDialog d(
        settings_, {quarvelin::settingsFile(locations_), locations_.data, locations_.installation},
        catalogue_, *dialogs_, this);
    const int language = settings_.CLE_LANGUE;
    connect(&d, &PreferencesDialog::preferencesApplied, this, [this, language](quarvelin::Colour) {
        game_->applySettings();
        // The notation follows a new language only; the menu's choice stands otherwise.
        if (settings_.CLE_LANGUE != language) {
            quarvelin::NotationCode notation = game_->session().NotationCode;
            quarvelin::appliquer_langue(settings_, catalogue_, notation);
            game_->setNotation(notation);
        }
        syncMenus();
        appliquer_textes();
    });
    d.exec();
}

void MainWindow::copyPosition(int entry) {
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setText(QString::fromStdString(game_->copyPosition(entry)));
    menuStates();
}

void MainWindow::setMode(GameMode mode) {
    game_->changer_mode(mode);
    syncMenus();
}

void MainWindow::setLevel(int depth) {
    settings_.PROFONDEUR_MAX[static_cast<std::size_t>(game_->profile())] =
        static_cast<std::int16_t>(depth);
    syncMenus();
    titre_principal();
}

void MainWindow::setNotation(quarvelin::NotationCode notation) {
    game_->setNotation(notation);
    syncMenus();
}

void MainWindow::toggleCoordinates() {
    game_->toggleCoordinates();
    settings_.AFF_REPERE = game_->session().coordinatesShown ? 1 : 0;
    syncMenus();
}

void MainWindow::saveOptions() {
    const std::string error =
        quarvelin::ecrire_reglages(settings_, quarvelin::settingsFile(locations_));
    if (!error.empty())
        dialogs_->message(quarvelin::ProgramName,
                          catalogue_.text(TextKey::SettingsCannotWrite) + error,
                          quarvelin::DialogIcon::Exclamation);
    else
        dialogs_->message(quarvelin::ProgramName, catalogue_.text(TextKey::SettingsSaved),
                          quarvelin::DialogIcon::Information);
}

bool MainWindow::mayDropGame() {
    if (!game_->hasUnsavedMoves()) return true;
    switch (dialogs_->saveDiscardCancel(quarvelin::ProgramName,
                                        catalogue_.text(TextKey::UnsavedGameQuestion))) {
    case quarvelin::SaveChoice::Save:
        openSaveWindow();
        return !game_->hasUnsavedMoves(); // the save window may have been closed unsaved
    case quarvelin::SaveChoice::Discard:
        return true;
    case quarvelin::SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainWindow::newGame() {
    if (game_->session().PlayMode == GameMode::Correspondence) {
        correspondenceWindow();
        return;
    }
    // A game under way is abandoned only on a yes; one with unsaved moves asks about them.
    if (game_->inProgress() && !game_->session().lines.empty()) {
        if (game_->hasUnsavedMoves()
                ? !mayDropGame()
                : !dialogs_->question(quarvelin::ProgramName,
                                      catalogue_.text(TextKey::AbandonGameQuestion)))
            return;
    } else if (!mayDropGame()) {
        return;
    }
    boardSub_->show();
    board_->board()->setFocus();
    game_->newGame();
    boardSub_->setWindowTitle(board_->windowTitle());
    menuStates();
}

void MainWindow::openEditor() {
    if (!mayDropGame()) return;
    if (!game_->session().boardOpen) {
        game_->newGame();
        boardSub_->show();
    }
    game_->enterEditor(false);
    menuStates();
}

void MainWindow::boardClosed() {
    // Listening or connecting stops with the board, and the port is free at once.
    network_->close();
    game_->closeBoard();
    menuStates();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && event->type() == QEvent::Close && game_) {
        if (!mayDropGame()) {
            event->ignore();
            return true;
        }
        boardClosed();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showCommentary(bool shown) {
    comment_->setCommentaryShown(shown);
    commentSub_->setVisible(shown);
    syncMenus();
}

void MainWindow::showText(const std::string& t) {
    dialogs_->message(quarvelin::ProgramName, t.empty() ? std::string("*") : t,
                      quarvelin::DialogIcon::Information);
}

void MainWindow::start(const QString& commandLineFile) {
    if (settings_.FIRST_STARTUP == 1) {
        language_ = new LanguageWindow(this);
        language_->setAttribute(Qt::WA_DeleteOnClose);
        language_->appliquer_textes(catalogue_);
        connect(language_, &LanguageWindow::chosenLanguage, this, [this](int key) {
            quarvelin::NotationCode notation = game_->session().NotationCode;
            quarvelin::LanguageChoice choice(settings_, catalogue_, notation,
                                             quarvelin::settingsFile(locations_), *dialogs_);
            choice.choose(key);
            game_->setNotation(notation);
            syncMenus();
            appliquer_textes();
            language_->close();
            language_ = nullptr;
            // The language chosen, the start goes on as any other would.
            if (settings_.AFF_NOUVELLE == 1) newGame();
            if (tipsOption_->showAtStartup()) openTips();
        });
        connect(language_, &LanguageWindow::quit, this, [this] {
            // Out at once, nothing written.
            QApplication::exit(0);
        });
        language_->open();
    } else {
        if (settings_.AFF_NOUVELLE == 1) newGame();
        if (tipsOption_->showAtStartup()) openTips();
    }
    if (!commandLineFile.isEmpty() && QFileInfo::exists(commandLineFile)) {
        lire_fichier_pgn(ReadMode::ListFile, commandLineFile);
    }
}

QString MainWindow::baseFile(TextKey title, const QString& kind, bool save,
                             const QString& proposed) {
    const QString filter =
        text(TextKey::Files) + QStringLiteral(" %1 (*.%2)").arg(kind.toUpper(), kind);
    if (chooseBaseFile) return chooseBaseFile(text(title), filter, save);
    const QString start = LastFolder::startIn(this) + QLatin1Char('/') + proposed;
    const QString path =
        save ? QFileDialog::getSaveFileName(this, text(title), start, filter)
             : QFileDialog::getOpenFileName(this, text(title), LastFolder::startIn(this), filter);
    LastFolder::remember(this, path);
    return path;
}

void MainWindow::learn(int entry) {
    if (entry == 2) {
        const QString path = baseFile(TextKey::ChooseFile, QStringLiteral("pgn"), false);
        if (!path.isEmpty()) baseCommands_->apprendre_fichier_pgn(path.toStdString());
        return;
    }
    const quarvelin::GameSession& s = game_->session();
    // Up to the cursor: the selected move line is half-move line + 1.
    const int halfMoves = entry == 0 && s.selectedLine >= 0 ? s.selectedLine + 1 : -1;
    baseCommands_->apprendre_partie(s, game_->shownScore(), halfMoves);
}

void MainWindow::transfer(int entry) {
    const bool exporting = entry == 2;
    const QString path =
        baseFile(exporting ? TextKey::ExportOpeningBase : TextKey::ImportOpeningBase,
                 QStringLiteral("csv"), exporting, QStringLiteral("eco.csv"));
    if (path.isEmpty()) return;
    if (exporting)
        baseCommands_->exporter_csv(path.toStdString());
    else
        baseCommands_->importer_csv(path.toStdString());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // An open grid asks about its changed row first; a cancel there keeps the program open.
    const bool gridsClosed = (!openingsGrid_ || openingsGrid_->close()) &&
                             (!correspondenceGrid_ || correspondenceGrid_->close());
    if (!gridsClosed || !mayDropGame()) {
        event->ignore();
        return;
    }
    game_->closeBoard();
    event->accept();
}
