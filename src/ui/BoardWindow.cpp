// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardWindow.h"

#include "engine/Engine.h"
#include "localisation/TextCatalogue.h"
#include "network/Protocol.h"
#include "records/GamesFileController.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/FigureLabel.h"
#include "ui/GameListModel.h"
#include "ui/PromotionPicker.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

using quarvelin::PieceCode;
using quarvelin::Timer;

using quarvelin::TextKey;

namespace {

// Captions of this window, as catalogue offsets.
const char* const ClockStyle =
    "QLabel { background: #2f3a2a; color: #eef1e6; border-radius: 8px; padding: 6px 12px;"
    " font-family: 'DejaVu Sans Mono', monospace; font-size: 22px; font-weight: 600; }";
const char* const ClockRunningStyle =
    "QLabel { background: #5a7d3a; color: #ffffff; border-radius: 8px; padding: 6px 12px;"
    " font-family: 'DejaVu Sans Mono', monospace; font-size: 22px; font-weight: 700; }";

QFrame* card(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setObjectName(QStringLiteral("carte"));
    f->setStyleSheet(QStringLiteral(
        "QFrame#carte { background: #fbfcf9; border: 1px solid #d5d9cf; border-radius: 10px; }"));
    return f;
}

} // namespace

BoardWindow::BoardWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("plateau"));
    build();
}

BoardWindow::~BoardWindow() {
    if (waitCursor_) QApplication::restoreOverrideCursor();
}

QString BoardWindow::text(quarvelin::TextKey key) const {
    return catalogue_ ? QString::fromStdString(catalogue_->text(key)) : QString();
}

void BoardWindow::build() {
    board_ = new BoardView(this);
    board_->setObjectName(QStringLiteral("Echiquier"));

    auto* side = new QWidget(this);
    // The side can be widened by its splitter, for the game list's columns.
    side->setMinimumWidth(300);
    side->setMaximumWidth(760);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->setSpacing(8);

    auto clockRow = [&](QLabel*& clock, QLabel*& name, const char* object) {
        auto* f = card(side);
        auto* l = new QHBoxLayout(f);
        l->setContentsMargins(10, 8, 10, 8);
        name = new QLabel(f);
        name->setStyleSheet(QStringLiteral("font-weight: 600; font-size: 14px;"));
        clock = new QLabel(QStringLiteral("00:15:00"), f);
        clock->setObjectName(QLatin1String(object));
        clock->setStyleSheet(QLatin1String(ClockStyle));
        clock->setAlignment(Qt::AlignCenter);
        l->addWidget(name, 1);
        l->addWidget(clock);
        sideLayout->addWidget(f);
    };
    clockRow(clockTop_, nameTop_, "horloge_haute");

    // What the machine is thinking of, and how deep.
    auto* thinkingCard = card(side);
    auto* tl = new QHBoxLayout(thinkingCard);
    tl->setContentsMargins(10, 6, 10, 6);
    thinkingIcon_ = new QLabel(thinkingCard);
    thinkingIcon_->setFixedSize(28, 28);
    thinking_ = new QLabel(thinkingCard);
    thinking_->setObjectName(QStringLiteral("reflexion"));
    thinking_->setStyleSheet(QStringLiteral("color: #4a5740; font-style: italic;"));
    depth_ = new FigureLabel(thinkingCard);
    depth_->setObjectName(QStringLiteral("profondeur"));
    depth_->setStyleSheet(QStringLiteral("color: #6b7263;"));
    tl->addWidget(thinkingIcon_);
    tl->addWidget(thinking_, 1);
    tl->addWidget(depth_);
    sideLayout->addWidget(thinkingCard);

    lists_ = new QTabWidget(side);
    list1_ = new QListWidget(lists_);
    list1_->setObjectName(QStringLiteral("List1"));
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    mono.setPointSize(10);
    list1_->setFont(mono);
    list1_->setAlternatingRowColors(true);
    list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list1_->setWordWrap(true);
    // A few moves stay in view however small the window.
    list1_->setMinimumHeight(6 * QFontMetrics(mono).height());
    list2_ = new QTreeView(lists_);
    list2_->setObjectName(QStringLiteral("List2"));
    games_ = new GameListModel(list2_);
    list2_->setModel(games_);
    list2_->setRootIsDecorated(false);
    list2_->setUniformRowHeights(true); // a million rows scroll without measuring each one
    list2_->setAlternatingRowColors(true);
    list2_->setSortingEnabled(true);
    list2_->sortByColumn(-1, Qt::AscendingOrder); // file order until a heading is clicked
    list2_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list2_->setAllColumnsShowFocus(true);
    list2_->setContextMenuPolicy(Qt::CustomContextMenu);
    list2_->header()->setStretchLastSection(false);
    {
        const int widths[GameListModel::ColumnCount] = {150, 110, 80, 48, 130, 130, 56};
        for (int c = 0; c < GameListModel::ColumnCount; ++c) list2_->setColumnWidth(c, widths[c]);
        // The players and the result first: the panel is narrow, and they are what a reader
        // looks for. The heading can be dragged back.
        QHeaderView* h = list2_->header();
        const int order[GameListModel::ColumnCount] = {4, 5, 6, 2, 0, 1, 3};
        for (int v = 0; v < GameListModel::ColumnCount; ++v)
            h->moveSection(h->visualIndex(order[v]), v);
    }
    lists_->addTab(list1_, QString());
    lists_->addTab(list2_, QString());
    sideLayout->addWidget(lists_, 1);

    result_ = new QLabel(side);
    result_->setObjectName(QStringLiteral("resultat"));
    result_->setAlignment(Qt::AlignCenter);
    result_->setStyleSheet(QStringLiteral("font-size: 15px; font-weight: 700; color: #2f3a2a;"));
    result_->hide();
    sideLayout->addWidget(result_);

    auto* navRow = new QHBoxLayout;
    navRow->setSpacing(4);
    const char* captions[5] = {"|<", "<", ">", ">|", ""};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), side);
        b->setObjectName(QStringLiteral("action_%1").arg(i));
        b->setMinimumWidth(44);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (game_) game_->navigate(i);
        });
        navRow->addWidget(b);
        nav_[static_cast<std::size_t>(i)] = b;
    }
    nav_[4]->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    sideLayout->addLayout(navRow);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(4);
    note_ = new QPushButton(side);
    note_->setObjectName(QStringLiteral("note"));
    hint_ = new QPushButton(side);
    hint_->setObjectName(QStringLiteral("conseil"));
    coordinates_ = new QPushButton(side);
    coordinates_->setObjectName(QStringLiteral("bouton_repere"));
    command2_ = new QPushButton(side);
    command2_->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* b : {note_, hint_, command2_}) tools->addWidget(b);
    sideLayout->addLayout(tools);
    sideLayout->addWidget(coordinates_);
    connect(note_, &QPushButton::clicked, this, [this] {
        if (game_) game_->noteMove();
    });
    connect(hint_, &QPushButton::clicked, this, [this] {
        if (game_) game_->conseil_coup();
    });
    connect(coordinates_, &QPushButton::clicked, this, [this] {
        if (game_) game_->toggleCoordinates();
    });
    connect(command2_, &QPushButton::clicked, this, &BoardWindow::editorRequested);

    // The position editor's palette: the twelve pieces, board-wide commands and the start button.
    palette_ = card(side);
    palette_->setObjectName(QStringLiteral("cadre_palette"));
    auto* pl = new QGridLayout(palette_);
    pl->setContentsMargins(8, 8, 8, 8);
    paletteHelp_ = new QLabel(palette_);
    paletteHelp_->setWordWrap(true);
    paletteHelp_->setStyleSheet(QStringLiteral("color: #6b7263;"));
    pl->addWidget(paletteHelp_, 0, 0, 1, 6);
    for (int c = 2; c <= 13; ++c) {
        auto* b = new QToolButton(palette_);
        b->setObjectName(QStringLiteral("Piece_%1").arg(c));
        b->setIconSize(QSize(32, 32));
        b->setCheckable(true);
        connect(b, &QToolButton::clicked, this, [this, c] {
            if (game_) game_->clickPalette(static_cast<PieceCode>(c));
        });
        // White pieces on the first row, Black on the second, in the order of their codes.
        pl->addWidget(b, c >= 8 ? 1 : 2, (c - 2) % 6);
        paletteButtons_[static_cast<std::size_t>(c)] = b;
    }
    clearBoard_ = new QPushButton(palette_);
    clearBoard_->setObjectName(QStringLiteral("vider_echiquier"));
    initialPosition_ = new QPushButton(palette_);
    initialPosition_->setObjectName(QStringLiteral("position_initiale"));
    pl->addWidget(clearBoard_, 3, 0, 1, 3);
    pl->addWidget(initialPosition_, 3, 3, 1, 3);
    connect(clearBoard_, &QPushButton::clicked, this, [this] {
        if (game_) game_->clearEditorBoard();
    });
    connect(initialPosition_, &QPushButton::clicked, this, [this] {
        if (game_) game_->editorInitialPosition();
    });
    command4_ = new QPushButton(palette_);
    command4_->setObjectName(QStringLiteral("Command4"));
    pl->addWidget(command4_, 4, 0, 1, 6);
    connect(command4_, &QPushButton::clicked, this, [this] {
        if (game_) game_->startFromEditor();
    });
    palette_->hide();
    sideLayout->addWidget(palette_);

    // Network chat: shown in network play only.
    chat_ = card(side);
    auto* cl = new QVBoxLayout(chat_);
    cl->setContentsMargins(8, 8, 8, 8);
    chatBox_ = new QPlainTextEdit(chat_);
    chatBox_->setObjectName(QStringLiteral("chatBox"));
    chatBox_->setReadOnly(true);
    chatBox_->setMaximumHeight(90);
    chatField_ = new QLineEdit(chat_);
    chatField_->setObjectName(QStringLiteral("chat"));
    chatField_->setMaxLength(static_cast<int>(quarvelin::net::MaxChatChars));
    cl->addWidget(chatBox_);
    cl->addWidget(chatField_);
    connect(chatField_, &QLineEdit::returnPressed, this, [this] {
        if (chatField_->text().isEmpty()) return;
        chatBox_->appendPlainText(chatField_->text());
        emit chatSent(chatField_->text());
        chatField_->clear();
    });
    chat_->hide();
    sideLayout->addWidget(chat_);

    clockRow(clockBottom_, nameBottom_, "Horloge_basse");
    auto* durationRow = new QHBoxLayout;
    durationCaption_ = new QLabel(side);
    durationCaption_->setStyleSheet(QStringLiteral("color: #6b7263;"));
    duration_ = new QLabel(QStringLiteral("00:00:00"), side);
    duration_->setObjectName(QStringLiteral("duree_partie"));
    duration_->setStyleSheet(QStringLiteral("color: #4a5740; font-family: 'DejaVu Sans Mono';"));
    durationRow->addWidget(durationCaption_, 1);
    durationRow->addWidget(duration_);
    sideLayout->addLayout(durationRow);

    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    for (int i = 1; i <= 4; ++i) {
        // The counters give up their captions before their figures.
        QLabel* l = i == 1 ? new QLabel(status_) : new FigureLabel(status_);
        l->setObjectName(QStringLiteral("panneau_%1").arg(i));
        l->setStyleSheet(QStringLiteral("color: #4a5740;"));
        l->setContentsMargins(8, 0, 8, 0);
        status_->addWidget(l, i == 1 ? 1 : 0);
        panels_[static_cast<std::size_t>(i)] = l;
    }

    auto* top = new QHBoxLayout;
    top->setContentsMargins(10, 10, 10, 4);
    top->setSpacing(12);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->setHandleWidth(10);
    splitter_->addWidget(board_);
    splitter_->addWidget(side);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({10000, 300}); // the side at its narrowest until the user widens it
    top->addWidget(splitter_, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addLayout(top, 1);
    outer->addWidget(status_);

    for (int m = 0; m < quarvelin::TimerCount; ++m) {
        auto* t = new QTimer(this);
        connect(t, &QTimer::timeout, this, [this, m] { tick(static_cast<Timer>(m)); });
        timers_[static_cast<std::size_t>(m)] = t;
    }

    connect(board_, &BoardView::squarePressed, this, [this](int x, int y) {
        if (game_) game_->clickSquare(x, y);
    });
    connect(board_, &BoardView::rightClicked, this, &BoardWindow::gameMenuRequested);
    // Keys move the board as a click does.
    connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (game_ && !listUpdating_ && row >= 0) game_->selectLine(row);
    });
    connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (game_) game_->selectLine(list1_->row(item));
    });
    list1_->installEventFilter(this);
    connect(list1_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (game_) game_->doubleClickLine(list1_->row(item));
    });
    connect(list2_, &QTreeView::activated, this, [this](const QModelIndex& i) {
        if (i.isValid()) emit gameChosen(games_->position(i.row()));
    });
    connect(list2_, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        QMenu menu(list2_);
        QModelIndex i = list2_->indexAt(at);
        QAction* open = menu.addAction(text(TextKey::OpenTheGame));
        open->setEnabled(i.isValid());
        QAction* print = menu.addAction(text(TextKey::PrintGameList));
        print->setEnabled(games_->rowCount() > 0);
        QAction* choice = menu.exec(list2_->viewport()->mapToGlobal(at));
        if (choice == open)
            emit gameChosen(games_->position(i.row()));
        else if (choice == print)
            emit gameListPrintRequested();
    });
    appliquer_textes();
}

void BoardWindow::attach(quarvelin::GameController* game,
                         const quarvelin::TextCatalogue* catalogue) {
    game_ = game;
    catalogue_ = catalogue;
    appliquer_textes();
    for (int c = 2; c <= 13; ++c)
        paletteButtons_[static_cast<std::size_t>(c)]->setIcon(
            QIcon(board_->pieceImage(static_cast<PieceCode>(c), 64)));
}

void BoardWindow::appliquer_textes() {
    if (!catalogue_) return;
    setWindowTitle(text(TextKey::Game));
    const TextKey tips[4] = {TextKey::FirstMove, TextKey::PreviousMove, TextKey::NextMove,
                             TextKey::LastMove};
    for (int i = 0; i < 4; ++i) nav_[static_cast<std::size_t>(i)]->setToolTip(text(tips[i]));
    if (nav_[4]->toolTip().isEmpty()) nav_[4]->setToolTip(text(TextKey::StartScrolling));
    note_->setText(text(TextKey::Note));
    note_->setToolTip(text(TextKey::TipNote));
    hint_->setText(text(TextKey::Hint));
    hint_->setToolTip(text(TextKey::TipHint));
    command2_->setText(text(TextKey::SetUp));
    command2_->setToolTip(text(TextKey::TipSetUp));
    command4_->setText(text(TextKey::StartFromPosition));
    clearBoard_->setText(text(TextKey::EditorClearBoard));
    initialPosition_->setText(text(TextKey::EditorInitialPosition));
    paletteHelp_->setText(text(TextKey::EditorInstructions));
    bool visible = game_ && game_->session().coordinatesShown;
    coordinates_->setText(text(visible ? TextKey::HideCoordinates : TextKey::ShowCoordinates));
    lists_->setTabText(0, text(TextKey::Moves));
    lists_->setTabText(1, text(TextKey::Games));
    QStringList columns;
    for (int c = 0; c < GameListModel::ColumnCount; ++c)
        columns << text(quarvelin::GameListColumnTexts.at(c));
    games_->setCaptions(columns);
    durationCaption_->setText(text(TextKey::GameDuration));
    panels_[2]->setToolTip(text(TextKey::MovesExamined));
    panels_[3]->setToolTip(text(TextKey::PositionsEvaluated));
    panels_[4]->setToolTip(text(TextKey::BestScore));
    chatField_->setPlaceholderText(text(TextKey::MessageToOpponent));
    if (const quarvelin::PgnIndex* games = games_->list())
        panels_[1]->setText(QString::fromStdString(quarvelin::listStatus(*games, *catalogue_)));
    if (counters_) counters(counters_->first, counters_->second);
    clocksChanged();
}

void BoardWindow::setMoveMarks(std::vector<std::string> shortTexts,
                               std::vector<std::string> marks) {
    markedTexts_ = std::move(shortTexts);
    marks_ = std::move(marks);
    listChanged();
}

std::vector<std::pair<QString, int>> BoardWindow::shownLines() const {
    const quarvelin::GameSession& s = game_->session();
    std::vector<std::pair<QString, int>> out;
    std::size_t move = 0;
    bool same = true; // the game still has the analysed moves up to here
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        QString line = QString::fromStdString(s.lines[i]);
        int rank = 0;
        const std::string shortText = i < s.shortTexts.size() ? s.shortTexts[i] : std::string();
        if (!shortText.empty()) {
            same = same && move < markedTexts_.size() && markedTexts_[move] == shortText;
            if (same && move < marks_.size() && !marks_[move].empty()) {
                line += QStringLiteral("  ") + QString::fromStdString(marks_[move]);
                rank = marks_[move] == "??" ? 3 : marks_[move] == "?" ? 2 : 1;
            }
            ++move;
        }
        out.emplace_back(line, rank);
    }
    return out;
}

void BoardWindow::listChanged() {
    if (!game_) return;
    const quarvelin::GameSession& s = game_->session();
    const std::vector<std::pair<QString, int>> lines = shownLines();
    listUpdating_ = true;
    list1_->setUpdatesEnabled(false);
    // Lines are only ever added at the end or cut back; rebuild only what differs.
    int common = 0;
    const int n = static_cast<int>(lines.size());
    while (common < n && common < list1_->count() &&
           list1_->item(common)->text() == lines[static_cast<std::size_t>(common)].first)
        ++common;
    while (list1_->count() > common) delete list1_->takeItem(list1_->count() - 1);
    // Weak moves stand out by colour as well as by their mark.
    static const QColor markColours[] = {QColor(0xB2, 0x7A, 0x00), QColor(0xD0, 0x60, 0x10),
                                         QColor(0xC0, 0x18, 0x18)};
    for (int i = common; i < n; ++i) {
        const auto& [line, mark] = lines[static_cast<std::size_t>(i)];
        auto* item = new QListWidgetItem(line, list1_);
        if (mark > 0) {
            item->setForeground(markColours[mark - 1]);
            QFont f = item->font();
            f.setBold(mark == 3);
            item->setFont(f);
        }
    }
    list1_->setCurrentRow(s.selectedLine);
    if (s.selectedLine < 0) list1_->clearSelection();
    list1_->setUpdatesEnabled(true);
    listUpdating_ = false;
    if (s.selectedLine >= 0) list1_->scrollToItem(list1_->item(s.selectedLine));
    updateLastMove();
    clocksChanged();
}

void BoardWindow::updateLastMove() {
    const quarvelin::GameSession& s = game_->session();
    const int k = game_->shownEntry();
    std::vector<std::pair<int, int>> squares;
    // A result line repeats the position before it: the mark stays on the last move.
    for (int j = std::min(k, static_cast<int>(s.PositionStates.size()) - 1);
         j >= 1 && squares.empty(); --j) {
        const quarvelin::Position& a = s.PositionStates[static_cast<std::size_t>(j - 1)];
        const quarvelin::Position& b = s.PositionStates[static_cast<std::size_t>(j)];
        const quarvelin::Colour mover = b.LastMoverColour;
        // The squares the mover left and the one it came to; a castling rook's too.
        for (int y = 1; y <= 8; ++y)
            for (int x = 1; x <= 8; ++x)
                if (a.at(x, y) != b.at(x, y) &&
                    (b.at(x, y) == PieceCode::Empty || quarvelin::colourOf(b.at(x, y)) == mover))
                    squares.emplace_back(x, y);
    }
    board_->setLastMove(squares);
}

void BoardWindow::boardTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void BoardWindow::clocksChanged() {
    if (!game_) return;
    const quarvelin::Clocks& h = game_->clocks();
    clockTop_->setText(QString::fromStdString(h.top()));
    clockBottom_->setText(QString::fromStdString(h.bottom()));
    duration_->setText(QString::fromStdString(h.duration()));
    clockTop_->setStyleSheet(QLatin1String(h.running(Timer::Top) ? ClockRunningStyle : ClockStyle));
    clockBottom_->setStyleSheet(
        QLatin1String(h.running(Timer::Bottom) ? ClockRunningStyle : ClockStyle));
    const bool whiteAtBottom = game_->position().PlayerColour == quarvelin::Colour::White;
    nameBottom_->setText(text(whiteAtBottom ? TextKey::ClockWhite : TextKey::ClockBlack));
    nameTop_->setText(text(whiteAtBottom ? TextKey::ClockBlack : TextKey::ClockWhite));
}

void BoardWindow::waitCursor(bool waiting) {
    if (waiting == waitCursor_) return;
    waitCursor_ = waiting;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        thinking_->setText(text(TextKey::MachineThinking));
    } else {
        QApplication::restoreOverrideCursor();
        // A search that named no move (a hint, a book move) leaves nothing to show.
        if (thinking_->text() == text(TextKey::MachineThinking)) thinking_->clear();
    }
    hint_->setEnabled(!waiting);
    command2_->setEnabled(!waiting);
}

void BoardWindow::pieceLifted(PieceCode piece) { board_->setLiftedPiece(piece); }

void BoardWindow::thinking(const std::string& t, PieceCode piece) {
    thinking_->setText(QString::fromStdString(t).trimmed());
    thinkingIcon_->setPixmap(quarvelin::isPiece(piece) ? board_->pieceImage(piece, 28) : QPixmap());
}

void BoardWindow::counters(const quarvelin::SearchCounters& c, float best) {
    counters_.emplace(c, best);
    auto panel = [&](int i, quarvelin::TextKey key, const QString& value) {
        static_cast<FigureLabel*>(panels_[static_cast<std::size_t>(i)])
            ->setParts(text(key), QStringLiteral(" : "), value);
    };
    panel(2, TextKey::MovesExamined, QString::number(c.MovesExamined));
    panel(3, TextKey::PositionsEvaluated, QString::number(c.PositionsEvaluated));
    panel(4, TextKey::BestScore,
          best <= -quarvelin::Infinity ? QStringLiteral("-")
                                       : QString::fromStdString(quarvelin::scoreText(best)));
    depth_->setParts(text(TextKey::Depth), QStringLiteral(" "), QString::number(c.SearchDepth));
}

void BoardWindow::playButton(bool running, const std::string& tip) {
    nav_[4]->setIcon(style()->standardIcon(running ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    nav_[4]->setToolTip(QString::fromStdString(tip));
}

void BoardWindow::result(const std::string& r) {
    result_->setText(QString::fromStdString(r));
    result_->setVisible(r != "*");
}

void BoardWindow::coordinates(bool visible) {
    board_->setCoordinatesVisible(visible);
    coordinates_->setText(text(visible ? TextKey::HideCoordinates : TextKey::ShowCoordinates));
}

void BoardWindow::palette(bool visible) {
    palette_->setVisible(visible);
    command2_->setEnabled(!visible);
    paletteChoice(PieceCode::Empty);
}

void BoardWindow::paletteChoice(PieceCode piece) {
    for (int c = 2; c <= 13; ++c)
        paletteButtons_[static_cast<std::size_t>(c)]->setChecked(c == quarvelin::code(piece));
}

std::optional<quarvelin::PieceType> BoardWindow::choosePromotion(quarvelin::Colour mover) {
    PromotionPicker picker(
        this, text(TextKey::PromotionChoose), text(TextKey::ButtonCancel),
        [this](PieceCode p) { return board_->pieceImage(p, 64); }, mover);
    if (picker.exec() != QDialog::Accepted) return std::nullopt;
    return picker.chosen();
}

bool BoardWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list1_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && game_ && list1_->currentRow() >= 0) {
            game_->selectLine(list1_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardWindow::setNetworkMode(bool network) { chat_->setVisible(network); }

void BoardWindow::appendChat(const QString& line) {
    chatBox_->appendPlainText(line);
    chatBox_->setFocus();
    chatBox_->moveCursor(QTextCursor::End);
    chatBox_->ensureCursorVisible();
}

void BoardWindow::set(Timer m, int intervalMs) {
    QTimer* t = timers_[static_cast<std::size_t>(m)];
    if (intervalMs <= 0) {
        t->stop();
    } else {
        t->start(intervalMs);
    }
}

bool BoardWindow::timerRunning(Timer m) const {
    return timers_[static_cast<std::size_t>(m)]->isActive();
}

void BoardWindow::tick(Timer m) {
    if (!game_) return;
    // A question box spins the event loop inside a move: the clocks go on, the game waits.
    if (QApplication::activeModalWidget())
        game_->tickWhileAsking(m);
    else
        game_->tick(m);
}

void BoardWindow::showGames(std::shared_ptr<const quarvelin::PgnIndex> index,
                            const QString& status) {
    const bool empty = !index || index->empty();
    list2_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    games_->setIndex(std::move(index));
    panels_[1]->setText(status);
    if (!empty) {
        lists_->setCurrentIndex(1);
        list2_->setCurrentIndex(games_->index(0, list2_->header()->logicalIndex(0)));
        // Room for the players, the result and the date, taken only from the width the square
        // board leaves unused: the board keeps its size.
        const int wanted = 470;
        const QList<int> sizes = splitter_->sizes();
        if (sizes.size() == 2 && sizes[1] < wanted) {
            const int grow = std::min(wanted - sizes[1], std::max(sizes[0] - board_->height(), 0));
            if (grow > 0) splitter_->setSizes({sizes[0] - grow, sizes[1] + grow});
        }
    }
}
