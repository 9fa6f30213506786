// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "cli/Cli.h"
#include "openings/OpeningBase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

struct EcoRun {
    int status;
    std::string out, err;
};

EcoRun eco(std::vector<std::string> args, const std::string& base) {
    args.insert(args.begin(), "eco");
    args.insert(args.end(), {"--base", base});
    std::ostringstream out, err;
    test::OffsetCatalogue cat;
    int status = runCli(args, out, err, cat, ".");
    return {status, out.str(), err.str()};
}

TEST(EcoCommand, LearnExportImportAndName) {
    fs::path dir = test::testFolder("quarvelin-cli-eco");
    const std::string base = (dir / "eco.db").string();
    {
        OpeningBase b;
        ASSERT_TRUE(b.open(base, true));
        ASSERT_TRUE(b.append({{0, "B20", "Sicilienne", "1.e4 c5 *", 0, false},
                              {0, "B27", "Sicilienne; 2.Nf3 g6", "1.e4 c5 2.Nf3 g6 *", 0, false}}));
    }
    test::writeText(dir / "g.pgn", "[ECO \"C20\"]\n\n1. e4 e5 2. Nf3 *\n");
    EcoRun r = eco({"learn", (dir / "g.pgn").string()}, base);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "games 1 skipped 0 added 3\n");

    // Named as the comment window names it: the last line the moves still follow.
    for (const char* moves : {"1.e4 c5", "1. e4 c5", "e4 c5"}) {
        r = eco({"name", moves}, base);
        EXPECT_EQ(r.status, 0) << moves << r.err;
        EXPECT_EQ(r.out, "B20\tSicilienne\n") << moves;
    }
    EXPECT_EQ(eco({"name", "e4 c5 Nf3 g6 d4"}, base).out, "B27\tSicilienne; 2.Nf3 g6\n");
    EXPECT_EQ(eco({"name", "d4"}, base).status, 1);
    EXPECT_EQ(eco({"name", "e4 e4"}, base).status, 1);

    const std::string csv = (dir / "eco.csv").string();
    r = eco({"export", csv}, base);
    EXPECT_EQ(r.out, "rows 5\n");
    const std::string other = (dir / "other.db").string();
    {
        OpeningBase b;
        ASSERT_TRUE(b.open(other, true));
    }
    r = eco({"import", csv}, other);
    EXPECT_EQ(r.out, "rows 5\n");
    EXPECT_EQ(eco({"name", "e4 c5 Nf3 g6"}, other).out, "B27\tSicilienne; 2.Nf3 g6\n");

    // Files that cannot be read: exit 1 and the base as it was.
    for (auto args : {std::vector<std::string>{"import", (dir / "absent.csv").string()},
                      {"learn", (dir / "absent.pgn").string()}}) {
        r = eco(args, other);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find("<994>"), std::string::npos) << r.err;
    }
    test::writeText(dir / "bad.csv", "Eco_code;Eco_coup\r\n");
    EXPECT_EQ(eco({"import", (dir / "bad.csv").string()}, other).status, 1);
    EXPECT_EQ(eco({"name", "e4"}, (dir / "absent.db").string()).status, 1);
    EXPECT_EQ(eco({"rename", "x"}, base).status, 2);
    fs::remove_all(dir);
}

} // namespace
