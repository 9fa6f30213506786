// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's help: the manual of one language with its contents, a keyword search and
// back, forward and home. A plain widget, so it can live in an MDI window or on its own.
#include "ui/HelpIndex.h"

#include <QStringList>
#include <QUrl>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace quarvelin {
class Catalogue;
}

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // language: "fr" or "en", any other shows the English manual; the captions follow the
    // catalogue's language. topic: "page.html" or "page.html#anchor"; empty or unknown pages
    // open the contents page.
    HelpWindow(const quarvelin::Catalogue& catalogue, const QString& language,
               const QString& topic = {}, QWidget* parent = nullptr);

    const HelpIndex& index() const { return index_; }
    QUrl currentUrl() const;

    void showTopic(const QString& topic);
    // Puts words in the search field and lists the sections that hold them all.
    void search(const QString& words);

private:
    void buildContents();
    void listResults(const QString& query);
    void showResult(QListWidgetItem* item);
    void showContentsItem(QTreeWidgetItem* item);
    void goHome();
    void pageShown(const QUrl& url);
    void highlightWords();

    HelpIndex index_;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* home_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QWidget* searchPage_ = nullptr;
    QLabel* resultCount_ = nullptr;
    QListWidget* results_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QString noQueryText_, noResultText_, resultCountText_;
    QStringList highlighted_; // folded words marked on every page shown
};
