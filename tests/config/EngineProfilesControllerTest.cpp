// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "config/EngineProfilesController.h"
#include "config/PreferencesController.h"
#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

class EngineProfiles : public ::testing::Test {
protected:
    fs::path dir;
    Settings record;
    test::RecordingDialogs dialogs;
    test::OffsetCatalogue catalogue;

    void SetUp() override {
        dir = test::testFolder("quarvelin-profiles");
        record = builtInSettings(dir.string());
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }
};

TEST_F(EngineProfiles, AMissingFileChangesNothing) {
    ASSERT_EQ(ecrire_reglages(record, file("un.ini")), "");
    const struct {
        std::string first, second, missing;
    } cases[] = {
        {file("un.ini"), file("absent.ini"), file("absent.ini")},
        {file("absent.ini"), file("un.ini"), file("absent.ini")},
        {file("un.ini"), "", ""},
    };
    const Settings before = record;
    for (const auto& c : cases) {
        dialogs.messages.clear();
        EngineProfilesController window(record, dialogs, catalogue);
        window.choose(1, c.first);
        window.choose(2, c.second);
        EXPECT_FALSE(window.validate());
        EXPECT_EQ(record, before);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "[" + c.missing + "] <270>");
    }
}

// What the preferences window saves as is an engine profile.
TEST_F(EngineProfiles, ASavedSettingsFileLoadsAsAProfile) {
    Settings aggressive = builtInSettings(dir.string());
    aggressive.NOM_MOTEUR[1] = "Agressif";
    aggressive.PROFONDEUR_MAX[1] = 3;
    aggressive.ALPHA_BETA[1] = 1;
    aggressive.NOTE_MATERIEL[1][6] = 950;
    aggressive.MOBILITE_EVOLUTIVE[1][2] = 0.25f;
    aggressive.BONUS_ECHEC[1] = 260;
    aggressive.LIEU_JEU = "pas une clé de profil";
    PreferencesController prefs(aggressive, {file("quarvelin.ini"), dir.string(), dir.string()},
                                dialogs, catalogue);
    ASSERT_TRUE(prefs.saveAs(file("agressif.ini")));
    // A key a profile does not know is passed over, not refused.
    test::writeText(file("sage.ini"),
                    settingsText(builtInSettings(dir.string())) + "UNKNOWN=ignored here\r\n");

    dialogs.messages.clear();
    EngineProfilesController window(record, dialogs, catalogue);
    window.choose(1, file("sage.ini"));
    window.choose(2, file("agressif.ini"));
    ASSERT_TRUE(window.validate());
    EXPECT_EQ(profileWeights(record, 2), profileWeights(aggressive, 1));
    EXPECT_EQ(profileWeights(record, 1), profileWeights(builtInSettings(dir.string()), 1));
    EXPECT_EQ(record.NOM_MOTEUR[2], "Agressif");
    EXPECT_EQ(record.LIEU_JEU, "");
    EXPECT_TRUE(record.TwoProfiles);
    EXPECT_EQ(record.ProfileFiles[1], file("sage.ini"));
    EXPECT_EQ(record.ProfileFiles[2], file("agressif.ini"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "<656>");
}

TEST_F(EngineProfiles, StartsFromTheFilesLoadedLastAndViewingAMissingFileSaysSo) {
    ASSERT_EQ(ecrire_reglages(record, file("un.ini")), "");
    fs::create_directories(dir / "dossier.ini");
    record.ProfileFiles = {"", "/srv/un.ini", "/srv/deux.ini"};
    EngineProfilesController window(record, dialogs, catalogue);
    EXPECT_EQ(window.file(1), "/srv/un.ini"); // starts from the files loaded last
    EXPECT_EQ(window.file(2), "/srv/deux.ini");
    window.choose(1, file("un.ini"));
    EXPECT_TRUE(window.visible(1));
    EXPECT_TRUE(dialogs.messages.empty());
    for (const char* name : {"absent.ini", "dossier.ini"}) {
        dialogs.messages.clear();
        window.choose(2, file(name));
        EXPECT_FALSE(window.visible(2)) << name;
        ASSERT_EQ(dialogs.messages.size(), 1u) << name;
        EXPECT_EQ(dialogs.messages[0].text, "[" + file(name) + "] <270>");
    }
}

} // namespace
