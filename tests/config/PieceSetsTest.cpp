// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "config/PieceSets.h"

#include <gtest/gtest.h>

#include <filesystem>

using quarvelin::PieceSets;
namespace test = quarvelin::test;
namespace fs = std::filesystem;

namespace {

class PieceSetFolders : public ::testing::Test {
protected:
    fs::path install = test::testFolder("quarvelin-sets");
    void TearDown() override { fs::remove_all(install); }
    void put(const std::string& relative) {
        const fs::path path = install / "images/pieces" / relative;
        fs::create_directories(path.parent_path());
        test::writeText(path, "x");
    }
};

TEST_F(PieceSetFolders, SetsAreFoldersHoldingAKing) {
    EXPECT_EQ(PieceSets::names(install.string()), std::vector<std::string>{"Quarvelin"});
    for (const char* file : {"Gamma/13.png", "Alpha/13.svg", "Beta/13.ico", "Delta/12.svg",
                             "Delta/13.bmp", "Quarvelin/13.svg", "Epsilon"})
        put(file);
    fs::create_directories(install / "images/pieces/Vide");
    EXPECT_EQ(PieceSets::names(install.string()),
              (std::vector<std::string>{"Quarvelin", "Alpha", "Beta", "Gamma"}));
}

// An installed copy cuts other packages' sets into the user's data folder.
TEST_F(PieceSetFolders, SetsOfTheDataFolderJoinTheInstallations) {
    const fs::path data = install / "user";
    for (const fs::path& king :
         {install / "images/pieces/Alpha/13.svg", data / "images/pieces/Beta/13.png",
          data / "images/pieces/Alpha/13.png"}) {
        fs::create_directories(king.parent_path());
        test::writeText(king, "x");
    }
    const std::string root = install.string();
    EXPECT_EQ(PieceSets::names(root, data.string()),
              (std::vector<std::string>{"Quarvelin", "Alpha", "Beta"}));
    EXPECT_EQ(PieceSets::folder(root, "Alpha", data.string()), root + "/images/pieces/Alpha");
    EXPECT_EQ(PieceSets::folder(root, "Beta", data.string()),
              (data / "images/pieces/Beta").string());
}

TEST_F(PieceSetFolders, SvgBeforePngBeforeIco) {
    const struct {
        std::vector<const char*> files;
        const char* chosen;
    } cases[] = {
        {{"A/13.ico", "A/13.png", "A/13.svg"}, "A/13.svg"},
        {{"B/13.ico", "B/13.png"}, "B/13.png"},
        {{"C/13.ico"}, "C/13.ico"},
        {{"D/12.svg"}, nullptr},
    };
    for (const auto& c : cases) {
        for (const char* f : c.files) put(f);
        const std::string folder =
            (install / "images/pieces" / fs::path(c.files[0]).parent_path()).string();
        const std::string expected =
            c.chosen ? (install / "images/pieces" / c.chosen).string() : std::string();
        EXPECT_EQ(PieceSets::image(folder, 13), expected) << folder;
    }
}

TEST(PieceSetFolder, OwnSetLivesInTheResources) {
    EXPECT_EQ(PieceSets::folder("/opt/q", "Quarvelin"), ":/pieces/quarvelin");
    EXPECT_EQ(PieceSets::folder("/opt/q", "Alpha"), "/opt/q/images/pieces/Alpha");
}

} // namespace
