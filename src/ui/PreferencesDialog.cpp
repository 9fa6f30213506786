// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PreferencesDialog.h"

#include "config/PieceSets.h"
#include "config/SettingsFile.h"
#include "localisation/TextKey.h"
#include "ui/Captions.h"
#include "ui/LastFolder.h"
#include "ui/NumberSpinBox.h"
#include "ui/PieceSetPreview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace quarvelin;

using quarvelin::TextKey;

namespace {

// Each language under its own name, in the order of CLE_LANGUE.
const char* const LanguageNames[LanguageCount] = {"Français", "English",   "Italiano", "Español",
                                                  "Deutsch",  "Português", "Русский",  "Polski"};

// The per-piece families, as rows of the evaluation grid.
struct WeightRow {
    const char* family;
    quarvelin::TextKey caption;
    double step;
};
constexpr WeightRow WeightRows[] = {{"NOTE_MATERIEL_", TextKey::WeightValue, 10},
                                    {"NOTE_MOBILITE_", TextKey::WeightMobility, 0.5},
                                    {"MOBILITE_EVOLUTIVE_", TextKey::MobilityGrowth, 0.05}};

// Columns in the order players name the pieces, with the catalogue's piece names.
struct WeightColumn {
    const char* suffix;
    quarvelin::TextKey name;
};
constexpr WeightColumn WeightColumns[] = {
    {"PION", TextKey::PiecePawn}, {"CAVALIER", TextKey::PieceKnight}, {"FOU", TextKey::PieceBishop},
    {"TOUR", TextKey::PieceRook}, {"DAME", TextKey::PieceQueen},      {"ROI", TextKey::PieceKing}};

const QString WeightSample = QStringLiteral("-00000.00");
const QString CountSample = QStringLiteral("0000000");

QWidget* page(QLayout* layout) {
    auto* widget = new QWidget;
    widget->setLayout(layout);
    return widget;
}

QGroupBox* group(const QString& title, QLayout* layout) {
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

} // namespace

PreferencesDialog::PreferencesDialog(Settings& record, SettingsLocations settingsLocations,
                                     Catalogue& catalogue, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), record_(record), catalogue_(catalogue), dialogs_(dialogs),
      controller_(std::make_unique<PreferencesController>(record, std::move(settingsLocations),
                                                          dialogs, catalogue)),
      tips_(record.BULLE_AIDE == 1) {
    setObjectName(QStringLiteral("pref"));
    setWindowTitle(text(TextKey::Preferences));

    tabs_ = new QTabWidget;
    tabs_->addTab(buildGeneral(), text(TextKey::TabGeneral));
    tabs_->addTab(buildBoard(), text(TextKey::TabBoard));
    tabs_->addTab(buildFiles(), text(TextKey::Files));
    tabs_->addTab(buildNetwork(), text(TextKey::TabNetwork));
    tabs_->addTab(buildCorrespondence(), text(TextKey::TabCorrespondence));
    tabs_->addTab(buildEngine(), text(TextKey::TabEngine));
    tabs_->addTab(buildEvaluation(), text(TextKey::Evaluation));

    auto* resetButton = new QPushButton(text(TextKey::ButtonReset));
    resetButton->setObjectName(QStringLiteral("reinitialiser"));
    resetButton->setAutoDefault(false);
    auto* saveAsButton = new QPushButton(text(TextKey::SaveSettingsAs) + u'\u2026');
    saveAsButton->setObjectName(QStringLiteral("enregistrer_sous"));
    saveAsButton->setAutoDefault(false);
    connect(resetButton, &QPushButton::clicked, this, &PreferencesDialog::reset);
    connect(saveAsButton, &QPushButton::clicked, this, &PreferencesDialog::saveAs);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(text(TextKey::ButtonOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(text(TextKey::ButtonCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PreferencesDialog::reject);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(resetButton);
    buttonRow->addWidget(saveAsButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons);

    // The labels of one tab share a column, whichever group they sit in.
    for (int tab = 0; tab < tabs_->count(); ++tab)
        if (tabs_->widget(tab)->objectName() != QStringLiteral("evaluation"))
            alignLabels(tabs_->widget(tab));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addSpacing(4);
    layout->addLayout(buttonRow);

    controller_->open();
    refresh();
}

PreferencesDialog::~PreferencesDialog() = default;

QString PreferencesDialog::text(quarvelin::TextKey key) const {
    return Captions::text(catalogue_, key);
}

void PreferencesDialog::setTip(QWidget* widget, std::optional<quarvelin::TextKey> tip) const {
    if (tips_ && tip) widget->setToolTip(text(*tip));
}

QFormLayout* PreferencesDialog::newForm() const {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

void PreferencesDialog::alignLabels(QWidget* page) {
    int widest = 0;
    const auto labels = page->findChildren<QLabel*>();
    for (QLabel* label : labels)
        if (label->buddy() != nullptr) widest = std::max(widest, label->sizeHint().width());
    for (QLabel* label : labels)
        if (label->buddy() != nullptr) label->setMinimumWidth(widest);
}

QLabel* PreferencesDialog::fieldLabel(quarvelin::TextKey caption, QWidget* buddy) const {
    auto* label = new QLabel(Captions::label(catalogue_, caption));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

QLineEdit* PreferencesDialog::lineField(const char* key, std::optional<quarvelin::TextKey> tip) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(key));
    setTip(edit, tip);
    textFields_[key] = {edit, [edit] { return edit->text(); },
                        [edit](const QString& t) { edit->setText(t); }};
    connect(edit, &QLineEdit::editingFinished, this,
            [this, k = std::string(key)] { commit(k, false); });
    return edit;
}

NumberSpinBox* PreferencesDialog::numberField(const char* key, double step, const QString& sample,
                                              std::optional<quarvelin::TextKey> tip) {
    const PreferenceField* field = preferenceField(key);
    auto* spin = new NumberSpinBox(field->integer, field->minimum, field->maximum, step, sample);
    spin->setObjectName(QString::fromLatin1(key));
    setTip(spin, tip);
    textFields_[key] = {spin, [spin] { return spin->fieldText(); },
                        [spin](const QString& t) { spin->setFieldText(t); }};
    const std::string k(key);
    connect(spin, &NumberSpinBox::leaving, this, [this, k] { commit(k, false); });
    connect(spin, &NumberSpinBox::stepped, this, [this, k] { commit(k, false); });
    return spin;
}

QCheckBox* PreferencesDialog::checkField(const char* key, quarvelin::TextKey caption,
                                         std::optional<quarvelin::TextKey> tip) {
    auto* box = new QCheckBox(text(caption));
    box->setObjectName(QString::fromLatin1(key));
    setTip(box, tip);
    checkFields_[key] = box;
    connect(box, &QCheckBox::toggled, this,
            [this, k = std::string(key)](bool on) { controller_->tick(k, on); });
    return box;
}

QWidget* PreferencesDialog::pathField(const char* key, const QString& filter) {
    QLineEdit* edit = lineField(key);
    edit->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 34);
    auto* button = new QPushButton(text(TextKey::ButtonBrowse));
    button->setObjectName(QStringLiteral("parcourir_") + QString::fromLatin1(key));
    connect(button, &QPushButton::clicked, this,
            [this, k = std::string(key), filter] { browse(k, filter); });
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit, 1);
    row->addWidget(button);
    auto* holder = new QWidget;
    holder->setLayout(row);
    holder->setFocusProxy(edit);
    return holder;
}

QWidget* PreferencesDialog::buildGeneral() {
    QFormLayout* players = newForm();
    QLineEdit* name = lineField("NOM_JOUEUR");
    players->addRow(fieldLabel(TextKey::PlayerName, name), name);
    QLineEdit* engine = lineField("NOM_MOTEUR");
    players->addRow(fieldLabel(TextKey::EngineName, engine), engine);

    auto* elo = new QComboBox;
    elo->setObjectName(QStringLiteral("NIVEAU_ELO"));
    elo->setEditable(true);
    elo->setInsertPolicy(QComboBox::NoInsert);
    for (const char* level : EloLevels) elo->addItem(QString::fromLatin1(level));
    elo->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    elo->setMinimumContentsLength(6);
    elo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    textFields_["NIVEAU_ELO"] = {elo, [elo] { return elo->currentText().trimmed(); },
                                 [elo](const QString& t) { elo->setEditText(t); }};
    connect(elo->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { commit("NIVEAU_ELO", false); });
    connect(elo, &QComboBox::activated, this, [this] { commit("NIVEAU_ELO", false); });
    players->addRow(fieldLabel(TextKey::EloRating, elo), elo);

    QLineEdit* place = lineField("LIEU_JEU");
    players->addRow(fieldLabel(TextKey::Place, place), place);

    QFormLayout* game = newForm();
    colour_ = new QComboBox;
    colour_->setObjectName(QStringLiteral("DEB_BLANC"));
    colour_->addItems({text(TextKey::PrefWhite), text(TextKey::PrefBlack)});
    connect(colour_, &QComboBox::currentIndexChanged, this,
            [this](int index) { controller_->tick("DEB_BLANC", index == 0); });
    game->addRow(fieldLabel(TextKey::YouPlay, colour_), colour_);

    language_ = new QComboBox;
    language_->setObjectName(QStringLiteral("CLE_LANGUE"));
    for (const char* language : LanguageNames) language_->addItem(QString::fromUtf8(language));
    connect(language_, &QComboBox::currentIndexChanged, this,
            [this](int index) { controller_->type("CLE_LANGUE", std::to_string(index + 1)); });
    game->addRow(fieldLabel(TextKey::Language, language_), language_);
    for (auto [key, caption] : {std::pair{"AFF_NOUVELLE", TextKey::StartGameAtLaunch},
                                {"AFF_REPERE", TextKey::ShowCoordinatesSetting},
                                {"ACTIVE_SON", TextKey::PlaySounds},
                                {"BULLE_AIDE", TextKey::ShowTooltips}})
        game->addRow(nullptr, checkField(key, caption));

    QFormLayout* clocks = newForm();
    QLineEdit* time = lineField("DELAI_PARTIE");
    time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    time->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000:00:000")) + 16);
    clocks->addRow(fieldLabel(TextKey::TimePerPlayer, time), time);
    // Ticking the group's title switches the clocks; the time waits greyed while they are off.
    clocks_ = group(text(TextKey::UseClocks), clocks);
    clocks_->setObjectName(QStringLiteral("ACTIVE_HORLOGE"));
    clocks_->setCheckable(true);
    connect(clocks_, &QGroupBox::toggled, this,
            [this](bool on) { controller_->tick("ACTIVE_HORLOGE", on); });

    auto* layout = new QVBoxLayout;
    layout->addWidget(group(text(TextKey::GroupPlayers), players));
    layout->addWidget(group(text(TextKey::Game), game));
    layout->addWidget(clocks_);
    layout->addStretch(1);
    return page(layout);
}

QWidget* PreferencesDialog::buildBoard() {
    QFormLayout* form = newForm();
    boardPicture_ = new QComboBox;
    boardPicture_->setObjectName(QStringLiteral("CURENT_ECHIQUIER"));
    boardPicture_->setMinimumContentsLength(20);
    connect(boardPicture_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        controller_->type("CURENT_ECHIQUIER", name.toStdString());
    });
    form->addRow(fieldLabel(TextKey::BoardPicture, boardPicture_), boardPicture_);

    pieceSet_ = new QComboBox;
    pieceSet_->setObjectName(QStringLiteral("CURENT_PIECE"));
    pieceSet_->setMinimumContentsLength(20);
    connect(pieceSet_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        controller_->type("CURENT_PIECE", name.toStdString());
        showPieceSet();
    });
    form->addRow(fieldLabel(TextKey::PieceSet, pieceSet_), pieceSet_);
    NumberSpinBox* replay = numberField("DELAI_ATTENTE", 100, CountSample);
    form->addRow(fieldLabel(TextKey::ReplayDelay, replay), replay);
    form->addRow(nullptr, checkField("MACHINE_TRACE_COUP", TextKey::MarkComputerMove));

    preview_ = new PieceSetPreview;
    auto* previewLayout = new QHBoxLayout;
    previewLayout->addStretch(1);
    previewLayout->addWidget(preview_);
    previewLayout->addStretch(1);

    auto* layout = new QVBoxLayout;
    layout->addLayout(form);
    layout->addSpacing(16);
    layout->addLayout(previewLayout);
    layout->addStretch(1);
    return page(layout);
}

QWidget* PreferencesDialog::buildFiles() {
    const QString files = text(TextKey::Files);
    QFormLayout* bases = newForm();
    QWidget* eco = pathField("BASE_ECO", files + QStringLiteral(" SQLite (*.db)"));
    bases->addRow(fieldLabel(TextKey::OpeningBase, eco), eco);
    QWidget* corres = pathField("BASE_CORRES", files + QStringLiteral(" SQLite (*.db)"));
    bases->addRow(fieldLabel(TextKey::CorrespondenceBase, corres), corres);
    QWidget* log = pathField("FILE_LOG", files + QStringLiteral(" LOG (*.log)"));
    bases->addRow(fieldLabel(TextKey::LogFile, log), log);
    auto* baseSwitches = new QHBoxLayout;
    baseSwitches->addWidget(checkField("GES_LOG", TextKey::KeepLog));
    baseSwitches->addSpacing(24);
    baseSwitches->addWidget(checkField("TRI_ECO", TextKey::SortOpeningBase));
    baseSwitches->addStretch(1);
    bases->addRow(nullptr, baseSwitches);

    QFormLayout* games = newForm();
    QLineEdit* pattern = lineField("PARTIE_FILTRE");
    pattern->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 22);
    games->addRow(fieldLabel(TextKey::GameFilePattern, pattern), pattern);
    NumberSpinBox* most = numberField("MAX_SEUIL_PARTIE", 100, QStringLiteral("0000000000"));
    games->addRow(fieldLabel(TextKey::MostGamesPerFile, most), most);
    games->addRow(nullptr, checkField("ZIP_PARTIE", TextKey::CompressSavedGames));
    games->addRow(nullptr, checkField("SAUVE_ABREGE", TextKey::SaveShortNotation));
    games->addRow(nullptr, checkField("IMP", TextKey::PreviewReports, TextKey::TipPreviewReports));

    auto* layout = new QVBoxLayout;
    layout->addWidget(group(text(TextKey::GroupDatabases), bases));
    layout->addWidget(group(text(TextKey::GroupGameFiles), games));
    layout->addStretch(1);
    return page(layout);
}

QWidget* PreferencesDialog::buildNetwork() {
    server_ = new QRadioButton(text(TextKey::RoleServer));
    server_->setObjectName(QStringLiteral("IP_MODE_SERVEUR"));
    client_ = new QRadioButton(text(TextKey::RoleClient));
    client_->setObjectName(QStringLiteral("IP_MODE_CLIENT"));
    auto* roles = new QButtonGroup(this);
    roles->addButton(server_);
    roles->addButton(client_);
    connect(server_, &QRadioButton::toggled, this,
            [this](bool on) { controller_->tick("IP_MODE_SERVEUR", on); });

    QFormLayout* form = newForm();
    form->addRow(fieldLabel(TextKey::NetworkRole, server_), server_);
    form->addRow(nullptr, client_);
    QLineEdit* host = lineField("IP_ADRESSE_HOST");
    form->addRow(fieldLabel(TextKey::OpponentAddress, host), host);
    QLineEdit* port = lineField("IP_NUM_PORT");
    port->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    form->addRow(fieldLabel(TextKey::TcpPort, port), port);
    QLineEdit* user = lineField("IP_NOM_UTILISATEUR");
    form->addRow(fieldLabel(TextKey::NetworkName, user), user);
    form->addItem(new QSpacerItem(0, 12));
    QLineEdit* version = lineField("VERSION_XML");
    form->addRow(fieldLabel(TextKey::VersionFileAddress, version), version);

    auto* layout = new QVBoxLayout;
    layout->addLayout(form);
    layout->addStretch(1);
    return page(layout);
}

QWidget* PreferencesDialog::buildCorrespondence() {
    QFormLayout* form = newForm();
    QLineEdit* mail = lineField("ADRESSE_MEL");
    form->addRow(fieldLabel(TextKey::MailAddress, mail), mail);
    NumberSpinBox* days = numberField("NB_JOUR_MAX", 1, QStringLiteral("0000"));
    form->addRow(fieldLabel(TextKey::MostDaysBetweenMoves, days), days);

    auto choice = [&](const char* key, std::initializer_list<TextKey> items) {
        auto* box = new QComboBox;
        box->setObjectName(QString::fromLatin1(key));
        int value = 0;
        for (TextKey item : items) box->addItem(text(item), value++);
        connect(box, &QComboBox::currentIndexChanged, this, [this, box, key](int index) {
            if (index >= 0) controller_->type(key, std::to_string(box->itemData(index).toInt()));
        });
        choices_.emplace_back(key, box);
        return box;
    };
    QComboBox* backEnd =
        choice("MEL_ENVOI", {TextKey::MailBackendDesktop, TextKey::MailBackendSmtp});
    form->addRow(fieldLabel(TextKey::MailBackend, backEnd), backEnd);
    QFormLayout* smtp = newForm();
    QLineEdit* server = lineField("SMTP_SERVEUR");
    smtp->addRow(fieldLabel(TextKey::SmtpServer, server), server);
    NumberSpinBox* port = numberField("SMTP_PORT", 1, QStringLiteral("000000"));
    smtp->addRow(fieldLabel(TextKey::SmtpPort, port), port);
    QComboBox* security =
        choice("SMTP_SECURITE", {TextKey::SmtpSecurityNone, TextKey::SmtpSecurityStartTls,
                                 TextKey::SmtpSecurityTls});
    smtp->addRow(fieldLabel(TextKey::SmtpSecurity, security), security);
    QLineEdit* user = lineField("SMTP_UTILISATEUR");
    smtp->addRow(fieldLabel(TextKey::SmtpUser, user), user);
    auto* smtpBox = new QGroupBox(text(TextKey::MailBackendSmtp));
    smtpBox->setObjectName(QStringLiteral("smtp"));
    smtpBox->setLayout(smtp);

    auto* layout = new QVBoxLayout;
    layout->addLayout(form);
    layout->addWidget(smtpBox);
    layout->addStretch(1);
    return page(layout);
}

QWidget* PreferencesDialog::buildEngine() {
    QFormLayout* search = newForm();
    depth_ = new QComboBox;
    depth_->setObjectName(QStringLiteral("PROFONDEUR_MAX"));
    for (int level = 0; level <= 3; ++level)
        depth_->addItem(text(quarvelin::LevelTexts.at(level)), level);
    connect(depth_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            controller_->type("PROFONDEUR_MAX", std::to_string(depth_->itemData(index).toInt()));
    });
    search->addRow(fieldLabel(TextKey::SearchDepth, depth_), depth_);
    search->addRow(nullptr, checkField("ALPHA_BETA", TextKey::AlphaBeta));

    QFormLayout* openings = newForm();
    openings->addRow(nullptr, checkField("ACTIVE_BASE_CON", TextKey::PlayBookMoves));
    openings->addRow(nullptr, checkField("OUVERTURE_ALEATOIRE", TextKey::RandomBookMoves));
    QLineEdit* first = lineField("OUVERTURE_DEFAUT");
    first->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);
    openings->addRow(fieldLabel(TextKey::FirstMoveAsWhite, first), first);
    NumberSpinBox* note = numberField("MAX_COUP_OUVERTURE", 1, QStringLiteral("0000"));
    openings->addRow(fieldLabel(TextKey::ReportLeavingBookBefore, note), note);

    QFormLayout* automatic = newForm();
    NumberSpinBox* threshold =
        numberField("SEUIL_PARTIE_NULLE", 100, WeightSample, TextKey::TipRepetitionThreshold);
    automatic->addRow(fieldLabel(TextKey::RepetitionResignThreshold, threshold), threshold);

    auto* layout = new QVBoxLayout;
    layout->addWidget(group(text(TextKey::GroupSearch), search));
    layout->addWidget(group(text(TextKey::Openings), openings));
    layout->addWidget(group(text(TextKey::PlayModeAutomatic), automatic));
    layout->addStretch(1);
    return page(layout);
}

QWidget* PreferencesDialog::buildEvaluation() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int c = 0; c < 6; ++c) {
        auto* name = new QLabel(Captions::capitalised(catalogue_, WeightColumns[c].name));
        name->setAlignment(Qt::AlignCenter);
        grid->addWidget(name, 0, c + 1);
    }
    for (int r = 0; r < 3; ++r) {
        const WeightRow& row = WeightRows[r];
        auto* caption = new QLabel(Captions::label(catalogue_, row.caption));
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(caption, r + 1, 0);
        for (int c = 0; c < 6; ++c) {
            const std::string key = std::string(row.family) + WeightColumns[c].suffix;
            NumberSpinBox* spin =
                numberField(key.c_str(), row.step, WeightSample,
                            r == 2 ? std::optional(TextKey::TipMobilityGrowth) : std::nullopt);
            grid->addWidget(spin, r + 1, c + 1);
            if (c == 0) caption->setBuddy(spin);
        }
    }
    grid->setColumnStretch(7, 1);

    struct Single {
        const char* key;
        quarvelin::TextKey caption;
        double step;
    };
    // In pairs: a weight and the move that bounds it, or two weights of a kind.
    const Single singles[] = {
        {"BONUS_ECHEC", TextKey::CheckBonus, 10},
        {"SEUIL_BONUS_ECHEC", TextKey::CheckBonusFromMove, 1},
        {"NOTE_CENTRE", TextKey::CentreControl, 5},
        {"SEUIL_CENTRE", TextKey::CentreControlUpToMove, 1},
        {"INDICE_DEFENSE", TextKey::WellDefendedPiece, 0.5},
        {"INDICE_ATTAQUE", TextKey::DefendedAttackingPiece, 0.5},
        {"NOTE_ROQUE", TextKey::Castling, 50},
        {"NOTE_PROMOTION", TextKey::PromotionWeight, 50},
        {"MALUS_DOUBLE", TextKey::DoubledPawnPenalty, 10},
        {"MALUS_ROI", TextKey::KingMovePenalty, 10},
    };
    auto* others = new QGridLayout;
    others->setHorizontalSpacing(8);
    for (int i = 0; i < static_cast<int>(std::size(singles)); ++i) {
        const Single& s = singles[i];
        const PreferenceField* field = preferenceField(s.key);
        NumberSpinBox* spin =
            numberField(s.key, s.step, field->integer ? CountSample : WeightSample);
        QLabel* caption = fieldLabel(s.caption, spin);
        const int row = i / 2, column = (i % 2) * 3;
        others->addWidget(caption, row, column);
        others->addWidget(spin, row, column + 1);
    }
    others->setColumnMinimumWidth(2, 24);
    others->setColumnStretch(2, 1);
    others->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout;
    layout->addWidget(group(text(TextKey::GroupPieceWeights), grid));
    layout->addWidget(group(text(TextKey::GroupOtherWeights), others));
    layout->addStretch(1);
    QWidget* evaluation = page(layout);
    // Its labels stand in two columns of their own.
    evaluation->setObjectName(QStringLiteral("evaluation"));
    return evaluation;
}

void PreferencesDialog::refresh() {
    for (auto& [key, field] : textFields_) {
        const QSignalBlocker block(field.widget);
        field.write(QString::fromStdString(controller_->text(key)));
    }
    for (auto& [key, box] : checkFields_) {
        const QSignalBlocker block(box);
        box->setChecked(controller_->ticked(key));
    }
    for (auto& [key, box] : choices_) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(
            std::max(0, box->findData(QString::fromStdString(controller_->text(key)).toInt())));
    }
    const Settings& fields = controller_->fields();
    {
        const QSignalBlocker block(clocks_);
        clocks_->setChecked(controller_->ticked("ACTIVE_HORLOGE"));
    }
    {
        const QSignalBlocker block(colour_);
        colour_->setCurrentIndex(controller_->ticked("DEB_BLANC") ? 0 : 1);
    }
    {
        // Another value reads as English, as it does everywhere.
        const QSignalBlocker block(language_);
        const int language = fields.CLE_LANGUE;
        language_->setCurrentIndex(language >= 1 && language <= LanguageCount ? language - 1 : 1);
    }
    {
        const QSignalBlocker block(depth_);
        const int depth = fields.PROFONDEUR_MAX[1];
        int index = depth_->findData(depth);
        if (index < 0) {
            depth_->addItem(QString::number(depth), depth);
            index = depth_->count() - 1;
        }
        depth_->setCurrentIndex(index);
    }
    {
        const QSignalBlocker block(boardPicture_);
        boardPicture_->clear();
        for (const std::string& name : controller_->boardImages())
            boardPicture_->addItem(QString::fromStdString(name));
        // A picture that is gone shows as none rather than as another one.
        boardPicture_->setCurrentIndex(
            boardPicture_->findText(QString::fromStdString(fields.CURENT_ECHIQUIER)));
        boardPicture_->setEnabled(boardPicture_->count() > 0);
    }
    {
        const QSignalBlocker block(pieceSet_);
        pieceSet_->clear();
        for (const std::string& name : controller_->pieceSets())
            pieceSet_->addItem(QString::fromStdString(name));
        // A set that is gone is drawn with the program's own, listed first.
        pieceSet_->setCurrentIndex(
            std::max(pieceSet_->findText(QString::fromStdString(fields.CURENT_PIECE)), 0));
    }
    {
        const QSignalBlocker blockServer(server_);
        const QSignalBlocker blockClient(client_);
        (controller_->ticked("IP_MODE_SERVEUR") ? server_ : client_)->setChecked(true);
    }
    showPieceSet();
}

void PreferencesDialog::showPieceSet() {
    const auto& where = controller_->settingsLocations();
    preview_->setFolder(QString::fromStdString(
        PieceSets::folder(where.installation, controller_->fields().CURENT_PIECE, where.data)));
}

bool PreferencesDialog::commit(const std::string& key, bool showNow) {
    const auto it = textFields_.find(key);
    if (it == textFields_.end()) return true;
    const std::string shown = it->second.read().toStdString();
    if (shown == controller_->text(key)) return true;
    const Verification checked = controller_->type(key, shown);
    {
        const QSignalBlocker block(it->second.widget);
        it->second.write(QString::fromStdString(checked.text));
    }
    if (checked.message.empty()) return true;
    if (showNow) {
        dialogs_.message(PreferencesController::Title, checked.message, DialogIcon::Exclamation);
    } else {
        // Not from inside a focus change: a message box there fights the click that moved
        // the focus.
        refusalPending_ = true;
        QTimer::singleShot(0, this, [this, message = checked.message] {
            refusalPending_ = false;
            dialogs_.message(PreferencesController::Title, message, DialogIcon::Exclamation);
        });
    }
    return false;
}

void PreferencesDialog::accept() {
    // A refusal about to be shown belongs to the field just left; OK waits for it.
    if (refusalPending_) return;
    for (auto& [key, field] : textFields_) {
        if (!commit(key, true)) {
            for (int i = 0; i < tabs_->count(); ++i)
                if (tabs_->widget(i)->isAncestorOf(field.widget)) tabs_->setCurrentIndex(i);
            field.widget->setFocus();
            return;
        }
    }
    const bool done = controller_->validate([this] {
        catalogue_.appliquer_langue(record_.CLE_LANGUE);
        emit preferencesApplied(PreferencesController::playerColour(record_));
    });
    if (done) QDialog::accept();
}

void PreferencesDialog::reset() {
    controller_->reset();
    refresh();
}

void PreferencesDialog::saveAs() {
    const QFileInfo proposed(QString::fromStdString(controller_->proposedName()));
    QFileDialog chooser(this, text(TextKey::SaveSettingsAs), LastFolder::startIn(this),
                        text(TextKey::Files) + QStringLiteral(" INI (*.ini)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    // The replace question is ours, in the user's language.
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    chooser.setDefaultSuffix(QStringLiteral("ini"));
    chooser.selectFile(proposed.fileName());
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    LastFolder::remember(this, chooser.selectedFiles().constFirst());
    controller_->saveAs(chooser.selectedFiles().constFirst().toStdString());
}

void PreferencesDialog::browse(const std::string& key, const QString& filter) {
    TextField& field = textFields_.at(key);
    const std::string current =
        absolutePath(field.read().toStdString(), controller_->settingsLocations().data);
    const QFileInfo start(QString::fromStdString(current));
    QFileDialog chooser(this, text(TextKey::ChooseFile), LastFolder::startIn(this), filter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    chooser.selectFile(start.fileName());
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    LastFolder::remember(this, chooser.selectedFiles().constFirst());
    field.write(chooser.selectedFiles().constFirst());
    commit(key, true);
}
