// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/BaseReports.h"

#include "correspondence/CorrespondenceRules.h"
#include "correspondence/CorrespondenceStore.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"

#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace quarvelin {

namespace {

std::string s(const QString& q) { return q.toStdString(); }

// "1.e4 e5 2.Nf3 *" printed without the closing mark every line carries.
std::string printedLine(std::string moves) {
    if (moves.ends_with(" *")) moves.resize(moves.size() - 2);
    return moves;
}

std::string fourDigits(int n) { return s(QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'))); }

void readOpenings(ReportTable& r, const std::string& path, bool learned,
                  const TextCatalogue& catalogue, const OpeningNames* names) {
    r.table.columns = {catalogue.text(TextKey::EcoCode), catalogue.text(TextKey::Opening),
                       catalogue.text(TextKey::Line)};
    // Shares of a landscape page: the longest captions of the eight languages fit.
    r.table.widths = {70, 260, 420};
    if (learned) {
        r.table.columns.push_back(catalogue.text(TextKey::ColumnScore));
        r.table.widths.push_back(60);
    }
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        r.error = catalogue.text(TextKey::FileNotFound);
        return;
    }
    OpeningBase base;
    if (!base.open(path, OpeningBase::Access::Read)) {
        r.error = base.error();
        return;
    }
    QSqlQuery q(QSqlDatabase::database(base.connectionName(), false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT Eco_code, Eco_libelle, Eco_coup, Eco_note FROM ECO "
                               "WHERE %1 ORDER BY Eco_code, Eco_coup, Eco_cle")
                    .arg(learned ? QStringLiteral("Eco_connaissance <> 0")
                                 : QStringLiteral("coalesce(Eco_connaissance, 0) = 0")))) {
        r.error = s(q.lastError().text());
        return;
    }
    const QLocale locale;
    while (q.next()) {
        EcoLine line{0,
                     s(q.value(0).toString()),
                     s(q.value(1).toString()),
                     s(q.value(2).toString()),
                     q.value(3).toFloat(),
                     learned};
        std::vector<std::string> row = {line.code, names ? names->label(line) : line.label,
                                        printedLine(line.moves)};
        if (learned) row.push_back(s(locale.toString(q.value(3).toDouble(), 'g', 6)));
        r.table.lines.push_back(std::move(row));
    }
}

void readGames(ReportTable& r, const std::string& path, bool bySending,
               const TextCatalogue& catalogue) {
    r.table.columns = {
        catalogue.text(TextKey::ColumnOurNumber),  catalogue.text(TextKey::ColumnTheirNumber),
        catalogue.text(TextKey::WhitePlayer),      catalogue.text(TextKey::BlackPlayer),
        catalogue.text(TextKey::ColumnStarted),    catalogue.text(TextKey::ColumnEnd),
        catalogue.text(TextKey::ColumnGameResult), catalogue.text(TextKey::ColumnSentOn),
        catalogue.text(TextKey::ColumnLastSent)};
    r.table.widths = {40, 90, 115, 115, 70, 70, 70, 80, 150};
    CorrespondenceStore store(QString::fromStdString(path));
    if (!store.exists()) {
        r.error = catalogue.text(TextKey::FileNotFound);
        return;
    }
    auto games = store.games();
    if (!games) {
        r.error = s(store.lastError());
        return;
    }
    // Oldest first; a game without the date goes after the dated ones.
    auto date = [bySending](const CorrespondenceGame& g) {
        return bySending ? g.DateCoupEnvoye : g.DateDebut;
    };
    std::stable_sort(games->begin(), games->end(), [&](const auto& a, const auto& b) {
        const QDate da = date(a), db = date(b);
        if (da.isValid() != db.isValid()) return da.isValid();
        if (da != db) return da < db;
        return a.Cle < b.Cle;
    });
    for (const CorrespondenceGame& g : *games)
        r.table.lines.push_back({fourDigits(g.Cle), g.CleAdverse ? fourDigits(*g.CleAdverse) : "",
                                 s(g.BLANC), s(g.NOIR), s(dayMonthYear(g.DateDebut)),
                                 s(dayMonthYear(g.DateFin)), s(g.Resultat),
                                 s(dayMonthYear(g.DateCoupEnvoye)), s(g.DernierCoupEnvoye)});
}

} // namespace

std::string rowCountText(long long rows, const TextCatalogue& catalogue) {
    const PluralForm form = catalogue.pluralForm(rows);
    const std::string n = s(QLocale().toString(static_cast<qlonglong>(rows)));
    return catalogue.text(form == PluralForm::One   ? TextKey::RowCountOne
                          : form == PluralForm::Few ? TextKey::RowCountFew
                                                    : TextKey::RowCountOther,
                          {n});
}

ReportTable baseReport(BaseReport kind, const std::string& path, const TextCatalogue& catalogue,
                       const OpeningNames* names) {
    ReportTable r;
    switch (kind) {
    case BaseReport::ReferenceLines:
    case BaseReport::LearnedLines:
        r.title = catalogue.text(kind == BaseReport::LearnedLines ? TextKey::ReportLearnedRows
                                                                  : TextKey::ReportReferenceRows);
        readOpenings(r, path, kind == BaseReport::LearnedLines, catalogue, names);
        break;
    case BaseReport::GamesByStartDate:
    case BaseReport::GamesBySendingDate:
        r.title = catalogue.text(kind == BaseReport::GamesBySendingDate
                                     ? TextKey::ReportGamesBySendingDate
                                     : TextKey::ReportGamesByStartDate);
        readGames(r, path, kind == BaseReport::GamesBySendingDate, catalogue);
        break;
    }
    if (!r.error.empty()) {
        r.table.lines.clear();
        return r;
    }
    r.subtitle = rowCountText(static_cast<long long>(r.table.lines.size()), catalogue) + " - " +
                 s(QFileInfo(QString::fromStdString(path)).fileName());
    return r;
}

} // namespace quarvelin
