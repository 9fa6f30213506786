#include "ui/OpeningListWindow.h"

#include "localisation/TextCatalogue.h"
#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

using quarvelin::TextKey;

namespace {
constexpr int ProgressThreshold = 100; // short lists appear without the progress window
} // namespace

OpeningListWindow::OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName(QStringLiteral("liste_coup"));
    list_ = new QTreeWidget(this);
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({QStringLiteral("ECO"),
                            QString::fromStdString(catalogue.text(TextKey::Openings)), QString()});
    list_->header()->setStretchLastSection(true);
    auto* l = new QVBoxLayout(this);
    l->addWidget(list_);
    resize(760, 460);
}

void OpeningListWindow::fill(const std::string& gameMoveText,
                             const std::vector<quarvelin::EcoLine>& lines) {
    const QString openings = QString::fromStdString(catalogue_.text(TextKey::Openings));
    setWindowTitle(openings + QStringLiteral(" - ") + QString::fromStdString(gameMoveText));
    list_->clear();
    const int n = static_cast<int>(lines.size());
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::unique_ptr<ProgressWindow> progress;
    if (n > ProgressThreshold) {
        progress = std::make_unique<ProgressWindow>(this);
        progress->appliquer_textes(catalogue_);
        progress->setTitle(openings);
        progress->setText(QString::fromStdString(catalogue_.text(TextKey::LookingUpOpenings)));
        progress->show();
    }
    int i = 0;
    for (const quarvelin::EcoLine& l : lines) {
        QCoreApplication::processEvents(); // the cancel button must be heard
        if (progress && progress->cancelToken().cancelled()) break;
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(l.code),
                                                 QString::fromStdString(l.label),
                                                 QString::fromStdString(l.moves)});
        item->setData(0, Qt::UserRole, QStringLiteral("ref%1").arg(l.key));
        ++i;
        if (progress) {
            progress->setText(QStringLiteral("%1/%2 ").arg(i).arg(n) + openings);
            progress->afficher_progression(100 * i / n);
        }
    }
    QApplication::restoreOverrideCursor();
    if (progress) progress->close();
    list_->resizeColumnToContents(0);
    list_->setColumnWidth(1, 300);
    setWindowTitle(QString::number(n) + QStringLiteral(" ") + windowTitle());
}
