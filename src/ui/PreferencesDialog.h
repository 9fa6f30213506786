// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preferences window (`pref`): every setting, in tabs. The fields, their checks and what OK,
// Reset and Save as do live in PreferencesController; this window shows them.
#include "config/PreferencesController.h"
#include "localisation/Catalogue.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <string>

class NumberSpinBox;
class PieceSetPreview;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    PreferencesDialog(quarvelin::Settings& record, quarvelin::SettingsLocations settingsLocations,
                      quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs,
                      QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    QTabWidget* tabs() const { return tabs_; }
    PieceSetPreview* preview() const { return preview_; }
    const quarvelin::PreferencesController& controller() const { return *controller_; }

public slots:
    void accept() override;

signals:
    // OK went through: the record holds the new settings and the catalogue speaks the language
    // chosen. The receiver makes engine profile 1 the current one, sets PlayerColour and brings
    // its menus and captions in line.
    void preferencesApplied(quarvelin::Colour playerColour);

private:
    // A field whose text is checked when it is left.
    struct TextField {
        QWidget* widget;
        std::function<QString()> read;
        std::function<void(const QString&)> write;
    };

    QWidget* buildGeneral();
    QWidget* buildBoard();
    QWidget* buildFiles();
    QWidget* buildNetwork();
    QWidget* buildCorrespondence();
    QWidget* buildEngine();
    QWidget* buildEvaluation();

    QFormLayout* newForm() const;
    static void alignLabels(QWidget* page);
    QLabel* fieldLabel(quarvelin::TextKey caption, QWidget* buddy) const;
    QLineEdit* lineField(const char* key, std::optional<quarvelin::TextKey> tip = {});
    NumberSpinBox* numberField(const char* key, double step, const QString& sample,
                               std::optional<quarvelin::TextKey> tip = {});
    QCheckBox* checkField(const char* key, quarvelin::TextKey caption,
                          std::optional<quarvelin::TextKey> tip = {});
    QWidget* pathField(const char* key, const QString& filter);
    void setTip(QWidget* widget, std::optional<quarvelin::TextKey> tip) const;

    // Checks a field's text if it changed. A refusal is shown at once, or once the focus has
    // settled when the field is being left.
    bool commit(const std::string& key, bool showNow);
    void refresh();
    void showPieceSet();
    void reset();
    void saveAs();
    void browse(const std::string& key, const QString& filter);
    QString text(quarvelin::TextKey key) const;

    quarvelin::Settings& record_;
    quarvelin::Catalogue& catalogue_;
    quarvelin::Dialogs& dialogs_;
    std::unique_ptr<quarvelin::PreferencesController> controller_;
    const bool tips_;
    bool refusalPending_ = false;

    QTabWidget* tabs_ = nullptr;
    std::map<std::string, TextField> textFields_;
    std::map<std::string, QCheckBox*> checkFields_;
    QGroupBox* clocks_ = nullptr;
    QComboBox* language_ = nullptr;
    QComboBox* colour_ = nullptr;
    QComboBox* depth_ = nullptr;
    // Lists of choices by the settings key they write.
    std::vector<std::pair<std::string, QComboBox*>> choices_;
    QComboBox* boardPicture_ = nullptr;
    QComboBox* pieceSet_ = nullptr;
    QRadioButton* server_ = nullptr;
    QRadioButton* client_ = nullptr;
    PieceSetPreview* preview_ = nullptr;
};
