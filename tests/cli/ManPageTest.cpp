// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"

#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

using namespace quarvelin;

namespace {

std::string help(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    test::OffsetCatalogue cat;
    runCli(args, out, err, cat);
    return out.str();
}

// The page as a reader sees it: no font changes, plain hyphens and quotes.
std::string plainRoff(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
    return std::regex_replace(text, std::regex(R"(\\\(dq)"), "\"");
}

bool hasWord(const std::string& text, const std::string& word) {
    return std::regex_search(text, std::regex("(^|[^a-z-])" + word + "($|[^a-z-])"));
}

// The commands and options `--help` lists that the page does not describe: each command needs
// a subsection of its own naming every option of its own help, and the general help's options
// must be on the page.
std::vector<std::string> missingFromPage(const std::string& page) {
    const std::string plain = plainRoff(page);
    std::map<std::string, std::string> sections; // command -> its subsection's text
    std::istringstream lines(plain);
    std::string line, current;
    while (std::getline(lines, line)) {
        if (line.starts_with(".SS ") || line.starts_with(".SH ")) {
            std::istringstream words(line.substr(4));
            current.clear();
            if (line.starts_with(".SS ")) words >> current;
        } else if (!current.empty()) {
            sections[current] += line + '\n';
        }
    }
    std::vector<std::string> missing;
    const std::string general = help({"--help"});
    const std::regex option("--[a-z][a-z-]*");
    for (std::sregex_iterator o(general.begin(), general.end(), option), end; o != end; ++o)
        if (!hasWord(plain, o->str())) missing.push_back(o->str());
    const std::regex command("\n  ([a-z]+) ");
    for (std::sregex_iterator c(general.begin(), general.end(), command), end; c != end; ++c) {
        const std::string name = (*c)[1];
        if (!sections.contains(name)) {
            missing.push_back(name);
            continue;
        }
        const std::string own = help({name, "--help"});
        for (std::sregex_iterator o(own.begin(), own.end(), option); o != end; ++o)
            if (!hasWord(sections[name], o->str())) missing.push_back(name + " " + o->str());
    }
    std::sort(missing.begin(), missing.end());
    missing.erase(std::unique(missing.begin(), missing.end()), missing.end());
    return missing;
}

std::string manPage() {
    std::ifstream in(QUARVELIN_SOURCE_DIR "/data/man/quarvelin-cli.1");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ManPage, DescribesEveryCommandAndOptionOfTheHelp) {
    const std::string page = manPage();
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(missingFromPage(page), std::vector<std::string>{});
}

TEST(ManPage, AnOmissionIsNamed) {
    const struct {
        std::string cut, replacement, missing;
    } cases[] = {
        {".SS uci", ".SS engine", "uci"},
        {".BI \\-\\-seed", ".BI \\-\\-sed", "autoplay --seed"},
        {".BI \\-\\-max \"", ".BI \\-\\-most \"", "list --max"},
        {".B \\-\\-black\\-bottom", ".B \\-\\-black", "bestmove --black-bottom"},
        {".BI \\-\\-profile\\-white", ".BI \\-\\-profile", "autoplay --profile-white"},
    };
    for (const auto& c : cases) {
        std::string page = manPage();
        const auto at = page.find(c.cut);
        ASSERT_NE(at, std::string::npos) << c.cut;
        page.replace(at, c.cut.size(), c.replacement);
        EXPECT_EQ(missingFromPage(page), std::vector<std::string>{c.missing}) << c.cut;
    }
}

} // namespace
