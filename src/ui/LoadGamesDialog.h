// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The games-file window (`charge`): a games file and the filter its games are listed with.
// Opened to load (the board window lists the games that pass) or to extract (the games that
// pass are written to a new PGN or XML file). The filter goes into the settings record for
// the session; only "save the filter" writes it to the settings file.
#include "config/Settings.h"
#include "localisation/TextKey.h"
#include "records/LoadGamesController.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quarvelin {
class Catalogue;
class Dialogs;
} // namespace quarvelin

class LoadGamesDialog : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Load = 0, Extract = 1 };

    // Asks for a file: title, folder to start in, filter; an empty answer cancels.
    using FileChooser =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;
    // Opens a file for reading; false when nothing could be started.
    using TextEditor = std::function<bool(const QString&)>;

    // gamesFile: the games file in use, empty when there is none. settingsFile: where "save
    // the filter" writes. dialogs: where messages go; null for message boxes over this window.
    LoadGamesDialog(Mode mode, quarvelin::Settings& settings, const quarvelin::Catalogue& catalogue,
                    QString settingsFile, const QString& gamesFile,
                    quarvelin::Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~LoadGamesDialog() override;

    void appliquer_textes(const quarvelin::Catalogue& catalogue);

    Mode mode() const { return mode_; }
    QString gamesFile() const;

    // The file dialogs and the editor by default; tests answer in their place.
    void setOpenChooser(FileChooser chooser) { openChooser_ = std::move(chooser); }
    void setSaveChooser(FileChooser chooser) { saveChooser_ = std::move(chooser); }
    void setTextEditor(TextEditor editor) { editor_ = std::move(editor); }

public slots:
    void chooseGamesFile(); // Command3
    void loadGames();       // Command2
    void saveResults();     // Command4
    void resetFilter();     // Command5
    void saveFilter();      // Command6
    void viewFile();        // voir

signals:
    // Load: the filter is in the settings record; list the games of this file.
    void loadRequested(const QString& gamesFile);
    // Extract: the filter and the games limit are in the settings record; write the games of
    // gamesFile that pass to target. The window stays open for another extraction.
    void extractRequested(const QString& gamesFile, const QString& target, bool xml,
                          bool onePerFile, bool addressFile);

private:
    QLineEdit* criterion(const char* name) const;
    void fill();
    void filesEnabled();
    void filterEnabled(bool on);
    void formatChosen();
    // Text4 and Text9 when left: a refused text is cleared and the reason shown, at once or
    // once the focus has settled.
    bool checkNumber(QLineEdit* field, bool showNow);
    bool checkNumbers();
    bool sourceExists();
    // The criteria as the fields hold them.
    quarvelin::LoadGamesController::Criteria typedCriteria() const;

    quarvelin::Settings& settings_;
    const quarvelin::Catalogue& catalogue_;
    const Mode mode_;
    QString settingsFile_;
    std::unique_ptr<quarvelin::Dialogs> own_;
    quarvelin::Dialogs& dialogs_;
    quarvelin::LoadGamesController controller_;
    FileChooser openChooser_;
    FileChooser saveChooser_;
    TextEditor editor_;
    bool refusalPending_ = false;

    QLabel* fileLabel_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command3_ = nullptr;
    QGroupBox* criteria_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QLineEdit* text4_ = nullptr;
    QLineEdit* text9_ = nullptr;
    QWidget* limitRow_ = nullptr;
    QLabel* limitLabel_ = nullptr;
    QLabel* limitUnit_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QLabel* formatLabel_ = nullptr;
    QRadioButton* xml_ = nullptr;
    QRadioButton* pgn_ = nullptr;
    QCheckBox* check3_ = nullptr;
    QCheckBox* check4_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    QPushButton* command6_ = nullptr;
    QPushButton* view_ = nullptr;
    // The criteria fields with their labels, in the order of the form.
    struct Field {
        const char* name;
        quarvelin::TextKey caption;
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
    };
    std::vector<Field> fields_;
};
