// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HelpWindow.h"

#include "localisation/Catalogue.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>

using quarvelin::TextKey;

namespace {

// The topic a tree item or a result leads to, "page.html#anchor".
constexpr int TopicRole = Qt::UserRole;

QString topicOf(const HelpIndex::Section& section) { return section.page + u'#' + section.anchor; }

} // namespace

HelpWindow::HelpWindow(const quarvelin::Catalogue& catalogue, const QString& language,
                       const QString& topic, QWidget* parent)
    : QWidget(parent), index_(language) {
    const auto text = [&](quarvelin::TextKey key) {
        return QString::fromStdString(catalogue.text(key));
    };
    setObjectName(QStringLiteral("aide"));
    setWindowTitle(text(TextKey::HelpTitle));
    noQueryText_ = text(TextKey::HelpPrompt);
    noResultText_ = text(TextKey::HelpNoResult);
    resultCountText_ = text(TextKey::HelpSectionsFound);

    const auto makeAction = [&](const char* name, QStyle::StandardPixmap icon, TextKey caption,
                                TextKey tip, const QKeySequence& keys) {
        auto* action = new QAction(style()->standardIcon(icon), text(caption), this);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(text(tip));
        action->setShortcut(keys);
        // Only while the help has the focus: the main window owns the same keys elsewhere.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        return action;
    };
    back_ = makeAction("precedent", QStyle::SP_ArrowBack, TextKey::HelpBack, TextKey::HelpTipBack,
                       QKeySequence::Back);
    forward_ = makeAction("suivant", QStyle::SP_ArrowForward, TextKey::HelpForward,
                          TextKey::HelpTipForward, QKeySequence::Forward);
    home_ = makeAction("accueil", QStyle::SP_DirHomeIcon, TextKey::HelpHome, TextKey::HelpTipHome,
                       QKeySequence(Qt::ALT | Qt::Key_Home));
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* bar = new QHBoxLayout;
    for (QAction* action : {back_, forward_, home_}) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        bar->addWidget(button);
    }
    bar->addStretch(1);
    searchField_ = new QLineEdit(this);
    searchField_->setObjectName(QStringLiteral("recherche"));
    searchField_->setPlaceholderText(text(TextKey::HelpWordsToFind));
    searchField_->setClearButtonEnabled(true);
    searchField_->setMinimumWidth(220);
    bar->addWidget(searchField_);

    contents_ = new QTreeWidget(this);
    contents_->setObjectName(QStringLiteral("sommaire"));
    contents_->setHeaderHidden(true);
    contents_->setColumnCount(1);

    searchPage_ = new QWidget(this);
    resultCount_ = new QLabel(noQueryText_, searchPage_);
    resultCount_->setObjectName(QStringLiteral("nombre_resultats"));
    resultCount_->setWordWrap(true);
    results_ = new QListWidget(searchPage_);
    results_->setObjectName(QStringLiteral("resultats"));
    auto* searchLayout = new QVBoxLayout(searchPage_);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(resultCount_);
    searchLayout->addWidget(results_, 1);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(contents_, text(TextKey::HelpContents));
    tabs_->addTab(searchPage_, text(TextKey::HelpSearch));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("page"));
    browser_->setOpenExternalLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    resize(900, 640);

    buildContents();

    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, &HelpWindow::goHome);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
    connect(searchField_, &QLineEdit::textChanged, this, &HelpWindow::listResults);
    connect(searchField_, &QLineEdit::returnPressed, this, [this] {
        if (results_->count() > 0) showResult(results_->item(0));
    });
    connect(results_, &QListWidget::itemClicked, this, &HelpWindow::showResult);
    connect(results_, &QListWidget::itemActivated, this, &HelpWindow::showResult);
    connect(contents_, &QTreeWidget::itemClicked, this, &HelpWindow::showContentsItem);
    connect(contents_, &QTreeWidget::itemActivated, this, &HelpWindow::showContentsItem);

    showTopic(topic);
}

QUrl HelpWindow::currentUrl() const { return browser_->source(); }

void HelpWindow::buildContents() {
    QTreeWidgetItem* pageItem = nullptr;
    QString pageName;
    for (const HelpIndex::Section& section : index_.sections()) {
        QTreeWidgetItem* item = nullptr;
        if (section.level == 1 || section.page != pageName) {
            item = new QTreeWidgetItem(contents_);
            pageItem = item;
            pageName = section.page;
        } else {
            item = new QTreeWidgetItem(pageItem);
        }
        item->setText(0, section.title);
        item->setToolTip(0, section.title); // long titles are cut at the tree's width
        item->setData(0, TopicRole, topicOf(section));
    }
    contents_->expandAll();
}

void HelpWindow::showTopic(const QString& topic) {
    QString page = topic.section(u'#', 0, 0);
    QString anchor = topic.section(u'#', 1);
    if (!index_.pages().contains(page)) {
        page = QString::fromLatin1(HelpIndex::ContentsPage);
        anchor.clear();
    }
    browser_->setSource(index_.url(page, anchor));
}

void HelpWindow::search(const QString& words) {
    searchField_->setText(words);
    tabs_->setCurrentWidget(searchPage_);
    searchField_->setFocus();
}

void HelpWindow::listResults(const QString& query) {
    results_->clear();
    if (HelpIndex::queryWords(query).isEmpty()) {
        resultCount_->setText(noQueryText_);
        highlighted_.clear();
        highlightWords();
        tabs_->setCurrentWidget(contents_);
        return;
    }
    const QList<int> found = index_.search(query);
    const auto& sections = index_.sections();
    for (int i : found) {
        const HelpIndex::Section& section = sections[i];
        QString label = section.title;
        if (section.level > 1) {
            // The page's own title in front, so two sections of the same name can be told apart.
            const auto it = std::find_if(sections.begin(), sections.end(), [&](const auto& s) {
                return s.page == section.page && s.level == 1;
            });
            if (it != sections.end()) label = it->title + QStringLiteral(" › ") + label;
        }
        auto* item = new QListWidgetItem(label, results_);
        item->setToolTip(label);
        item->setData(TopicRole, topicOf(section));
    }
    resultCount_->setText(found.isEmpty() ? noResultText_
                                          : resultCountText_ + QString::number(found.size()));
    tabs_->setCurrentWidget(searchPage_);
}

void HelpWindow::showResult(QListWidgetItem* item) {
    if (!item) return;
    highlighted_ = HelpIndex::queryWords(searchField_->text());
    showTopic(item->data(TopicRole).toString());
    // The same page again emits no change of source, so mark the words here as well.
    highlightWords();
}

void HelpWindow::showContentsItem(QTreeWidgetItem* item) {
    if (!item) return;
    highlighted_.clear();
    showTopic(item->data(0, TopicRole).toString());
    highlightWords();
}

void HelpWindow::goHome() {
    highlighted_.clear();
    showTopic({});
    highlightWords();
}

void HelpWindow::pageShown(const QUrl& url) {
    const QString page = url.fileName();
    const QString topic = page + u'#' + url.fragment();
    QTreeWidgetItem* match = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it && !match; ++it) {
        const QString itemTopic = (*it)->data(0, TopicRole).toString();
        if (itemTopic == topic) match = *it;
    }
    // Without an anchor, or with one the contents do not list, the page's own heading.
    for (QTreeWidgetItemIterator it(contents_); *it && !match; ++it)
        if (!(*it)->parent() && (*it)->data(0, TopicRole).toString().startsWith(page + u'#'))
            match = *it;
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentItem(match);
    highlightWords();
}

void HelpWindow::highlightWords() {
    QList<QTextEdit::ExtraSelection> marks;
    if (!highlighted_.isEmpty()) {
        QTextCharFormat format;
        format.setBackground(QColor(0xFF, 0xE0, 0x66));
        QTextDocument* document = browser_->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (const HelpIndex::Span& span : HelpIndex::occurrences(block.text(), highlighted_)) {
                QTextCursor cursor(document);
                cursor.setPosition(block.position() + span.start);
                cursor.setPosition(block.position() + span.start + span.length,
                                   QTextCursor::KeepAnchor);
                marks << QTextEdit::ExtraSelection{cursor, format};
            }
        }
    }
    browser_->setExtraSelections(marks);
}
