// SPDX-License-Identifier: GPL-3.0-or-later
// The quick entry grid on real bases: reading as the user scrolls, sorting by the headings,
// filters and sorts typed or refused, and nothing written or deleted without a yes.
#include "ui/DataGridWindow.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "correspondence/CorrespondenceStore.h"
#include "openings/OpeningBase.h"
#include "session/SessionDoubles.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quarvelin;
using quarvelin::test::ScriptedDialogs;

namespace {

struct Grid {
    QTemporaryDir dir;
    Catalogue catalogue;
    ScriptedDialogs dialogs;
    std::unique_ptr<DataGridWindow> window;

    // An opening base of `rows` lines: codes A00, A01... and names counting down.
    explicit Grid(int rows) {
        catalogue.appliquer_langue(1);
        const std::string path = dir.filePath(QStringLiteral("eco.db")).toStdString();
        OpeningBase base;
        EXPECT_TRUE(base.open(path, OpeningBase::Access::Create));
        std::vector<EcoLine> lines;
        for (int i = 0; i < rows; ++i)
            lines.push_back(
                {0, QStringLiteral("A%1").arg(i % 100, 2, 10, QLatin1Char('0')).toStdString(),
                 "Nom " + std::to_string(rows - i), "1.e4 " + std::to_string(i) + " *", 0,
                 i % 2 == 1});
        EXPECT_TRUE(base.append(lines));
        base.close();
        open(QStringLiteral("ECO"), QString::fromStdString(path));
    }
    void open(const QString& table, const QString& path) {
        window = std::make_unique<DataGridWindow>(table, path, TextKey::MenuOpeningsGrid, catalogue,
                                                  dialogs);
        window->show();
    }
    QSqlTableModel* model() const { return window->model(); }
    QString cell(int row, const char* field) const {
        const int c = model()->fieldIndex(QString::fromLatin1(field));
        return model()->index(row, c).data().toString();
    }
    // What the base itself holds, read through a connection of the test's own.
    long long inBase(const QString& where) const {
        long long n = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "check");
            db.setDatabaseName(dir.filePath(QStringLiteral("eco.db")));
            db.open();
            QSqlQuery q(db);
            if (q.exec("SELECT count(*) FROM ECO WHERE " + where) && q.next())
                n = q.value(0).toLongLong();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        return n;
    }
    void clickHeading(const char* field) {
        QHeaderView* h = window->grid()->horizontalHeader();
        const int c = model()->fieldIndex(QString::fromLatin1(field));
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(c) + 5, h->height() / 2));
    }
};

TEST(DataGrid, ALargeBaseOpensAtOnceAndIsReadAsTheUserScrolls) {
    Grid g(20000);
    ASSERT_EQ(g.window->error(), "");
    EXPECT_EQ(g.window->rowTotal(), 20000);
    EXPECT_LT(g.model()->rowCount(), 1000);
    EXPECT_TRUE(g.model()->canFetchMore());
    const QString count = QLocale().toString(20000);
    EXPECT_TRUE(g.window->findChild<QLabel*>(QStringLiteral("status"))->text().startsWith(count));
    EXPECT_EQ(g.window->windowTitle(), QStringLiteral("ECO - Grille de saisie rapide"));
    for (const char* name :
         {"grdDataGrid", "picButtons", "cmdRefresh", "cmdSort", "cmdFilter", "cmdClose"})
        EXPECT_NE(g.window->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    const QString connection = g.window->connectionName();
    EXPECT_TRUE(QSqlDatabase::contains(connection));
    g.window.reset();
    EXPECT_FALSE(QSqlDatabase::contains(connection));
}

TEST(DataGrid, HeadingsSortAscendingThenDescendingAndAnotherAscendingAgain) {
    Grid g(300);
    const struct {
        const char* heading;
        const char* sort;
        const char* first; // Eco_coup of the first row
    } clicks[] = {{"Eco_libelle", "[Eco_libelle]", "1.e4 299 *"},
                  {"Eco_libelle", "[Eco_libelle] desc", "1.e4 201 *"},
                  {"Eco_libelle", "[Eco_libelle]", "1.e4 299 *"},
                  {"Eco_coup", "[Eco_coup]", "1.e4 0 *"}};
    for (const auto& c : clicks) {
        g.clickHeading(c.heading);
        EXPECT_EQ(g.window->sortText(), QLatin1String(c.sort));
        EXPECT_EQ(g.cell(0, "Eco_coup"), QLatin1String(c.first)) << c.sort;
    }
    EXPECT_EQ(g.window->grid()->horizontalHeader()->sortIndicatorSection(),
              g.model()->fieldIndex(QStringLiteral("Eco_coup")));
}

TEST(DataGrid, TypedFiltersAndSortsApplyOrAreRefusedWithTheGridKept) {
    Grid g(300);
    const struct {
        bool sort;
        const char* typed;
        long long total;
        const char* filter; // in force afterwards
        const char* first;  // Eco_coup of the first row
        bool refused;
    } cases[] = {
        {false, "Eco_code = 'A07'", 3, "Eco_code = 'A07'", "1.e4 7 *", false},
        {true, "Eco_cle desc", 3, "Eco_code = 'A07'", "1.e4 207 *", false},
        {false, "Eco_code = ((", 3, "Eco_code = 'A07'", "1.e4 207 *", true},
        {false, "Eco_nothing = 1", 3, "Eco_code = 'A07'", "1.e4 207 *", true},
        {true, "Eco_nothing", 3, "Eco_code = 'A07'", "1.e4 207 *", true},
        {true, "1; DELETE FROM ECO", 3, "Eco_code = 'A07'", "1.e4 207 *", true},
        // An empty answer takes the filter away; with none, it changes nothing.
        {false, "", 300, "", "1.e4 299 *", false},
        {false, "", 300, "", "1.e4 299 *", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        g.dialogs.messages.clear();
        g.dialogs.texts = {c.typed};
        if (c.sort)
            g.window->findChild<QPushButton*>(QStringLiteral("cmdSort"))->click();
        else
            g.window->findChild<QPushButton*>(QStringLiteral("cmdFilter"))->click();
        EXPECT_EQ(g.window->rowTotal(), c.total);
        EXPECT_EQ(g.window->filter(), QLatin1String(c.filter));
        EXPECT_EQ(g.cell(0, "Eco_coup"), QLatin1String(c.first));
        ASSERT_EQ(g.dialogs.messages.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_TRUE(g.dialogs.messages[0].text.starts_with(
                c.sort ? "La base refuse ce tri" : "La base refuse ce filtre"));
        }
    }
    EXPECT_EQ(g.dialogs.inputs.back().text, g.catalogue.text(TextKey::GridFilterPrompt));
    EXPECT_EQ(g.inBase("1"), 300);
}

TEST(DataGrid, RowsAreWrittenAndDeletedOnlyAfterAYes) {
    Grid g(10);
    QTableView* view = g.window->grid();
    auto leaveRow = [&](int from, int to) {
        view->setCurrentIndex(g.model()->index(from, 1));
        ASSERT_TRUE(g.model()->setData(g.model()->index(from, 2), QStringLiteral("Changé")));
        view->setCurrentIndex(g.model()->index(to, 1));
    };
    g.dialogs.answers = {false};
    leaveRow(0, 1);
    EXPECT_EQ(g.dialogs.questions.back().text, g.catalogue.text(TextKey::GridSaveRecordQuestion));
    EXPECT_EQ(g.inBase("Eco_libelle = 'Changé'"), 0);
    EXPECT_NE(g.cell(0, "Eco_libelle"), QStringLiteral("Changé"));
    g.dialogs.answers = {true};
    leaveRow(0, 1);
    EXPECT_EQ(g.inBase("Eco_libelle = 'Changé'"), 1);

    // A new row gets its key from the base.
    g.window->findChild<QPushButton*>(QStringLiteral("newRow"))->click();
    for (auto [field, value] :
         {std::pair{"Eco_code", "Z99"}, {"Eco_libelle", "Nouvelle"}, {"Eco_coup", "1.a3 *"}})
        g.model()->setData(g.model()->index(0, g.model()->fieldIndex(field)), value);
    g.dialogs.answers = {true};
    view->setCurrentIndex(g.model()->index(3, 1));
    EXPECT_EQ(g.inBase("Eco_code = 'Z99' AND Eco_cle = 11"), 1);
    EXPECT_EQ(g.window->rowTotal(), 11);

    const qsizetype asked = g.dialogs.questions.size();
    for (bool yes : {false, true}) {
        view->setCurrentIndex(g.model()->index(0, 1));
        const QString key = g.cell(0, "Eco_cle");
        g.dialogs.answers = {yes};
        QTest::keyClick(view, Qt::Key_Delete);
        EXPECT_EQ(g.inBase("Eco_cle = " + key), yes ? 0 : 1);
        EXPECT_EQ(g.window->rowTotal(), yes ? 10 : 11);
    }
    ASSERT_EQ(g.dialogs.questions.size(), asked + 2);
    EXPECT_EQ(g.dialogs.questions.back().text, g.catalogue.text(TextKey::GridDeleteRecordQuestion));
}

TEST(DataGrid, TheCorrespondenceTableAndMissingBases) {
    Grid g(1);
    const QString corres = g.dir.filePath(QStringLiteral("corres.db"));
    CorrespondenceStore store(corres);
    ASSERT_TRUE(store.createEmpty());
    for (const char* white : {"Alice", "Bruno"}) {
        CorrespondenceGame game;
        game.BLANC = QLatin1String(white);
        game.NOIR = QStringLiteral("Zoé");
        game.DateDebut = QDate(2026, 3, white[0] == 'A' ? 9 : 1);
        ASSERT_TRUE(store.save(game));
    }
    g.open(QStringLiteral("PARTIE"), corres);
    EXPECT_EQ(g.window->rowTotal(), 2);
    g.clickHeading("Date debut");
    EXPECT_EQ(g.window->sortText(), QStringLiteral("[Date debut]"));
    EXPECT_EQ(g.cell(0, "BLANC"), QStringLiteral("Bruno"));
    EXPECT_TRUE(g.window->applyFilter(QStringLiteral("[Date debut] > '2026-03-05'")));
    EXPECT_EQ(g.window->rowTotal(), 1);

    for (const QString& path : {g.dir.filePath(QStringLiteral("none.db")), corres}) {
        DataGridWindow w(path == corres ? QStringLiteral("ECO") : QStringLiteral("PARTIE"), path,
                         TextKey::MenuCorrespondenceGrid, g.catalogue, g.dialogs);
        EXPECT_FALSE(w.error().empty()) << path.toStdString();
    }
    EXPECT_FALSE(QFile::exists(g.dir.filePath(QStringLiteral("none.db"))));
}

// The program's menus on an installation with both bases: each grid opens, follows the
// language, closes and opens again; the reports go to a preview or to the print dialog as IMP
// says, and an empty list or a missing base is told.
TEST(DataGrid, TheMenusOpenTheGridsAndPrintTheBases) {
    Grid bases(3);
    QStandardPaths::setTestModeEnabled(true);
    const Locations locations{bases.dir.path().toStdString(), bases.dir.path().toStdString()};
    Settings s = builtInSettings(locations.data);
    applyNewFile(s);
    s.FIRST_STARTUP = 0;
    s.AFF_NOUVELLE = 0;
    s.ACTIVE_SON = 0;
    s.BASE_ECO = bases.dir.filePath(QStringLiteral("eco.db")).toStdString();
    s.BASE_CORRES = bases.dir.filePath(QStringLiteral("corres.db")).toStdString();
    ASSERT_TRUE(CorrespondenceStore(QString::fromStdString(s.BASE_CORRES)).createEmpty());
    ASSERT_EQ(ecrire_reglages(s, settingsFile(locations)), "");
    Settings settings;
    Catalogue catalogue;
    ASSERT_FALSE(start(locations, settings, catalogue).end);
    MainWindow w(settings, catalogue, locations);
    w.show();
    auto menu = [&](const char* name, int index = -1) {
        w.menus().action(QString::fromLatin1(name), index)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    QStringList met; // each modal window: its class, and a message box's text
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        auto* box = qobject_cast<QMessageBox*>(d);
        met << (box ? box->text() : QString::fromLatin1(d->metaObject()->className()));
        d->reject();
    });
    closer.start(10);

    menu("menu_grille");
    ASSERT_NE(w.dataGrid(false), nullptr);
    EXPECT_EQ(w.dataGrid(false)->windowTitle(), QStringLiteral("ECO - Grille de saisie rapide"));
    menu("choix_langue", 2);
    EXPECT_EQ(w.dataGrid(false)->windowTitle(), QStringLiteral("ECO - Quick entry grid"));
    w.dataGrid(false)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.dataGrid(false), nullptr);
    menu("menu_grille");
    ASSERT_NE(w.dataGrid(false), nullptr);
    EXPECT_TRUE(w.dataGrid(false)->isVisible());
    menu("menu_pc_grille");
    ASSERT_NE(w.dataGrid(true), nullptr);
    EXPECT_EQ(w.dataGrid(true)->table(), QStringLiteral("PARTIE"));

    settings.IMP = 0;
    menu("menu_edt_eco");
    settings.IMP = 1;
    menu("menu_edt_enrichie");
    menu("menu_pc_edt", 0);
    w.dataGrid(true)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    settings.BASE_CORRES += ".gone";
    menu("menu_pc_grille");
    menu("menu_pc_edt", 1);
    const QString gone = QString::fromStdString(
        catalogue.text(TextKey::BaseUnavailable, {settings.BASE_CORRES, "File not found"}));
    EXPECT_EQ(met,
              (QStringList{QStringLiteral("QPrintPreviewDialog"), QStringLiteral("QPrintDialog"),
                           QString::fromStdString(catalogue.text(TextKey::ReportNothingToPrint)),
                           gone, gone}));

    // Quitting with a changed row asks about it before the grid and the program go.
    auto* model = w.dataGrid(false)->model();
    ASSERT_TRUE(model->setData(model->index(0, model->fieldIndex("Eco_libelle")), "Changé"));
    met.clear();
    w.close();
    EXPECT_EQ(met,
              QStringList{QString::fromStdString(catalogue.text(TextKey::GridSaveRecordQuestion))});
}

} // namespace
