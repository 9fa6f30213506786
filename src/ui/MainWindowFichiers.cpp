// The main window's games files: listing a file's games in the board window, opening one of
// them, and the commands that lead there.
#include "config/RecentFiles.h"
#include "config/Version.h"
#include "records/PgnConversion.h"
#include "records/GameFilter.h"
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
class Patience {
public:
    Patience(QWidget* parent, const quarvelin::Catalogue& catalogue, const QString& title)
        : fenetre_(parent), parties_(QString::fromStdString(catalogue.text(TextKey::GamesSuffix))) {
        fenetre_.appliquer_textes(catalogue);
        fenetre_.setTitre(title + QStringLiteral(" ..."));
        fenetre_.setWindowModality(Qt::ApplicationModal);
        fenetre_.show();
        QApplication::processEvents();
    }
    ~Patience() { fenetre_.close(); }

    void operator()(int percent, std::int64_t gardees, std::int64_t views) {
        fenetre_.setTexte(QStringLiteral("%1/%2").arg(gardees).arg(views) + parties_);
        fenetre_.afficher_progression(percent);
        QApplication::processEvents();
    }

private:
    ProgressWindow fenetre_;
    QString parties_;
};

} // namespace

void MainWindow::lire_fichier_pgn(int mode, const QString& path, std::uint64_t position) {
    using quarvelin::DialogIcon;
    using quarvelin::NomProgramme;
    if (!QFileInfo(path).isFile()) {
        if (mode == LireSelection)
            dialogs_->message(NomProgramme,
                              catalogue_.text(TextKey::GamesFileMissing) + "\n" +
                                  path.toStdString(),
                              DialogIcon::Information);
        else
            dialogs_->message(NomProgramme,
                              catalogue_.text(TextKey::FileNotFound) + "\n" + path.toStdString(),
                              DialogIcon::Exclamation);
        return;
    }
    if (mode != LireSelection) {
        boardSub_->show();
        board_->montrer_parties(nullptr, {});
    }
    // The comment window starts again with the file's name, then the game's tags.
    if (comment_->visible()) comment_->clear();
    if (comment_->visible())
        comment_->append(catalogue_.text(TextKey::ChessGame) + " {" + path.toStdString() +
                          "} :\n");
    if (mode == LireSelection) {
        ouvrirPartieDuFichier(path, position);
        return;
    }

    // Listing: the whole filter, or the first game whatever it is.
    quarvelin::GameFilter filter;
    if (mode == ListerFichier)
        filter = quarvelin::filterFromSettings(settings_);
    else
        filter.maximum = 1;
    std::optional<Patience> patience(std::in_place, this, catalogue_,
                                     text(TextKey::ReadingPrefix) + path);
    auto index = quarvelin::PgnIndex::indexFile(QFile::encodeName(path).toStdString(),
                                                      filter, std::ref(*patience));
    patience.reset();
    if (!index || index->readError()) {
        dialogs_->message(NomProgramme,
                          catalogue_.text(quarvelin::TextKey::FileReadError) + path.toStdString(),
                          DialogIcon::Exclamation);
        if (!index) return;
    }
    fichierCourant_ = path;
    if (recent_->ajouter_fichier_recent(QFileInfo(path).absoluteFilePath().toStdString()))
        recentMenu_->afficher(recent_->afficher_fichiers_recents());
    const QLocale locale;
    const QString statut = locale.toString(static_cast<qlonglong>(index->size())) +
                           text(TextKey::GamesSelectedOutOf) +
                           locale.toString(static_cast<qlonglong>(index->views()));
    auto list = std::make_shared<const quarvelin::PgnIndex>(std::move(*index));
    board_->montrer_parties(list, statut);
    etatMenus();
    if (mode == OuvrirPremiere && !list->empty())
        ouvrirPartieDuFichier(path, list->position(0));
}

void MainWindow::ouvrirPartieDuFichier(const QString& path, std::uint64_t position) {
    using quarvelin::DialogIcon;
    using quarvelin::NomProgramme;
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    quarvelin::ParsedGame parsed = quarvelin::readPgnGame(in, position);
    const std::string probleme = quarvelin::readingMessage(parsed, catalogue_);
    if (parsed.error == quarvelin::TextKey::NoGameAtPlace ||
        parsed.error == quarvelin::TextKey::FileReadError) {
        dialogs_->message(NomProgramme, probleme, DialogIcon::Exclamation);
        return;
    }
    if (comment_->visible()) comment_->append(parsed.GameText);
    // The game as the file has it, then what could not be read of it, if anything.
    std::string apercu = parsed.GameText + parsed.GameMoveText + " " + parsed.GameResult;
    if (!probleme.empty()) apercu += "\n\n" + probleme;
    dialogs_->message(NomProgramme, apercu,
                      probleme.empty() ? DialogIcon::Information : DialogIcon::Exclamation);
    chargerPartie(parsed);
}

void MainWindow::choisirEtOuvrirPremiere() {
    QString start = fichierCourant_.isEmpty() ? QString::fromStdString(lieux_.installation)
                                               : QFileInfo(fichierCourant_).absolutePath();
    QString path = choisirFichierParties
                         ? choisirFichierParties()
                         : QFileDialog::getOpenFileName(this, text(TextKey::ChooseFile), start,
                                                        text(TextKey::Files) +
                                                            QStringLiteral(" PGN (*.pgn *.PGN)"));
    if (!path.isEmpty()) lire_fichier_pgn(OuvrirPremiere, path);
}

void MainWindow::imprimerListeParties() {
    // The list as the user sees it: sorted, at the column widths set; dated in the user's way.
    const QString date = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    PrintCommands::imprimer_liste(this, *board_->gameList(), QFileInfo(fichierCourant_).fileName(),
                                  date, QStringLiteral("Arial"), 10, catalogue_, *dialogs_);
}

void MainWindow::convertirFichier(const QString& source, const QString& target,
                                  const quarvelin::ConversionOptions& options, QWidget* parent) {
    std::optional<Patience> patience(std::in_place, parent ? parent : this, catalogue_,
                                     text(TextKey::ConvertingPrefix) + source);
    const quarvelin::ConversionResult r = quarvelin::convertir_fichier_pgn(
        QFile::encodeName(source).toStdString(), QFile::encodeName(target).toStdString(),
        quarvelin::filterFromSettings(settings_), options, std::ref(*patience));
    patience.reset();
    dialogs_->message(quarvelin::NomProgramme, quarvelin::message_conversion(r, catalogue_),
                      r.success() ? quarvelin::DialogIcon::Information
                                  : quarvelin::DialogIcon::Exclamation);
}
