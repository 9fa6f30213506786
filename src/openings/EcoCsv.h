// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The opening base as semicolon-separated text, to back it up or move it to another machine:
// a header line with the field names, then one row a line. Fields are read by the name in the
// header, so files written in either field order load; a value holding ";", a double quote or
// a line break is quoted with its quotes doubled.
#include "openings/EcoLine.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class OpeningBase;

// Field n (1-based) of a line; empty when the line has fewer. A quoted field is read whole,
// doubled quotes taken as one.
std::string champ_csv(int n, std::string_view line);

// One value as it is written: quoted when it must be.
std::string csvValue(std::string_view value);
// The header line and one row, in the table's field order, without the line end.
std::string csvHeader();
std::string csvRow(const EcoLine& line);

enum class CsvProblem { None, MissingField, UnclosedQuote, NumberExpected };

struct CsvReading {
    std::vector<EcoLine> lines; // keys 1, 2, 3 … in file order
    CsvProblem problem = CsvProblem::None;
    int lineNumber = 0; // the file line the problem is on
    std::string field;  // the field it is about
    bool ok() const { return problem == CsvProblem::None; }
};

// Reads a whole file's text (UTF-8 or Windows-1252, CR LF or LF).
CsvReading readEcoCsv(std::string_view text);

// Writes every row of the base to path through the safe writer; the rows written, or -1 with
// the reason in error. `progress` (row, total) returns false to stop, leaving path as it was.
long long exporter_csv(const OpeningBase& base, const std::string& path, std::string& error,
                       const std::function<bool(long long, long long)>& progress = {});

} // namespace quarvelin
