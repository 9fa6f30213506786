// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/CorrespondenceStore.h"
#include "correspondence/CorrespondenceRules.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace quarvelin {
namespace {

CorrespondenceGame sample(const QString& white, const QDate& start) {
    CorrespondenceGame g;
    g.Lieu = QStringLiteral("Lyon");
    g.BLANC = white;
    g.NOIR = QStringLiteral("Zoé Duval");
    g.MelBlanc = QStringLiteral("me@example.org");
    g.MelNoir = QStringLiteral("zoe@example.org");
    g.EloBlanc = QStringLiteral("1800");
    g.EloNoir = QStringLiteral("1750");
    g.DateDebut = start;
    return g;
}

struct StoreTest : ::testing::Test {
    std::filesystem::path dir = test::testFolder("corres-store");
    CorrespondenceStore store{QString::fromStdString((dir / "corres.db").string())};
    void SetUp() override { ASSERT_TRUE(store.createEmpty()) << store.lastError().toStdString(); }
};

TEST_F(StoreTest, TableHasTheFieldNamesUsersFilesKnow) {
    QStringList names;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
        db.setDatabaseName(store.path());
        ASSERT_TRUE(db.open());
        QSqlQuery q(QStringLiteral("PRAGMA table_info(PARTIE)"), db);
        while (q.next()) names << q.value(1).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("look"));
    EXPECT_EQ(names.join(QLatin1Char('|')).toStdString(),
              "Cle|Lieu|JAIBLANC|BLANC|NOIR|Mel Blanc|Mel Noir|Elo Blanc|Elo Noir|Date debut|"
              "Date fin|Cle adverse|Resultat|Avertir|Move|notation|Date coup envoyé|"
              "Date coup recu|Dernier coup envoyé|Dernier coup recu");
}

TEST_F(StoreTest, GamesComeBackWhole_NewestStartFirst_KeysFromTheStore) {
    CorrespondenceGame old = sample(QStringLiteral("O'Brien \"Ann\""), QDate(2025, 3, 1));
    old.CleAdverse = 17;
    old.DateFin = QDate(2025, 9, 30);
    old.Resultat = QStringLiteral("1-0");
    old.Avertir = true;
    old.JAIBLANC = false;
    const auto first = store.save(old);
    const auto second = store.save(sample(QStringLiteral("Ann"), QDate(2026, 1, 15)));
    const auto third = store.save(sample(QStringLiteral("Bob"), QDate(2025, 11, 2)));
    ASSERT_TRUE(first && second && third);
    EXPECT_NE(*first, *second);

    auto games = store.games();
    ASSERT_TRUE(games);
    ASSERT_EQ(games->size(), 3u);
    EXPECT_EQ((*games)[0].Cle, *second);
    EXPECT_EQ((*games)[1].Cle, *third);
    old.Cle = *first;
    EXPECT_EQ((*games)[2], old);
}

TEST_F(StoreTest, SavingDetailsKeepsTheMovesAndARemovedGameIsGone) {
    const int cle = *store.save(sample(QStringLiteral("Ann"), QDate(2026, 1, 15)));
    ASSERT_TRUE(
        store.recordSent(cle, QStringLiteral("1.e4"), QDate(2026, 1, 16), QStringLiteral("e4")));
    CorrespondenceGame g = *store.game(cle);
    g.NOIR = QStringLiteral("Chloé");
    g.Move.clear();
    ASSERT_EQ(store.save(g), cle);
    const CorrespondenceGame back = *store.game(cle);
    EXPECT_EQ(back.NOIR, QStringLiteral("Chloé"));
    EXPECT_EQ(back.Move, QStringLiteral("1.e4"));
    EXPECT_EQ(back.DernierCoupEnvoye, QStringLiteral("e4"));
    EXPECT_EQ(back.DateCoupEnvoye, QDate(2026, 1, 16));

    EXPECT_TRUE(store.remove(cle));
    EXPECT_FALSE(store.game(cle));
    EXPECT_FALSE(store.remove(cle));
}

TEST_F(StoreTest, AMissingBaseIsNeverCreated) {
    CorrespondenceStore missing(QString::fromStdString((dir / "none" / "corres.db").string()));
    EXPECT_FALSE(missing.games());
    EXPECT_FALSE(missing.save(sample(QStringLiteral("Ann"), QDate(2026, 1, 1))));
    EXPECT_FALSE(missing.recordReceived(1, QStringLiteral("1.e4"), QDate(2026, 1, 1),
                                        QStringLiteral("1.e4")));
    EXPECT_EQ(missing.opened(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

// A process killed in the middle of saving leaves the record as it was or as it was to be.
TEST_F(StoreTest, AKilledSaveLeavesTheOldRecordOrTheNew) {
    CorrespondenceGame g = sample(QStringLiteral("Ann"), QDate(2026, 1, 15));
    g.Cle = *store.save(g);
    const QString longA = QStringLiteral("A").repeated(200000);
    const QString longB = QStringLiteral("B").repeated(300000);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CorrespondenceStore writer(store.path());
            CorrespondenceGame w = g;
            for (int i = 0;; ++i) {
                w.BLANC = w.NOIR = (i % 2 ? longA : longB);
                w.Lieu = w.BLANC;
                writer.save(w);
            }
        }
        ::usleep(static_cast<useconds_t>(20000 + 15000 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const auto back = store.game(g.Cle);
        ASSERT_TRUE(back) << store.lastError().toStdString();
        const QString white = back->BLANC;
        EXPECT_TRUE(white == g.BLANC || white == longA || white == longB);
        EXPECT_EQ(back->NOIR, white == g.BLANC ? g.NOIR : white);
        EXPECT_EQ(back->Lieu, white == g.BLANC ? g.Lieu : white);
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(store.path());
            ASSERT_TRUE(db.open());
            QSqlQuery q(QStringLiteral("PRAGMA integrity_check"), db);
            ASSERT_TRUE(q.next());
            EXPECT_EQ(q.value(0).toString(), QStringLiteral("ok"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
    }
}

} // namespace
} // namespace quarvelin
