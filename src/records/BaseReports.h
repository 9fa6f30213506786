// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed lists of the two bases: the opening base's reference lines or learned lines, and
// the correspondence games by start date or by the date of the last move sent. Each is read
// from its base file into a table the list printer lays out on landscape pages.
#include "localisation/TextCatalogue.h"
#include "records/PrintedTable.h"

#include <string>

namespace quarvelin {

class OpeningNames;

enum class BaseReport { ReferenceLines, LearnedLines, GamesByStartDate, GamesBySendingDate };

struct ReportTable {
    std::string title;    // the report's name
    std::string subtitle; // how many rows, and from which file
    PrintedTable table;
    std::string error; // why the base could not be read; no rows then
};

// names, when given, names the opening lines in the interface language.
ReportTable baseReport(BaseReport kind, const std::string& path, const TextCatalogue& catalogue,
                       const OpeningNames* names = nullptr);

// "1 ligne", "3 412 lignes", in the catalogue's language and the user's digit grouping.
std::string rowCountText(long long rows, const TextCatalogue& catalogue);

} // namespace quarvelin
