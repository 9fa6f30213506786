// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/MoveMail.h"

#include "config/Version.h"
#include "correspondence/CorrespondenceRules.h"

namespace quarvelin {

namespace {

const QString Rule = QString(37, QLatin1Char('-'));

QString label(const TextCatalogue& t, TextKey key) {
    return QString::fromStdString(t.text(key)).trimmed();
}

QString number(const std::optional<int>& n) {
    return n ? QStringLiteral("%1").arg(*n, 4, 10, QLatin1Char('0')) : QString();
}

} // namespace

QString opponentAddress(const CorrespondenceGame& g) { return g.JAIBLANC ? g.MelNoir : g.MelBlanc; }

QString gameReference(const CorrespondenceGame& g) { return QStringLiteral("PC/") + number(g.Cle); }

MailMessage moveMail(const TextCatalogue& t, const Settings& s, const CorrespondenceGame& g,
                     const QString& moves, const QString& move, const QString& comment,
                     const QDate& today) {
    MailMessage m;
    m.from = QString::fromStdString(s.ADRESSE_MEL);
    m.to = opponentAddress(g);
    m.subject = label(t, TextKey::CorrespondenceNewMove) + QStringLiteral(" – ") +
                gameReference(g) + QStringLiteral(" – ") + move;
    const int played = halfMoveCount(moves);
    const QDate since = g.DateCoupRecu.isValid() ? g.DateCoupRecu : g.DateDebut;
    QStringList lines;
    auto line = [&](TextKey key, const QString& value) {
        lines << label(t, key) + QStringLiteral(" : ") + value;
    };
    line(TextKey::CorrespondenceHeading,
         QStringLiteral("Quarvelin ") + QString::fromLatin1(ProgramVersion));
    line(TextKey::CorrespondenceGames, gameReference(g));
    line(TextKey::MessageDate, dayMonthYear(today));
    line(TextKey::OurGameNumber, number(g.Cle));
    line(TextKey::YourGameNumber, number(g.CleAdverse));
    line(TextKey::WhitePlayer, g.BLANC);
    line(TextKey::BlackPlayer, g.NOIR);
    line(TextKey::WhiteElo, g.EloBlanc);
    line(TextKey::BlackElo, g.EloNoir);
    line(TextKey::GameStart, dayMonthYear(g.DateDebut));
    lines << Rule;
    line(TextKey::WhiteMail, g.MelBlanc);
    line(TextKey::BlackMail, g.MelNoir);
    line(TextKey::LastMoveReceived, g.DernierCoupRecu);
    line(TextKey::ReceivedOn, dayMonthYear(g.DateCoupRecu));
    line(TextKey::DaysToReply,
         QString::number(s.NB_JOUR_MAX > 0 ? s.NB_JOUR_MAX : since.daysTo(today)));
    line(TextKey::GameResultLabel, g.Resultat);
    lines << Rule;
    line(TextKey::MovePlayed, move);
    line(TextKey::MovesOfGame, moves);
    line(TextKey::CommentLabel, comment);
    lines << Rule;
    line(TextKey::CommentReminder, comment);
    line(TextKey::NextMoveExpected, QString::fromStdString(nextMoveNumber(played)));
    lines << Rule;
    line(TextKey::SentBy, QString::fromStdString(s.NOM_JOUEUR[1]));
    line(TextKey::ReplyTo, QString::fromStdString(s.ADRESSE_MEL));
    m.body = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    return m;
}

MailMessage positionMail(const TextCatalogue& t, const Settings& s, const QString& fen) {
    MailMessage m;
    m.from = QString::fromStdString(s.ADRESSE_MEL);
    m.subject = label(t, TextKey::PositionLabel) + QStringLiteral(" - F.E.N.");
    m.body = label(t, TextKey::PositionLabel) + QStringLiteral(" - F.E.N. Format\r\n") + fen +
             QStringLiteral("\r\n");
    return m;
}

MailMessage freeMail(const TextCatalogue& t, const Settings& s, const CorrespondenceGame& g) {
    MailMessage m;
    m.from = QString::fromStdString(s.ADRESSE_MEL);
    m.to = opponentAddress(g);
    m.subject = label(t, TextKey::CorrespondenceGames) + QStringLiteral(" – ") + gameReference(g);
    return m;
}

} // namespace quarvelin
