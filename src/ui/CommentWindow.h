// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running commentary beside the board (`comment`): what the engine is weighing, remarks on
// moves, the opening reached, the notes of a loaded game.
#include "session/Commentary.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quarvelin {
class TextCatalogue;
}

class CommentWindow : public QWidget, public quarvelin::Commentary {
    Q_OBJECT

public:
    explicit CommentWindow(QWidget* parent = nullptr);

    void appliquer_textes(const quarvelin::TextCatalogue& catalogue);

    // The check mark of the main window's menu item; the writers look at it, not at whether
    // the widget happens to be on screen.
    void setCommentaryShown(bool shown) { shown_ = shown; }

    bool visible() const override { return shown_; }
    void append(const std::string& text) override;
    void prepend(const std::string& text) override;
    void clear() override;

    // Enabled while the game is still inside the opening base.
    void setShowOpeningsEnabled(bool enabled);
    void setCalculation(const QString& text);

    QString text() const;

    QSize sizeHint() const override;

signals:
    void viewOpenings();
    // Closed by the user or by the program; the menu item's check mark follows.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* text1_ = nullptr;
    QPushButton* showOpenings_ = nullptr;
    QPushButton* command1_ = nullptr;
    QLabel* calculation_ = nullptr;
    bool shown_ = false;
};
