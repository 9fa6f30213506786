// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The piece a promoting pawn becomes, chosen from the four pieces of the board's set drawn in
// the mover's colour.
#include "rules/Types.h"

#include <QDialog>

#include <functional>
#include <optional>

class QPixmap;

class PromotionPicker : public QDialog {
    Q_OBJECT

public:
    // The four choices, in the order they are shown.
    static constexpr quarvelin::PieceType Choices[4] = {
        quarvelin::PieceType::Queen, quarvelin::PieceType::Rook, quarvelin::PieceType::Bishop,
        quarvelin::PieceType::Knight};

    PromotionPicker(QWidget* parent, const QString& title, const QString& cancel,
                    const std::function<QPixmap(quarvelin::PieceCode)>& image,
                    quarvelin::Colour mover);

    std::optional<quarvelin::PieceType> chosen() const { return chosen_; }

private:
    std::optional<quarvelin::PieceType> chosen_;
};
