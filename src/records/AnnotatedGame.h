// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An analysed game written back as PGN through the record's own pieces: its tags with the
// annotator, the main line in SAN, each marked move's NAG and note, the game's own comments.
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "notation/PgnStream.h"
#include "session/GameAnalysis.h"

#include <string>
#include <vector>

namespace quarvelin {

// The numbered main line in SAN, each marked move followed by its NAG ("12.Nf3 $4 Nc6").
std::string markedMoves(const GameLine& line, const GameAnalysis& analysis);

// The notes by half-move (index 0 before the first move): the game's comments, then the note
// of a marked move.
std::vector<std::string> analysisNotes(const PgnGame& game, const GameAnalysis& analysis,
                                       const TextCatalogue& catalogue);

// The whole record, CR LF, lines of at most 79 characters where words allow; `annotator`
// becomes the [Annotator] tag (it says what the scores are). Variations are left out.
std::string annotatedGamePgn(const PgnGame& game, const GameLine& line,
                             const GameAnalysis& analysis, const std::string& annotator,
                             const TextCatalogue& catalogue, Dialogs& dialogs);

} // namespace quarvelin
