#include "ui/HelpWindow.h"
#include "localisation/Catalogue.h"
#include "ui/HelpIndex.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

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

template <class T> T* part(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString resultTopic(QListWidgetItem* item) { return item->data(Qt::UserRole).toString(); }

// The program's own catalogue with a language applied.
struct CatalogueIn : quarvelin::Catalogue {
    explicit CatalogueIn(int language) { appliquer_langue(language); }
};

} // namespace

// Each language's pages: read by the index without trouble, in the contents' order, each one
// loading, and every link and style sheet leading somewhere within the manual.
TEST(HelpManual, EveryPageReadsAndEveryLinkResolves) {
    QStringList topicsOf[2];
    for (int l = 0; l < 2; ++l) {
        const QString& language = Languages[l];
        SCOPED_TRACE(language.toStdString());
        const HelpIndex index(language); // makes the resources available
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
        const char* language;
        const char* query;
        QStringList found;    // among the results
        QStringList notFound; // hold some of the words, not all
    } cases[] = {
        {"fr", "echec", {"moteur.html#echec", "jouer.html#roque"}, {}},
        {"fr",
         "prise passant",
         {"jouer.html#prise-en-passant"},
         {"jouer.html#roque", "moteur.html#menaces"}},
        {"fr",
         "port 5555",
         {"modes.html#reseau", "reglages.html#tcpip"},
         {"reglages.html#general"}},
        {"fr", "coeurs", {"moteur.html#recherche"}, {}},
        {"fr",
         "SEUIL_PARTIE_NULLE",
         {"modes.html#automatique", "reglages.html#calcul", "moteur.html#mat"},
         {"moteur.html#centre"}},
        {"en", "castl", {"jouer.html#roque", "moteur.html#roque-moteur"}, {}},
        {"en", "humanoide", {"fichiers.html#format-xml"}, {}},
        {"en", "en passant", {"jouer.html#prise-en-passant"}, {"jouer.html#roque"}},
        {"en",
         "promotion queen",
         {"jouer.html#promotion"},
         {"moteur.html#mobilite", "moteur.html#evaluation"}},
        // No section holds every word, or there is no word at all.
        {"en", "zyzzyva", {}, {}},
        {"fr", "echec zyzzyva", {}, {}},
        {"en", "  ;, ", {}, {}},
        {"fr", "", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.query);
        const HelpIndex index(QString::fromUtf8(c.language));
        const QStringList results = topics(index, index.search(QString::fromUtf8(c.query)));
        for (const QString& t : c.found) EXPECT_TRUE(results.contains(t)) << t.toStdString();
        for (const QString& t : c.notFound) EXPECT_FALSE(results.contains(t)) << t.toStdString();
        EXPECT_EQ(results.isEmpty(), c.found.isEmpty());
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

TEST(HelpWindowContents, TreeListsThePageHeadings) {
    const CatalogueIn catalogue(1);
    for (const QString& language : Languages) {
        SCOPED_TRACE(language.toStdString());
        HelpWindow window(catalogue, language);
        QList<QPair<int, QString>> expected;
        for (const QString& page : window.index().pages())
            expected << render(window.index().url(page)).headings;
        QList<QPair<int, QString>> shown;
        for (QTreeWidgetItemIterator it(part<QTreeWidget>(window, "sommaire")); *it; ++it)
            shown.append({(*it)->parent() ? 2 : 1, (*it)->text(0)});
        EXPECT_EQ(shown, expected);
    }
}

// A topic asked opens its page with its contents entry selected; a click on that entry from
// the first page leads to its section.
TEST(HelpWindowContents, TopicsAndEntriesLeadToTheirSection) {
    const CatalogueIn catalogue(1);
    const struct {
        const char* language;
        const char* topic;
        const char* url;
        const char* entry;
        const char* clicked; // where a click on the entry leads; none: not tried
    } cases[] = {
        {"fr", "jouer.html#promotion", "qrc:/aide/fr/jouer.html#promotion", "La promotion",
         "jouer.html#promotion"},
        {"fr", "reglages.html#tcpip", "qrc:/aide/fr/reglages.html#tcpip", "Section [TCP/IP]",
         "reglages.html#tcpip"},
        {"en", "moteur.html#alpha-beta", "qrc:/aide/en/moteur.html#alpha-beta",
         "The ALPHA_BETA option", "moteur.html#alpha-beta"},
        {"fr", "", "qrc:/aide/fr/index.html", "Aide de Quarvelin", "index.html#sommaire"},
        {"en", "modes.html", "qrc:/aide/en/modes.html", "Play modes", nullptr},
        {"fr", "inconnu.html#x", "qrc:/aide/fr/index.html", "Aide de Quarvelin", nullptr},
        {"en", "jouer.html#nowhere", "qrc:/aide/en/jouer.html#nowhere", "Playing a game", nullptr},
        {"de", "moteur.html#mat", "qrc:/aide/en/moteur.html#mat", "Checkmate and stalemate",
         nullptr},
        {"de", "", "qrc:/aide/en/index.html", "Quarvelin Help", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.topic);
        HelpWindow window(catalogue, QString::fromUtf8(c.language), QString::fromUtf8(c.topic));
        EXPECT_EQ(window.currentUrl(), QUrl(QString::fromUtf8(c.url)));
        QTreeWidget* tree = part<QTreeWidget>(window, "sommaire");
        ASSERT_NE(tree->currentItem(), nullptr);
        EXPECT_EQ(tree->currentItem()->text(0), QString::fromUtf8(c.entry));
        EXPECT_FALSE(part<QTextBrowser>(window, "page")->toPlainText().isEmpty());
        if (!c.clicked) continue;

        HelpWindow fresh(catalogue, QString::fromUtf8(c.language));
        tree = part<QTreeWidget>(fresh, "sommaire");
        QTreeWidgetItem* item = nullptr;
        for (QTreeWidgetItemIterator it(tree); *it && !item; ++it)
            if ((*it)->text(0) == QString::fromUtf8(c.entry)) item = *it;
        ASSERT_NE(item, nullptr);
        emit tree->itemClicked(item, 0);
        const QString clicked = QString::fromUtf8(c.clicked);
        EXPECT_EQ(fresh.currentUrl(),
                  fresh.index().url(clicked.section(u'#', 0, 0), clicked.section(u'#', 1)));
    }
}

TEST(HelpWindowNavigation, BackForwardAndHome) {
    const CatalogueIn catalogue(1);
    HelpWindow window(catalogue, QStringLiteral("fr"), QStringLiteral("jouer.html#promotion"));
    QAction* back = part<QAction>(window, "precedent");
    QAction* forward = part<QAction>(window, "suivant");
    const QUrl promotion(QStringLiteral("qrc:/aide/fr/jouer.html#promotion"));
    const QUrl contents(QStringLiteral("qrc:/aide/fr/index.html"));
    const struct {
        QAction* action;
        const QUrl& url;
        bool back, forward; // enabled afterwards
    } steps[] = {
        {nullptr, promotion, false, false},
        {part<QAction>(window, "accueil"), contents, true, false},
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

TEST(HelpWindowSearch, ResultShowsTheSectionWithTheWordsMarked) {
    const CatalogueIn catalogue(1);
    HelpWindow window(catalogue, QStringLiteral("fr"));
    QListWidget* results = part<QListWidget>(window, "resultats");
    QTextBrowser* browser = part<QTextBrowser>(window, "page");
    QTreeWidget* tree = part<QTreeWidget>(window, "sommaire");

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
}

TEST(HelpWindowSearch, CountOrReasonUnderTheQuery) {
    const CatalogueIn catalogue(1);
    HelpWindow window(catalogue, QStringLiteral("fr"));
    QListWidget* results = part<QListWidget>(window, "resultats");
    QLabel* count = part<QLabel>(window, "nombre_resultats");
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
        {7,
         {"Справка Quarvelin", "Назад", "Вперёд", "В начало", "Содержание", "Поиск",
          "Слова для поиска"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const CatalogueIn catalogue(c.language);
        HelpWindow window(catalogue, QStringLiteral("en"));
        auto* tabs = window.findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        QStringList shown{window.windowTitle()};
        for (const char* name : {"precedent", "suivant", "accueil"}) {
            shown << part<QAction>(window, name)->text();
            EXPECT_FALSE(part<QAction>(window, name)->toolTip().isEmpty()) << name;
        }
        shown << tabs->tabText(0) << tabs->tabText(1)
              << part<QLineEdit>(window, "recherche")->placeholderText();
        QStringList expected;
        for (const char* t : c.texts) expected << QString::fromUtf8(t);
        EXPECT_EQ(shown, expected);
    }
}
