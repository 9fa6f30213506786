// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converting a PGN games file: the games that pass the filter, to an XML game record or to a
// new PGN file. Every file written is built beside its target and put in place only once the
// whole conversion is done, so a cancelled or failed conversion leaves the old files as they
// were. Runs on any thread and stops once its cancel token is cancelled.
#include "localisation/TextCatalogue.h"
#include "notation/ParsedGame.h"
#include "records/GameFilter.h"
#include "records/XmlWriter.h"
#include "session/CancelToken.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

enum class ConversionFormat { Xml, Pgn };

struct ConversionOptions {
    ConversionFormat format = ConversionFormat::Xml;
    // XML only: each game in a file of its own, the target's name with _0001, _0002... (its
    // place among the accepted games) before its extension; the target itself is not written.
    bool onePerFile = false;
    // XML only: beside the target, its name with .txt, the file:// address of each XML file
    // written, one a line, as the remote-game window's address lists take them.
    bool addressFile = false;
};

// A game that did not read whole: its place among the games the filter accepted (from 1) and
// what readPgnGame said of it. Written as far as it was read, unless nothing was.
struct ConversionProblem {
    std::int64_t number = 0;
    bool written = true;
    GameReadProblem error = GameReadProblem::None;
    int errorNumber = 0;
    std::string detail;
};

struct ConversionResult {
    enum class Error { None, SourceMissing, SourceReading, Writing };

    std::int64_t writtenCount = 0; // games written
    std::int64_t readCount = 0;    // games in the source, accepted by the filter or not
    bool cancelled = false;
    Error error = Error::None;
    std::string detail;                      // the path or the system's reason
    std::vector<ConversionProblem> problems; // XML only, in the order of the games
    std::vector<std::string> files;          // the files written, in order
    std::string addressFile;                 // empty when none was asked for

    bool success() const { return error == Error::None && !cancelled; }
};

// Told as it goes: how far it is (0 to 100), games accepted, games seen. The counts are the
// whole file's once the file has been scanned; the games are written after that.
using ConversionProgress =
    std::function<void(int percent, std::int64_t acceptedCount, std::int64_t views)>;

// Every game of the source that passes the filter (its maximum is not applied) goes to the
// target, in the format of the options.
ConversionResult convertir_fichier_pgn(const std::string& source, const std::string& target,
                                       const GameFilter& filter,
                                       const ConversionOptions& options = {},
                                       const ConversionProgress& progression = {},
                                       const CancelToken* cancel = nullptr);

// What the user is told at the end, in the catalogue's language: the counts on success, the
// reason otherwise.
std::string conversionMessage(const ConversionResult& r, const TextCatalogue& catalogue);

// The format a target's extension stands for, .xml or .pgn in any case; nothing otherwise.
std::optional<ConversionFormat> targetFormat(const std::string& path);
// The file of game `number` (from 1) in one-game-per-file mode: "dir/games.xml" gives
// "dir/games_0001.xml".
std::string gameFileName(const std::string& target, std::int64_t number);
// The address file of a target: "dir/games.xml" gives "dir/games.txt".
std::string addressFileName(const std::string& target);

// One game's text, from its first line to the next game's, as the PGN conversion writes it:
// the tag lines, an empty line, each line of the moves trimmed (empty ones left out), an empty
// line; CR LF line ends. Nothing of what was written is changed, so comments and variations
// stay.
std::string copyPgnGame(std::string_view text);

} // namespace quarvelin
