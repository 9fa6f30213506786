// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tip of the day: the tips of the interface language, one per line of its file, blank lines
// skipped, and the per-user choice of seeing them when the program starts.
#include "localisation/TextCatalogue.h"

#include <istream>
#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace quarvelin {

class Tips {
public:
    // The tips file of a language (CLE_LANGUE) in the installation folder.
    static std::string fileFor(const std::string& installation, int languageKey);
    // What the window shows when the file is missing.
    static std::string missingFileText(const TextCatalogue& catalogue, const std::string& path);

    // False when the file cannot be read; an empty file loads no tip.
    bool load(const std::string& path);
    bool read(std::istream& in);
    const std::vector<std::string>& tips() const { return tips_; }

    // The tip numbered floor(count * r) + 1, r in [0, 1); null when there is none. Tips may
    // repeat: there is no sequence.
    const std::string* pick(double r);
    int current() const { return current_; } // 1-based; 0 before any pick

private:
    std::vector<std::string> tips_;
    int current_ = 0;
};

// "Show Tips at Startup" in the section "Options" of the per-user store; missing reads as 1.
class TipsOption {
public:
    TipsOption();                                 // the user's own store
    explicit TipsOption(const std::string& file); // an INI file of its own (tests)
    ~TipsOption();

    bool showAtStartup() const;
    void setShowAtStartup(bool show);

private:
    std::unique_ptr<QSettings> store_;
};

} // namespace quarvelin
