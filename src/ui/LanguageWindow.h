// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first-start window (`Language`): one button per language and a way out. It only reports
// the choice; LanguageChoice carries it out.
#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class WelcomeBanner;

namespace quarvelin {
class TextCatalogue;
}

class LanguageWindow : public QDialog {
    Q_OBJECT

public:
    explicit LanguageWindow(QWidget* parent = nullptr);

    // The greeting and hints; title, language names and the exit button keep fixed texts,
    // since nobody has chosen a language yet.
    void appliquer_textes(const quarvelin::TextCatalogue& catalogue);

    QPushButton* button(int languageKey) const { return buttons_.at(languageKey - 1); }

signals:
    void chosenLanguage(int languageKey);
    // The user wants out at once, without anything written.
    void quit();

private:
    WelcomeBanner* banner_ = nullptr;
    QLabel* prompt_ = nullptr;
    QPushButton* output_ = nullptr;
    std::array<QPushButton*, 8> buttons_{};
};
