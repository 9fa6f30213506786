// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows of a correspondence move: `prepare` (the move on the board, ready to go),
// `message` (the e-mail itself, for a move, the position or a free message) and `saisie_coup`
// (the opponent's move as received).
#include "correspondence/MailSending.h"
#include "ui/CorrespondenceWindow.h"

#include <QDialog>

class DateField;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class PrepareWindow : public QDialog {
    Q_OBJECT

public:
    PrepareWindow(const CorrespondenceLinks& links, quarvelin::CorrespondenceStore& store,
                  quarvelin::CorrespondenceGame game, QWidget* parent = nullptr);
    // Reads the board again: the move to send, or what is wrong.
    void refresh();
    void send();
    // The e-mail window opened by send(); tests drive it here before it runs.
    std::function<void(class MessageWindow&)> beforeMessage;

private:
    const CorrespondenceLinks& links_;
    quarvelin::CorrespondenceStore& store_;
    quarvelin::CorrespondenceGame game_;
    quarvelin::SentMove move_;
    QPlainTextEdit* moves_;
    QLabel* moveLabel_;
    QPlainTextEdit* comment_;
    QPushButton* sendButton_;
};

class MessageWindow : public QDialog {
    Q_OBJECT

public:
    MessageWindow(const CorrespondenceLinks& links, quarvelin::CorrespondenceStore& store,
                  quarvelin::Dispatch dispatch, QWidget* parent = nullptr);
    void attach();
    void send();
    // The file chooser of the attach button; tests put their own answer here.
    std::function<QString()> chooseFile;

private:
    const CorrespondenceLinks& links_;
    quarvelin::CorrespondenceStore& store_;
    quarvelin::Dispatch dispatch_;
    QLineEdit* to_;
    QLineEdit* subject_;
    QPlainTextEdit* body_;
    QLabel* files_;
};

class MoveEntryWindow : public QDialog {
    Q_OBJECT

public:
    MoveEntryWindow(const CorrespondenceLinks& links, quarvelin::CorrespondenceStore& store,
                    quarvelin::CorrespondenceGame game, QWidget* parent = nullptr);
    void confirm();

private:
    const CorrespondenceLinks& links_;
    quarvelin::CorrespondenceStore& store_;
    quarvelin::CorrespondenceGame game_;
    QLineEdit* move_;
    DateField* date_;
};
