// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save window (`sauve`): the record of the game in play, editable, saved as it stands in
// the box. What the save does lives in SaveController; this window shows the text and the
// choices and asks for the file.
#include "config/RecentFiles.h"
#include "config/Settings.h"
#include "localisation/Catalogue.h"
#include "localisation/Dialogs.h"
#include "records/SaveController.h"
#include "session/GameSession.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class SaveWindow : public QDialog {
    Q_OBJECT

public:
    // Asks for the file: title, proposed path, filter; an empty answer cancels.
    using FileChooser =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

    // Composes the record when it opens; a note that cannot be placed is said then. base, when
    // there is one, names the opening of a game played here.
    SaveWindow(const quarvelin::GameSession& session, const quarvelin::Settings& settings,
               quarvelin::Colour bottom, const quarvelin::Catalogue& catalogue,
               quarvelin::Dialogs& dialogs, quarvelin::RecentFiles* recent,
               const quarvelin::OpeningBase* base = nullptr, QWidget* parent = nullptr);

    // The file dialog by default; tests answer in its place.
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    QPlainTextEdit* text() const { return text1_; }
    QCheckBox* appendBox() const { return check1_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* printButton() const { return print_; }

public slots:
    // Command1: choose the file, write, close once written.
    void save();
    // Command3: the text as it stands, to the printer.
    void print();

signals:
    // The file is written and at the head of the recent files.
    void gameSaved(const QString& path);

private:
    QString text(quarvelin::TextKey key) const;

    const quarvelin::Catalogue& catalogue_;
    quarvelin::Dialogs& dialogs_;
    quarvelin::SaveController controller_;
    FileChooser chooser_;
    QPlainTextEdit* text1_ = nullptr;
    QRadioButton* xml_ = nullptr;
    QRadioButton* pgn_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
