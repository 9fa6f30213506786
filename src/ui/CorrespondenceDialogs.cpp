// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CorrespondenceDialogs.h"

#include "config/Settings.h"
#include "config/Version.h"
#include "localisation/Catalogue.h"
#include "localisation/Dialogs.h"
#include "ui/DateField.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using quarvelin::TextKey;

namespace {

QString caption(const CorrespondenceLinks& l, TextKey k) {
    return QString::fromStdString(l.catalogue.text(k)).trimmed();
}

QString players(const quarvelin::CorrespondenceGame& g) {
    return quarvelin::gameReference(g) + QStringLiteral("   ") + g.BLANC + QStringLiteral(" – ") +
           g.NOIR;
}

QPlainTextEdit* readOnlyText(const QString& t, int height) {
    auto* e = new QPlainTextEdit(t);
    e->setReadOnly(true);
    e->setMaximumHeight(height);
    return e;
}

} // namespace

PrepareWindow::PrepareWindow(const CorrespondenceLinks& links,
                             quarvelin::CorrespondenceStore& store,
                             quarvelin::CorrespondenceGame game, QWidget* parent)
    : QDialog(parent), links_(links), store_(store), game_(std::move(game)) {
    setObjectName(QStringLiteral("prepare"));
    setWindowTitle(caption(links_, TextKey::CorrespondenceNewMove));
    auto* form = new QFormLayout;
    form->addRow(new QLabel(QStringLiteral("<b>%1</b>").arg(players(game_).toHtmlEscaped())));
    moves_ = readOnlyText(game_.Move, 80);
    moves_->setObjectName(QStringLiteral("Move"));
    form->addRow(caption(links_, TextKey::MovesOfGame), moves_);
    moveLabel_ = new QLabel;
    moveLabel_->setObjectName(QStringLiteral("moveToSend"));
    moveLabel_->setWordWrap(true);
    form->addRow(caption(links_, TextKey::MoveToSend), moveLabel_);
    comment_ = new QPlainTextEdit;
    comment_->setObjectName(QStringLiteral("comment"));
    comment_->setMaximumHeight(90);
    form->addRow(caption(links_, TextKey::CommentLabel), comment_);

    auto* replay = new QPushButton(caption(links_, TextKey::ButtonReplay));
    replay->setObjectName(QStringLiteral("replay"));
    sendButton_ = new QPushButton(caption(links_, TextKey::Send));
    sendButton_->setObjectName(QStringLiteral("send"));
    sendButton_->setDefault(true);
    auto* close = new QPushButton(caption(links_, TextKey::ButtonClose));
    connect(replay, &QPushButton::clicked, this, [this] {
        if (links_.openOnBoard) links_.openOnBoard(game_);
        refresh();
    });
    connect(sendButton_, &QPushButton::clicked, this, &PrepareWindow::send);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(replay);
    buttons->addStretch();
    buttons->addWidget(sendButton_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(560, 360);
    refresh();
}

void PrepareWindow::refresh() {
    move_ = quarvelin::readSentMove(game_, links_.boardMoves ? links_.boardMoves() : std::string());
    moveLabel_->setText(
        move_.ok
            ? QStringLiteral("<b>%1</b>")
                  .arg(QString::fromStdString(
                      quarvelin::nextMoveNumber(quarvelin::halfMoveCount(game_.Move)) + move_.move))
            : QString::fromStdString(links_.catalogue.text(move_.problem)));
    sendButton_->setEnabled(move_.ok);
}

void PrepareWindow::send() {
    refresh();
    if (!move_.ok) return;
    quarvelin::Dispatch d;
    d.kind = quarvelin::MailKind::Move;
    d.cle = game_.Cle;
    d.move = move_;
    d.today = QDate::currentDate();
    d.message = quarvelin::moveMail(
        links_.catalogue, links_.settings, game_, QString::fromStdString(move_.moves),
        QString::fromStdString(move_.move), comment_->toPlainText().trimmed(), d.today);
    MessageWindow w(links_, store_, d, this);
    if (beforeMessage) beforeMessage(w);
    if (w.exec() == QDialog::Accepted) accept();
}

MessageWindow::MessageWindow(const CorrespondenceLinks& links,
                             quarvelin::CorrespondenceStore& store, quarvelin::Dispatch dispatch,
                             QWidget* parent)
    : QDialog(parent), links_(links), store_(store), dispatch_(std::move(dispatch)) {
    setObjectName(QStringLiteral("message"));
    setWindowTitle(caption(links_, TextKey::MessageToOpponent));
    to_ = new QLineEdit(dispatch_.message.to);
    to_->setObjectName(QStringLiteral("txtTo"));
    subject_ = new QLineEdit(dispatch_.message.subject);
    subject_->setObjectName(QStringLiteral("txtsubject"));
    body_ = new QPlainTextEdit(
        QString(dispatch_.message.body).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    body_->setObjectName(QStringLiteral("txtNoteText"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    body_->setFont(mono);
    files_ = new QLabel;
    files_->setObjectName(QStringLiteral("txtfic"));
    auto* form = new QFormLayout;
    form->addRow(caption(links_, TextKey::MailTo), to_);
    form->addRow(caption(links_, TextKey::MailSubject), subject_);

    auto* attach = new QPushButton(caption(links_, TextKey::AttachFile));
    attach->setObjectName(QStringLiteral("attach"));
    auto* send = new QPushButton(caption(links_, TextKey::Send));
    send->setObjectName(QStringLiteral("send"));
    send->setDefault(true);
    auto* close = new QPushButton(caption(links_, TextKey::ButtonClose));
    connect(attach, &QPushButton::clicked, this, &MessageWindow::attach);
    connect(send, &QPushButton::clicked, this, &MessageWindow::send);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(attach);
    buttons->addWidget(files_, 1);
    buttons->addWidget(send);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(body_, 1);
    layout->addLayout(buttons);
    resize(680, 640);
}

void MessageWindow::attach() {
    const QString file =
        chooseFile
            ? chooseFile()
            : QFileDialog::getOpenFileName(
                  this, caption(links_, TextKey::AttachFile), {},
                  caption(links_, TextKey::AllFilesFilter) + QStringLiteral(" (*);;") +
                      caption(links_, TextKey::TextFilesFilter) + QStringLiteral(" (*.txt)"));
    if (file.isEmpty()) return;
    dispatch_.message.attachments << file;
    QStringList names;
    for (const QString& f : dispatch_.message.attachments) names << QFileInfo(f).fileName();
    files_->setText(caption(links_, TextKey::AttachmentPrefix) + QLatin1Char(' ') +
                    names.join(QStringLiteral(", ")));
}

void MessageWindow::send() {
    dispatch_.message.to = to_->text().trimmed();
    if (dispatch_.message.to.isEmpty()) return;
    dispatch_.message.subject = subject_->text();
    dispatch_.message.body =
        body_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    dispatch_.message.from = QString::fromStdString(links_.settings.ADRESSE_MEL);
    std::unique_ptr<quarvelin::MailService> mail = links_.mailService();
    const quarvelin::DispatchOutcome out =
        quarvelin::sendAndRecord(*mail, store_, dispatch_, [this] {
            return links_.dialogs.question(quarvelin::ProgramName,
                                           links_.catalogue.text(TextKey::MailSentQuestion));
        });
    if (out.problem) {
        links_.dialogs.message(quarvelin::ProgramName, links_.catalogue.text(*out.problem),
                               quarvelin::DialogIcon::Exclamation);
        return;
    }
    if (!out.sent) {
        if (!out.error.isEmpty())
            links_.dialogs.message(quarvelin::ProgramName, out.error.toStdString(),
                                   quarvelin::DialogIcon::Exclamation);
        reject();
        return;
    }
    if (dispatch_.kind == quarvelin::MailKind::Move) {
        if (out.recorded)
            links_.dialogs.message(quarvelin::ProgramName, links_.catalogue.text(TextKey::MoveSent),
                                   quarvelin::DialogIcon::Information);
        else
            links_.dialogs.message(
                "Attention",
                links_.catalogue.text(TextKey::CorrespondenceBaseError, {out.error.toStdString()}),
                quarvelin::DialogIcon::Exclamation);
    }
    accept();
}

MoveEntryWindow::MoveEntryWindow(const CorrespondenceLinks& links,
                                 quarvelin::CorrespondenceStore& store,
                                 quarvelin::CorrespondenceGame game, QWidget* parent)
    : QDialog(parent), links_(links), store_(store), game_(std::move(game)) {
    setObjectName(QStringLiteral("saisie_coup"));
    setWindowTitle(caption(links_, TextKey::ReceivedMove));
    auto* form = new QFormLayout;
    form->addRow(new QLabel(QStringLiteral("<b>%1</b>").arg(players(game_).toHtmlEscaped())));
    auto* moves = readOnlyText(game_.Move, 80);
    moves->setObjectName(QStringLiteral("Move"));
    form->addRow(caption(links_, TextKey::MovesOfGame), moves);
    form->addRow(caption(links_, TextKey::NextMoveExpected),
                 new QLabel(QString::fromStdString(
                     quarvelin::nextMoveNumber(quarvelin::halfMoveCount(game_.Move)))));
    move_ = new QLineEdit;
    move_->setObjectName(QStringLiteral("txtCoup"));
    form->addRow(caption(links_, TextKey::ReceivedMove), move_);
    date_ = new DateField(links_.catalogue, links_.dialogs);
    date_->setObjectName(QStringLiteral("txtDate"));
    date_->setDate(QDate::currentDate());
    form->addRow(caption(links_, TextKey::ReceivedOn), date_);
    auto* record = new QPushButton(caption(links_, TextKey::ButtonRecord));
    record->setObjectName(QStringLiteral("confirm"));
    record->setDefault(true);
    auto* close = new QPushButton(caption(links_, TextKey::ButtonClose));
    connect(record, &QPushButton::clicked, this, &MoveEntryWindow::confirm);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(record);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(520, 300);
}

void MoveEntryWindow::confirm() {
    if (move_->text().trimmed().isEmpty()) return;
    date_->settle();
    const quarvelin::ReceivedMove r =
        quarvelin::readReceivedMove(game_, move_->text().toStdString());
    if (!r.ok) {
        QString said = QString::fromStdString(links_.catalogue.text(r.problem));
        for (std::size_t i = 0; i < r.values.size(); ++i)
            said.replace(QStringLiteral("%%1").arg(i + 1), QString::fromStdString(r.values[i]));
        links_.dialogs.message("Attention", said.toStdString(), quarvelin::DialogIcon::Exclamation);
        return;
    }
    const QDate when = date_->date().isValid() ? date_->date() : QDate::currentDate();
    if (!store_.recordReceived(game_.Cle, QString::fromStdString(r.moves), when,
                               QString::fromStdString(r.move))) {
        links_.dialogs.message("Attention",
                               links_.catalogue.text(TextKey::CorrespondenceBaseError,
                                                     {store_.lastError().toStdString()}),
                               quarvelin::DialogIcon::Exclamation);
        return;
    }
    accept();
}
