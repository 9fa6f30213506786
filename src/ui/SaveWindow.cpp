// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SaveWindow.h"

#include "records/GameRecordText.h"
#include "ui/LastFolder.h"
#include "ui/PrintCommands.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using quarvelin::TextKey;

namespace {

QString chooseFile(QWidget* parent, const QString& title, const QString& proposed,
                   const QString& filter) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The window asks its own question before replacing a file, and only when not appending.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(filter);
    // .pgn or .xml, as the proposed name has it.
    dialog.setDefaultSuffix(QFileInfo(proposed).suffix());
    const QString path = proposed.contains(QLatin1Char('/'))
                             ? proposed
                             : QDir(LastFolder::startIn(parent)).filePath(proposed);
    dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

SaveWindow::SaveWindow(const quarvelin::GameSession& session, const quarvelin::Settings& settings,
                       quarvelin::Colour bottom, const quarvelin::Catalogue& catalogue,
                       quarvelin::Dialogs& dialogs, quarvelin::RecentFiles* recent,
                       const quarvelin::OpeningBase* base, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), dialogs_(dialogs),
      controller_(dialogs, catalogue, recent, base), chooser_(chooseFile) {
    setObjectName(QStringLiteral("sauve"));
    setWindowTitle(text(TextKey::SaveTitle));

    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The move line is one line in the file; on screen it wraps to the box.
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text1_->setToolTip(text(TextKey::SaveTipText));
    // Shown with plain line ends; they are written as CR LF.
    text1_->setPlainText(
        QString::fromStdString(controller_.composer(session, settings, bottom, quarvelin::today()))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto* label = new QLabel(text(TextKey::SaveGameText), this);
    label->setBuddy(text1_);

    auto* format = new QGroupBox(text(TextKey::SaveFormat), this);
    format->setObjectName(QStringLiteral("Option1"));
    pgn_ = new QRadioButton(text(TextKey::SavePgn), format);
    pgn_->setObjectName(QStringLiteral("Option1_1"));
    pgn_->setChecked(true);
    xml_ = new QRadioButton(text(TextKey::SaveXml), format);
    xml_->setObjectName(QStringLiteral("Option1_0"));
    auto* formats = new QHBoxLayout(format);
    formats->addWidget(pgn_);
    formats->addWidget(xml_);
    formats->addStretch(1);

    check1_ = new QCheckBox(text(TextKey::SaveAppend), this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setToolTip(text(TextKey::SaveTipAppend));

    auto* options = new QHBoxLayout;
    options->addWidget(format);
    options->addSpacing(12);
    options->addWidget(check1_, 1, Qt::AlignBottom);

    save_ = new QPushButton(text(TextKey::SaveSave), this);
    save_->setObjectName(QStringLiteral("Command1"));
    save_->setDefault(true);
    save_->setToolTip(text(TextKey::SaveTipSave));
    cancel_ = new QPushButton(text(TextKey::SaveCancel), this);
    cancel_->setObjectName(QStringLiteral("Command2"));
    print_ = new QPushButton(text(TextKey::SavePrint), this);
    print_->setObjectName(QStringLiteral("Command3"));
    print_->setToolTip(text(TextKey::SaveTipPrint));
    print_->setAutoDefault(false);
    cancel_->setAutoDefault(false);
    connect(save_, &QPushButton::clicked, this, &SaveWindow::save);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(print_, &QPushButton::clicked, this, &SaveWindow::print);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print_);
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(label);
    layout->addWidget(text1_, 1);
    layout->addLayout(options);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    resize(760, 520);
    text1_->setFocus();
}

QString SaveWindow::text(quarvelin::TextKey key) const {
    return QString::fromStdString(catalogue_.text(key));
}

void SaveWindow::save() {
    const auto today = quarvelin::today();
    const auto format = xml_->isChecked() ? quarvelin::GameFormat::Xml : quarvelin::GameFormat::Pgn;
    const QString path = chooser_(this, QString::fromStdString(controller_.dialogTitle()),
                                  QString::fromStdString(controller_.proposedName(format, today)),
                                  QString::fromStdString(controller_.filter(format)));
    if (path.isEmpty()) return;
    LastFolder::remember(this, path);
    if (!controller_.save(path.toStdString(), text1_->toPlainText().toStdString(),
                          check1_->isChecked(), format))
        return;
    emit gameSaved(path);
    accept();
}

void SaveWindow::print() {
    PrintCommands::printText(this, text1_->toPlainText(), catalogue_, dialogs_);
}
