// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EngineProfilesDialog.h"

#include "localisation/TextKey.h"
#include "ui/Captions.h"
#include "ui/LastFolder.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using quarvelin::TextKey;

using namespace quarvelin;

EngineProfilesDialog::EngineProfilesDialog(Settings& record, const Catalogue& catalogue,
                                           Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue),
      controller_(std::make_unique<EngineProfilesController>(record, dialogs, catalogue)) {
    setObjectName(QStringLiteral("parametre"));
    setWindowTitle(Captions::text(catalogue, TextKey::EngineParameters));

    auto* intro = new QLabel(Captions::text(catalogue, TextKey::ProfilesExplanation));
    intro->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (int profile = 1; profile <= 2; ++profile) {
        auto* edit = new QLineEdit(QString::fromStdString(controller_->file(profile)));
        edit->setObjectName(QStringLiteral("fichier%1").arg(profile));
        edit->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 46);
        files_[profile - 1] = edit;
        auto* label = new QLabel(
            Captions::label(catalogue, Captions::text(catalogue, TextKey::EngineProfile) + u' ' +
                                           QString::number(profile)));
        label->setBuddy(edit);
        auto* browseButton = new QPushButton(Captions::text(catalogue, TextKey::ButtonBrowse));
        browseButton->setObjectName(QStringLiteral("parcourir%1").arg(profile));
        auto* viewButton = new QPushButton(Captions::text(catalogue, TextKey::ButtonView));
        viewButton->setObjectName(QStringLiteral("voir%1").arg(profile));
        connect(browseButton, &QPushButton::clicked, this, [this, profile] { browse(profile); });
        connect(viewButton, &QPushButton::clicked, this, [this, profile] { view(profile); });
        grid->addWidget(label, profile - 1, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(edit, profile - 1, 1);
        grid->addWidget(browseButton, profile - 1, 2);
        grid->addWidget(viewButton, profile - 1, 3);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(Captions::text(catalogue, TextKey::ButtonOk),
                                         QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons
        ->addButton(Captions::text(catalogue, TextKey::ButtonCancel), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &EngineProfilesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EngineProfilesDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addStretch(1);
    layout->addWidget(buttons);
}

EngineProfilesDialog::~EngineProfilesDialog() = default;

void EngineProfilesDialog::take() {
    for (int profile = 1; profile <= 2; ++profile)
        controller_->choose(profile, files_[profile - 1]->text().trimmed().toStdString());
}

void EngineProfilesDialog::browse(int profile) {
    const QString file = QFileDialog::getOpenFileName(
        this, Captions::text(catalogue_, TextKey::ChooseFile), LastFolder::startIn(this),
        QString::fromLatin1(EngineProfilesController::Filter));
    if (file.isEmpty()) return;
    LastFolder::remember(this, file);
    fileField(profile)->setText(file);
}

void EngineProfilesDialog::view(int profile) {
    take();
    if (controller_->visible(profile))
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QString::fromStdString(controller_->file(profile))));
}

void EngineProfilesDialog::accept() {
    take();
    if (!controller_->validate()) return;
    emit profilesLoaded();
    QDialog::accept();
}
