// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* before) : QObject(menu) {
    for (std::size_t n = 0; n < elements_.size(); ++n) {
        auto* action = new QAction(menu);
        action->setObjectName(QStringLiteral("mnuRecentFile%1").arg(n));
        action->setSeparator(n == 0);
        action->setVisible(false);
        if (n > 0) {
            connect(action, &QAction::triggered, this,
                    [this, action] { emit chosenCaption(action->data().toString()); });
        }
        menu->insertAction(before, action);
        elements_[n] = action;
    }
}

void RecentFilesMenu::show(const std::vector<std::string>& captions) {
    elements_[0]->setVisible(!captions.empty());
    for (std::size_t n = 1; n < elements_.size(); ++n) {
        const bool present = n <= captions.size();
        const QString caption = present ? QString::fromStdString(captions[n - 1]) : QString();
        // A "&" in a file name would turn into a shortcut mark; only the leading one is meant.
        const qsizetype white = caption.indexOf(u' ');
        elements_[n]->setText(white < 0
                                  ? caption
                                  : caption.left(white + 1) +
                                        caption.mid(white + 1).replace(u'&', QStringLiteral("&&")));
        elements_[n]->setData(caption);
        elements_[n]->setVisible(present);
    }
}
