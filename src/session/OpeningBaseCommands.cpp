// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/OpeningBaseCommands.h"

#include "config/Settings.h"
#include "notation/NumberReader.h"
#include "openings/BaseMaintenance.h"
#include "openings/EcoCsv.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningLearning.h"
#include "session/GameSession.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quarvelin {

namespace {

// A number as typed: digits, signs, decimal marks and blanks only.
std::optional<float> typedNumber(const std::string& answer) {
    if (answer.find_first_not_of("0123456789+-., \t") != std::string::npos) return std::nullopt;
    auto value = lire_nombre(answer);
    if (!value) return std::nullopt;
    return static_cast<float>(*value);
}

std::string shortest(float f) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, f);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

} // namespace

bool OpeningBaseCommands::learningOn(const GameSession& s) const {
    const auto profile = static_cast<std::size_t>(s.EngineProfile);
    return profile < settings_.ACTIVE_BASE_CON.size() && settings_.ACTIVE_BASE_CON[profile] == 1;
}

void OpeningBaseCommands::reopenGame() {
    if (game_) game_->open(settings_.BASE_ECO);
}

void OpeningBaseCommands::apprendre_partie(const GameSession& s, float shownScore, int halfMoves) {
    const bool whole = halfMoves < 0 || gameTextUpTo(s.GameMoveText, halfMoves) == s.GameMoveText;
    const std::string moves = whole ? s.GameMoveText : gameTextUpTo(s.GameMoveText, halfMoves);
    const std::string result = whole ? s.GameResult : std::string("*");
    if (!learningOn(s) || moves.empty()) {
        tell(text(TextKey::LearningOffOrNoMoves));
        return;
    }
    OpeningBase base;
    if (!base.open(settings_.BASE_ECO, OpeningBase::Access::Write)) {
        tell(catalogue_.text(TextKey::BaseNotWritable, {base.error()}));
        return;
    }
    if (base.hasLearnedLine(moves)) {
        tell(text(TextKey::GameAlreadyInBase));
        return;
    }
    const std::string game = moves + " " + result;
    if (!dialogs_.question(title_, text(TextKey::AddGameToBaseQuestion) +
                                       text(TextKey::LearnGamePrefix) + game))
        return;
    std::optional<float> score;
    while (!score)
        score = typedNumber(
            dialogs_.input(title_, text(TextKey::LearnScorePrompt), shortest(shownScore)));
    // Stored open (" *"), so a longer game along the same moves still finds its next move.
    if (!base.append({{0, s.OpeningCode, s.OpeningName, moves + " *", *score, true}})) {
        tell(catalogue_.text(TextKey::BaseOperationFailed, {base.error()}));
        return;
    }
    tell(text(TextKey::BaseExtended) + text(TextKey::LinesAdded) + "1\n" + game);
}

void OpeningBaseCommands::apprendre_fichier_pgn(const std::string& pgnPath) {
    if (pgnPath.empty() ||
        !dialogs_.question(title_, text(TextKey::LearnPgnFileQuestion) + pgnPath))
        return;
    if (!std::filesystem::exists(pgnPath)) {
        tell(text(TextKey::FileNotFound) + " (" + pgnPath + ")");
        return;
    }
    PgnLearning r;
    const std::string base = settings_.BASE_ECO;
    runner_.run(text(TextKey::ReadingPrefix) + pgnPath,
                [&](const ProgressReport& report, const CancelToken& cancel) {
                    r = quarvelin::apprendre_fichier_pgn(
                        base, pgnPath, [&](int percent, long long games, long long) {
                            report(percent, games, games);
                            return !cancel.cancelled();
                        });
                });
    if (!r.error.empty()) {
        tell(catalogue_.text(TextKey::BaseOperationFailed, {r.error}));
        return;
    }
    tell(
        text(TextKey::BaseExtended) + text(TextKey::LinesAdded) + "+" + std::to_string(r.added) +
        "\n" +
        catalogue_.text(TextKey::GamesLearned, {std::to_string(r.games), std::to_string(r.added)}));
}

void OpeningBaseCommands::exporter_csv(const std::string& csvPath) {
    if (csvPath.empty() || !dialogs_.question(title_, text(TextKey::ExportCsvQuestion))) return;
    if (std::filesystem::exists(csvPath) &&
        !dialogs_.question(title_, text(TextKey::ReplaceFileQuestion)))
        return;
    long long written = -1;
    std::string error;
    const std::string basePath = settings_.BASE_ECO;
    runner_.run(text(TextKey::ExportOpeningBase), [&](const ProgressReport& report,
                                                      const CancelToken& cancel) {
        // A connection of this thread's own.
        OpeningBase base;
        if (!base.open(basePath)) {
            error = base.error();
            return;
        }
        written =
            quarvelin::exporter_csv(base, csvPath, error, [&](long long row, long long total) {
                report(total ? static_cast<int>(100 * row / total) : 100, row, total);
                return !cancel.cancelled();
            });
    });
    if (written < 0) {
        tell(text(TextKey::ExportIncomplete) + (error.empty() ? "" : "\n" + error));
        return;
    }
    tell(text(TextKey::DoneLinesProcessed) + std::to_string(written));
}

void OpeningBaseCommands::importer_csv(const std::string& csvPath) {
    if (csvPath.empty() ||
        !dialogs_.question(title_, text(TextKey::ImportReplacesBaseWarning) +
                                       text(TextKey::ImportCsvQuestion) + csvPath) ||
        !dialogs_.question(title_, text(TextKey::ContinueQuestion)))
        return;
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) {
        tell(text(TextKey::CsvFileNotFound) + " (" + csvPath + ")");
        return;
    }
    std::ostringstream content;
    content << in.rdbuf();
    CsvReading read = readEcoCsv(content.str());
    switch (read.problem) {
    case CsvProblem::None:
        break;
    case CsvProblem::MissingField:
        tell(catalogue_.text(TextKey::CsvMissingField, {read.field}));
        return;
    case CsvProblem::UnclosedQuote:
    case CsvProblem::NumberExpected: {
        std::string why = read.problem == CsvProblem::UnclosedQuote
                              ? text(TextKey::CsvUnclosedQuote)
                              : catalogue_.text(TextKey::CsvNumberExpected, {read.field});
        tell(catalogue_.text(TextKey::CsvLineRefused, {std::to_string(read.lineNumber), why}));
        return;
    }
    }
    OpeningBase base;
    if (!base.open(settings_.BASE_ECO, OpeningBase::Access::Write)) {
        tell(catalogue_.text(TextKey::BaseNotWritable, {base.error()}));
        return;
    }
    if (!base.replaceAll(read.lines)) {
        tell(catalogue_.text(TextKey::BaseOperationFailed, {base.error()}));
        return;
    }
    tell(text(TextKey::DoneLinesProcessed) + std::to_string(read.lines.size()));
}

void OpeningBaseCommands::purge(const GameSession& s) {
    if (!learningOn(s)) {
        tell(text(TextKey::LearningOffInProfile));
        return;
    }
    if (!dialogs_.question(title_, text(TextKey::PurgeLearnedQuestion))) return;
    OpeningBase base;
    if (!base.open(settings_.BASE_ECO, OpeningBase::Access::Write)) {
        tell(catalogue_.text(TextKey::BaseNotWritable, {base.error()}));
        return;
    }
    if (base.purgeLearned() < 0) {
        tell(catalogue_.text(TextKey::BaseOperationFailed, {base.error()}));
        return;
    }
    tell(text(TextKey::LearnedLinesDeleted));
}

void OpeningBaseCommands::compact() {
    if (!dialogs_.question(title_, text(TextKey::CompactQuestion))) return;
    if (game_) game_->close();
    const std::string error = compactBase(settings_.BASE_ECO);
    reopenGame();
    tell(error.empty() ? text(TextKey::CompactDone)
                       : catalogue_.text(TextKey::BaseOperationFailed, {error}));
}

void OpeningBaseCommands::repair() {
    if (!dialogs_.question(title_, text(TextKey::RepairQuestion))) return;
    if (game_) game_->close();
    const Repair r = repairBase(settings_.BASE_ECO);
    reopenGame();
    if (!r.error.empty()) {
        tell(catalogue_.text(TextKey::BaseOperationFailed, {r.error}));
        return;
    }
    tell(text(TextKey::RepairDone) + "\n" +
         (r.damaged ? catalogue_.text(TextKey::RepairRowsSaved, {std::to_string(r.saved)})
                    : text(TextKey::BaseIntact)));
}

} // namespace quarvelin
