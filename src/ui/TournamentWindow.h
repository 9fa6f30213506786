// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tournament window (`tournament`): personalities (settings files) and outside UCI engines
// chosen, rounds, depth and games at once set, a round robin run on worker threads, the
// crosstable filled in as the games end. The last choices live in the per-user store, never in
// the settings file.
#include "tournament/Crosstable.h"
#include "tournament/Tournament.h"
#include "ui/UciPlayerDialog.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class QLabel;
class QSettings;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QGroupBox;

namespace quarvelin {
class Catalogue;
}

class TournamentWindow : public QDialog {
    Q_OBJECT

public:
    // `store`: an INI file standing in for the per-user store; empty for the user's own.
    TournamentWindow(const quarvelin::Catalogue& catalogue, std::string programFolder,
                     std::string openingBase, QWidget* parent = nullptr, const QString& store = {});
    ~TournamentWindow() override;

    void appliquer_textes(const quarvelin::Catalogue& catalogue);

    // The personalities' settings files, in the list's order.
    QStringList players() const;
    // Puts these personalities in the list in place of the ones there; the engines stay.
    void setPlayers(const QStringList& files);
    QList<UciPlayer> engines() const;
    // Puts an outside engine at `row` (-1: at the end), its name made unique in the list.
    void addEngine(UciPlayer engine, int row = -1);
    bool running() const { return thread_ != nullptr; }
    // The file chooser of the Add button; tests put their own answer here.
    std::function<QStringList()> chooseFiles;

public slots:
    void start();
    void stop();

signals:
    // The tournament ended: every game played, stopped, or an engine failed.
    void tournamentEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void add();
    void askEngine();
    void remove();
    void describe(QListWidgetItem* item) const;
    QStringList names() const;
    void remember() const;
    void showTable(const quarvelin::Crosstable& table);
    void ended(const std::optional<quarvelin::TournamentProblem>& problem);
    void states();

    const quarvelin::Catalogue& catalogue_;
    std::unique_ptr<QSettings> store() const;

    std::string programFolder_, openingBase_;
    QString storeFile_;
    std::unique_ptr<quarvelin::Tournament> tournament_;
    QThread* thread_ = nullptr;
    int played_ = 0, total_ = 0;
    bool stopping_ = false;

    QGroupBox* playersBox_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* addEngine_ = nullptr;
    QPointer<UciPlayerDialog> uciPlayer_;
    QPushButton* remove_ = nullptr;
    QLabel* roundsLabel_ = nullptr;
    QLabel* depthLabel_ = nullptr;
    QLabel* concurrencyLabel_ = nullptr;
    QSpinBox* rounds_ = nullptr;
    QSpinBox* depth_ = nullptr;
    QSpinBox* concurrency_ = nullptr;
    QTableWidget* table_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* close_ = nullptr;
};
