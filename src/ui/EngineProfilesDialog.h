// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine-parameter window (`parametre`): the two settings files whose engine keys become
// profiles 1 and 2 of automatic play.
#include "config/EngineProfilesController.h"
#include "localisation/Catalogue.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;

class EngineProfilesDialog : public QDialog {
    Q_OBJECT

public:
    EngineProfilesDialog(quarvelin::Settings& record, const quarvelin::Catalogue& catalogue,
                         quarvelin::Dialogs& dialogs, QWidget* parent = nullptr);
    ~EngineProfilesDialog() override;

    QLineEdit* fileField(int profile) const { return files_[profile == 2 ? 1 : 0]; }

public slots:
    void accept() override;

signals:
    // Both profiles are loaded and TwoProfiles is set.
    void profilesLoaded();

private:
    void browse(int profile);
    void view(int profile);
    void take();

    const quarvelin::Catalogue& catalogue_;
    std::unique_ptr<quarvelin::EngineProfilesController> controller_;
    std::array<QLineEdit*, 2> files_{};
};
