// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"

#include "Capture.h"
#include "Controls.h"
#include "config/PieceSets.h"
#include "config/SettingsFile.h"
#include "localisation/Catalogue.h"
#include "ui/EngineProfilesDialog.h"
#include "ui/NumberSpinBox.h"
#include "ui/PieceSetPreview.h"
#include "ui/PreferencesDialog.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

class PreferencesWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Settings record;
    test::RecordingDialogs dialogs;
    Catalogue catalogue;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(lire_reglages(settingsFile(), path(), record).state,
                  SettingsReading::State::Created);
        catalogue.appliquer_langue(1);
    }
    std::string path() const { return dir.path().toStdString(); }
    std::string settingsFile() const { return path() + "/quarvelin.ini"; }
    SettingsLocations where() const { return {settingsFile(), path(), path()}; }

    // What the user types into a spin box.
    static void type(NumberSpinBox* spin, const QString& text) {
        spin->findChild<QLineEdit*>()->setText(text);
    }
    static void press(QWidget& window, const char* button) {
        child<QPushButton>(window, button)->click();
    }
};

TEST_F(PreferencesWindow, EditsReachTheRecordOnOk) {
    PreferencesDialog window(record, where(), catalogue, dialogs);
    std::optional<Colour> applied;
    QObject::connect(&window, &PreferencesDialog::preferencesApplied,
                     [&](Colour colour) { applied = colour; });
    window.show();

    child<QLineEdit>(window, "LIEU_JEU")->setText(QStringLiteral("Lyon"));
    type(child<NumberSpinBox>(window, "NOTE_MATERIEL_DAME"), QStringLiteral("950,5"));
    child<QCheckBox>(window, "IMP")->setChecked(false);
    child<QComboBox>(window, "DEB_BLANC")->setCurrentIndex(1);
    child<QComboBox>(window, "PROFONDEUR_MAX")->setCurrentIndex(2);
    child<QComboBox>(window, "CLE_LANGUE")->setCurrentIndex(1);
    child<QRadioButton>(window, "IP_MODE_SERVEUR")->setChecked(true);
    press(window, "ok");

    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(record.LIEU_JEU, "Lyon");
    EXPECT_EQ(record.NOTE_MATERIEL[1][6], 950.5f);
    EXPECT_EQ(record.IMP, 1);
    EXPECT_EQ(record.DEB_BLANC, 0);
    EXPECT_EQ(record.PROFONDEUR_MAX[1], 2);
    EXPECT_EQ(record.IP_MODE_SERVEUR, 1);
    EXPECT_EQ(record.CLE_LANGUE, 2);
    EXPECT_EQ(applied, Colour::Black);
    // The language is applied before the confirmation, which speaks it.
    EXPECT_EQ(catalogue.BaseTexte(), 1010);
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"The settings have been saved."});
    Settings back;
    ASSERT_EQ(lire_reglages(settingsFile(), path(), back).state, SettingsReading::State::Parsed);
    EXPECT_EQ(back.LIEU_JEU, "Lyon");
    EXPECT_EQ(back.NOTE_MATERIEL[1][6], 950.5f);
}

TEST_F(PreferencesWindow, ARefusedFieldKeepsTheWindowOpen) {
    const Settings before = record;
    PreferencesDialog window(record, where(), catalogue, dialogs);
    window.show();
    window.tabs()->setCurrentIndex(6);
    auto* elo = child<QComboBox>(window, "NIVEAU_ELO");
    elo->setEditText(QStringLiteral("fort"));
    press(window, "ok");

    EXPECT_NE(window.result(), QDialog::Accepted);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{catalogue.text(TextKey::NumberExpected)});
    EXPECT_EQ(elo->currentText(), QStringLiteral("1300"));
    EXPECT_EQ(window.tabs()->currentIndex(), 0); // the refused field is brought into view
    EXPECT_EQ(record, before);

    press(window, "ok");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(record.NIVEAU_ELO[1], 1300);
}

TEST_F(PreferencesWindow, LeavingASpinBoxChecksWhatWasTyped) {
    PreferencesDialog window(record, where(), catalogue, dialogs);
    window.show();
    auto* replay = child<NumberSpinBox>(window, "DELAI_ATTENTE");
    type(replay, QStringLiteral("vite"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(replay, &leave);
    QCoreApplication::processEvents();
    EXPECT_EQ(replay->fieldText(), QStringLiteral("1000"));
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{catalogue.text(TextKey::NumberExpected)});

    // The arrows step from what is shown and the field takes the value at once.
    replay->stepUp();
    EXPECT_EQ(replay->fieldText(), QStringLiteral("1100"));
    EXPECT_EQ(window.controller().text("DELAI_ATTENTE"), "1100");

    // A value a file held outside the usual range is shown as it is.
    auto* king = child<NumberSpinBox>(window, "NOTE_MATERIEL_ROI");
    king->setFieldText(QStringLiteral("100000000000000000000"));
    EXPECT_EQ(king->fieldText(), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(king->value(), 1e20);
}

TEST_F(PreferencesWindow, ResetFillsTheFieldsAndCancelKeepsTheRecord) {
    record.NOM_JOUEUR[1] = "Alice";
    ASSERT_EQ(ecrire_reglages(record, settingsFile()), "");
    PreferencesDialog window(record, where(), catalogue, dialogs);
    window.show();
    EXPECT_EQ(child<QLineEdit>(window, "NOM_JOUEUR")->text(), QStringLiteral("Alice"));
    press(window, "reinitialiser");
    EXPECT_EQ(child<QLineEdit>(window, "NOM_JOUEUR")->text(), QStringLiteral("Humanoïde"));
    EXPECT_EQ(child<QComboBox>(window, "NIVEAU_ELO")->currentText(), QStringLiteral("1600"));
    EXPECT_EQ(record.FIRST_STARTUP, 1);
    press(window, "annuler");
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(record.NOM_JOUEUR[1], "Alice");
}

TEST_F(PreferencesWindow, PieceSetsAreOfferedWithAPreview) {
    const QString folder = dir.filePath(QStringLiteral("images/pieces/Bois"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int code = 2; code <= 13; ++code) {
        QImage piece(32, 32, QImage::Format_ARGB32);
        piece.fill(code < 8 ? Qt::black : Qt::white);
        ASSERT_TRUE(piece.save(folder + QStringLiteral("/%1.png").arg(code)));
    }
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("images/pieces/Vide"))));
    PreferencesDialog window(record, where(), catalogue, dialogs);
    window.show();
    auto* sets = child<QComboBox>(window, "CURENT_PIECE");
    ASSERT_EQ(sets->count(), 2);
    EXPECT_EQ(sets->itemText(0), QStringLiteral("Quarvelin"));
    EXPECT_EQ(sets->itemText(1), QStringLiteral("Bois"));
    EXPECT_EQ(window.preview()->piecesFound(), 12);
    EXPECT_EQ(window.preview()->folder(), QString::fromLatin1(PieceSets::OwnFolder));

    sets->setCurrentIndex(1);
    EXPECT_EQ(window.preview()->folder(), folder);
    EXPECT_EQ(window.preview()->piecesFound(), 12);
    EXPECT_EQ(window.controller().text("CURENT_PIECE"), "Bois");
    // The set's own pictures are drawn: plain black pieces above, plain white ones below.
    PieceSetPreview* preview = window.preview();
    const QImage shot = preview->grab().toImage().scaled(preview->size());
    const int square = std::min((preview->width() - 12) / 6, (preview->height() - 12) / 2);
    const QPoint origin((preview->width() - 6 * square) / 2, (preview->height() - 2 * square) / 2);
    for (int column = 0; column < 6; ++column) {
        const QPoint centre = origin + QPoint(column * square + square / 2, square / 2);
        EXPECT_EQ(shot.pixel(centre) | 0xFF000000, 0xFF000000u) << column;
        EXPECT_EQ(shot.pixel(centre + QPoint(0, square)) | 0xFF000000, 0xFFFFFFFFu) << column;
    }
}

// Long captions in every language still fit: nothing is cut, and the window stays within a
// laptop screen.
TEST_F(PreferencesWindow, EveryLanguageFits) {
    for (int language = 1; language <= LanguageCount; ++language) {
        catalogue.appliquer_langue(language);
        PreferencesDialog window(record, where(), catalogue, dialogs);
        window.show();
        SCOPED_TRACE(Catalogue::fileName(language));
        EXPECT_LE(window.width(), 1100);
        EXPECT_LE(window.height(), 720);
        for (int tab = 0; tab < window.tabs()->count(); ++tab) {
            window.tabs()->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            expectCaptionsWhole(window);
            QWidget* page = window.tabs()->currentWidget();
            for (QWidget* w : page->findChildren<QWidget*>()) {
                const QRect inPage(w->mapTo(page, QPoint(0, 0)), w->size());
                EXPECT_TRUE(!w->isVisible() || page->rect().contains(inPage))
                    << "tab " << tab << " " << w->objectName().toStdString();
            }
            if (language == 1)
                takeScreenshot(window,
                               tab ? QStringLiteral("prefs-%1").arg(tab) : QStringLiteral("prefs"));
        }
    }
}

TEST_F(PreferencesWindow, EngineProfilesLoadOnOk) {
    Settings strong = record;
    strong.PROFONDEUR_MAX[1] = 3;
    strong.NOM_MOTEUR[1] = "Fort";
    ASSERT_EQ(ecrire_reglages(strong, path() + "/fort.ini"), "");
    ASSERT_EQ(ecrire_reglages(record, path() + "/sage.ini"), "");

    EngineProfilesDialog window(record, catalogue, dialogs);
    bool loaded = false;
    QObject::connect(&window, &EngineProfilesDialog::profilesLoaded, [&] { loaded = true; });
    window.show();
    takeScreenshot(window, QStringLiteral("profiles"));
    const auto choose = [&](const char* second) {
        child<QLineEdit>(window, "fichier1")->setText(QString::fromStdString(path() + "/sage.ini"));
        child<QLineEdit>(window, "fichier2")->setText(QString::fromStdString(path() + second));
        press(window, "ok");
    };
    choose("/absent.ini");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(record.TwoProfiles);
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"[" + path() + "/absent.ini] " +
                                                        catalogue.text(TextKey::FileNotFound)});

    dialogs.messages.clear();
    choose("/fort.ini");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(record.TwoProfiles);
    EXPECT_EQ(record.PROFONDEUR_MAX[2], 3);
    EXPECT_EQ(record.NOM_MOTEUR[2], "Fort");
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{catalogue.text(TextKey::ProfilesLoaded)});

    // Opened again, the window offers the files loaded last.
    EngineProfilesDialog again(record, catalogue, dialogs);
    EXPECT_EQ(child<QLineEdit>(again, "fichier2")->text().toStdString(), path() + "/fort.ini");
}

} // namespace
