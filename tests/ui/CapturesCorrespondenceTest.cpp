// SPDX-License-Identifier: GPL-3.0-or-later
// The correspondence window with games in each state, and the e-mail of a move, saved as
// pictures when QUARVELIN_CAPTURES names a folder.
#include "ui/Capture.h"
#include "ui/CorrespondenceDialogs.h"
#include "ui/CorrespondenceWindow.h"

#include "session/SessionDoubles.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct Games {
    QTemporaryDir dir;
    Catalogue catalogue;
    Settings settings = test::testSettings();
    test::ScriptedDialogs dialogs;
    CorrespondenceStore store{dir.filePath(QStringLiteral("corres.db"))};
    CorrespondenceLinks links{settings, catalogue, dialogs, {}, {}, {}, {}};

    Games() {
        catalogue.appliquer_langue(1);
        settings.BASE_CORRES = store.path().toStdString();
        settings.ADRESSE_MEL = "camille.roux@example.org";
        settings.NOM_JOUEUR[1] = "Camille Roux";
        settings.LIEU_JEU = "Lyon";
        settings.NB_JOUR_MAX = 15;
        store.createEmpty();
        const struct {
            const char* opponent;
            const char* mail;
            bool white;
            QDate start, end;
            const char* moves;
            const char* result;
            int theirs;
        } games[] = {
            {"Zoé Duval",
             "zoe.duval",
             true,
             QDate(2026, 10, 2),
             {},
             "1.e4 c5 2.Nf3 d6 3.d4 cxd4 4.Nxd4 Nf6 5.Nc3 a6",
             "*",
             311},
            {"Hugo Martin",
             "hugo.martin",
             false,
             QDate(2026, 9, 14),
             {},
             "1.d4 Nf6 2.c4 e6 3.Nc3 Bb4 4.Qc2",
             "*",
             42},
            {"Léa Bernard",
             "lea.bernard",
             true,
             QDate(2026, 8, 30),
             {},
             "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O",
             "*",
             1207},
            {"Tomás Ferreira",
             "tomas.ferreira",
             false,
             QDate(2026, 6, 1),
             {},
             "1.c4 e5 2.Nc3 Nf6 3.g3 d5 4.cxd5 Nxd5",
             "*",
             88},
            {"Ingrid Nilsen", "ingrid.nilsen", true, QDate(2026, 2, 11), QDate(2026, 7, 23),
             "1.d4 d5 2.c4 c6 3.Nf3 Nf6", "1/2-1/2", 530},
            {"Paul Lefèvre", "paul.lefevre", false, QDate(2025, 11, 5), QDate(2026, 4, 2),
             "1.e4 e6 2.d4 d5 3.Nc3 Bb4", "0-1", 17},
        };
        for (const auto& g : games) {
            CorrespondenceGame c;
            c.JAIBLANC = g.white;
            c.BLANC = g.white ? QStringLiteral("Camille Roux") : QString::fromUtf8(g.opponent);
            c.NOIR = g.white ? QString::fromUtf8(g.opponent) : QStringLiteral("Camille Roux");
            c.MelBlanc = g.white ? QStringLiteral("camille.roux@example.org")
                                 : QStringLiteral("%1@example.net").arg(QString::fromUtf8(g.mail));
            c.MelNoir = g.white ? QStringLiteral("%1@example.net").arg(QString::fromUtf8(g.mail))
                                : QStringLiteral("camille.roux@example.org");
            c.EloBlanc = g.white ? QStringLiteral("1840") : QStringLiteral("1910");
            c.EloNoir = g.white ? QStringLiteral("1795") : QStringLiteral("1840");
            c.DateDebut = g.start;
            c.DateFin = g.end;
            c.Resultat = QString::fromUtf8(g.result);
            c.CleAdverse = g.theirs;
            c.Lieu = QStringLiteral("Lyon");
            c.Cle = *store.save(c);
            const QString moves = QString::fromUtf8(g.moves);
            const bool userMovedLast = (halfMoveCount(moves) % 2 == 1) == g.white;
            if (userMovedLast)
                store.recordSent(c.Cle, moves, g.start.addDays(halfMoveCount(moves) * 3),
                                 dernier_coup(moves));
            else
                store.recordReceived(
                    c.Cle, moves, g.start.addDays(halfMoveCount(moves) * 3),
                    QString::fromStdString(nextMoveNumber(halfMoveCount(moves) - 1)) +
                        dernier_coup(moves));
            if (!userMovedLast && halfMoveCount(moves) > 1) {
                const GameMoves m = readMoves(moves.toStdString());
                store.recordSent(c.Cle, moves, g.start.addDays(halfMoveCount(moves) * 3 - 3),
                                 QString::fromStdString(m.san[m.san.size() - 2]));
            }
        }
    }
};

TEST(Captures, CorrespondenceWindow) {
    Games g;
    CorrespondenceWindow w(g.links);
    w.resize(1120, 720);
    w.show();
    ASSERT_TRUE(w.charger_liste_corres());
    ASSERT_EQ(w.list()->topLevelItemCount(), 6);
    w.list()->setCurrentItem(w.list()->topLevelItem(0));
    QTest::qWait(50);
    takeScreenshot(w, QStringLiteral("correspondence"));
}

TEST(Captures, CorrespondenceMoveMail) {
    Games g;
    const CorrespondenceGame game = g.store.games()->front();
    Dispatch d;
    d.kind = MailKind::Move;
    d.cle = game.Cle;
    d.move = readSentMove(game, game.Move.toStdString() + " 6.Be2");
    ASSERT_TRUE(d.move.ok);
    d.message =
        moveMail(g.catalogue, g.settings, game, QString::fromStdString(d.move.moves),
                 QString::fromStdString(d.move.move),
                 QStringLiteral("Najdorf, donc. Je reste classique !"), QDate(2026, 11, 20));
    MessageWindow w(g.links, g.store, d);
    w.resize(720, 640);
    w.show();
    QTest::qWait(50);
    takeScreenshot(w, QStringLiteral("correspondence-move-mail"));
}

} // namespace
