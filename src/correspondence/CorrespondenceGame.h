// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One record of the table PARTIE: a correspondence game, its players and its moves so far.
#include <QDate>
#include <QString>

#include <optional>

namespace quarvelin {

struct CorrespondenceGame {
    int Cle = 0; // 0 until the store has assigned one
    QString Lieu;
    bool JAIBLANC = true;
    QString BLANC, NOIR;
    QString MelBlanc, MelNoir;
    QString EloBlanc, EloNoir;
    QDate DateDebut, DateFin; // null when empty
    std::optional<int> CleAdverse;
    QString Resultat = QStringLiteral("*");
    bool Avertir = false;
    QString Move;     // standard SAN, "1.e4 e5 2.Nf3"
    int notation = 2; // the notation the board shows the game in
    QDate DateCoupEnvoye, DateCoupRecu;
    QString DernierCoupEnvoye, DernierCoupRecu;

    bool operator==(const CorrespondenceGame&) const = default;
};

} // namespace quarvelin
