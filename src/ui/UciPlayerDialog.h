// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tournament window's engine dialog (`uciPlayer`): an outside UCI engine's program, its
// name in the crosstable, its options and its time per move. OK runs the UCI handshake, so a
// missing program or one that is no engine is told while the user can still mend it.
#include <QDialog>
#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QDialogButtonBox;

namespace quarvelin {
class Catalogue;
}

struct UciPlayer {
    QString name, command;
    QStringList options; // "Name=Value"
    int moveTimeMs = 100;
    bool operator==(const UciPlayer&) const = default;
};

class UciPlayerDialog : public QDialog {
    Q_OBJECT

public:
    // `taken`: the names already in the players' list, which this one must not repeat.
    UciPlayerDialog(const quarvelin::Catalogue& catalogue, QStringList taken,
                    QWidget* parent = nullptr);

    void appliquer_textes(const quarvelin::Catalogue& catalogue);
    // What the user filled in, the name made unique.
    UciPlayer player() const;

    // Stockfish on the path or in /usr/games; empty when neither has it.
    static QString defaultProgram();
    // `base`, else "base 2", "base 3"… whichever `taken` lacks first.
    static QString uniqueName(const QString& base, const QStringList& taken);
    // The file chooser of the Browse button; tests put their own answer here.
    std::function<QString()> chooseProgram;

public slots:
    void accept() override;

private:
    void browse();
    void programEdited();
    QString problem() const;

    const quarvelin::Catalogue& catalogue_;
    QStringList taken_;
    bool nameEdited_ = false;

    QLabel* programLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* optionsLabel_ = nullptr;
    QLabel* moveTimeLabel_ = nullptr;
    QLineEdit* program_ = nullptr;
    QPushButton* browse_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* options_ = nullptr;
    QSpinBox* moveTime_ = nullptr;
    QLabel* warningIcon_ = nullptr;
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};
