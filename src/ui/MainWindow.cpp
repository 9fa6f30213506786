#include "ui/MainWindow.h"

#include "config/LanguageChoice.h"
#include "config/RecentFiles.h"
#include "config/SettingsFile.h"
#include "config/Version.h"
#include "notation/Fen.h"
#include "records/PgnConversion.h"
#include "records/ParsedGame.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/ConstructeurMenu.h"
#include "ui/EngineProfilesDialog.h"
#include "ui/GameListModel.h"
#include "ui/HelpWindow.h"
#include "ui/JeuxDebian.h"
#include "ui/LanguageWindow.h"
#include "ui/LoadGamesDialog.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/OpeningListWindow.h"
#include "ui/PreferencesDialog.h"
#include "ui/PrintCommands.h"
#include "ui/QtSoundPlayer.h"
#include "ui/RecentFilesMenu.h"
#include "ui/RechercheEnTache.h"
#include "ui/SaveWindow.h"
#include "ui/XmlGameWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

using quarvelin::GameMode;

using quarvelin::TextKey;

namespace {

// Wiring a command by name: the tree names every item, so a missing one is a programming error
// caught by the tests rather than a silent dead item.
template <typename F>
void relier(quarvelin::ConstructeurMenu& m, const char* name, int index, QObject* ctx, F&& f) {
    if (QAction* a = m.action(QString::fromLatin1(name), index))
        QObject::connect(a, &QAction::triggered, ctx, std::forward<F>(f));
}

} // namespace

MainWindow::MainWindow(quarvelin::Settings& settings, quarvelin::Catalogue& catalogue,
                       quarvelin::Locations lieux, QWidget* parent)
    : QMainWindow(parent), settings_(settings), catalogue_(catalogue), lieux_(std::move(lieux)) {
    setObjectName(QStringLiteral("Menu"));
    setWindowIcon(QIcon(QStringLiteral(":/pieces/quarvelin/10.svg")));
    resize(1180, 800);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdi"));
    mdiArea_->setBackground(QColor(0xC8, 0xCC, 0xC4));
    setCentralWidget(mdiArea_);

    dialogs_ = std::make_unique<MessageBoxDialogs>(this);
    sons_ = std::make_unique<QtSoundPlayer>();
    moteur_ = std::make_unique<RechercheEnTache>();
    recent_ = std::make_unique<quarvelin::RecentFiles>();

    board_ = new BoardWindow;
    boardSub_ = mdiArea_->addSubWindow(board_);
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

    quarvelin::Environment env{settings_,
                                 catalogue_,
                                 *dialogs_,
                                 *sons_,
                                 *comment_,
                                 *board_->board(),
                                 *board_,
                                 *board_,
                                 *moteur_,
                                 base_.isOpen() ? &base_ : nullptr,
                                 lieux_.installation,
                                 quarvelin::NomProgramme,
                                 {},
                                 2};
    partie_ = std::make_unique<quarvelin::GameController>(env);
    board_->attacher(partie_.get(), &catalogue_);

    menus_ = std::make_unique<quarvelin::ConstructeurMenu>(menuBar(), catalogue_);
    QMenu* file = menus_->menu(QStringLiteral("menu_fichier"));
    recentMenu_ = new RecentFilesMenu(file, menus_->action(QStringLiteral("menu_quitter")));
    recentMenu_->afficher(recent_->afficher_fichiers_recents());
    connecter();
    // The comment window opens with the program, as its menu item starts ticked.
    afficherCommentaire(true);
    synchroniserMenus();
    appliquer_textes();
    etatMenus();
    // Piece sets of other packages, cut once into the data folder; after the window is up.
    QTimer::singleShot(0, this, [this] {
        importer_jeux_scid(QLatin1String(DossierJeuxScid),
                           QString::fromStdString(lieux_.data + "/images/pieces"));
    });
}

MainWindow::~MainWindow() {
    // The game goes first: it may still hold a search on the worker thread.
    partie_.reset();
}

QString MainWindow::text(quarvelin::TextKey key) const {
    return QString::fromStdString(catalogue_.text(key));
}

void MainWindow::titre_principal() {
    const int depth = settings_.PROFONDEUR_MAX[1];
    setWindowTitle(
        QStringLiteral("%1 %2 - %3 - %4 - %5")
            .arg(
                QLatin1String(quarvelin::NomProgramme), QLatin1String(quarvelin::VersionProgramme),
                text(TextKey::Tagline), text(quarvelin::LevelTexts.at(depth)),
                text(quarvelin::PlayModeTexts.at(static_cast<int>(partie_->session().PlayMode)))));
}

void MainWindow::appliquer_textes() {
    menus_->appliquer_textes(catalogue_);
    board_->appliquer_textes();
    comment_->appliquer_textes(catalogue_);
    boardSub_->setWindowTitle(board_->windowTitle());
    commentSub_->setWindowTitle(comment_->windowTitle());
    titre_principal();
}

void MainWindow::appliquer_langue(int languageKey) {
    settings_.CLE_LANGUE = static_cast<std::uint8_t>(languageKey);
    quarvelin::appliquer_langue(settings_, catalogue_, partie_->session().NotationCode);
    synchroniserMenus();
    appliquer_textes();
}

void MainWindow::synchroniserMenus() {
    auto tick = [&](const char* name, int index, bool oui) {
        if (QAction* a = menus_->action(QString::fromLatin1(name), index)) a->setChecked(oui);
    };
    const quarvelin::GameSession& s = partie_->session();
    tick("menu_active_son", -1, s.SoundOn);
    tick("menu_active_horloge", -1, s.ClockOn);
    tick("affiche_repere", -1, s.coordinatesShown);
    tick("analyser_ouverture", -1, s.nameOpenings);
    tick("couleur_blanche", -1, s.whiteChosen);
    tick("couleur_noire", -1, !s.whiteChosen);
    for (int i = 0; i <= 3; ++i) tick("menu_niv", i, settings_.PROFONDEUR_MAX[1] == i);
    for (int i = 1; i <= 8; ++i) tick("choix_langue", i, settings_.CLE_LANGUE == i);
    tick("notation_francaise", -1, s.NotationCode == quarvelin::NotationCode::French);
    tick("notation_pgn", -1, s.NotationCode == quarvelin::NotationCode::Pgn);
    tick("notation_internationale", -1,
           s.NotationCode == quarvelin::NotationCode::International);
    const char* modes[] = {"mode_machine", "mode_libre", "mode_reseau", "mode_auto", "mode_corres"};
    for (int m = 1; m <= 5; ++m) tick(modes[m - 1], -1, static_cast<int>(s.PlayMode) == m);
    tick("affiche_commentaire", -1, comment_->visible());
    board_->board()->setCoordinatesVisible(s.coordinatesShown);
}

void MainWindow::etatMenus() {
    const quarvelin::GameSession& s = partie_->session();
    menus_->etat_partie(s.boardOpen);
    if (QAction* pc = menus_->action(QStringLiteral("menu_part_pc")))
        pc->setEnabled(s.PlayMode == GameMode::Corres);
    if (QAction* coller = menus_->action(QStringLiteral("menu_coller_position"))) {
        const QString presse = QApplication::clipboard()->text();
        coller->setEnabled(s.boardOpen && (presse.contains(u'/') || presse.size() == 64));
    }
    board_->setNetworkMode(s.PlayMode == GameMode::Network);
    if (QAction* list = menus_->action(QStringLiteral("menu_edt_pc")))
        list->setEnabled(board_->gameListModel()->rowCount() > 0);
}

void MainWindow::toggle(const char* name, std::uint8_t& flag) {
    flag = flag ? 0 : 1;
    if (QAction* a = menus_->action(QString::fromLatin1(name))) a->setChecked(flag == 1);
}

void MainWindow::connecter() {
    quarvelin::ConstructeurMenu& m = *menus_;
    quarvelin::GameController& p = *partie_;

    // File
    relier(m, "menu_pref", -1, this, [this] {
        PreferencesDialog d(
            settings_, {quarvelin::settingsFile(lieux_), lieux_.data, lieux_.installation},
            catalogue_, *dialogs_, this);
        connect(&d, &PreferencesDialog::preferencesApplied, this, [this](quarvelin::Colour c) {
            partie_->session().EngineProfile = 1;
            partie_->session().whiteChosen = c == quarvelin::Colour::White;
            partie_->session().SoundOn = settings_.ACTIVE_SON == 1;
            partie_->session().ClockOn = settings_.ACTIVE_HORLOGE == 1;
            partie_->session().LogOn = settings_.GES_LOG == 1;
            partie_->session().coordinatesShown = settings_.AFF_REPERE == 1;
            quarvelin::appliquer_langue(settings_, catalogue_, partie_->session().NotationCode);
            synchroniserMenus();
            appliquer_textes();
        });
        d.exec();
    });
    relier(m, "menu_quitter", -1, this, [this] { close(); });
    connect(recentMenu_, &RecentFilesMenu::legendeChoisie, this, [this](const QString& caption) {
        auto path =
            quarvelin::RecentFiles::choose(caption.toStdString(), *dialogs_, catalogue_);
        if (path) lire_fichier_pgn(ListerFichier, QString::fromStdString(*path));
    });

    // Game
    relier(m, "menu_nouvelle", -1, this, [this] { nouvellePartie(); });
    for (int entry : {1, 2})
        relier(m, "menu_copie_position", entry, this, [this, entry] {
            QApplication::clipboard()->clear();
            QApplication::clipboard()->setText(
                QString::fromStdString(partie_->copyPosition(entry)));
            etatMenus();
        });
    relier(m, "menu_coller_position", -1, this,
           [this] { partie_->pastePosition(QApplication::clipboard()->text().toStdString()); });
    relier(m, "menu_sauve", -1, this, [this] {
        SaveWindow w(partie_->session(), settings_, partie_->position().PlayerColour, catalogue_,
                     *dialogs_, recent_.get(), this);
        connect(&w, &SaveWindow::gameSaved, this,
                [this] { recentMenu_->afficher(recent_->afficher_fichiers_recents()); });
        w.exec();
    });
    for (int layout = 0; layout <= 2; ++layout)
        relier(m, "menu_edt_encours", layout, this, [this, layout] {
            PrintCommands::imprimer_partie(this, partie_->session(), settings_,
                                           partie_->position().PlayerColour, catalogue_, *dialogs_,
                                           layout);
        });
    relier(m, "menu_charge", -1, this, [this] { choisirEtOuvrirPremiere(); });
    relier(m, "menu_charge_fichier", -1, this, [this] {
        LoadGamesDialog d(LoadGamesDialog::Mode::Load, settings_, catalogue_,
                          QString::fromStdString(lieux_.installation),
                          QString::fromStdString(quarvelin::settingsFile(lieux_)),
                          fichierCourant_, dialogs_.get(), this);
        QString choisi;
        connect(&d, &LoadGamesDialog::loadRequested, this,
                [&choisi](const QString& path) { choisi = path; });
        d.exec();
        // Listed once the dialog is gone, under the progress window.
        if (!choisi.isEmpty()) lire_fichier_pgn(ListerFichier, choisi);
    });
    relier(m, "menu_sauve_fichier", -1, this, [this] {
        LoadGamesDialog d(LoadGamesDialog::Mode::Extract, settings_, catalogue_,
                          QString::fromStdString(lieux_.installation),
                          QString::fromStdString(quarvelin::settingsFile(lieux_)),
                          fichierCourant_, dialogs_.get(), this);
        connect(&d, &LoadGamesDialog::extractRequested, this,
                [this, &d](const QString& source, const QString& target, bool xml, bool onePerFile,
                           bool addresses) {
                    convertirFichier(
                        source, target,
                        {xml ? quarvelin::ConversionFormat::Xml : quarvelin::ConversionFormat::Pgn,
                         onePerFile, addresses},
                        &d);
                });
        d.exec();
    });
    relier(m, "menu_edt_pc", -1, this, [this] { imprimerListeParties(); });
    relier(m, "menu_charge_xml", -1, this, [this] {
        XmlGameWindow w(catalogue_, *comment_, QString::fromStdString(lieux_.installation),
                        dialogs_.get(), this);
        connect(&w, &XmlGameWindow::partieRecue, this,
                [this](const QString& header, const QString& moves, const QString& result) {
                    quarvelin::ParsedGame parsed;
                    parsed.GameText = header.toStdString();
                    parsed.GameMoveText = moves.toStdString();
                    parsed.GameResult = result.toStdString();
                    chargerPartie(parsed);
                });
        w.exec();
    });
    relier(m, "menu_voir_ouvertures", -1, this, [this] { partie_->viewOpenings(); });
    relier(m, "menu_position", -1, this, [this] { partie_->enterEditor(false); });
    relier(m, "menu_modif_coup", -1, this, [this] { partie_->modifyLastMove(); });
    relier(m, "menu_abrege", -1, this, [this] { montrerTexte(partie_->session().GameMoveText); });
    relier(m, "menu_not_comp", -1, this, [this] { montrerTexte(partie_->session().LongMoveText); });
    relier(m, "affiche_log", -1, this, [this] {
        const QString log = QString::fromStdString(settings_.FILE_LOG);
        if (!QFileInfo::exists(log))
            dialogs_->message(quarvelin::NomProgramme, catalogue_.text(TextKey::LogFileMissing),
                              quarvelin::DialogIcon::Information);
        else
            QDesktopServices::openUrl(QUrl::fromLocalFile(log));
    });
    relier(m, "menu_propose_nul", -1, this, [this] { partie_->offerDraw(); });
    relier(m, "menu_abandon", -1, this, [this] { partie_->resign(); });

    // Options
    const std::pair<const char*, GameMode> modes[] = {{"mode_machine", GameMode::Machine},
                                                     {"mode_libre", GameMode::Free},
                                                     {"mode_reseau", GameMode::Network},
                                                     {"mode_auto", GameMode::Auto},
                                                     {"mode_corres", GameMode::Corres}};
    for (auto [name, mode] : modes)
        relier(m, name, -1, this, [this, mode] {
            partie_->changer_mode(mode);
            synchroniserMenus();
        });
    for (int i = 0; i <= 3; ++i)
        relier(m, "menu_niv", i, this, [this, i] {
            settings_.PROFONDEUR_MAX[1] = static_cast<std::int16_t>(i);
            synchroniserMenus();
            titre_principal();
        });
    relier(m, "couleur_blanche", -1, this, [this, &p] {
        p.couleur_blanche();
        synchroniserMenus();
    });
    relier(m, "couleur_noire", -1, this, [this, &p] {
        p.couleur_noire();
        synchroniserMenus();
    });
    const std::pair<const char*, quarvelin::NotationCode> notations[] = {
        {"notation_francaise", quarvelin::NotationCode::French},
        {"notation_pgn", quarvelin::NotationCode::Pgn},
        {"notation_internationale", quarvelin::NotationCode::International}};
    for (auto [name, code] : notations)
        relier(m, name, -1, this, [this, code] {
            partie_->session().NotationCode = code;
            synchroniserMenus();
        });
    relier(m, "menu_moteur", -1, this, [this] {
        EngineProfilesDialog d(settings_, catalogue_, *dialogs_, this);
        d.exec();
    });
    relier(m, "analyser_ouverture", -1, this, [this] {
        partie_->session().nameOpenings = !partie_->session().nameOpenings;
        synchroniserMenus();
    });
    relier(m, "menu_active_son", -1, this, [this] {
        toggle("menu_active_son", settings_.ACTIVE_SON);
        partie_->session().SoundOn = settings_.ACTIVE_SON == 1;
    });
    relier(m, "menu_active_horloge", -1, this, [this] {
        toggle("menu_active_horloge", settings_.ACTIVE_HORLOGE);
        partie_->session().ClockOn = settings_.ACTIVE_HORLOGE == 1;
    });
    relier(m, "affiche_repere", -1, this, [this] {
        partie_->toggleCoordinates();
        settings_.AFF_REPERE = partie_->session().coordinatesShown ? 1 : 0;
        synchroniserMenus();
    });
    relier(m, "affiche_commentaire", -1, this,
           [this] { afficherCommentaire(!comment_->visible()); });
    for (int i = 1; i <= 8; ++i)
        relier(m, "choix_langue", i, this, [this, i] { appliquer_langue(i); });
    relier(m, "menu_sauve_option", -1, this, [this] {
        std::string error =
            quarvelin::ecrire_reglages(settings_, quarvelin::settingsFile(lieux_));
        if (!error.empty())
            dialogs_->message(quarvelin::NomProgramme,
                              catalogue_.text(quarvelin::TextKey::SettingsCannotWrite) + error,
                              quarvelin::DialogIcon::Exclamation);
        else
            dialogs_->message(quarvelin::NomProgramme, catalogue_.text(TextKey::SettingsSaved),
                              quarvelin::DialogIcon::Information);
    });

    // Windows
    relier(m, "wa", 0, this, [this] { mdiArea_->cascadeSubWindows(); });
    for (int sens : {1, 2})
        relier(m, "wa", sens, this, [this, sens] {
            // Side by side or one above the other, sharing the area evenly.
            const QList<QMdiSubWindow*> w = mdiArea_->subWindowList();
            QList<QMdiSubWindow*> visibles;
            for (QMdiSubWindow* s : w)
                if (s->isVisible() && !s->isMinimized()) visibles << s;
            if (visibles.isEmpty()) return;
            const QRect r = mdiArea_->viewport()->rect();
            const int n = static_cast<int>(visibles.size());
            for (int i = 0; i < n; ++i)
                visibles[i]->setGeometry(
                    sens == 1 ? QRect(0, r.height() * i / n, r.width(), r.height() / n)
                              : QRect(r.width() * i / n, 0, r.width() / n, r.height()));
        });
    relier(m, "wa", 3, this, [this] { mdiArea_->tileSubWindows(); });
    if (QMenu* fenetre = m.menu(QStringLiteral("menu_fenetre")))
        connect(fenetre, &QMenu::aboutToShow, this, [this] { listerFenetres(); });

    // Help
    relier(m, "menu_sommaire", -1, this, [this] { ouvrirAide(false); });
    relier(m, "menu_aide_sur", -1, this, [this] { ouvrirAide(true); });
    relier(m, "menu_a_propos", -1, this, [this] {
        QMessageBox::about(
            this, text(TextKey::AboutTitle),
            text(TextKey::AboutBody).arg(QLatin1String(quarvelin::VersionProgramme)));
    });

    // The board window and the game.
    connect(board_, &BoardWindow::mainTitleChanged, this, [this] {
        titre_principal();
        synchroniserMenus();
    });
    connect(board_, &BoardWindow::menuStateChanged, this, [this] { etatMenus(); });
    connect(board_, &BoardWindow::gameMenuRequested, this, [this](QPoint at) {
        if (QMenu* game = menus_->menu(QStringLiteral("menu_partie"))) game->popup(at);
    });
    connect(board_, &BoardWindow::openingsAvailable, this, [this](bool oui) {
        comment_->setVoirCoupEnabled(oui);
        if (QAction* a = menus_->action(QStringLiteral("menu_voir_ouvertures"))) a->setEnabled(oui);
    });
    connect(board_, &QWidget::windowTitleChanged, boardSub_, &QWidget::setWindowTitle);
    connect(board_, &BoardWindow::gameChosen, this, [this](qulonglong position) {
        lire_fichier_pgn(LireSelection, fichierCourant_, position);
    });
    connect(board_, &BoardWindow::gameListPrintRequested, this, [this] { imprimerListeParties(); });
    connect(comment_, &CommentWindow::ferme, this, [this] {
        comment_->setAfficheCommentaire(false);
        synchroniserMenus();
    });
    connect(comment_, &CommentWindow::voirOuvertures, this, [this] { partie_->viewOpenings(); });
    connect(board_, &BoardWindow::openingList, this,
            [this](const std::vector<quarvelin::EcoLine>& lines) {
                auto* w = new OpeningListWindow(catalogue_, this);
                w->setAttribute(Qt::WA_DeleteOnClose);
                w->show();
                w->remplir(partie_->session().GameMoveText, lines);
            });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { etatMenus(); });
}

void MainWindow::listerFenetres() {
    QMenu* fenetre = menus_->menu(QStringLiteral("menu_fenetre"));
    for (QAction* a : fenetre->actions())
        if (a->property("fenetre").isValid()) delete a;
    bool premiere = true;
    for (QMdiSubWindow* s : mdiArea_->subWindowList()) {
        if (!s->isVisible()) continue;
        if (premiere) {
            fenetre->addSeparator()->setProperty("fenetre", true);
            premiere = false;
        }
        QAction* a = fenetre->addAction(s->windowTitle());
        a->setProperty("fenetre", true);
        a->setCheckable(true);
        a->setChecked(s == mdiArea_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, s] { mdiArea_->setActiveSubWindow(s); });
    }
}

void MainWindow::nouvellePartie() {
    if (partie_->session().PlayMode == GameMode::Corres) return;
    boardSub_->show();
    board_->board()->setFocus();
    partie_->newGame();
    boardSub_->setWindowTitle(board_->windowTitle());
    etatMenus();
}

void MainWindow::plateauFerme() {
    partie_->closeBoard();
    etatMenus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == board_ && event->type() == QEvent::Close && partie_) plateauFerme();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::chargerPartie(const quarvelin::ParsedGame& parsed) {
    // A loaded game is read in PGN letters and shown move by move, ready to step through.
    partie_->closeBoard();
    boardSub_->show();
    if (partie_->loadGame(parsed)) board_->result(partie_->session().GameResult);
    synchroniserMenus();
    etatMenus();
}

void MainWindow::afficherCommentaire(bool affiche) {
    comment_->setAfficheCommentaire(affiche);
    commentSub_->setVisible(affiche);
    synchroniserMenus();
}

void MainWindow::montrerTexte(const std::string& t) {
    dialogs_->message(quarvelin::NomProgramme, t.empty() ? std::string("*") : t,
                      quarvelin::DialogIcon::Information);
}

void MainWindow::ouvrirAide(bool recherche) {
    auto* aide = new HelpWindow(catalogue_, settings_.CLE_LANGUE == 1 ? QStringLiteral("fr")
                                                                      : QStringLiteral("en"));
    QMdiSubWindow* s = mdiArea_->addSubWindow(aide);
    s->setAttribute(Qt::WA_DeleteOnClose);
    s->resize(820, 600);
    s->show();
    if (recherche) aide->search({});
}

void MainWindow::start(const QString& fichierLigneDeCommande) {
    if (settings_.FIRST_STARTUP == 1) {
        langue_ = new LanguageWindow(this);
        langue_->setAttribute(Qt::WA_DeleteOnClose);
        langue_->appliquer_textes(catalogue_);
        connect(langue_, &LanguageWindow::langueChoisie, this, [this](int key) {
            quarvelin::LanguageChoice choix(settings_, catalogue_, partie_->session().NotationCode,
                                         quarvelin::settingsFile(lieux_), *dialogs_);
            choix.choose(key);
            synchroniserMenus();
            appliquer_textes();
            langue_->close();
            langue_ = nullptr;
            // The language chosen, the start goes on as any other would.
            if (settings_.AFF_NOUVELLE == 1) nouvellePartie();
        });
        connect(langue_, &LanguageWindow::quitter, this, [this] {
            // Out at once, nothing written.
            fermeture_ = true;
            QApplication::exit(0);
        });
        langue_->open();
    } else if (settings_.AFF_NOUVELLE == 1) {
        nouvellePartie();
    }
    if (!fichierLigneDeCommande.isEmpty() && QFileInfo::exists(fichierLigneDeCommande)) {
        lire_fichier_pgn(ListerFichier, fichierLigneDeCommande);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    partie_->closeBoard();
    event->accept();
}
