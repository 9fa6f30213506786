#include "ui/LanguageWindow.h"
#include "config/LanguageChoice.h"
#include "config/SettingsFile.h"
#include "support/TestDoubles.h"

#include "Capture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

// Stands in for the browser.
class Navigateur : public QObject {
    Q_OBJECT
public:
    QList<QUrl> ouvertes;
public slots:
    void open(const QUrl& url) { ouvertes.push_back(url); }
};

QByteArray content(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The window wired to its controller the way the main window does it, on a first start.
struct PremierDemarrage {
    PremierDemarrage() {
        settings = builtInSettings(dir.path().toStdString());
        settings.FIRST_STARTUP = 1;
        EXPECT_EQ(ecrire_reglages(settings, path()), "");
        avant = content(path());
        QObject::connect(&fenetre, &LanguageWindow::langueChoisie, [this](int key) {
            choix.choose(key);
            ++choisies;
        });
        QObject::connect(&fenetre, &LanguageWindow::quitter, [this] { ++quittes; });
    }
    std::string path() const {
        return dir.filePath(QStringLiteral("quarvelin.ini")).toStdString();
    }

    QTemporaryDir dir;
    Settings settings;
    Catalogue catalogue;
    NotationCode notation = NotationCode::Pgn;
    test::RecordingDialogs dialogs;
    LanguageChoice choix{settings, catalogue, notation, path(), dialogs};
    LanguageWindow fenetre;
    QByteArray avant;
    int choisies = 0, quittes = 0;
};

} // namespace

TEST(LanguageWindow, TitreEtBoutonsFixes) {
    LanguageWindow fenetre;
    EXPECT_EQ(fenetre.objectName(), QStringLiteral("Language"));
    EXPECT_EQ(fenetre.windowTitle(), QString::fromStdString(LanguageChoice::windowTitle()));
    const char* legendes[] = {"Français", "English",    "Italiano", "Español",
                              "Deutsch",  "Portuguese", "Russian",  "Pole"};
    for (int key = 1; key <= 8; ++key) {
        ASSERT_NE(fenetre.button(key), nullptr);
        EXPECT_TRUE(fenetre.button(key)->text().startsWith(QString::fromUtf8(legendes[key - 1])))
            << fenetre.button(key)->text().toStdString();
    }
    auto* sortie = fenetre.findChild<QPushButton*>(QStringLiteral("sortie"));
    ASSERT_NE(sortie, nullptr);
    EXPECT_EQ(sortie->text(), QStringLiteral("E&xit"));
}

TEST(LanguageWindow, ChoixEcritLesReglages) {
    for (int key = 1; key <= 8; ++key) {
        SCOPED_TRACE(key);
        PremierDemarrage d;
        d.fenetre.show();
        d.fenetre.button(key)->click();
        EXPECT_EQ(d.choisies, 1);
        EXPECT_EQ(d.quittes, 0);
        EXPECT_FALSE(d.fenetre.isVisible());
        EXPECT_EQ(d.fenetre.result(), QDialog::Accepted);

        Settings lu;
        lire_reglages(d.path(), d.dir.path().toStdString(), lu);
        EXPECT_EQ(lu.CLE_LANGUE, key);
        EXPECT_EQ(lu.FIRST_STARTUP, 0);
        EXPECT_EQ(d.notation, key == 1 ? NotationCode::French : NotationCode::Pgn);
    }
}

TEST(LanguageWindow, SortieNEcritRien) {
    PremierDemarrage d;
    d.fenetre.show();
    auto* sortie = d.fenetre.findChild<QPushButton*>(QStringLiteral("sortie"));
    ASSERT_NE(sortie, nullptr);
    sortie->click();
    EXPECT_EQ(d.quittes, 1);
    EXPECT_EQ(d.choisies, 0);
    EXPECT_FALSE(d.fenetre.isVisible());
    EXPECT_EQ(content(d.path()), d.avant);
}

TEST(LanguageWindow, LienOuvreLeSite) {
    Navigateur navigateur;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &navigateur, "ouvrir");
    LanguageWindow fenetre;
    fenetre.show();
    auto* site = fenetre.findChild<QLabel*>(QStringLiteral("site"));
    ASSERT_NE(site, nullptr);
    const QPointF point(site->contentsRect().left() + 8, site->height() / 2.0);
    const QPointF global = site->mapToGlobal(point);
    QMouseEvent appui(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent relache(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(site, &appui);
    QApplication::sendEvent(site, &relache);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(navigateur.ouvertes.size(), 1);
    EXPECT_EQ(navigateur.ouvertes.front(), QUrl(QStringLiteral("https://quarvelin.org")));
}

TEST(LanguageWindow, RienNeDepasse) {
    for (int key : {0, 1, 7}) {
        SCOPED_TRACE(key);
        LanguageWindow fenetre;
        Catalogue catalogue;
        if (key != 0) {
            catalogue.appliquer_langue(key);
            fenetre.appliquer_textes(catalogue);
        }
        fenetre.show();
        for (QWidget* w : fenetre.findChildren<QWidget*>()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << w->objectName().toStdString();
            EXPECT_TRUE(fenetre.rect().contains(w->geometry())) << w->objectName().toStdString();
        }
        for (int b = 1; b <= 8; ++b)
            EXPECT_GE(fenetre.button(b)->width(), fenetre.button(b)->sizeHint().width());
        capturer(fenetre, QStringLiteral("langue-%1").arg(key));
    }
}

#include "LanguageWindowTest.moc"
