// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box (`frmAbout`): the program's name and version, its licence, the libraries it
// runs on with their versions, and where its source is when that address is known.
#include <QDialog>

class QLabel;
class QPushButton;

namespace quarvelin {
class Catalogue;
}

class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(const quarvelin::Catalogue& catalogue, QWidget* parent = nullptr);

    void appliquer_textes(const quarvelin::Catalogue& catalogue);

    // "Qt 6.4.2", "SQLite 3.40.1": the versions the program runs with, one per line.
    static QStringList libraries();

private:
    QLabel* body_ = nullptr;
    QPushButton* ok_ = nullptr;
};
