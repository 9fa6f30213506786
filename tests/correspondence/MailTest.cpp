// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/DesktopMailService.h"
#include "correspondence/MailSending.h"
#include "correspondence/SmtpMailService.h"
#include "localisation/Catalogue.h"
#include "support/SmtpTestServer.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QProcess>

namespace quarvelin {
namespace {

struct FixedPassword : PasswordSource {
    int asked = 0;
    std::optional<QString> password(const QString&, const QString&) override {
        ++asked;
        return QStringLiteral("s3cret");
    }
};

struct ScriptedMail : MailService {
    MailOutcome answer;
    int sends = 0;
    MailOutcome send(const MailMessage&) override {
        ++sends;
        return answer;
    }
};

struct MailTest : ::testing::Test {
    std::filesystem::path dir = test::testFolder("corres-mail");
    CorrespondenceStore store{QString::fromStdString((dir / "corres.db").string())};
    CorrespondenceGame game;

    void SetUp() override {
        ASSERT_TRUE(store.createEmpty());
        game.BLANC = QStringLiteral("Ann");
        game.NOIR = QStringLiteral("Zoé");
        game.MelBlanc = QStringLiteral("ann@example.org");
        game.MelNoir = QStringLiteral("zoe@example.org");
        game.DateDebut = QDate(2026, 1, 5);
        game.Move = QStringLiteral("1.e4 e5");
        game.Cle = *store.save(game);
    }
    Dispatch moveDispatch(const QString& to) {
        Dispatch d;
        d.kind = MailKind::Move;
        d.cle = game.Cle;
        d.move = readSentMove(game, "1.e4 e5 2.Nf3");
        d.today = QDate(2026, 2, 1);
        d.message.from = QStringLiteral("ann@example.org");
        d.message.to = to;
        d.message.subject = QStringLiteral("Partie par correspondance : nouveau coup");
        d.message.body = QStringLiteral("Coup joué : Nf3\r\n");
        return d;
    }
    SmtpAccount plain(int port) const {
        return {QStringLiteral("127.0.0.1"), port, SmtpSecurity::None, {}, {}};
    }
};

TEST_F(MailTest, AMoveSentThenTheAnswerEnteredGivesTheTurnBack) {
    ASSERT_EQ(correspondenceState(*store.game(game.Cle)), CorrespondenceState::UserTurn);
    ScriptedMail mail;
    mail.answer.sent = true;
    const DispatchOutcome out = sendAndRecord(mail, store, moveDispatch(game.MelNoir), {});
    ASSERT_TRUE(out.recorded) << out.error.toStdString();
    CorrespondenceGame g = *store.game(game.Cle);
    EXPECT_EQ(g.Move, QStringLiteral("1.e4 e5 2.Nf3"));
    EXPECT_EQ(g.DernierCoupEnvoye, QStringLiteral("Nf3"));
    EXPECT_EQ(correspondenceState(g), CorrespondenceState::Waiting);

    const ReceivedMove answer = readReceivedMove(g, "2...Nc6");
    ASSERT_TRUE(answer.ok);
    ASSERT_TRUE(store.recordReceived(g.Cle, QString::fromStdString(answer.moves), QDate(2026, 2, 4),
                                     QString::fromStdString(answer.move)));
    g = *store.game(game.Cle);
    EXPECT_EQ(g.DernierCoupRecu, QStringLiteral("2...Nc6"));
    EXPECT_EQ(correspondenceState(g), CorrespondenceState::UserTurn);
}

TEST_F(MailTest, OnlyAMoveThatWentIsRecorded) {
    const struct {
        MailKind kind;
        bool sent, handedOver, userSaysSent;
        bool recorded;
    } cases[] = {
        {MailKind::Move, false, false, false, false},
        {MailKind::Move, false, true, false, false},
        {MailKind::Move, false, true, true, true},
        {MailKind::Free, true, false, false, false},
        {MailKind::Position, true, false, false, false},
    };
    for (const auto& c : cases) {
        CorrespondenceStore fresh(store.path());
        ScriptedMail mail;
        mail.answer.sent = c.sent;
        mail.answer.handedOver = c.handedOver;
        Dispatch d = moveDispatch(game.MelNoir);
        d.kind = c.kind;
        const DispatchOutcome out = sendAndRecord(mail, fresh, d, [&] { return c.userSaysSent; });
        EXPECT_EQ(out.recorded, c.recorded);
        EXPECT_EQ(fresh.opened(), c.recorded ? 1 : 0) << static_cast<int>(c.kind);
    }
    EXPECT_EQ(store.game(game.Cle)->Move, QStringLiteral("1.e4 e5 2.Nf3"));

    ScriptedMail mail;
    Dispatch noSender = moveDispatch(game.MelNoir);
    noSender.message.from.clear();
    EXPECT_EQ(sendAndRecord(mail, store, noSender, {}).problem, TextKey::SenderAddressMissing);
    EXPECT_EQ(sendAndRecord(mail, store, moveDispatch({}), {}).problem, std::nullopt);
    EXPECT_EQ(mail.sends, 0);
}

TEST_F(MailTest, SmtpDeliversSubjectBodyAndAttachmentIntact) {
    std::filesystem::create_directories(dir / "inbox");
    test::SmtpTestServer server(dir / "inbox");
    ASSERT_NE(server.port(), 0) << server.errors().toStdString();
    const std::string attached = std::string("partie\r\n.\r\n\x00\xff fin", 18);
    test::writeText(dir / "Partie été.pgn", attached);

    MailMessage m;
    m.from = QStringLiteral("ann@example.org");
    m.to = QStringLiteral("zoe@example.org");
    m.subject =
        QStringLiteral("Партия по переписке: новый ход, очень длинная тема письма для проверки");
    m.body = QStringLiteral("Coup joué : Nf3\r\n.\r\nÀ bientôt, chère Zoé — été 2026 !\r\n");
    m.attachments << QString::fromStdString((dir / "Partie été.pgn").string());
    SmtpMailService smtp(plain(server.port()), nullptr);
    const MailOutcome out = smtp.send(m);
    ASSERT_TRUE(out.sent) << out.error.toStdString();

    ASSERT_EQ(server.received(), 1);
    const QJsonObject got = server.message(0);
    EXPECT_EQ(got[QStringLiteral("subject")].toString(), m.subject);
    EXPECT_EQ(got[QStringLiteral("body")].toString().remove(QLatin1Char('\r')),
              QString(m.body).remove(QLatin1Char('\r')));
    const QJsonArray files = got[QStringLiteral("attachments")].toArray();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0].toObject()[QStringLiteral("name")].toString(),
              QStringLiteral("Partie été.pgn"));
    EXPECT_EQ(QByteArray::fromHex(files[0].toObject()[QStringLiteral("data")].toString().toLatin1())
                  .toStdString(),
              attached);
}

TEST_F(MailTest, ARefusedSendRecordsNothing) {
    std::filesystem::create_directories(dir / "inbox");
    test::SmtpTestServer server(dir / "inbox");
    ASSERT_NE(server.port(), 0) << server.errors().toStdString();
    SmtpMailService smtp(plain(server.port()), nullptr);
    const DispatchOutcome out =
        sendAndRecord(smtp, store, moveDispatch(QStringLiteral("refuse@example.org")), {});
    EXPECT_FALSE(out.sent);
    EXPECT_FALSE(out.recorded);
    EXPECT_TRUE(out.error.contains(QStringLiteral("550"))) << out.error.toStdString();
    EXPECT_EQ(store.game(game.Cle)->Move, QStringLiteral("1.e4 e5"));
    EXPECT_EQ(server.received(), 0);
}

TEST_F(MailTest, StartTlsWithTheCertificateTrusted_NeverWithoutIt) {
    const QString cert = QString::fromStdString((dir / "cert.pem").string());
    const QString key = QString::fromStdString((dir / "key.pem").string());
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                   key, QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                   QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1")});
    ASSERT_TRUE(openssl.waitForFinished(60000));
    ASSERT_EQ(openssl.exitCode(), 0) << openssl.readAllStandardError().toStdString();
    std::filesystem::create_directories(dir / "inbox");
    test::SmtpTestServer server(dir / "inbox", cert, key);
    ASSERT_NE(server.port(), 0) << server.errors().toStdString();

    FixedPassword passwords;
    SmtpAccount account{QStringLiteral("127.0.0.1"),
                        server.port(),
                        SmtpSecurity::StartTls,
                        QStringLiteral("player"),
                        {}};
    SmtpMailService untrusted(account, &passwords);
    MailOutcome out = untrusted.send(moveDispatch(game.MelNoir).message);
    EXPECT_FALSE(out.sent);
    EXPECT_FALSE(out.error.isEmpty());

    account.caFile = cert;
    SmtpMailService trusted(account, &passwords);
    out = trusted.send(moveDispatch(game.MelNoir).message);
    ASSERT_TRUE(out.sent) << out.error.toStdString();
    ASSERT_EQ(server.received(), 1);
    EXPECT_EQ(server.message(0)[QStringLiteral("body")].toString().remove(QLatin1Char('\r')),
              QStringLiteral("Coup joué : Nf3\n"));
}

// A move e-mail as it arrives: every label of the body in its order, each with a value.
TEST_F(MailTest, MoveMailArrivesWithItsLabelsInOrderEachWithAValue) {
    std::filesystem::create_directories(dir / "inbox");
    test::SmtpTestServer server(dir / "inbox");
    ASSERT_NE(server.port(), 0) << server.errors().toStdString();
    Catalogue french;
    french.appliquer_langue(1);
    Settings s;
    s.ADRESSE_MEL = "ann@example.org";
    s.NOM_JOUEUR[1] = "Ann Lefèvre";
    s.LIEU_JEU = "Lyon";
    s.NB_JOUR_MAX = 15;
    game.CleAdverse = 42;
    game.EloBlanc = QStringLiteral("1800");
    game.EloNoir = QStringLiteral("1750");
    game.DernierCoupRecu = QStringLiteral("1...e5");
    game.DateCoupRecu = QDate(2026, 1, 28);
    const SentMove move = readSentMove(game, "1.e4 e5 2.Nf3");
    ASSERT_TRUE(move.ok);
    MailMessage m = moveMail(french, s, game, QString::fromStdString(move.moves),
                             QString::fromStdString(move.move), QStringLiteral("À vous, Zoé !"),
                             QDate(2026, 2, 1));
    SmtpMailService smtp(plain(server.port()), nullptr);
    ASSERT_TRUE(smtp.send(m).sent);
    ASSERT_EQ(server.received(), 1);
    const QJsonObject got = server.message(0);
    EXPECT_EQ(got[QStringLiteral("to")].toArray().at(0).toString(), game.MelNoir);
    EXPECT_TRUE(got[QStringLiteral("subject")].toString().startsWith(
        QString::fromStdString(french.text(TextKey::CorrespondenceNewMove))));

    const TextKey order[] = {TextKey::CorrespondenceHeading,
                             TextKey::CorrespondenceGames,
                             TextKey::MessageDate,
                             TextKey::OurGameNumber,
                             TextKey::YourGameNumber,
                             TextKey::WhitePlayer,
                             TextKey::BlackPlayer,
                             TextKey::WhiteElo,
                             TextKey::BlackElo,
                             TextKey::GameStart,
                             TextKey{},
                             TextKey::WhiteMail,
                             TextKey::BlackMail,
                             TextKey::LastMoveReceived,
                             TextKey::ReceivedOn,
                             TextKey::DaysToReply,
                             TextKey::GameResultLabel,
                             TextKey{},
                             TextKey::MovePlayed,
                             TextKey::MovesOfGame,
                             TextKey::CommentLabel,
                             TextKey{},
                             TextKey::CommentReminder,
                             TextKey::NextMoveExpected,
                             TextKey{},
                             TextKey::SentBy,
                             TextKey::ReplyTo};
    const QStringList lines = got[QStringLiteral("body")]
                                  .toString()
                                  .remove(QLatin1Char('\r'))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(std::size(order)));
    for (std::size_t i = 0; i < std::size(order); ++i) {
        const QString& line = lines[static_cast<qsizetype>(i)];
        if (order[i] == TextKey{}) {
            EXPECT_EQ(line, QString(37, QLatin1Char('-')));
            continue;
        }
        const QString label =
            QString::fromStdString(french.text(order[i])).trimmed() + QStringLiteral(" : ");
        EXPECT_TRUE(line.startsWith(label)) << line.toStdString();
        EXPECT_GT(line.size(), label.size()) << line.toStdString();
    }
    EXPECT_TRUE(lines.contains(QStringLiteral("Coup joué : Nf3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Coups de la partie : 1.e4 e5 2.Nf3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Prochain coup attendu : 2...")));
    test::writeText(dir / "move-mail.eml", server.raw(0).toStdString());
}

TEST(DesktopMail, ArgumentsCarryEveryPartAndAFailureItsWords) {
    MailMessage m;
    m.to = QStringLiteral("zoe@example.org");
    m.subject = QStringLiteral("Sujet");
    m.body = QStringLiteral("a\r\nb");
    m.attachments << QStringLiteral("/tmp/x.pgn");
    EXPECT_EQ(DesktopMailService::arguments(m).join(QLatin1Char('|')).toStdString(),
              "--utf8|--subject|Sujet|--body|a\nb|--attach|/tmp/x.pgn|zoe@example.org");
    DesktopMailService missing(QStringLiteral("/nonexistent/xdg-email"));
    const MailOutcome out = missing.send(m);
    EXPECT_FALSE(out.sent || out.handedOver);
    EXPECT_FALSE(out.error.isEmpty());
}

} // namespace
} // namespace quarvelin
