// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpWindow.h"
#include "localisation/Catalogue.h"
#include "ui/HelpIndex.h"

#include "Controls.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

const QStringList Languages{QStringLiteral("fr"), QStringLiteral("en")};

// A page as Qt's own HTML reader sees it, which is what the help window shows: independent of
// the index's reader, so the two check each other.
struct RenderedPage {
    bool found = false;
    QString html;
    QSet<QString> anchors;
    QStringList links;
    QList<QPair<int, QString>> headings; // level 1 or 2, text
};

RenderedPage render(const QUrl& url) {
    RenderedPage page;
    QFile file(u':' + url.path());
    if (!file.open(QIODevice::ReadOnly)) return page;
    page.found = true;
    page.html = QString::fromUtf8(file.readAll());
    QTextDocument document;
    document.setBaseUrl(url);
    document.setHtml(page.html);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 1 || level == 2) page.headings.append({level, block.text().simplified()});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames()) page.anchors.insert(name);
            if (!format.anchorHref().isEmpty()) page.links << format.anchorHref();
        }
    }
    return page;
}

QString topic(const HelpIndex::Section& section) { return section.page + u'#' + section.anchor; }

QStringList topics(const HelpIndex& index, const QList<int>& found) {
    QStringList list;
    for (int i : found) list << topic(index.sections()[i]);
    return list;
}

QString resultTopic(QListWidgetItem* item) { return item->data(Qt::UserRole).toString(); }

// The program's own catalogue with a language applied.
struct CatalogueIn : quarvelin::Catalogue {
    explicit CatalogueIn(int language) { appliquer_langue(language); }
};

} // namespace

// Each language's pages: read by the index without trouble, in the contents' order, listed by
// their headings in the contents tree, each one loading, and every link and style sheet leading
// somewhere within the manual.
TEST(HelpManual, EveryPageReadsAndEveryLinkResolves) {
    const CatalogueIn catalogue(1);
    QStringList topicsOf[2];
    for (int l = 0; l < 2; ++l) {
        const QString& language = Languages[l];
        SCOPED_TRACE(language.toStdString());
        const HelpWindow window(catalogue, language); // makes the resources available
        const HelpIndex& index = window.index();
        for (const QString& problem : index.problems()) ADD_FAILURE() << problem.toStdString();
        EXPECT_EQ(index.language(), language);
        topicsOf[l] << index.pages();
        for (const auto& s : index.sections()) topicsOf[l] << topic(s);
        const QStringList files = QDir(QStringLiteral(":/aide/") + language)
                                      .entryList({QStringLiteral("*.html")}, QDir::Files);
        EXPECT_GE(files.size(), 9);
        EXPECT_EQ(index.pages().size(), files.size());
        // The contents page lists the pages in reading order; the index follows it.
        EXPECT_EQ(index.pages().mid(0, 4),
                  (QStringList{QStringLiteral("index.html"), QStringLiteral("premiers-pas.html"),
                               QStringLiteral("jouer.html"), QStringLiteral("modes.html")}));
        QList<QPair<int, QString>> headings, shown;
        for (const QString& page : index.pages()) headings << render(index.url(page)).headings;
        for (QTreeWidgetItemIterator it(child<QTreeWidget>(window, "sommaire")); *it; ++it)
            shown.append({(*it)->parent() ? 2 : 1, (*it)->text(0)});
        EXPECT_EQ(shown, headings);
        for (const QString& file : files) {
            SCOPED_TRACE(file.toStdString());
            const QUrl url(QStringLiteral("qrc:/aide/") + language + u'/' + file);
            const RenderedPage page = render(url);
            ASSERT_TRUE(page.found);
            ASSERT_FALSE(page.headings.isEmpty());
            EXPECT_EQ(page.headings.front().first, 1);
            EXPECT_FALSE(page.links.isEmpty()) << "a page nobody can leave";
            for (const QString& href : page.links) {
                SCOPED_TRACE(href.toStdString());
                const QUrl target = url.resolved(QUrl(href));
                ASSERT_EQ(target.scheme(), QStringLiteral("qrc")) << "the manual is offline";
                const RenderedPage linked = render(target);
                ASSERT_TRUE(linked.found);
                if (target.hasFragment()) {
                    EXPECT_TRUE(linked.anchors.contains(target.fragment()));
                }
            }
            // The style sheet, the one resource a page loads besides links.
            static const QRegularExpression sheet(QStringLiteral("<link[^>]*href=\"([^\"]+)\""));
            auto it = sheet.globalMatch(page.html);
            ASSERT_TRUE(it.hasNext());
            while (it.hasNext())
                EXPECT_TRUE(QFile::exists(u':' + url.resolved(QUrl(it.next().captured(1))).path()));
        }
    }
    // Context help names a page and an anchor without knowing the language.
    EXPECT_EQ(topicsOf[0], topicsOf[1]);
}

TEST(HelpIndexLanguage, FrenchOrEnglish) {
    const struct {
        const char* asked;
        const char* manual;
    } cases[] = {{"fr", "fr"}, {"en", "en"}, {"FR", "fr"}, {"fr_FR.UTF-8", "fr"}, {"de", "en"},
                 {"pl", "en"}, {"", "en"},   {"f", "en"},  {"english", "en"}};
    for (const auto& c : cases)
        EXPECT_EQ(HelpIndex::manualLanguage(QString::fromUtf8(c.asked)),
                  QString::fromUtf8(c.manual))
            << c.asked;
}

TEST(HelpIndexFold, CaseAccentsAndLigatures) {
    const struct {
        const char* text;
        const char* folded;
    } cases[] = {{"Œuvre échecs", "oeuvre echecs"},
                 {"ÉLÈVE", "eleve"},
                 {"Ça déjà", "ca deja"},
                 {"Straße", "strasse"},
                 {"Ёлка", "елка"},
                 {"NOTE_CENTRE=40", "note_centre=40"},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(HelpIndex::fold(QString::fromUtf8(c.text)), QString::fromUtf8(c.folded))
            << c.text;
}

TEST(HelpIndexFold, QueryWords) {
    const struct {
        const char* query;
        QStringList words;
    } cases[] = {
        {"  Prise, en PASSANT  prise", {"prise", "en", "passant"}},
        {"SEUIL_PARTIE_NULLE", {"seuil", "partie", "nulle"}},
        {"port 5555", {"port", "5555"}},
        {"l'échiquier", {"l", "echiquier"}},
        {" ,;  ", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpIndex::queryWords(QString::fromUtf8(c.query)), c.words) << c.query;
}

TEST(HelpIndexOccurrences, WordStartsWhateverTheAccents) {
    using Span = HelpIndex::Span;
    const struct {
        const char* text;
        QStringList words;
        QList<Span> spans;
    } cases[] = {
        {"Échecs et échec", {"echec"}, {{0, 5}, {10, 5}}},
        {"le cœur bat", {"coeur"}, {{3, 4}}},
        {"Straße", {"strasse"}, {{0, 6}}},
        {"prééchec", {"echec"}, {}}, // inside a word is not a match
        {"roque, roquer", {"roque"}, {{0, 5}, {7, 5}}},
        {"roquer", {"roq", "roquer"}, {{0, 6}}}, // the longest word wins
        {"NOTE_CENTRE=40", {"centre", "40"}, {{5, 6}, {12, 2}}},
        {"e4 e5", {"e5"}, {{3, 2}}},
        {"mat, pat", {"mat", "pat"}, {{0, 3}, {5, 3}}},
        {"", {"x"}, {}},
        {"a b", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpIndex::occurrences(QString::fromUtf8(c.text), c.words), c.spans) << c.text;
}

TEST(HelpIndexSearch, FindsTheSectionsHoldingEveryWord) {
    const struct {
        const char *language, *query;
        const char* found;    // among the results
        const char* notFound; // hold some of the words, not all
    } cases[] = {
        {"fr", "echec", "moteur.html#echec jouer.html#roque", ""},
        {"fr", "prise passant", "jouer.html#prise-en-passant",
         "jouer.html#roque moteur.html#menaces"},
        {"fr", "port 5555", "modes.html#reseau reglages.html#tcpip", "reglages.html#general"},
        {"fr", "coeurs", "moteur.html#recherche", ""},
        {"fr", "SEUIL_PARTIE_NULLE", "modes.html#automatique reglages.html#calcul moteur.html#mat",
         "moteur.html#centre"},
        {"en", "castl", "jouer.html#roque moteur.html#roque-moteur", ""},
        {"en", "humanoide", "fichiers.html#format-xml", ""},
        {"en", "en passant", "jouer.html#prise-en-passant", "jouer.html#roque"},
        {"en", "promotion queen", "jouer.html#promotion",
         "moteur.html#mobilite moteur.html#evaluation"},
        // No section holds every word, or there is no word at all.
        {"en", "zyzzyva", "", ""},
        {"fr", "echec zyzzyva", "", ""},
        {"en", "  ;, ", "", ""},
        {"fr", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.query);
        const HelpIndex index(QString::fromUtf8(c.language));
        const QStringList results = topics(index, index.search(QString::fromUtf8(c.query)));
        const QStringList found = QString::fromUtf8(c.found).split(u' ', Qt::SkipEmptyParts);
        for (const QString& t : found) EXPECT_TRUE(results.contains(t)) << t.toStdString();
        for (const QString& t : QString::fromUtf8(c.notFound).split(u' ', Qt::SkipEmptyParts))
            EXPECT_FALSE(results.contains(t)) << t.toStdString();
        EXPECT_EQ(results.isEmpty(), found.isEmpty());
    }
}

TEST(HelpIndexSearch, SpellingsOfOneWordFindTheSame) {
    const struct {
        const char* language;
        QStringList spellings;
    } cases[] = {
        {"fr", {"echec", "échec", "ÉCHEC", "Echec"}},
        {"fr", {"reglages", "réglages", "RÉGLAGES"}},
        {"en", {"humanoide", "Humanoïde", "HUMANOÏDE"}},
    };
    for (const auto& c : cases) {
        const HelpIndex index(QString::fromUtf8(c.language));
        const QList<int> first = index.search(c.spellings.front());
        EXPECT_FALSE(first.isEmpty()) << c.spellings.front().toStdString();
        for (const QString& spelling : c.spellings)
            EXPECT_EQ(index.search(spelling), first) << spelling.toStdString();
    }
}

// A topic asked opens its page with its contents entry selected; a click on that entry from
// the first page leads to its section.
TEST(HelpWindowContents, TopicsAndEntriesLeadToTheirSection) {
    const CatalogueIn catalogue(1);
    const struct {
        const char *language, *topic;
        const char* url; // under qrc:/aide/
        const char* entry;
        const char* clicked; // where a click on the entry leads; none: not tried
    } cases[] = {
        {"fr", "jouer.html#promotion", "fr/jouer.html#promotion", "La promotion",
         "fr/jouer.html#promotion"},
        {"fr", "reglages.html#tcpip", "fr/reglages.html#tcpip", "Section [TCP/IP]",
         "fr/reglages.html#tcpip"},
        {"en", "moteur.html#alpha-beta", "en/moteur.html#alpha-beta", "The ALPHA_BETA option",
         "en/moteur.html#alpha-beta"},
        {"fr", "", "fr/index.html", "Aide de Quarvelin", "fr/index.html#sommaire"},
        {"en", "modes.html", "en/modes.html", "Play modes", nullptr},
        {"fr", "inconnu.html#x", "fr/index.html", "Aide de Quarvelin", nullptr},
        {"en", "jouer.html#nowhere", "en/jouer.html#nowhere", "Playing a game", nullptr},
        {"de", "moteur.html#mat", "en/moteur.html#mat", "Checkmate and stalemate", nullptr},
        {"de", "", "en/index.html", "Quarvelin Help", nullptr},
    };
    const auto url = [](const char* path) { return QUrl(QStringLiteral("qrc:/aide/") + path); };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.topic);
        HelpWindow window(catalogue, QString::fromUtf8(c.language), QString::fromUtf8(c.topic));
        EXPECT_EQ(window.currentUrl(), url(c.url));
        QTreeWidget* tree = child<QTreeWidget>(window, "sommaire");
        ASSERT_NE(tree->currentItem(), nullptr);
        EXPECT_EQ(tree->currentItem()->text(0), QString::fromUtf8(c.entry));
        EXPECT_FALSE(child<QTextBrowser>(window, "page")->toPlainText().isEmpty());
        if (!c.clicked) continue;
        QTreeWidgetItem* entry = tree->currentItem();
        child<QAction>(window, "accueil")->trigger();
        emit tree->itemClicked(entry, 0);
        EXPECT_EQ(window.currentUrl(), url(c.clicked));
    }
}

TEST(HelpWindowNavigation, BackForwardAndHome) {
    const CatalogueIn catalogue(1);
    HelpWindow window(catalogue, QStringLiteral("fr"), QStringLiteral("jouer.html#promotion"));
    QAction* back = child<QAction>(window, "precedent");
    QAction* forward = child<QAction>(window, "suivant");
    const QUrl promotion(QStringLiteral("qrc:/aide/fr/jouer.html#promotion"));
    const QUrl contents(QStringLiteral("qrc:/aide/fr/index.html"));
    const struct {
        QAction* action;
        const QUrl& url;
        bool back, forward; // enabled afterwards
    } steps[] = {
        {nullptr, promotion, false, false},
        {child<QAction>(window, "accueil"), contents, true, false},
        {back, promotion, false, true},
        {forward, contents, true, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.url.toString().toStdString());
        if (s.action) s.action->trigger();
        EXPECT_EQ(window.currentUrl(), s.url);
        EXPECT_EQ(back->isEnabled(), s.back);
        EXPECT_EQ(forward->isEnabled(), s.forward);
    }
}

TEST(HelpWindowSearch, ResultsShowTheSectionWithTheWordsMarkedAndTheirCount) {
    const CatalogueIn catalogue(1);
    HelpWindow window(catalogue, QStringLiteral("fr"));
    QListWidget* results = child<QListWidget>(window, "resultats");
    QTextBrowser* browser = child<QTextBrowser>(window, "page");
    QTreeWidget* tree = child<QTreeWidget>(window, "sommaire");

    window.search(QStringLiteral("ECHEC mat"));
    const QList<int> expected = window.index().search(QStringLiteral("echec mat"));
    ASSERT_EQ(results->count(), expected.size());
    QListWidgetItem* found = nullptr;
    for (int i = 0; i < results->count(); ++i) {
        EXPECT_EQ(resultTopic(results->item(i)), topic(window.index().sections()[expected[i]]));
        if (resultTopic(results->item(i)) == QStringLiteral("moteur.html#recherche"))
            found = results->item(i);
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->text(),
              QStringLiteral("Le moteur › Comment le moteur cherche (niveaux 0 à 3)"));

    emit results->itemClicked(found);
    EXPECT_EQ(window.currentUrl(), QUrl(QStringLiteral("qrc:/aide/fr/moteur.html#recherche")));
    const auto marks = browser->extraSelections();
    ASSERT_FALSE(marks.isEmpty());
    bool accented = false;
    for (const auto& mark : marks) {
        const QString text = mark.cursor.selectedText();
        const QString folded = HelpIndex::fold(text);
        EXPECT_TRUE(folded == QStringLiteral("echec") || folded == QStringLiteral("mat"))
            << text.toStdString();
        accented = accented || text.toLower() != folded;
    }
    EXPECT_TRUE(accented) << "the page writes échec with its accent";

    // Reading on from the contents drops the marks.
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_TRUE(browser->extraSelections().isEmpty());

    // Under the query, the count or why there is nothing.
    QLabel* count = child<QLabel>(window, "nombre_resultats");
    const char* none = "Aucune section ne contient tous ces mots.";
    const struct {
        const char* query;
        const char* label; // none: the count
    } cases[] = {
        {"zyzzyva", none},
        {"echec zyzzyva", none},
        {"", "Tapez un ou plusieurs mots : les sections qui les contiennent tous s'affichent ici."},
        {"dame", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        window.search(QString::fromUtf8(c.query));
        EXPECT_EQ(results->count() == 0, c.label != nullptr);
        EXPECT_EQ(count->text(),
                  c.label ? QString::fromUtf8(c.label)
                          : QStringLiteral("Sections trouvées : %1").arg(results->count()));
    }
}

TEST(HelpWindowCaptions, FollowTheCatalogueLanguage) {
    const struct {
        int language;
        const char* texts[7]; // title, back, forward, home, contents, search, placeholder
    } cases[] = {
        {1,
         {"Aide de Quarvelin", "Précédent", "Suivant", "Accueil", "Sommaire", "Recherche",
          "Mots à chercher"}},
        {2,
         {"Quarvelin Help", "Back", "Forward", "Home", "Contents", "Search",
          "Words to search for"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const CatalogueIn catalogue(c.language);
        HelpWindow window(catalogue, QStringLiteral("en"));
        auto* tabs = window.findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        QStringList shown{window.windowTitle()};
        for (const char* name : {"precedent", "suivant", "accueil"}) {
            shown << child<QAction>(window, name)->text();
            EXPECT_FALSE(child<QAction>(window, name)->toolTip().isEmpty()) << name;
        }
        shown << tabs->tabText(0) << tabs->tabText(1)
              << child<QLineEdit>(window, "recherche")->placeholderText();
        QStringList expected;
        for (const char* t : c.texts) expected << QString::fromUtf8(t);
        EXPECT_EQ(shown, expected);
    }
}
