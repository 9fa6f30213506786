// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LoadGamesDialog.h"

#include "config/SettingsFile.h"
#include "config/Version.h"
#include "localisation/Catalogue.h"
#include "ui/Captions.h"
#include "ui/LastFolder.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/TextEditorLauncher.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

using namespace quarvelin;

using quarvelin::TextKey;

namespace {

// Left column, right column; White and Black share their row with the either-colour box.
constexpr int RightColumn = 3;

QString chooseToOpen(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString chooseToSave(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The window asks its own question before a file is replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(filter.contains(QStringLiteral("*.xml")) ? QStringLiteral("xml")
                                                                     : QStringLiteral("pgn"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

LoadGamesDialog::LoadGamesDialog(Mode mode, Settings& settings, const Catalogue& catalogue,
                                 QString settingsFile, const QString& gamesFile, Dialogs* dialogs,
                                 QWidget* parent)
    : QDialog(parent), settings_(settings), catalogue_(catalogue), mode_(mode),
      settingsFile_(std::move(settingsFile)),
      own_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *own_),
      controller_(settings, catalogue, dialogs_, settingsFile_.toStdString()),
      openChooser_(chooseToOpen), saveChooser_(chooseToSave), editor_(TextEditorLauncher::open) {
    setObjectName(QStringLiteral("charge"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The file.
    fileLabel_ = new QLabel(this);
    text1_ = new QLineEdit(gamesFile, this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    text1_->setClearButtonEnabled(true);
    fileLabel_->setBuddy(text1_);
    command3_ = new QPushButton(this);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->setSpacing(8);
    fileRow->addWidget(fileLabel_);
    fileRow->addWidget(text1_, 1);
    fileRow->addWidget(command3_);

    // The criteria, in two columns.
    criteria_ = new QGroupBox(this);
    criteria_->setObjectName(QStringLiteral("Frame1"));
    check1_ = new QCheckBox(criteria_);
    check1_->setObjectName(QStringLiteral("Check1"));
    check2_ = new QCheckBox(criteria_);
    check2_->setObjectName(QStringLiteral("Check2"));
    fields_ = {{"Text2", TextKey::LoadWhite},  {"Text3", TextKey::LoadBlack},
               {"Text10", TextKey::LoadEvent}, {"Text8", TextKey::LoadSite},
               {"Text7", TextKey::LoadDate},   {"Text9", TextKey::LoadRound},
               {"Text5", TextKey::LoadEco},    {"Text6", TextKey::LoadResult}};
    for (Field& f : fields_) {
        f.edit = new QLineEdit(criteria_);
        f.edit->setObjectName(QString::fromLatin1(f.name));
        f.label = new QLabel(criteria_);
        f.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f.label->setBuddy(f.edit);
    }
    text9_ = criterion("Text9");
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    // White and Black on the left, the box that lets either name match either player beside
    // them; then the other six in pairs.
    grid->addWidget(fields_[0].label, 0, 0);
    grid->addWidget(fields_[0].edit, 0, 1);
    grid->addWidget(fields_[1].label, 1, 0);
    grid->addWidget(fields_[1].edit, 1, 1);
    grid->addWidget(check2_, 0, RightColumn, 2, 2, Qt::AlignLeft | Qt::AlignVCenter);
    for (std::size_t i = 2; i < fields_.size(); ++i) {
        const int row = 2 + static_cast<int>(i - 2) / 2;
        const int column = (i % 2 == 0) ? 0 : RightColumn;
        grid->addWidget(fields_[i].label, row, column);
        grid->addWidget(fields_[i].edit, row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    command5_ = new QPushButton(criteria_);
    command5_->setObjectName(QStringLiteral("Command5"));
    command5_->setAutoDefault(false);
    command6_ = new QPushButton(criteria_);
    command6_->setObjectName(QStringLiteral("Command6"));
    command6_->setAutoDefault(false);
    auto* filterButtons = new QHBoxLayout;
    filterButtons->addStretch(1);
    filterButtons->addWidget(command5_);
    filterButtons->addWidget(command6_);

    auto* criteriaLayout = new QVBoxLayout(criteria_);
    criteriaLayout->setSpacing(10);
    criteriaLayout->addWidget(check1_);
    criteriaLayout->addLayout(grid);
    criteriaLayout->addLayout(filterButtons);

    // Load: how many games at most.
    limitRow_ = new QWidget(this);
    limitLabel_ = new QLabel(limitRow_);
    text4_ = new QLineEdit(limitRow_);
    text4_->setObjectName(QStringLiteral("Text4"));
    text4_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    text4_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 16);
    limitLabel_->setBuddy(text4_);
    limitUnit_ = new QLabel(limitRow_);
    auto* limitLayout = new QHBoxLayout(limitRow_);
    limitLayout->setContentsMargins(0, 0, 0, 0);
    limitLayout->setSpacing(8);
    limitLayout->addWidget(limitLabel_);
    limitLayout->addWidget(text4_);
    limitLayout->addWidget(limitUnit_);
    limitLayout->addStretch(1);

    // Extract: the format and the files written.
    frame2_ = new QGroupBox(this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    formatLabel_ = new QLabel(frame2_);
    xml_ = new QRadioButton(frame2_);
    xml_->setObjectName(QStringLiteral("Option1_0"));
    pgn_ = new QRadioButton(frame2_);
    pgn_->setObjectName(QStringLiteral("Option1_1"));
    auto* formats = new QButtonGroup(this);
    formats->addButton(xml_);
    formats->addButton(pgn_);
    pgn_->setChecked(true);
    formatLabel_->setBuddy(pgn_);
    check3_ = new QCheckBox(frame2_);
    check3_->setObjectName(QStringLiteral("Check3"));
    check4_ = new QCheckBox(frame2_);
    check4_->setObjectName(QStringLiteral("Check4"));
    command4_ = new QPushButton(frame2_);
    command4_->setObjectName(QStringLiteral("Command4"));
    auto* formatRow = new QHBoxLayout;
    formatRow->setSpacing(12);
    formatRow->addWidget(formatLabel_);
    formatRow->addWidget(pgn_);
    formatRow->addWidget(xml_);
    formatRow->addStretch(1);
    // The two XML options sit under the XML choice they belong to.
    auto* xmlOptions = new QVBoxLayout;
    xmlOptions->setSpacing(6);
    xmlOptions->setContentsMargins(24, 0, 0, 0);
    xmlOptions->addWidget(check3_);
    xmlOptions->addWidget(check4_);
    auto* saveRow = new QHBoxLayout;
    saveRow->addLayout(xmlOptions, 1);
    saveRow->addWidget(command4_, 0, Qt::AlignBottom);
    auto* frame2Layout = new QVBoxLayout(frame2_);
    frame2Layout->setSpacing(8);
    frame2Layout->addLayout(formatRow);
    frame2Layout->addLayout(saveRow);

    // The window's own buttons.
    view_ = new QPushButton(this);
    view_->setObjectName(QStringLiteral("voir"));
    view_->setAutoDefault(false);
    command2_ = new QPushButton(this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(view_);
    buttons->addStretch(1);
    buttons->addWidget(command2_);
    buttons->addWidget(command1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addLayout(fileRow);
    layout->addWidget(criteria_);
    layout->addWidget(limitRow_);
    layout->addWidget(frame2_);
    layout->addSpacing(2);
    layout->addLayout(buttons);

    // Each mode shows only what it uses; the layouts close up over the rest.
    const bool load = mode_ == Mode::Load;
    frame2_->setVisible(!load);
    command2_->setVisible(load);
    limitRow_->setVisible(load);
    (load ? command2_ : command4_)->setDefault(true);

    connect(text1_, &QLineEdit::textChanged, this, &LoadGamesDialog::filesEnabled);
    connect(command3_, &QPushButton::clicked, this, &LoadGamesDialog::chooseGamesFile);
    connect(check1_, &QCheckBox::toggled, this, &LoadGamesDialog::filterEnabled);
    connect(xml_, &QRadioButton::toggled, this, &LoadGamesDialog::formatChosen);
    for (QLineEdit* number : {text4_, text9_})
        connect(number, &QLineEdit::editingFinished, this,
                [this, number] { checkNumber(number, false); });
    connect(command2_, &QPushButton::clicked, this, &LoadGamesDialog::loadGames);
    connect(command4_, &QPushButton::clicked, this, &LoadGamesDialog::saveResults);
    connect(command5_, &QPushButton::clicked, this, &LoadGamesDialog::resetFilter);
    connect(command6_, &QPushButton::clicked, this, &LoadGamesDialog::saveFilter);
    connect(view_, &QPushButton::clicked, this, &LoadGamesDialog::viewFile);
    connect(command1_, &QPushButton::clicked, this, &QDialog::reject);

    // Row by row, as the eye reads the form.
    QWidget* order[] = {text1_,
                        command3_,
                        check1_,
                        fields_[0].edit,
                        fields_[1].edit,
                        check2_,
                        fields_[2].edit,
                        fields_[3].edit,
                        fields_[4].edit,
                        fields_[5].edit,
                        fields_[6].edit,
                        fields_[7].edit,
                        command5_,
                        command6_,
                        text4_,
                        pgn_,
                        xml_,
                        check3_,
                        check4_,
                        command4_,
                        view_,
                        command2_,
                        command1_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    fill();
    // The filter is shown as it stands and changed on purpose.
    filterEnabled(false);
    formatChosen();
    filesEnabled();
    appliquer_textes(catalogue);
    text1_->setFocus();
}

LoadGamesDialog::~LoadGamesDialog() = default;

void LoadGamesDialog::appliquer_textes(const Catalogue& catalogue) {
    const auto text = [&catalogue](quarvelin::TextKey key) {
        return Captions::text(catalogue, key);
    };
    const auto label = [&catalogue](quarvelin::TextKey key) {
        return Captions::label(catalogue, key);
    };
    setWindowTitle(
        text(mode_ == Mode::Load ? TextKey::OpenGameTitle : TextKey::FilterGamesFileTitle));
    fileLabel_->setText(label(TextKey::LoadGamesFile));
    command3_->setText(text(TextKey::ButtonBrowse));
    criteria_->setTitle(text(TextKey::LoadCriteria));
    check1_->setText(text(TextKey::LoadChangeFilter));
    check2_->setText(text(TextKey::LoadEitherColour));
    for (Field& f : fields_) f.label->setText(label(f.caption));
    limitLabel_->setText(label(TextKey::LoadAtMost));
    limitUnit_->setText(text(TextKey::LoadGamesUnit));
    frame2_->setTitle(text(TextKey::LoadSaveConvert));
    formatLabel_->setText(label(TextKey::SaveFormat));
    xml_->setText(text(TextKey::LoadXml));
    pgn_->setText(text(TextKey::LoadPgn));
    check3_->setText(text(TextKey::LoadOneGamePerFile));
    check4_->setText(text(TextKey::LoadCreateUrlFile));
    command4_->setText(text(TextKey::LoadSaveResults));
    command5_->setText(text(TextKey::LoadClearFilter));
    command6_->setText(text(TextKey::LoadSaveFilter));
    command2_->setText(text(TextKey::LoadTheGames));
    command1_->setText(text(TextKey::LoadCancel));
    view_->setText(text(TextKey::LoadView));

    const bool tips = settings_.BULLE_AIDE == 1;
    const auto tip = [&](QWidget* w, quarvelin::TextKey key) {
        w->setToolTip(tips ? text(key) : QString());
    };
    tip(command3_, TextKey::ChooseFile);
    tip(command2_, TextKey::LoadTipLoad);
    tip(command4_, TextKey::LoadTipSave);
    tip(command6_, TextKey::LoadTipSaveFilter);
    tip(view_, TextKey::LoadTipView);
    tip(check2_, TextKey::LoadTipEitherColour);
    for (Field& f : fields_) tip(f.edit, TextKey::LoadTipCriterion);
}

QLineEdit* LoadGamesDialog::criterion(const char* name) const {
    for (const Field& f : fields_)
        if (qstrcmp(f.name, name) == 0) return f.edit;
    return nullptr;
}

QString LoadGamesDialog::gamesFile() const { return text1_->text().trimmed(); }

void LoadGamesDialog::fill() {
    const LoadGamesController::Criteria c = controller_.criteria();
    const auto set = [this](const char* name, const std::string& value) {
        criterion(name)->setText(QString::fromStdString(value));
    };
    set("Text2", c.white);
    set("Text3", c.black);
    set("Text5", c.eco);
    set("Text6", c.result);
    set("Text7", c.date);
    set("Text8", c.site);
    set("Text9", c.round);
    set("Text10", c.event);
    check2_->setChecked(c.eitherColour);
    text4_->setText(QString::fromStdString(c.limit));
}

void LoadGamesDialog::filesEnabled() {
    const bool chosen = !gamesFile().isEmpty();
    command2_->setEnabled(chosen);
    command4_->setEnabled(chosen);
    view_->setEnabled(chosen);
}

void LoadGamesDialog::filterEnabled(bool on) {
    for (Field& f : fields_) {
        f.label->setEnabled(on);
        f.edit->setEnabled(on);
    }
    check2_->setEnabled(on);
    // Clearing is an edit of the fields: it waits with them.
    command5_->setEnabled(on);
}

void LoadGamesDialog::formatChosen() {
    // One game per file and the address list are XML's.
    const bool xml = xml_->isChecked();
    check3_->setEnabled(xml);
    check4_->setEnabled(xml);
}

bool LoadGamesDialog::checkNumber(QLineEdit* field, bool showNow) {
    const QString typed = field->text().trimmed();
    if (typed.isEmpty()) return true;
    const std::optional<std::string> refusal =
        controller_.numberRefusal(field == text4_ ? LoadGamesController::NumberField::Limit
                                                  : LoadGamesController::NumberField::Round,
                                  typed.toStdString());
    if (!refusal) {
        if (typed != field->text()) field->setText(typed);
        return true;
    }
    field->clear();
    const std::string message = *refusal;
    if (showNow) {
        field->setFocus();
        dialogs_.message(ProgramName, message, DialogIcon::Exclamation);
    } else {
        // Not from inside a focus change: a message box there fights the click that moved
        // the focus.
        refusalPending_ = true;
        QTimer::singleShot(0, this, [this, message] {
            refusalPending_ = false;
            dialogs_.message(ProgramName, message, DialogIcon::Exclamation);
        });
    }
    return false;
}

bool LoadGamesDialog::checkNumbers() {
    // A refusal about to be shown belongs to the field just left; the command waits for it.
    if (refusalPending_) return false;
    return checkNumber(text9_, true) && checkNumber(text4_, true);
}

bool LoadGamesDialog::sourceExists() { return controller_.sourceExists(gamesFile().toStdString()); }

LoadGamesController::Criteria LoadGamesDialog::typedCriteria() const {
    const auto get = [this](const char* name) {
        return criterion(name)->text().trimmed().toStdString();
    };
    return {get("Text2"),         get("Text3"),
            get("Text10"),        get("Text8"),
            get("Text7"),         get("Text9"),
            get("Text5"),         get("Text6"),
            check2_->isChecked(), text4_->text().trimmed().toStdString()};
}

void LoadGamesDialog::chooseGamesFile() {
    // Where the user last went, else where the file in use lies.
    const QString folder = LastFolder::startIn(
        this, gamesFile().isEmpty() ? QString() : QFileInfo(gamesFile()).absolutePath());
    const QString chosen =
        openChooser_(this, Captions::text(catalogue_, TextKey::ChooseFile), folder,
                     Captions::text(catalogue_, TextKey::Files) + QStringLiteral(" PGN (*.pgn)"));
    if (chosen.isEmpty()) return;
    LastFolder::remember(this, chosen);
    text1_->setText(chosen);
}

void LoadGamesDialog::loadGames() {
    if (!checkNumbers() || !sourceExists()) return;
    // The limit in the field is the one "save the filter" keeps; a load goes by the stored one.
    controller_.apply(typedCriteria(), false);
    emit loadRequested(QFileInfo(gamesFile()).absoluteFilePath());
    accept();
}

void LoadGamesDialog::saveResults() {
    if (!checkNumbers() || !sourceExists()) return;
    const bool xml = xml_->isChecked();
    const QString filter = Captions::text(catalogue_, TextKey::Files) +
                           (xml ? QStringLiteral(" XML (*.xml)") : QStringLiteral(" PGN (*.pgn)"));
    const QString target = saveChooser_(this, Captions::text(catalogue_, TextKey::ChooseFile),
                                        LastFolder::startIn(this), filter);
    if (target.isEmpty()) return;
    LastFolder::remember(this, target);
    if (QFileInfo::exists(target) &&
        !dialogs_.question(ProgramName, catalogue_.text(TextKey::ReplaceFileQuestion)))
        return;
    controller_.apply(typedCriteria(), true);
    emit extractRequested(QFileInfo(gamesFile()).absoluteFilePath(), target, xml,
                          xml && check3_->isChecked(), xml && check4_->isChecked());
}

void LoadGamesDialog::resetFilter() {
    for (Field& f : fields_) f.edit->clear();
}

void LoadGamesDialog::saveFilter() {
    if (checkNumbers()) controller_.saveFilter(typedCriteria());
}

void LoadGamesDialog::viewFile() {
    if (!sourceExists()) return;
    const QString path = QFileInfo(gamesFile()).absoluteFilePath();
    if (!editor_(path)) controller_.say(TextKey::NoTextEditor, path.toStdString());
}
