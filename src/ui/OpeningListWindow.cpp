#include "ui/OpeningListWindow.h"

#include "localisation/TextCatalogue.h"
#include "session/CancelToken.h"
#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

using quarvelin::TextKey;

namespace {
constexpr int SeuilProgression = 100; // short lists appear without the progress window
} // namespace

OpeningListWindow::OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName(QStringLiteral("liste_coup"));
    liste_ = new QTreeWidget(this);
    liste_->setColumnCount(3);
    liste_->setRootIsDecorated(false);
    liste_->setAlternatingRowColors(true);
    liste_->setHeaderLabels({QStringLiteral("ECO"),
                             QString::fromStdString(catalogue.text(TextKey::Openings)), QString()});
    liste_->header()->setStretchLastSection(true);
    auto* l = new QVBoxLayout(this);
    l->addWidget(liste_);
    resize(760, 460);
}

void OpeningListWindow::remplir(const std::string& gameMoveText,
                                const std::vector<quarvelin::EcoLine>& lines) {
    const QString ouvertures = QString::fromStdString(catalogue_.text(TextKey::Openings));
    setWindowTitle(ouvertures + QStringLiteral(" - ") + QString::fromStdString(gameMoveText));
    liste_->clear();
    const int n = static_cast<int>(lines.size());
    quarvelin::clearCancel();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::unique_ptr<ProgressWindow> patience;
    if (n > SeuilProgression) {
        patience = std::make_unique<ProgressWindow>(this);
        patience->appliquer_textes(catalogue_);
        patience->setTitre(ouvertures);
        patience->setTexte(QString::fromStdString(catalogue_.text(TextKey::LookingUpOpenings)));
        patience->show();
    }
    int i = 0;
    for (const quarvelin::EcoLine& l : lines) {
        QCoreApplication::processEvents(); // the cancel button must be heard
        if (quarvelin::cancelRequested()) break;
        auto* item = new QTreeWidgetItem(liste_, {QString::fromStdString(l.code),
                                                  QString::fromStdString(l.label),
                                                  QString::fromStdString(l.moves)});
        item->setData(0, Qt::UserRole, QStringLiteral("ref%1").arg(l.key));
        ++i;
        if (patience) {
            patience->setTexte(QStringLiteral("%1/%2 ").arg(i).arg(n) + ouvertures);
            patience->afficher_progression(100 * i / n);
        }
    }
    QApplication::restoreOverrideCursor();
    if (patience) patience->close();
    liste_->resizeColumnToContents(0);
    liste_->setColumnWidth(1, 300);
    setWindowTitle(QString::number(n) + QStringLiteral(" ") + windowTitle());
}
