// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small window the long loops show (`patience`): what is going on, how far it is, and a
// button to stop it at the next step.
#include "session/CancelToken.h"
#include "ui/ProgressSurface.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace quarvelin {
class TextCatalogue;
}

class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void appliquer_textes(const quarvelin::TextCatalogue& catalogue);

    // The caller names the work in the title and may say more in the label.
    void setTitle(const QString& title) { setWindowTitle(title); }
    void setText(const QString& text);
    void afficher_progression(int p);

    ProgressSurface* surface() const { return picture1_; }
    // Cancelled by the button, Escape or the title bar's close button.
    const quarvelin::CancelToken& cancelToken() const { return cancel_; }

public slots:
    // Escape asks for the stop like the button; the loop closes the window when it ends.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* label1_ = nullptr;
    ProgressSurface* picture1_ = nullptr;
    QPushButton* command1_ = nullptr;
    quarvelin::CancelToken cancel_;
};
