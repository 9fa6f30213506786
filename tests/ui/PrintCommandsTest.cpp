// SPDX-License-Identifier: GPL-3.0-or-later
// Each layout printed to PDF and read back with pdftotext: what reaches the paper, page by page.
#include "ui/PrintCommands.h"
#include "Capture.h"
#include "correspondence/CorrespondenceStore.h"
#include "openings/OpeningBase.h"
#include "records/GamePrinting.h"
#include "records/GameRecordText.h"
#include "session/SessionDoubles.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

constexpr std::chrono::year_month_day Day{std::chrono::year{2026}, std::chrono::month{12},
                                          std::chrono::day{4}};

// The text of every page, one entry per page, each line with its blanks at the ends taken off.
std::vector<QStringList> pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    std::vector<QStringList> pages;
    for (const QString& page : QString::fromUtf8(p.readAllStandardOutput()).split(QChar(0x0C))) {
        QStringList lines;
        for (const QString& l : page.split(QLatin1Char('\n'))) lines << l.trimmed();
        while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        if (!lines.isEmpty()) pages.push_back(lines);
    }
    return pages;
}

bool pdftotextPresent() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pdftotextPresent()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        // The printed files stay for a person to look at, as the window captures do.
        dir_.setAutoRemove(qEnvironmentVariableIsEmpty("QUARVELIN_CAPTURES"));
        catalogue_.appliquer_langue(1);
    }
    std::unique_ptr<QPrinter> printer(const QString& name) {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(dir_.filePath(name));
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
        return p;
    }
    // A game of `moves` half-moves played at the board, the knights going back and forth; the
    // draws by repetition offered on the way are declined.
    std::unique_ptr<Bench> game(int moves) {
        Settings s = freePlay();
        s.SAUVE_ABREGE = 1;
        auto b = std::make_unique<Bench>(s);
        b->dialogs.byDefault = false;
        (*b)->newGame();
        b->move("e2", "e4");
        b->move("e7", "e5");
        const char* go[] = {"b1", "c3", "b8", "c6", "c3", "b1", "c6", "b8"};
        for (int i = 2; i < moves; ++i) {
            const int k = (i - 2) % 4;
            b->move(go[2 * k], go[2 * k + 1]);
            if ((*b)->session().gameOver()) break;
        }
        return b;
    }

    QTemporaryDir dir_;
    Catalogue catalogue_;
    PageFrame frame_{QStringLiteral("QUARVELIN v9.9.9"), QStringLiteral("04/12/2026"),
                     QStringLiteral("Page")};
};

TEST_F(PrintTest, RecordLayoutPrintsTagsAndSeventyCharacterLines) {
    GameSession s;
    s.GameText = "[Event \"Club\"]\r\n[Site \"Lyon\"]\r\n\r\n";
    std::string moves;
    for (int n = 1; moves.size() < 140; ++n) moves += std::to_string(n) + ".Nf3 Nf6 ";
    s.GameMoveText = moves.substr(0, 140);
    Settings r = testSettings();
    r.SAUVE_ABREGE = 1;
    auto p = printer(QStringLiteral("pgn.pdf"));
    int n = 0;
    ASSERT_TRUE(DocumentPainter::paintGame(
        *p, gamePrint(s, r, Colour::White, Day, 1, catalogue_, GameLayout::Pgn), frame_, &n));
    EXPECT_EQ(n, 1);
    const auto pages = pdfPages(p->outputFileName());
    ASSERT_EQ(pages.size(), 1u);
    const QStringList& l = pages[0];
    EXPECT_TRUE(l[0].startsWith(QStringLiteral("QUARVELIN v9.9.9")));
    EXPECT_TRUE(l[0].endsWith(QStringLiteral("04/12/2026")));
    const QStringList expected = {QStringLiteral("QUARVELIN - Partie - ") +
                                      QString::fromStdString(dateDdMmYyyy(Day)),
                                  QStringLiteral("[Event \"Club\"]"),
                                  QStringLiteral("[Site \"Lyon\"]"),
                                  QString::fromStdString(s.GameMoveText.substr(0, 70)).trimmed(),
                                  QString::fromStdString(s.GameMoveText.substr(70)).trimmed(),
                                  QStringLiteral("Page 1/1")};
    QStringList full;
    for (const QString& x : l)
        if (!x.isEmpty()) full << x;
    ASSERT_EQ(full.size(), expected.size() + 1) << full.join('\n').toStdString();
    EXPECT_EQ(full.mid(1), expected);
}

TEST_F(PrintTest, MoveListLayoutRunsOverPages) {
    auto b = game(120);
    const auto& g = (*b)->session();
    ASSERT_EQ(g.lines.size(), 120u);
    auto p = printer(QStringLiteral("liste.pdf"));
    int n = 0;
    ASSERT_TRUE(DocumentPainter::paintGame(
        *p, gamePrint(g, b->settings, Colour::White, Day, 1, catalogue_, GameLayout::Moves), frame_,
        &n));
    const auto pages = pdfPages(p->outputFileName());
    ASSERT_EQ(static_cast<int>(pages.size()), n);
    ASSERT_GE(n, 2);
    QStringList moves;
    for (int i = 0; i < n; ++i) {
        const QStringList& l = pages[static_cast<std::size_t>(i)];
        EXPECT_EQ(l.last(), QStringLiteral("Page %1/%2").arg(i + 1).arg(n));
        EXPECT_TRUE(l.first().startsWith(QStringLiteral("QUARVELIN v9.9.9")));
        for (const QString& x : l)
            if (x.startsWith(QLatin1String("...")) || (!x.isEmpty() && x[0].isDigit())) moves << x;
    }
    ASSERT_EQ(moves.size(), 120);
    EXPECT_EQ(moves[0], QStringLiteral("1.e2-e4"));
    EXPECT_EQ(moves[1], QStringLiteral("..... e7-e5"));
    EXPECT_EQ(moves[119], QString::fromStdString(trimmed(g.lines[119])));
}

TEST_F(PrintTest, DiagramLayoutDrawsABoardAfterEachMove) {
    auto b = game(14);
    const auto& g = (*b)->session();
    auto p = printer(QStringLiteral("diagrammes.pdf"));
    int n = 0;
    ASSERT_TRUE(
        DocumentPainter::paintGame(*p,
                                   gamePrint(g, b->settings, Colour::White, Day, 1, catalogue_,
                                             GameLayout::Diagrams, DocumentPainter::DiagramsPerRow),
                                   frame_, &n));
    const auto pages = pdfPages(p->outputFileName());
    ASSERT_EQ(static_cast<int>(pages.size()), n);
    EXPECT_EQ(n, 2); // 14 boards, twelve to a page
    QString all;
    int ranks = 0;
    for (const auto& page : pages) {
        all += page.join('\n') + '\n';
        for (const QString& x : page)
            if (x.simplified().startsWith(QLatin1String("a b c d e f g h"))) ++ranks;
    }
    // The files under each row of boards: three to a row, the last row has two.
    EXPECT_EQ(ranks, 5);
    EXPECT_TRUE(all.contains(QStringLiteral("1.e2-e4")));
    EXPECT_TRUE(all.contains(QStringLiteral("..... e7-e5")));
    EXPECT_TRUE(all.contains(QString::fromStdString(trimmed(g.lines[13]))));
}

TEST_F(PrintTest, ListPrintsEveryRowUnderItsCaptionsOnWholePages) {
    QTreeWidget list;
    list.setColumnCount(3);
    list.setHeaderLabels(
        {QStringLiteral("Blancs"), QStringLiteral("Noirs"), QStringLiteral("Résultat")});
    list.setColumnWidth(0, 200);
    list.setColumnWidth(1, 200);
    list.setColumnWidth(2, 80);
    for (int i = 1; i <= 130; ++i)
        new QTreeWidgetItem(&list, {QStringLiteral("Blanc%1").arg(i),
                                    QStringLiteral("Noir%1").arg(i), QStringLiteral("1-0")});
    const PrintedTable t = PrintCommands::table(list);
    ASSERT_EQ(t.lines.size(), 130u);
    EXPECT_EQ(t.widths, (std::vector<int>{200, 200, 80}));
    auto p = printer(QStringLiteral("table.pdf"));
    int n = 0;
    QFont font(QStringLiteral("Arial"), 10);
    ASSERT_TRUE(DocumentPainter::paintTable(*p, t, QStringLiteral("Liste des parties"),
                                            QStringLiteral("Tournoi"), font, frame_, &n));
    const auto pages = pdfPages(p->outputFileName());
    ASSERT_EQ(static_cast<int>(pages.size()), n);
    ASSERT_GE(n, 2);
    int lines = 0;
    for (int i = 0; i < n; ++i) {
        const QStringList& l = pages[static_cast<std::size_t>(i)];
        EXPECT_TRUE(l.contains(QStringLiteral("Liste des parties")));
        EXPECT_TRUE(l.contains(QStringLiteral("Tournoi")));
        EXPECT_EQ(l.last(), QStringLiteral("Page %1/%2").arg(i + 1).arg(n));
        for (const QString& x : l) {
            if (x.startsWith(QLatin1String("Blancs"))) {
                EXPECT_TRUE(x.endsWith(QStringLiteral("Résultat")));
            }
            if (x.startsWith(QLatin1String("Blanc")) && !x.startsWith(QLatin1String("Blancs"))) {
                ++lines;
                EXPECT_EQ(x.simplified(), QStringLiteral("Blanc%1 Noir%1 1-0").arg(lines));
            }
        }
    }
    EXPECT_EQ(lines, 130);
}

TEST_F(PrintTest, EmptyListPrintsNothing) {
    QTreeWidget list;
    list.setHeaderLabels({QStringLiteral("Blancs")});
    ScriptedDialogs dialogs;
    PrintCommands::imprimer_liste(nullptr, list, QStringLiteral("t"), {}, QStringLiteral("Arial"),
                                  10, catalogue_, dialogs);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Impression terminée.");
}

TEST_F(PrintTest, HeadDateFollowsTheLanguage) {
    const auto d = today();
    EXPECT_EQ(PrintCommands::frame(catalogue_).date.toStdString(), dateDdMmYyyy(d));
    EXPECT_EQ(PrintCommands::frame(catalogue_).page, QStringLiteral("Page"));
    catalogue_.appliquer_langue(2);
    EXPECT_EQ(PrintCommands::frame(catalogue_).date.toStdString(), dateMmDdYyyy(d));
    catalogue_.appliquer_langue(5);
    EXPECT_EQ(PrintCommands::frame(catalogue_).page, QStringLiteral("Seite"));
}

TEST_F(PrintTest, PreviewShowsThePages) {
    auto b = game(14);
    const auto lines = gamePrint((*b)->session(), b->settings, Colour::White, Day, 1, catalogue_,
                                 GameLayout::Diagrams, DocumentPainter::DiagramsPerRow);
    const PageFrame frame = frame_;
    auto preview = PrintCommands::preview(nullptr, QStringLiteral("QUARVELIN"), [&](QPrinter& p) {
        return DocumentPainter::paintGame(p, lines, frame);
    });
    preview->show();
    QCoreApplication::processEvents();
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->pageCount(), 2);
    takeScreenshot(*preview, QStringLiteral("apercu-diagrammes"));
    preview->reject();
}

// The lists of the two bases on paper: each report's rows in its order, under the headings and
// the title repeated on every page, the pages numbered.
TEST_F(PrintTest, BaseReportsPrintTheirRowsInOrderOnNumberedPages) {
    const std::string eco = dir_.filePath(QStringLiteral("eco.db")).toStdString();
    QStringList learned;
    {
        OpeningBase base;
        ASSERT_TRUE(base.open(eco, OpeningBase::Access::Create));
        std::vector<EcoLine> lines = {{0, "C20", "Partie du roi", "1.e4 e5 *", 0, false},
                                      {0, "A00", "Début irrégulier", "1.a3 *", 0, false}};
        // Stored last to first; printed by code.
        for (int i = 149; i >= 0; --i) {
            const QString code = QStringLiteral("%1%2")
                                     .arg(QChar(u'A' + i / 100))
                                     .arg(i % 100, 2, 10, QLatin1Char('0'));
            lines.push_back({0, code.toStdString(), "Appris " + std::to_string(i),
                             "1.d4 d5 " + std::to_string(i) + " *", static_cast<float>(i), true});
            learned.prepend(QStringLiteral("%1 Appris %2 1.d4 d5 %2 %2").arg(code).arg(i));
        }
        ASSERT_TRUE(base.append(lines));
    }
    const QString corres = dir_.filePath(QStringLiteral("corres.db"));
    CorrespondenceStore store(corres);
    ASSERT_TRUE(store.createEmpty());
    const struct {
        const char* white;
        QDate start, sent;
    } games[] = {{"Alice", QDate(2026, 3, 9), QDate(2026, 3, 20)},
                 {"Bruno", QDate(2026, 1, 1), QDate()},
                 {"Chloé", QDate(2026, 2, 1), QDate(2026, 3, 10)}};
    for (const auto& g : games) {
        CorrespondenceGame game;
        game.BLANC = QString::fromUtf8(g.white);
        game.NOIR = QStringLiteral("Zoé");
        game.DateDebut = g.start;
        const auto cle = store.save(game);
        ASSERT_TRUE(cle);
        if (g.sent.isValid()) {
            ASSERT_TRUE(
                store.recordSent(*cle, QStringLiteral("1.Nf3"), g.sent, QStringLiteral("Nf3")));
        }
    }
    const QString alice = QStringLiteral("0001 Alice Zoé 09/03/2026 * 20/03/2026 Nf3");
    const QString bruno = QStringLiteral("0002 Bruno Zoé 01/01/2026 *");
    const QString chloe = QStringLiteral("0003 Chloé Zoé 01/02/2026 * 10/03/2026 Nf3");
    const struct {
        BaseReport kind;
        std::string path;
        const char* headings; // the captions' line
        QStringList rows;
        int pages; // at least
    } cases[] = {
        {BaseReport::ReferenceLines,
         eco,
         "Code ECO Ouverture Variante",
         {QStringLiteral("A00 Début irrégulier 1.a3"), QStringLiteral("C20 Partie du roi 1.e4 e5")},
         1},
        {BaseReport::LearnedLines, eco, "Code ECO Ouverture Variante Note", learned, 3},
        {BaseReport::GamesByStartDate,
         corres.toStdString(),
         "N° N° adverse Blancs Noirs Début Fin Résultat Envoyé le Dernier coup envoyé",
         {bruno, chloe, alice},
         1},
        {BaseReport::GamesBySendingDate,
         corres.toStdString(),
         "N° N° adverse Blancs Noirs Début Fin Résultat Envoyé le Dernier coup envoyé",
         {chloe, alice, bruno},
         1},
    };
    const QRegularExpression row(QStringLiteral("^([A-C]\\d\\d|\\d{4}) "));
    for (const auto& c : cases) {
        const ReportTable r = baseReport(c.kind, c.path, catalogue_);
        SCOPED_TRACE(r.title);
        ASSERT_EQ(r.error, "");
        auto p = printer(QStringLiteral("report%1.pdf").arg(static_cast<int>(c.kind)));
        p->setPageOrientation(QPageLayout::Landscape);
        int n = 0;
        ASSERT_TRUE(DocumentPainter::paintTable(*p, r.table, QString::fromStdString(r.title),
                                                QString::fromStdString(r.subtitle),
                                                PrintCommands::reportFont(), frame_, &n));
        const auto pages = pdfPages(p->outputFileName());
        ASSERT_EQ(static_cast<int>(pages.size()), n);
        EXPECT_GE(n, c.pages);
        EXPECT_LE(n, c.pages == 1 ? 1 : 10);
        QStringList rows;
        for (int i = 0; i < n; ++i) {
            const QStringList& l = pages[static_cast<std::size_t>(i)];
            EXPECT_TRUE(l.contains(QString::fromStdString(r.title)));
            EXPECT_TRUE(l.contains(QString::fromStdString(r.subtitle)));
            QStringList simple;
            for (const QString& x : l) simple << x.simplified();
            EXPECT_TRUE(simple.contains(QString::fromUtf8(c.headings)));
            EXPECT_EQ(l.last(), QStringLiteral("Page %1/%2").arg(i + 1).arg(n));
            for (const QString& x : simple)
                if (row.match(x).hasMatch()) rows << x;
        }
        EXPECT_EQ(rows, c.rows);
    }
    // Each base read as the other is no report, and says why.
    EXPECT_NE(baseReport(BaseReport::LearnedLines, corres.toStdString(), catalogue_).error, "");
    EXPECT_NE(baseReport(BaseReport::GamesByStartDate, eco, catalogue_).error, "");
}

} // namespace
