// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manual of one language as the help window needs it: its pages in contents order, the
// h1/h2 headings with their ids, and a keyword index over the text under each heading. Qt Core
// only, so the search is testable without a screen.
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class HelpIndex {
public:
    // One h1 or h2 heading and the text under it, up to the next such heading.
    struct Section {
        QString page;
        QString anchor;
        QString title;
        int level = 1;
        QStringList words; // folded, sorted, each once
    };
    // A run of characters of some text.
    struct Span {
        int start = 0;
        int length = 0;
        bool operator==(const Span&) const = default;
    };

    static constexpr const char* ContentsPage = "index.html";

    // "fr" or "en"; any other language gets the English manual.
    explicit HelpIndex(const QString& language);

    static QString manualLanguage(const QString& language);
    // Lower case without accents, ligatures spelt out: "Œuvre échecs" gives "oeuvre echecs".
    static QString fold(const QString& text);
    // The folded words of a query, each once, in the order typed.
    static QStringList queryWords(const QString& query);
    // Where a word of text begins with one of the folded words, in positions of text itself.
    static QList<Span> occurrences(const QString& text, const QStringList& foldedWords);

    const QString& language() const { return language_; }
    QUrl url(const QString& page, const QString& anchor = {}) const;
    // The contents page first, then the pages in the order it links them.
    const QStringList& pages() const { return pages_; }
    const QList<Section>& sections() const { return sections_; }
    // The sections holding, for every word of the query, a word that begins with it; in the
    // order of the contents. A query without words finds nothing.
    QList<int> search(const QString& query) const;
    // Unreadable pages, headings without an id, pages the contents page does not link.
    const QStringList& problems() const { return problems_; }

private:
    QStringList readPage(const QString& page);

    QString language_;
    QStringList pages_;
    QList<Section> sections_;
    QStringList problems_;
};
