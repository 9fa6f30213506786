#pragma once
// Message boxes, Yes/No questions and input boxes of the game logic, as Qt dialogs over the
// main window.
#include "rules/Dialogs.h"

#include <QPointer>
#include <QWidget>

class QtDialogs : public quarvelin::Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& title, const std::string& text,
                 quarvelin::DialogIcon icon) override;
    bool question(const std::string& title, const std::string& text) override;
    std::string saisie(const std::string& title, const std::string& prompt,
                       const std::string& defaut) override;

private:
    QPointer<QWidget> parent_;
};
