// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LanguageWindow.h"
#include "config/LanguageChoice.h"
#include "config/SettingsFile.h"
#include "support/TestDoubles.h"

#include "Capture.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

QByteArray content(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The window wired to its controller the way the main window does it, on a first start.
struct FirstStartup {
    FirstStartup() {
        settings = builtInSettings(dir.path().toStdString());
        settings.FIRST_STARTUP = 1;
        EXPECT_EQ(ecrire_reglages(settings, path()), "");
        before = content(path());
        QObject::connect(&window, &LanguageWindow::chosenLanguage, [this](int key) {
            choice.choose(key);
            ++chosen;
        });
        QObject::connect(&window, &LanguageWindow::quit, [this] { ++quitCount; });
    }
    std::string path() const { return dir.filePath(QStringLiteral("quarvelin.ini")).toStdString(); }

    QTemporaryDir dir;
    Settings settings;
    Catalogue catalogue;
    NotationCode notation = NotationCode::Pgn;
    test::RecordingDialogs dialogs;
    LanguageChoice choice{settings, catalogue, notation, path(), dialogs};
    LanguageWindow window;
    QByteArray before;
    int chosen = 0, quitCount = 0;
};

} // namespace

TEST(LanguageWindow, FixedTitleAndButtons) {
    LanguageWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("Language"));
    EXPECT_EQ(window.windowTitle(), QString::fromStdString(LanguageChoice::windowTitle()));
    const char* captions[] = {"Français", "English",    "Italiano", "Español",
                              "Deutsch",  "Portuguese", "Russian",  "Pole"};
    for (int key = 1; key <= 8; ++key) {
        ASSERT_NE(window.button(key), nullptr);
        EXPECT_TRUE(window.button(key)->text().startsWith(QString::fromUtf8(captions[key - 1])))
            << window.button(key)->text().toStdString();
    }
    auto* output = window.findChild<QPushButton*>(QStringLiteral("sortie"));
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->text(), QStringLiteral("E&xit"));
}

// A language button writes the settings and closes; "exit" (0 here) closes and writes nothing.
TEST(LanguageWindow, ChoiceWritesTheSettingsExitNothing) {
    for (int key = 0; key <= 8; ++key) {
        SCOPED_TRACE(key);
        FirstStartup d;
        d.window.show();
        QPushButton* button =
            key ? d.window.button(key) : d.window.findChild<QPushButton*>(QStringLiteral("sortie"));
        ASSERT_NE(button, nullptr);
        button->click();
        EXPECT_EQ(d.chosen, key ? 1 : 0);
        EXPECT_EQ(d.quitCount, key ? 0 : 1);
        EXPECT_FALSE(d.window.isVisible());
        if (key == 0) {
            EXPECT_EQ(content(d.path()), d.before);
            continue;
        }
        EXPECT_EQ(d.window.result(), QDialog::Accepted);
        Settings parsed;
        lire_reglages(d.path(), d.dir.path().toStdString(), parsed);
        EXPECT_EQ(parsed.CLE_LANGUE, key);
        EXPECT_EQ(parsed.FIRST_STARTUP, 0);
        EXPECT_EQ(d.notation, key == 1 ? NotationCode::French : NotationCode::Pgn);
    }
}

// The project owns no web site: the window names none and links nowhere.
TEST(LanguageWindow, ShowsNoWebAddress) {
    LanguageWindow window;
    test::OffsetCatalogue catalogue;
    window.appliquer_textes(catalogue);
    window.show();
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        for (const QString& t : {w->toolTip(), label ? label->text() : QString()}) {
            EXPECT_FALSE(t.contains(QLatin1String("://"))) << t.toStdString();
            EXPECT_FALSE(t.contains(QLatin1String(".org"))) << t.toStdString();
        }
    }
}

TEST(LanguageWindow, NothingOverflows) {
    for (int key : {0, 1, 7}) {
        SCOPED_TRACE(key);
        LanguageWindow window;
        Catalogue catalogue;
        if (key != 0) {
            catalogue.appliquer_langue(key);
            window.appliquer_textes(catalogue);
        }
        window.show();
        for (QWidget* w : window.findChildren<QWidget*>()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
            EXPECT_TRUE(window.rect().contains(w->geometry())) << w->objectName().toStdString();
        }
        for (int b = 1; b <= 8; ++b)
            EXPECT_GE(window.button(b)->width(), window.button(b)->sizeHint().width());
        takeScreenshot(window, QStringLiteral("langue-%1").arg(key));
    }
}
