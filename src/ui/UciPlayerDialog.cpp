// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UciPlayerDialog.h"

#include "localisation/Catalogue.h"
#include "uci/UciEngine.h"
#include "ui/Captions.h"
#include "ui/LastFolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

using namespace quarvelin;

namespace {

// The program's file name: "stockfish" for "/usr/games/stockfish --flag".
QString baseName(const QString& command) {
    const QStringList parts = QProcess::splitCommand(command);
    return parts.isEmpty() ? QString() : QFileInfo(parts.front()).fileName();
}

// The option lines without blanks around the name and the value; an empty one is dropped.
QStringList optionLines(const QString& text) {
    QStringList out;
    for (const QString& line : text.split(u'\n')) {
        const QString t = line.trimmed();
        if (t.isEmpty()) continue;
        const auto eq = t.indexOf(u'=');
        out << (eq <= 0 ? t : t.left(eq).trimmed() + u'=' + t.mid(eq + 1).trimmed());
    }
    return out;
}

} // namespace

UciPlayerDialog::UciPlayerDialog(const Catalogue& catalogue, QStringList taken, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), taken_(std::move(taken)) {
    setObjectName(QStringLiteral("uciPlayer"));
    setModal(true);

    program_ = new QLineEdit(defaultProgram());
    program_->setObjectName(QStringLiteral("program"));
    browse_ = new QPushButton;
    browse_->setObjectName(QStringLiteral("browse"));
    browse_->setAutoDefault(false);
    auto* programRow = new QHBoxLayout;
    programRow->setSpacing(6);
    programRow->addWidget(program_, 1);
    programRow->addWidget(browse_);
    name_ = new QLineEdit;
    name_->setObjectName(QStringLiteral("name"));
    moveTime_ = new QSpinBox;
    moveTime_->setObjectName(QStringLiteral("moveTime"));
    moveTime_->setRange(1, 3600000);
    moveTime_->setSingleStep(50);
    moveTime_->setValue(100);
    options_ = new QPlainTextEdit;
    options_->setObjectName(QStringLiteral("options"));
    options_->setPlaceholderText(QStringLiteral("Skill Level=0"));
    options_->setTabChangesFocus(true);
    options_->setFixedHeight(options_->fontMetrics().lineSpacing() * 4 + 12);

    programLabel_ = new QLabel;
    nameLabel_ = new QLabel;
    moveTimeLabel_ = new QLabel;
    optionsLabel_ = new QLabel;
    programLabel_->setBuddy(program_);
    nameLabel_->setBuddy(name_);
    moveTimeLabel_->setBuddy(moveTime_);
    optionsLabel_->setBuddy(options_);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(10);
    form->addRow(programLabel_, programRow);
    form->addRow(nameLabel_, name_);
    form->addRow(moveTimeLabel_, moveTime_);

    warningIcon_ = new QLabel;
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize);
    warningIcon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(icon));
    warningIcon_->setAlignment(Qt::AlignTop);
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* problemRow = new QHBoxLayout;
    problemRow->addWidget(warningIcon_);
    problemRow->addWidget(problem_, 1);
    warningIcon_->hide();
    problem_->hide();

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(10);
    layout->addLayout(form);
    layout->addSpacing(4);
    layout->addWidget(optionsLabel_);
    layout->addWidget(options_);
    layout->addLayout(problemRow);
    layout->addSpacing(6);
    layout->addWidget(buttons_);
    setMinimumWidth(500);

    connect(browse_, &QPushButton::clicked, this, &UciPlayerDialog::browse);
    connect(program_, &QLineEdit::textChanged, this, &UciPlayerDialog::programEdited);
    connect(name_, &QLineEdit::textEdited, this, [this] { nameEdited_ = true; });
    connect(buttons_, &QDialogButtonBox::accepted, this, &UciPlayerDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &UciPlayerDialog::reject);
    programEdited();
    appliquer_textes(catalogue);
}

void UciPlayerDialog::appliquer_textes(const Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::UciPlayerTitle));
    programLabel_->setText(Captions::label(catalogue, TextKey::UciPlayerProgram));
    browse_->setText(Captions::text(catalogue, TextKey::UciPlayerBrowse));
    nameLabel_->setText(Captions::label(catalogue, TextKey::UciPlayerName));
    moveTimeLabel_->setText(Captions::label(catalogue, TextKey::UciPlayerMoveTime));
    optionsLabel_->setText(Captions::label(catalogue, TextKey::UciPlayerOptions));
    buttons_->button(QDialogButtonBox::Ok)->setText(Captions::text(catalogue, TextKey::ButtonOk));
    buttons_->button(QDialogButtonBox::Cancel)
        ->setText(Captions::text(catalogue, TextKey::ButtonCancel));
}

QString UciPlayerDialog::defaultProgram() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("stockfish"));
    if (!onPath.isEmpty()) return onPath;
    return QStandardPaths::findExecutable(QStringLiteral("stockfish"),
                                          {QStringLiteral("/usr/games")});
}

QString UciPlayerDialog::uniqueName(const QString& base, const QStringList& taken) {
    QString name = base;
    for (int n = 2; taken.contains(name); ++n) name = base + u' ' + QString::number(n);
    return name;
}

UciPlayer UciPlayerDialog::player() const {
    UciPlayer p;
    p.command = program_->text().trimmed();
    const QString name = name_->text().trimmed();
    p.name = uniqueName(name.isEmpty() ? baseName(p.command) : name, taken_);
    p.options = optionLines(options_->toPlainText());
    p.moveTimeMs = moveTime_->value();
    return p;
}

void UciPlayerDialog::browse() {
    const QString chosen =
        chooseProgram ? chooseProgram()
                      : QFileDialog::getOpenFileName(
                            this, Captions::text(catalogue_, TextKey::ChooseFile),
                            LastFolder::startIn(this, QFileInfo(program_->text()).absolutePath()));
    if (chosen.isEmpty()) return;
    LastFolder::remember(this, chosen);
    // The command line is split as a shell would; a path with blanks stays one word.
    program_->setText(chosen.contains(u' ') ? u'"' + chosen + u'"' : chosen);
}

void UciPlayerDialog::programEdited() {
    if (!nameEdited_) name_->setText(uniqueName(baseName(program_->text()), taken_));
}

QString UciPlayerDialog::problem() const {
    const UciPlayer p = player();
    if (p.command.isEmpty()) return Captions::text(catalogue_, TextKey::UciPlayerNoProgram);
    for (const QString& option : p.options)
        if (!option.contains(u'=') || option.startsWith(u'='))
            return QString::fromStdString(
                catalogue_.text(TextKey::UciBadOption, {option.toStdString()}));
    // A real engine answers at once; a program that is none should not hold the user long.
    UciEngine engine(std::chrono::seconds(5));
    if (!engine.start(p.command.toStdString()))
        return QString::fromStdString(catalogue_.text(engine.problem() == UciProblem::CannotStart
                                                          ? TextKey::UciPlayerCannotStart
                                                          : TextKey::UciPlayerNotUci,
                                                      {p.command.toStdString()}));
    for (const QString& option : p.options) {
        const std::string name = option.left(option.indexOf(u'=')).toStdString();
        if (!engine.hasOption(name))
            return QString::fromStdString(
                catalogue_.text(TextKey::UciPlayerUnknownOption, {engine.name(), name}));
    }
    return {};
}

void UciPlayerDialog::accept() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString message = problem();
    QApplication::restoreOverrideCursor();
    problem_->setText(message);
    problem_->setVisible(!message.isEmpty());
    warningIcon_->setVisible(!message.isEmpty());
    if (message.isEmpty()) QDialog::accept();
}
