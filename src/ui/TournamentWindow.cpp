// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TournamentWindow.h"

#include "localisation/Catalogue.h"
#include "ui/Captions.h"
#include "ui/LastFolder.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

using namespace quarvelin;

namespace {

// The window's keys in the per-user store.
QString key(const char* name) { return QStringLiteral("Tournament/") + QLatin1String(name); }

// What a players' list item holds: a personality's file, or an outside engine.
enum Role { File = Qt::UserRole, EngineName, Command, Options, MoveTime };

bool isEngine(const QListWidgetItem* item) { return !item->data(Command).toString().isEmpty(); }

} // namespace

TournamentWindow::TournamentWindow(const Catalogue& catalogue, std::string programFolder,
                                   std::string openingBase, QWidget* parent, const QString& store)
    : QDialog(parent), catalogue_(catalogue), programFolder_(std::move(programFolder)),
      openingBase_(std::move(openingBase)), storeFile_(store) {
    setObjectName(QStringLiteral("tournament"));
    setSizeGripEnabled(true);

    playersBox_ = new QGroupBox;
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("players"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A few players fit; the crosstable below gets the height.
    list_->setMaximumHeight(list_->fontMetrics().height() * 7);
    add_ = new QPushButton;
    add_->setObjectName(QStringLiteral("add"));
    addEngine_ = new QPushButton;
    addEngine_->setObjectName(QStringLiteral("addEngine"));
    remove_ = new QPushButton;
    remove_->setObjectName(QStringLiteral("remove"));
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(add_);
    listButtons->addWidget(addEngine_);
    listButtons->addWidget(remove_);
    listButtons->addStretch(1);
    auto* playersLayout = new QHBoxLayout(playersBox_);
    playersLayout->addWidget(list_, 1);
    playersLayout->addLayout(listButtons);

    auto spin = [](const char* name, int low, int high) {
        auto* s = new QSpinBox;
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(low, high);
        return s;
    };
    rounds_ = spin("rounds", 1, 1000);
    depth_ = spin("depth", 0, 3);
    concurrency_ = spin("concurrency", 1, std::max(1, QThread::idealThreadCount()));
    roundsLabel_ = new QLabel;
    depthLabel_ = new QLabel;
    concurrencyLabel_ = new QLabel;
    roundsLabel_->setBuddy(rounds_);
    depthLabel_->setBuddy(depth_);
    concurrencyLabel_->setBuddy(concurrency_);
    auto* form = new QFormLayout;
    form->addRow(roundsLabel_, rounds_);
    form->addRow(depthLabel_, depth_);
    form->addRow(concurrencyLabel_, concurrency_);
    auto* top = new QHBoxLayout;
    top->addWidget(playersBox_, 1);
    top->addLayout(form);

    table_ = new QTableWidget;
    table_->setObjectName(QStringLiteral("crosstable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setHighlightSections(false);

    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("progressBar"));
    progress_->setTextVisible(false);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("progress"));
    status_->setWordWrap(true);

    start_ = new QPushButton;
    start_->setObjectName(QStringLiteral("start"));
    start_->setDefault(true);
    stop_ = new QPushButton;
    stop_->setObjectName(QStringLiteral("stop"));
    close_ = new QPushButton;
    close_->setObjectName(QStringLiteral("close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addWidget(progress_);
    layout->addLayout(buttons);

    connect(add_, &QPushButton::clicked, this, &TournamentWindow::add);
    connect(addEngine_, &QPushButton::clicked, this, &TournamentWindow::askEngine);
    connect(remove_, &QPushButton::clicked, this, &TournamentWindow::remove);
    connect(start_, &QPushButton::clicked, this, &TournamentWindow::start);
    connect(stop_, &QPushButton::clicked, this, &TournamentWindow::stop);
    connect(close_, &QPushButton::clicked, this, &TournamentWindow::close);
    connect(list_, &QListWidget::itemSelectionChanged, this, &TournamentWindow::states);

    auto s = this->store();
    setPlayers(s->value(key("Players")).toStringList());
    // Each engine back at its row, in rising order, so the list reads as it was left.
    const int engines = s->beginReadArray(key("Engines"));
    for (int i = 0; i < engines; ++i) {
        s->setArrayIndex(i);
        UciPlayer e{s->value(QStringLiteral("Name")).toString(),
                    s->value(QStringLiteral("Command")).toString(),
                    s->value(QStringLiteral("Options")).toStringList(),
                    s->value(QStringLiteral("MoveTime"), 100).toInt()};
        if (!e.command.isEmpty() && e.moveTimeMs > 0)
            addEngine(e, s->value(QStringLiteral("Row"), -1).toInt());
    }
    s->endArray();
    rounds_->setValue(s->value(key("Rounds"), 2).toInt());
    depth_->setValue(s->value(key("Depth"), 1).toInt());
    concurrency_->setValue(s->value(key("Concurrency"), concurrency_->maximum()).toInt());
    appliquer_textes(catalogue);
    resize(720, 520);
}

TournamentWindow::~TournamentWindow() {
    if (tournament_) tournament_->stop();
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

void TournamentWindow::appliquer_textes(const Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::TournamentTitle));
    playersBox_->setTitle(Captions::text(catalogue, TextKey::TournamentPlayersAndEngines));
    add_->setText(Captions::text(catalogue, TextKey::TournamentAdd));
    addEngine_->setText(Captions::text(catalogue, TextKey::TournamentAddEngine));
    for (int i = 0; i < list_->count(); ++i) describe(list_->item(i));
    if (uciPlayer_) uciPlayer_->appliquer_textes(catalogue);
    remove_->setText(Captions::text(catalogue, TextKey::TournamentRemove));
    roundsLabel_->setText(Captions::label(catalogue, TextKey::TournamentRounds));
    depthLabel_->setText(Captions::label(catalogue, TextKey::TournamentDepth));
    concurrencyLabel_->setText(Captions::label(catalogue, TextKey::TournamentConcurrency));
    start_->setText(Captions::text(catalogue, TextKey::TournamentStart));
    stop_->setText(Captions::text(catalogue, TextKey::TournamentStop));
    close_->setText(Captions::text(catalogue, TextKey::TournamentClose));
    if (tournament_) showTable(tournament_->table());
    states();
}

QStringList TournamentWindow::players() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        if (!isEngine(list_->item(i))) out << list_->item(i)->data(File).toString();
    return out;
}

void TournamentWindow::setPlayers(const QStringList& files) {
    for (int i = list_->count() - 1; i >= 0; --i)
        if (!isEngine(list_->item(i))) delete list_->takeItem(i);
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(list_);
        item->setData(File, file);
        describe(item);
    }
    states();
}

QList<UciPlayer> TournamentWindow::engines() const {
    QList<UciPlayer> out;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        if (isEngine(item))
            out << UciPlayer{item->data(EngineName).toString(), item->data(Command).toString(),
                             item->data(Options).toStringList(), item->data(MoveTime).toInt()};
    }
    return out;
}

void TournamentWindow::addEngine(UciPlayer engine, int row) {
    auto* item = new QListWidgetItem;
    item->setData(EngineName, UciPlayerDialog::uniqueName(engine.name, names()));
    item->setData(Command, engine.command);
    item->setData(Options, engine.options);
    item->setData(MoveTime, engine.moveTimeMs);
    describe(item);
    list_->insertItem(row < 0 || row > list_->count() ? list_->count() : row, item);
    states();
}

void TournamentWindow::describe(QListWidgetItem* item) const {
    if (!isEngine(item)) {
        const QString file = item->data(File).toString();
        item->setText(QFileInfo(file).completeBaseName());
        item->setToolTip(file);
        return;
    }
    const QStringList options = item->data(Options).toStringList();
    const std::string name = item->data(EngineName).toString().toStdString();
    item->setText(QString::fromStdString(catalogue_.text(TextKey::UciPlayerListed, {name})));
    item->setToolTip(QString::fromStdString(
        catalogue_.text(TextKey::UciPlayerTip,
                        {item->data(Command).toString().toStdString(),
                         options.isEmpty() ? catalogue_.text(TextKey::UciPlayerNoOptions)
                                           : options.join(QStringLiteral("; ")).toStdString(),
                         std::to_string(item->data(MoveTime).toInt())})));
}

// The players' names in the crosstable.
QStringList TournamentWindow::names() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        out << (isEngine(item) ? item->data(EngineName).toString()
                               : QFileInfo(item->data(File).toString()).completeBaseName());
    }
    return out;
}

void TournamentWindow::add() {
    QStringList chosen =
        chooseFiles ? chooseFiles()
                    : QFileDialog::getOpenFileNames(
                          this, Captions::text(catalogue_, TextKey::ChooseFile),
                          LastFolder::startIn(this, QString::fromStdString(programFolder_)),
                          QStringLiteral("*.ini"));
    if (chosen.isEmpty()) return;
    LastFolder::remember(this, chosen.front());
    const QStringList files = players();
    for (const QString& f : chosen) {
        if (files.contains(f)) continue;
        auto* item = new QListWidgetItem(list_);
        item->setData(File, f);
        describe(item);
    }
    states();
}

void TournamentWindow::askEngine() {
    if (!uciPlayer_) {
        uciPlayer_ = new UciPlayerDialog(catalogue_, names(), this);
        uciPlayer_->setAttribute(Qt::WA_DeleteOnClose);
        UciPlayerDialog* dialog = uciPlayer_;
        connect(dialog, &QDialog::accepted, this, [this, dialog] { addEngine(dialog->player()); });
    }
    uciPlayer_->open();
    uciPlayer_->raise();
}

void TournamentWindow::remove() {
    qDeleteAll(list_->selectedItems());
    states();
}

void TournamentWindow::remember() const {
    auto s = store();
    s->setValue(key("Players"), players());
    s->remove(key("Engines"));
    s->beginWriteArray(key("Engines"));
    for (int row = 0, n = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        if (!isEngine(item)) continue;
        s->setArrayIndex(n++);
        s->setValue(QStringLiteral("Name"), item->data(EngineName));
        s->setValue(QStringLiteral("Command"), item->data(Command));
        s->setValue(QStringLiteral("Options"), item->data(Options));
        s->setValue(QStringLiteral("MoveTime"), item->data(MoveTime));
        s->setValue(QStringLiteral("Row"), row);
    }
    s->endArray();
    s->setValue(key("Rounds"), rounds_->value());
    s->setValue(key("Depth"), depth_->value());
    s->setValue(key("Concurrency"), concurrency_->value());
}

std::unique_ptr<QSettings> TournamentWindow::store() const {
    if (!storeFile_.isEmpty()) return std::make_unique<QSettings>(storeFile_, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Quarvelin"), QStringLiteral("Quarvelin"));
}

void TournamentWindow::start() {
    if (thread_) return;
    remember();
    TournamentOptions o;
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        if (!isEngine(item)) {
            o.players.push_back(personality(item->data(File).toString().toStdString()));
            continue;
        }
        TournamentPlayer p;
        p.name = item->data(EngineName).toString().toStdString();
        p.uciCommand = item->data(Command).toString().toStdString();
        for (const QString& option : item->data(Options).toStringList())
            p.uciOptions.push_back(option.toStdString());
        p.uciMoveTimeMs = item->data(MoveTime).toInt();
        o.players.push_back(p);
    }
    o.rounds = rounds_->value();
    o.depth = depth_->value();
    o.concurrency = concurrency_->value();
    o.programFolder = programFolder_;
    o.basePath = openingBase_;
    // A fresh seed each start: two tournaments of the same players differ in their openings.
    o.seed = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    tournament_ = std::make_unique<Tournament>(o);
    if (auto problem = tournament_->prepare()) {
        status_->setText(QString::fromStdString(problemText(*problem, catalogue_)));
        tournament_.reset();
        return;
    }
    played_ = 0;
    total_ = tournament_->gameCount();
    stopping_ = false;
    progress_->setRange(0, total_);
    progress_->setValue(0);
    showTable(tournament_->table());
    Tournament* t = tournament_.get();
    thread_ = QThread::create([this, t] {
        auto problem = t->run([this](const PlayedGame&, const Crosstable& table) {
            // A copy crosses to the interface thread; the workers go on meanwhile.
            QMetaObject::invokeMethod(
                this, [this, table] { showTable(table); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, problem] { ended(problem); }, Qt::QueuedConnection);
    });
    thread_->start();
    states();
}

void TournamentWindow::stop() {
    if (!tournament_ || !thread_) return;
    stopping_ = true;
    tournament_->stop();
    states();
}

void TournamentWindow::ended(const std::optional<TournamentProblem>& problem) {
    if (thread_) {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
    }
    if (problem)
        status_->setText(QString::fromStdString(problemText(*problem, catalogue_)));
    else if (stopping_)
        status_->setText(QString::fromStdString(catalogue_.text(
            TextKey::TournamentStopped, {std::to_string(played_), std::to_string(total_)})));
    states();
    emit tournamentEnded();
}

void TournamentWindow::showTable(const Crosstable& table) {
    const auto rows = table.rows();
    const int n = static_cast<int>(rows.size());
    QStringList headers{QStringLiteral("#"),
                        Captions::text(catalogue_, TextKey::CrosstablePlayer),
                        Captions::text(catalogue_, TextKey::CrosstableGames),
                        Captions::text(catalogue_, TextKey::CrosstablePoints),
                        Captions::text(catalogue_, TextKey::CrosstableScore),
                        Captions::text(catalogue_, TextKey::CrosstableElo)};
    for (int k = 1; k <= n; ++k) headers << QString::number(k);
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(n);
    const QLocale locale;
    for (int r = 0; r < n; ++r) {
        const Crosstable::Row& row = rows[static_cast<std::size_t>(r)];
        QStringList cells{QString::number(r + 1),
                          QString::fromStdString(row.name),
                          QString::number(row.games),
                          locale.toString(row.points, 'f', 1),
                          row.games ? locale.toString(row.percent, 'f', 1) + u'%' : QString(),
                          row.games ? QString::fromStdString(eloText(row.elo)) : QString()};
        for (const Crosstable::Row& other : rows) {
            const auto j = static_cast<std::size_t>(other.player);
            const auto& p = row.against[j];
            cells << (!p                    ? QStringLiteral("—")
                      : row.gamesAgainst[j] ? locale.toString(*p, 'f', 1)
                                            : QString());
        }
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    played_ = table.games();
    progress_->setValue(played_);
    if (total_ > 0)
        status_->setText(QString::fromStdString(catalogue_.text(
            TextKey::TournamentProgress, {std::to_string(played_), std::to_string(total_)})));
}

void TournamentWindow::states() {
    const bool busy = thread_ != nullptr;
    start_->setEnabled(!busy && list_->count() >= 2);
    stop_->setEnabled(busy && !stopping_);
    add_->setEnabled(!busy);
    addEngine_->setEnabled(!busy);
    remove_->setEnabled(!busy && !list_->selectedItems().isEmpty());
    rounds_->setEnabled(!busy);
    depth_->setEnabled(!busy);
    concurrency_->setEnabled(!busy);
}

void TournamentWindow::closeEvent(QCloseEvent* event) {
    remember();
    stop();
    QDialog::closeEvent(event);
}

void TournamentWindow::reject() {
    remember();
    stop();
    QDialog::reject();
}
