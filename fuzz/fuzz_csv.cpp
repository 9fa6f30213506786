// SPDX-License-Identifier: GPL-3.0-or-later
// Opening-base CSV files as found: any bytes read without crashing, and every row read is written
// back so that reading it again gives the same row.
#include "openings/EcoCsv.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quarvelin;
    CsvReading r = readEcoCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!r.ok()) return 0;
    std::string text = csvHeader() + "\r\n";
    for (const EcoLine& l : r.lines) text += csvRow(l) + "\r\n";
    CsvReading again = readEcoCsv(text);
    if (!again.ok() || again.lines.size() != r.lines.size()) __builtin_trap();
    for (std::size_t i = 0; i < r.lines.size(); ++i)
        if (!(again.lines[i] == r.lines[i])) __builtin_trap();
    return 0;
}
