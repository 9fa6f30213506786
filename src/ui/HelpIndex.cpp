// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpIndex.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <mutex>

// The manual is a resource of a static library; without this call the linker drops it.
static void loadHelpResources() { Q_INIT_RESOURCE(help); }

namespace {

const QString Root = QStringLiteral(":/aide/");

// Folded form of one character: a character may fold to two (œ, æ, ß) or to none (a lone
// combining accent), which is why callers that need positions fold one character at a time.
QString foldChar(QChar c) {
    if (c.unicode() < 0x80) return QString(c.toLower());
    switch (c.unicode()) {
    case 0x0152: // Œ
    case 0x0153: // œ
        return QStringLiteral("oe");
    case 0x00C6: // Æ
    case 0x00E6: // æ
        return QStringLiteral("ae");
    case 0x00DF: // ß
        return QStringLiteral("ss");
    default:
        break;
    }
    QString folded;
    for (QChar d : QString(c).normalized(QString::NormalizationForm_KD))
        if (d.category() != QChar::Mark_NonSpacing) folded += d;
    return folded.toCaseFolded();
}

bool isWordChar(QChar c) { return c.isLetterOrNumber(); }

QStringList wordsOf(const QString& folded) {
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool inWord = i < folded.size() && isWordChar(folded[i]);
        if (inWord && start < 0) start = i;
        if (!inWord && start >= 0) {
            words << folded.mid(start, i - start);
            start = -1;
        }
    }
    return words;
}

// The page a link of the contents page names, or nothing for links elsewhere.
QString linkedPage(const QString& href) {
    const QString page = href.section(u'#', 0, 0);
    if (page.isEmpty() || page.contains(u'/') || page.contains(u':') || !page.endsWith(u".html"))
        return {};
    return page;
}

} // namespace

HelpIndex::HelpIndex(const QString& language) : language_(manualLanguage(language)) {
    static std::once_flag loaded;
    std::call_once(loaded, loadHelpResources);

    const QStringList files =
        QDir(Root + language_).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    const QString contents = QString::fromLatin1(ContentsPage);
    if (!files.contains(contents)) {
        problems_ << language_ + u'/' + contents + QStringLiteral(": missing");
        return;
    }
    pages_ << contents;
    const QStringList links = readPage(contents);
    for (const QString& href : links) {
        const QString page = linkedPage(href);
        if (!page.isEmpty() && files.contains(page) && !pages_.contains(page)) {
            pages_ << page;
            readPage(page);
        }
    }
    for (const QString& page : files) {
        if (pages_.contains(page)) continue;
        problems_ << language_ + u'/' + page + QStringLiteral(": not linked from the contents");
        pages_ << page;
        readPage(page);
    }
}

QString HelpIndex::manualLanguage(const QString& language) {
    return language.left(2).compare(u"fr", Qt::CaseInsensitive) == 0 ? QStringLiteral("fr")
                                                                     : QStringLiteral("en");
}

QString HelpIndex::fold(const QString& text) {
    QString folded;
    folded.reserve(text.size());
    for (QChar c : text) folded += foldChar(c);
    return folded;
}

QStringList HelpIndex::queryWords(const QString& query) {
    QStringList words = wordsOf(fold(query));
    words.removeDuplicates();
    return words;
}

QList<HelpIndex::Span> HelpIndex::occurrences(const QString& text, const QStringList& foldedWords) {
    QString folded;
    QList<int> origin; // index in text of each folded character
    for (int i = 0; i < text.size(); ++i) {
        const QString f = foldChar(text[i]);
        folded += f;
        for (qsizetype k = 0; k < f.size(); ++k) origin << i;
    }
    QList<Span> spans;
    for (qsizetype s = 0; s < folded.size(); ++s) {
        if (!isWordChar(folded[s]) || (s > 0 && isWordChar(folded[s - 1]))) continue;
        qsizetype longest = 0;
        for (const QString& w : foldedWords)
            if (w.size() > longest && QStringView(folded).mid(s).startsWith(w)) longest = w.size();
        if (longest == 0) continue;
        const int first = origin[s];
        const int last = origin[s + longest - 1];
        spans << Span{first, last - first + 1};
    }
    return spans;
}

QUrl HelpIndex::url(const QString& page, const QString& anchor) const {
    QUrl url(QStringLiteral("qrc:/aide/") + language_ + u'/' + page);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

QList<int> HelpIndex::search(const QString& query) const {
    const QStringList wanted = queryWords(query);
    QList<int> found;
    if (wanted.isEmpty()) return found;
    for (int i = 0; i < sections_.size(); ++i) {
        const QStringList& words = sections_[i].words;
        const bool all = std::all_of(wanted.begin(), wanted.end(), [&](const QString& w) {
            const auto it = std::lower_bound(words.begin(), words.end(), w);
            return it != words.end() && it->startsWith(w);
        });
        if (all) found << i;
    }
    return found;
}

// Reads one page into sections; returns the targets of its links, in document order.
QStringList HelpIndex::readPage(const QString& page) {
    const QString name = language_ + u'/' + page;
    QFile file(Root + name);
    if (!file.open(QIODevice::ReadOnly)) {
        problems_ << name + QStringLiteral(": cannot be read");
        return {};
    }
    QStringList links;
    QString text; // of the current section
    QString heading;
    bool inBody = false;
    bool inHeading = false;
    const auto closeSection = [&] {
        if (sections_.isEmpty() || sections_.last().page != page) return;
        QStringList words = wordsOf(fold(sections_.last().title + u' ' + text));
        words.sort();
        words.removeDuplicates();
        sections_.last().words = words;
        text.clear();
    };

    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            const auto tag = xml.name();
            if (tag == u"body") inBody = true;
            if (!inBody) break;
            if (tag == u"h1" || tag == u"h2") {
                closeSection();
                const QString id = xml.attributes().value(QStringLiteral("id")).toString();
                Section section;
                section.page = page;
                section.anchor = id;
                section.level = tag == u"h1" ? 1 : 2;
                sections_ << section;
                inHeading = true;
                heading.clear();
            } else if (tag == u"a") {
                const QString href = xml.attributes().value(QStringLiteral("href")).toString();
                if (!href.isEmpty()) links << href;
            }
            text += u' '; // elements separate words
            break;
        }
        case QXmlStreamReader::EndElement:
            if (inHeading && (xml.name() == u"h1" || xml.name() == u"h2")) {
                inHeading = false;
                sections_.last().title = heading.simplified();
                if (sections_.last().anchor.isEmpty())
                    problems_ << name + QStringLiteral(": heading without an id: ") +
                                     sections_.last().title;
            }
            if (xml.name() == u"body") inBody = false;
            text += u' ';
            break;
        case QXmlStreamReader::Characters:
            if (!inBody) break;
            if (inHeading)
                heading += xml.text();
            else
                text += xml.text();
            break;
        default:
            break;
        }
    }
    closeSection();
    const auto first = std::find_if(sections_.cbegin(), sections_.cend(),
                                    [&](const Section& s) { return s.page == page; });
    if (first == sections_.cend() || first->level != 1)
        problems_ << name + QStringLiteral(": does not begin with an h1 heading");
    if (xml.hasError())
        problems_ << name + u':' + QString::number(xml.lineNumber()) + QStringLiteral(": ") +
                         xml.errorString();
    return links;
}
