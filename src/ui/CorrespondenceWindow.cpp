// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CorrespondenceWindow.h"

#include "config/Settings.h"
#include "config/Version.h"
#include "correspondence/CorrespondenceRules.h"
#include "localisation/Catalogue.h"
#include "localisation/Dialogs.h"
#include "ui/CorrespondenceDialogs.h"
#include "ui/DateField.h"
#include "ui/PrintCommands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

using quarvelin::CorrespondenceGame;
using quarvelin::CorrespondenceState;
using quarvelin::TextKey;

namespace {

// The three state icons: "main" (the user's move), "validation" (sent, waiting), "interdiction"
// (finished).
QIcon stateIcon(CorrespondenceState state) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = state == CorrespondenceState::UserTurn  ? QColor(0xe6, 0x7e, 0x22)
                        : state == CorrespondenceState::Waiting ? QColor(0x27, 0xae, 0x60)
                                                                : QColor(0xc0, 0x39, 0x2b);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(QRectF(3, 3, 34, 34));
    p.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (state == CorrespondenceState::Waiting) {
        p.drawPolyline(QPolygonF({QPointF(12, 21), QPointF(18, 27), QPointF(29, 14)}));
    } else if (state == CorrespondenceState::Finished) {
        p.drawLine(QPointF(11, 20), QPointF(29, 20));
    } else {
        // An open hand: palm and four fingers.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(12, 18, 16, 13), 5, 5);
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(12.5 + 4 * i, 9 + (i == 0 || i == 3 ? 2 : 0), 3, 12), 1.5,
                              1.5);
        p.drawRoundedRect(QRectF(7, 18, 8, 3.2), 1.6, 1.6);
    }
    return QIcon(pm);
}

QString fourDigits(int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); }

} // namespace

CorrespondenceWindow::CorrespondenceWindow(CorrespondenceLinks links, QWidget* parent)
    : QDialog(parent), links_(std::move(links)),
      store_(QString::fromStdString(links_.settings.BASE_CORRES)) {
    setObjectName(QStringLiteral("corres"));
    auto& cat = links_.catalogue;
    auto& dlg = links_.dialogs;

    list_ = new QTreeWidget;
    list_->setObjectName(QStringLiteral("gameList"));
    list_->setColumnCount(10);
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true);
    list_->setIconSize(QSize(20, 20));
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    list_->setColumnWidth(0, 34);
    const int widths[] = {34, 56, 90, 140, 140, 120, 56, 80, 100};
    for (int c = 0; c < 9; ++c) list_->setColumnWidth(c, widths[c]);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item) return;
        if (auto g = store_.game(item->data(0, KeyRole).toString().mid(3).toInt())) showGame(*g);
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { openOnBoard(); });

    details_ = new QGroupBox;
    details_->setObjectName(QStringLiteral("details"));
    auto* form = new QGridLayout(details_);
    auto label = [&](TextKey key) {
        auto* l = new QLabel;
        labels_.push_back({l, key});
        return l;
    };
    cle_ = new QLabel;
    cle_->setObjectName(QStringLiteral("Cle"));
    cleAdverse_ = new QLineEdit;
    cleAdverse_->setObjectName(QStringLiteral("Cle adverse"));
    cleAdverse_->setValidator(new QIntValidator(0, 9999, cleAdverse_));
    jaiBlanc_ = new QCheckBox;
    jaiBlanc_->setObjectName(QStringLiteral("JAIBLANC"));
    auto line = [&](const char* name) {
        auto* e = new QLineEdit;
        e->setObjectName(QString::fromUtf8(name));
        return e;
    };
    blanc_ = line("BLANC");
    noir_ = line("NOIR");
    melBlanc_ = line("Mel Blanc");
    melNoir_ = line("Mel Noir");
    eloBlanc_ = line("Elo Blanc");
    eloNoir_ = line("Elo Noir");
    resultat_ = line("Resultat");
    dateDebut_ = new DateField(cat, dlg);
    dateDebut_->setObjectName(QStringLiteral("Date debut"));
    dateFin_ = new DateField(cat, dlg);
    dateFin_->setObjectName(QStringLiteral("Date fin"));
    avertir_ = new QCheckBox;
    avertir_->setObjectName(QStringLiteral("Avertir"));
    french_ = new QRadioButton;
    french_->setObjectName(QStringLiteral("notationFrench"));
    pgn_ = new QRadioButton;
    pgn_->setObjectName(QStringLiteral("notationPgn"));
    auto* notations = new QButtonGroup(this);
    notations->addButton(french_);
    notations->addButton(pgn_);
    moves_ = new QPlainTextEdit;
    moves_->setObjectName(QStringLiteral("Move"));
    moves_->setReadOnly(true);
    moves_->setMaximumHeight(70);
    lastSent_ = new QLabel;
    lastReceived_ = new QLabel;
    length_ = new QLabel;
    sinceSent_ = new QLabel;
    sinceReceived_ = new QLabel;

    int row = 0;
    form->addWidget(label(TextKey::ColumnOurNumber), row, 0);
    form->addWidget(cle_, row, 1);
    form->addWidget(label(TextKey::ColumnTheirNumber), row, 2);
    form->addWidget(cleAdverse_, row++, 3);
    form->addWidget(label(TextKey::WhitePlayer), row, 0);
    form->addWidget(blanc_, row, 1);
    form->addWidget(label(TextKey::BlackPlayer), row, 2);
    form->addWidget(noir_, row++, 3);
    form->addWidget(label(TextKey::WhiteMail), row, 0);
    form->addWidget(melBlanc_, row, 1);
    form->addWidget(label(TextKey::BlackMail), row, 2);
    form->addWidget(melNoir_, row++, 3);
    form->addWidget(label(TextKey::WhiteElo), row, 0);
    form->addWidget(eloBlanc_, row, 1);
    form->addWidget(label(TextKey::BlackElo), row, 2);
    form->addWidget(eloNoir_, row++, 3);
    form->addWidget(label(TextKey::GameStart), row, 0);
    form->addWidget(dateDebut_, row, 1);
    form->addWidget(label(TextKey::GameEnd), row, 2);
    form->addWidget(dateFin_, row++, 3);
    form->addWidget(label(TextKey::GameResultLabel), row, 0);
    form->addWidget(resultat_, row, 1);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(jaiBlanc_);
    ticks->addWidget(avertir_);
    ticks->addStretch();
    form->addLayout(ticks, row++, 2, 1, 2);
    auto* notationRow = new QHBoxLayout;
    notationRow->addWidget(french_);
    notationRow->addWidget(pgn_);
    notationRow->addStretch();
    form->addLayout(notationRow, row++, 1, 1, 3);
    form->addWidget(label(TextKey::MovesOfGame), row, 0, Qt::AlignTop);
    form->addWidget(moves_, row++, 1, 1, 3);
    form->addWidget(label(TextKey::ColumnLastSent), row, 0);
    form->addWidget(lastSent_, row, 1);
    form->addWidget(label(TextKey::LastMoveReceived), row, 2);
    form->addWidget(lastReceived_, row++, 3);
    form->addWidget(label(TextKey::GameLengthDays), row, 0);
    form->addWidget(length_, row, 1);
    form->addWidget(label(TextKey::DaysSinceSent), row, 2);
    form->addWidget(sinceSent_, row++, 3);
    form->addWidget(label(TextKey::DaysSinceReceived), row, 2);
    form->addWidget(sinceReceived_, row++, 3);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);

    auto button = [&](const char* name, void (CorrespondenceWindow::*slot)()) {
        auto* b = new QPushButton;
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    newButton_ = button("newGame", &CorrespondenceWindow::newGame);
    saveButton_ = button("save", &CorrespondenceWindow::save);
    deleteButton_ = button("delete", &CorrespondenceWindow::deleteGame);
    printButton_ = button("imprimer_liste", &CorrespondenceWindow::printList);
    boardButton_ = button("openOnBoard", &CorrespondenceWindow::openOnBoard);
    sendButton_ = button("sendMove", &CorrespondenceWindow::sendMove);
    enterButton_ = button("enterMove", &CorrespondenceWindow::enterMove);
    closeButton_ = new QPushButton;
    closeButton_->setObjectName(QStringLiteral("close"));
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    boardButton_->setIcon(QIcon(QStringLiteral(":/pieces/quarvelin/10.svg")));
    sendButton_->setIcon(stateIcon(CorrespondenceState::UserTurn));
    enterButton_->setIcon(stateIcon(CorrespondenceState::Waiting));
    boardButton_->setIconSize(QSize(20, 20));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {newButton_, saveButton_, deleteButton_, printButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {boardButton_, sendButton_, enterButton_, closeButton_})
        buttons->addWidget(b);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(list_);
    split->addWidget(details_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);
    layout->addLayout(buttons);
    resize(1040, 700);
    appliquer_textes();
    clearDetails();
    details_->setEnabled(false);
    setButtons();
}

CorrespondenceWindow::~CorrespondenceWindow() = default;

std::string CorrespondenceWindow::text(TextKey key) const { return links_.catalogue.text(key); }

void CorrespondenceWindow::appliquer_textes() {
    auto t = [&](TextKey k) { return QString::fromStdString(text(k)).trimmed(); };
    setWindowTitle(t(TextKey::CorrespondenceGames));
    list_->setHeaderLabels({QString(), t(TextKey::ColumnOurNumber), t(TextKey::ColumnTheirNumber),
                            t(TextKey::WhitePlayer), t(TextKey::BlackPlayer), t(TextKey::GameStart),
                            t(TextKey::ColumnDays), t(TextKey::ColumnGameResult),
                            t(TextKey::ColumnEnd), t(TextKey::ColumnLastSent)});
    for (auto& [l, key] : labels_) l->setText(t(key));
    details_->setTitle(t(TextKey::ChessGame));
    jaiBlanc_->setText(t(TextKey::IPlayWhite));
    avertir_->setText(t(TextKey::WarnMe));
    french_->setText(t(TextKey::NotationFrenchOption));
    pgn_->setText(t(TextKey::NotationPgnOption));
    newButton_->setText(t(TextKey::ButtonNewGame));
    saveButton_->setText(t(TextKey::ButtonSave));
    deleteButton_->setText(t(TextKey::ButtonDelete));
    printButton_->setText(t(TextKey::ButtonPrintList));
    boardButton_->setText(t(TextKey::ButtonOpenOnBoard));
    sendButton_->setText(t(TextKey::ButtonSendMove));
    enterButton_->setText(t(TextKey::ButtonEnterMove));
    closeButton_->setText(t(TextKey::ButtonClose));
}

bool CorrespondenceWindow::charger_liste_corres() {
    list_->clear();
    shownCle_ = 0;
    shown_.reset();
    adding_ = false;
    auto games = store_.games();
    if (!games) {
        if (!store_.exists())
            links_.dialogs.message(quarvelin::ProgramName,
                                   text(TextKey::MissingCorrespondenceBase) + "\n\n" +
                                       links_.catalogue.text(TextKey::CorrespondenceBasePaths,
                                                             {store_.path().toStdString(),
                                                              links_.settingsFile.toStdString()}),
                                   quarvelin::DialogIcon::Exclamation);
        else
            links_.dialogs.message("Attention",
                                   links_.catalogue.text(TextKey::CorrespondenceBaseError,
                                                         {store_.lastError().toStdString()}),
                                   quarvelin::DialogIcon::Exclamation);
        clearDetails();
        setButtons();
        return false;
    }
    for (const CorrespondenceGame& g : *games) {
        auto* item = new QTreeWidgetItem(list_);
        const CorrespondenceState state = quarvelin::correspondenceState(g);
        item->setData(0, KeyRole, QStringLiteral("ref%1").arg(g.Cle));
        item->setData(0, StateRole, static_cast<int>(state));
        item->setIcon(0, stateIcon(state));
        item->setText(1, fourDigits(g.Cle));
        item->setText(2, g.CleAdverse ? fourDigits(*g.CleAdverse) : QString());
        item->setText(3, g.BLANC);
        item->setText(4, g.NOIR);
        item->setText(5, quarvelin::dayMonthYear(g.DateDebut));
        if (g.DateDebut.isValid() && g.DateFin.isValid())
            item->setText(6, QString::number(g.DateDebut.daysTo(g.DateFin)));
        item->setText(7, g.Resultat);
        item->setText(8, quarvelin::dayMonthYear(g.DateFin));
        item->setText(9, g.DernierCoupEnvoye);
        item->setTextAlignment(6, Qt::AlignRight | Qt::AlignVCenter);
    }
    clearDetails();
    details_->setEnabled(false);
    setButtons();
    return true;
}

void CorrespondenceWindow::select(int cle) {
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->data(0, KeyRole).toString() == QStringLiteral("ref%1").arg(cle))
            list_->setCurrentItem(list_->topLevelItem(i));
}

std::optional<CorrespondenceGame> CorrespondenceWindow::selectedGame() {
    if (shownCle_ == 0) return std::nullopt;
    return store_.game(shownCle_);
}

void CorrespondenceWindow::showGame(const CorrespondenceGame& g) {
    adding_ = false;
    shownCle_ = g.Cle;
    shown_ = g;
    details_->setEnabled(true);
    cle_->setText(fourDigits(g.Cle));
    cleAdverse_->setText(g.CleAdverse ? fourDigits(*g.CleAdverse) : QString());
    jaiBlanc_->setChecked(g.JAIBLANC);
    blanc_->setText(g.BLANC);
    noir_->setText(g.NOIR);
    melBlanc_->setText(g.MelBlanc);
    melNoir_->setText(g.MelNoir);
    eloBlanc_->setText(g.EloBlanc);
    eloNoir_->setText(g.EloNoir);
    dateDebut_->setDate(g.DateDebut);
    dateFin_->setDate(g.DateFin);
    resultat_->setText(g.Resultat);
    avertir_->setChecked(g.Avertir);
    (g.notation == 1 ? french_ : pgn_)->setChecked(true);
    moves_->setPlainText(g.Move);
    lastSent_->setText(g.DernierCoupEnvoye.isEmpty()
                           ? QString()
                           : g.DernierCoupEnvoye + QStringLiteral("  (") +
                                 quarvelin::dayMonthYear(g.DateCoupEnvoye) + QLatin1Char(')'));
    lastReceived_->setText(g.DernierCoupRecu.isEmpty()
                               ? QString()
                               : g.DernierCoupRecu + QStringLiteral("  (") +
                                     quarvelin::dayMonthYear(g.DateCoupRecu) + QLatin1Char(')'));
    const QDate today = QDate::currentDate();
    auto days = [&](const QDate& from, const QDate& to) {
        return from.isValid() ? QString::number(from.daysTo(to)) : QString();
    };
    length_->setText(days(g.DateDebut, g.DateFin.isValid() ? g.DateFin : today));
    sinceSent_->setText(days(g.DateCoupEnvoye, today));
    sinceReceived_->setText(days(g.DateCoupRecu, today));
    setButtons();
}

void CorrespondenceWindow::clearDetails() {
    cle_->clear();
    for (QLineEdit* e :
         {cleAdverse_, blanc_, noir_, melBlanc_, melNoir_, eloBlanc_, eloNoir_, resultat_,
          static_cast<QLineEdit*>(dateDebut_), static_cast<QLineEdit*>(dateFin_)})
        e->clear();
    jaiBlanc_->setChecked(true);
    avertir_->setChecked(false);
    pgn_->setChecked(true);
    moves_->clear();
    for (QLabel* l : {lastSent_, lastReceived_, length_, sinceSent_, sinceReceived_}) l->clear();
}

void CorrespondenceWindow::setButtons() {
    const bool chosen = shownCle_ != 0 && shown_;
    const auto state =
        chosen ? quarvelin::correspondenceState(*shown_) : CorrespondenceState::Finished;
    newButton_->setEnabled(!adding_);
    saveButton_->setEnabled(adding_ || chosen);
    deleteButton_->setEnabled(chosen);
    boardButton_->setEnabled(chosen);
    sendButton_->setEnabled(chosen && state == CorrespondenceState::UserTurn);
    enterButton_->setEnabled(chosen && state == CorrespondenceState::Waiting);
    printButton_->setEnabled(true);
}

void CorrespondenceWindow::newGame() {
    list_->setCurrentItem(nullptr);
    clearDetails();
    adding_ = true;
    shownCle_ = 0;
    shown_.reset();
    details_->setEnabled(true);
    const auto& s = links_.settings;
    blanc_->setText(QString::fromStdString(s.NOM_JOUEUR[1]));
    melBlanc_->setText(QString::fromStdString(s.ADRESSE_MEL));
    eloBlanc_->setText(QString::number(s.NIVEAU_ELO[1]));
    resultat_->setText(QStringLiteral("*"));
    dateDebut_->setDate(QDate::currentDate());
    setButtons();
    noir_->setFocus();
}

CorrespondenceGame CorrespondenceWindow::detailsGame() const {
    CorrespondenceGame g = shown_ && !adding_ ? *shown_ : CorrespondenceGame{};
    g.Cle = adding_ ? 0 : shownCle_;
    g.Lieu = QString::fromStdString(links_.settings.LIEU_JEU);
    g.JAIBLANC = jaiBlanc_->isChecked();
    g.BLANC = blanc_->text().trimmed();
    g.NOIR = noir_->text().trimmed();
    g.MelBlanc = melBlanc_->text().trimmed();
    g.MelNoir = melNoir_->text().trimmed();
    g.EloBlanc = eloBlanc_->text().trimmed();
    g.EloNoir = eloNoir_->text().trimmed();
    g.DateDebut = dateDebut_->date();
    g.DateFin = dateFin_->date();
    g.CleAdverse.reset();
    if (!cleAdverse_->text().trimmed().isEmpty()) g.CleAdverse = cleAdverse_->text().toInt();
    if (!resultat_->text().trimmed().isEmpty()) g.Resultat = resultat_->text().trimmed();
    g.Avertir = avertir_->isChecked();
    g.notation = french_->isChecked() ? 1 : 2;
    return g;
}

void CorrespondenceWindow::save() {
    if (!adding_ && shownCle_ == 0) return;
    dateDebut_->settle();
    dateFin_->settle();
    const CorrespondenceGame g = detailsGame();
    if (g.BLANC.isEmpty() || g.NOIR.isEmpty() || g.MelBlanc.isEmpty() || g.MelNoir.isEmpty() ||
        !g.DateDebut.isValid()) {
        links_.dialogs.message(quarvelin::ProgramName, text(TextKey::CorrespondenceRequiredFields),
                               quarvelin::DialogIcon::Exclamation);
        return;
    }
    if (!links_.dialogs.question(quarvelin::ProgramName,
                                 text(TextKey::SaveGamePrefix) + g.BLANC.toStdString() +
                                     text(TextKey::AgainstInfix) + g.NOIR.toStdString() +
                                     text(TextKey::QuestionMark)))
        return;
    const auto cle = store_.save(g);
    if (!cle) {
        links_.dialogs.message("Attention",
                               links_.catalogue.text(TextKey::CorrespondenceBaseError,
                                                     {store_.lastError().toStdString()}),
                               quarvelin::DialogIcon::Exclamation);
        return;
    }
    links_.dialogs.message(quarvelin::ProgramName, text(TextKey::CorrespondenceGameSaved),
                           quarvelin::DialogIcon::Information);
    charger_liste_corres();
    select(*cle);
}

void CorrespondenceWindow::deleteGame() {
    const auto g = selectedGame();
    if (!g) return;
    if (!links_.dialogs.question(quarvelin::ProgramName,
                                 text(TextKey::DeleteGamePrefix) + g->BLANC.toStdString() +
                                     text(TextKey::AgainstInfix) + g->NOIR.toStdString() +
                                     text(TextKey::QuestionMark)))
        return;
    if (!store_.remove(g->Cle)) {
        links_.dialogs.message("Attention", store_.lastError().toStdString(),
                               quarvelin::DialogIcon::Exclamation);
        return;
    }
    links_.dialogs.message(quarvelin::ProgramName, text(TextKey::GameDeleted),
                           quarvelin::DialogIcon::Information);
    charger_liste_corres();
}

void CorrespondenceWindow::printList() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString subtitle =
        links_.settings.CLE_LANGUE == 2
            ? QStringLiteral(" The ") + QLocale::c().toString(now, QStringLiteral("MM/dd/yyyy")) +
                  QStringLiteral(" at ") + QLocale::c().toString(now, QStringLiteral("hh:mm AP"))
            : QStringLiteral(" Le ") + now.toString(QStringLiteral("dd/MM/yyyy à hh:mm"));
    PrintCommands::imprimer_liste(
        this, *list_, QString::fromStdString(text(TextKey::CorrespondenceGames)), subtitle,
        QStringLiteral("Arial"), 10, links_.catalogue, links_.dialogs);
}

void CorrespondenceWindow::openOnBoard() {
    if (auto g = selectedGame(); g && links_.openOnBoard) links_.openOnBoard(*g);
}

void CorrespondenceWindow::sendMove() {
    const auto g = selectedGame();
    if (!g) return;
    PrepareWindow w(links_, store_, *g, this);
    if (w.exec() == QDialog::Accepted) {
        charger_liste_corres();
        select(g->Cle);
    }
}

void CorrespondenceWindow::enterMove() {
    const auto g = selectedGame();
    if (!g) return;
    MoveEntryWindow w(links_, store_, *g, this);
    if (w.exec() == QDialog::Accepted) {
        charger_liste_corres();
        select(g->Cle);
    }
}

void CorrespondenceWindow::writeMessage() {
    const auto g = selectedGame();
    if (!g) return;
    quarvelin::Dispatch d;
    d.kind = quarvelin::MailKind::Free;
    d.cle = g->Cle;
    d.message = quarvelin::freeMail(links_.catalogue, links_.settings, *g);
    MessageWindow w(links_, store_, d, this);
    w.exec();
}
