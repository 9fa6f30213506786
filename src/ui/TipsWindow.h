// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tips window (`frmTip`): a tip of the interface language at random, another on
// `cmdNextTip`, and the check box that decides whether tips open when the program starts.
#include "config/Tips.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace quarvelin {
class Catalogue;
}

class TipsWindow : public QDialog {
    Q_OBJECT

public:
    TipsWindow(const quarvelin::Catalogue& catalogue, quarvelin::TipsOption& option,
               const std::string& tipsFile, QWidget* parent = nullptr);

    void appliquer_textes(const quarvelin::Catalogue& catalogue);
    // cmdNextTip: another tip at random.
    void nextTip();

    const quarvelin::Tips& tips() const { return tips_; }
    // Uniform in [0, 1); tests put their own numbers here.
    std::function<double()> random;

private:
    quarvelin::TipsOption& option_;
    quarvelin::Tips tips_;

    QLabel* heading_ = nullptr;
    QLabel* lblTipText_ = nullptr;
    QCheckBox* chkLoadTipsAtStartup_ = nullptr;
    QPushButton* cmdNextTip_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};
