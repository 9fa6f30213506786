// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening names in the interface language. The ECO table names each line in French where the
// French classification has it; the English and Spanish names of the same lines live beside it
// in the table ECO_NAMES (line, language, name), keyed by the line's moves.
#include "openings/EcoLine.h"

#include <QSqlQuery>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

class OpeningNames {
public:
    OpeningNames();
    ~OpeningNames();
    OpeningNames(const OpeningNames&) = delete;
    OpeningNames& operator=(const OpeningNames&) = delete;

    // Opens the names of the base at path (creating the table when asked). A base without the
    // table opens too: its lines keep the names of the ECO table.
    bool open(const std::string& path, bool create = false);
    const std::string& error() const { return error_; }

    // Stores the names a classification gives its lines, in one transaction; false (nothing
    // stored) on error.
    bool store(const std::string& language, const std::vector<EcoLine>& lines);

    // "fr", "es" or "en", from CLE_LANGUE: French and Spanish have their own names, every other
    // language the English ones.
    static std::string namesLanguage(int languageKey);
    void setLanguage(int languageKey) { language_ = namesLanguage(languageKey); }
    const std::string& language() const { return language_; }

    // The line's name in the language set: Spanish falls back to English, and any language to
    // the ECO table's own name (a learned line, or one the classifications do not share).
    std::string label(const EcoLine& line) const;
    std::optional<EcoLine> named(std::optional<EcoLine> line) const;
    std::vector<EcoLine> named(std::vector<EcoLine> lines) const;

private:
    std::optional<std::string> find(const std::string& moves, const std::string& language) const;

    std::string name_;
    std::string error_;
    std::string language_ = "fr";
    bool hasTable_ = false;
    mutable std::unique_ptr<QSqlQuery> lookup_;
};

} // namespace quarvelin
