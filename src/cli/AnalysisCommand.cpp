// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AnalysisCommand.h"

#include "cli/UciJudge.h"

#include "config/SettingsFile.h"
#include "notation/ParsedGame.h"
#include "records/AnnotatedGame.h"
#include "records/PgnReader.h"
#include "session/Headless.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>

namespace quarvelin {

namespace {

bool number(const std::string& v, int bottom, int top, int& out) {
    auto r = std::from_chars(v.data(), v.data() + v.size(), out);
    return !v.empty() && r.ec == std::errc{} && r.ptr == v.data() + v.size() && out >= bottom &&
           out <= top;
}

bool loss(const std::string& v, float& out) {
    auto r = std::from_chars(v.data(), v.data() + v.size(), out);
    return !v.empty() && r.ec == std::errc{} && r.ptr == v.data() + v.size() && out >= 0;
}

} // namespace

int analysisCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const TextCatalogue& catalogue, const std::string& programFolder) {
    auto error = [&](TextKey key, const std::string& detail, int status = 2) {
        err << "quarvelin-cli: " << catalogue.text(key) << detail << '\n';
        return status;
    };
    std::string path, profile, uci;
    int depth = 2, threads = 2, movetime = 0;
    bool builtInOption = false, thresholdGiven[3] = {false, false, false};
    AnalysisThresholds thresholds = AnalysisThresholds::builtIn();
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool valued = a == "--depth" || a == "--profile" || a == "--threads" ||
                            a == "--inaccuracy" || a == "--mistake" || a == "--blunder" ||
                            a == "--uci" || a == "--movetime";
        if (!valued) {
            if (a.starts_with("--") || !path.empty()) return error(TextKey::UnknownArgument, a);
            path = a;
            continue;
        }
        if (i + 1 >= args.size()) return error(TextKey::MissingArgument, "");
        const std::string& v = args[++i];
        if (a == "--depth" && !number(v, 1, 3, depth)) return error(TextKey::InvalidDepth, v);
        if ((a == "--threads" && !number(v, 1, 8, threads)) ||
            (a == "--movetime" && !number(v, 1, 3600000, movetime)))
            return error(TextKey::UnknownArgument, a + " " + v);
        if (a == "--profile") profile = v;
        if (a == "--uci") uci = v;
        builtInOption = builtInOption || a == "--depth" || a == "--profile" || a == "--threads";
        float* limits[3] = {&thresholds.inaccuracy, &thresholds.mistake, &thresholds.blunder};
        const char* names[3] = {"--inaccuracy", "--mistake", "--blunder"};
        for (int k = 0; k < 3; ++k) {
            if (a != names[k]) continue;
            if (!loss(v, *limits[k])) return error(TextKey::UnknownArgument, a + " " + v);
            thresholdGiven[k] = true;
        }
    }
    if (path.empty()) return error(TextKey::MissingArgument, "");
    // The two engines take their own options; a move time means nothing to the built-in one.
    if (!uci.empty() && builtInOption) return error(TextKey::UnknownArgument, "--uci");
    if (uci.empty() && movetime > 0) return error(TextKey::UnknownArgument, "--movetime");
    if (!uci.empty()) {
        // Centipawns by default; the thresholds given stay.
        const AnalysisThresholds cp = AnalysisThresholds::centipawns();
        if (!thresholdGiven[0]) thresholds.inaccuracy = cp.inaccuracy;
        if (!thresholdGiven[1]) thresholds.mistake = cp.mistake;
        if (!thresholdGiven[2]) thresholds.blunder = cp.blunder;
        if (movetime == 0) movetime = 100;
    }
    if (!thresholds.rising()) return error(TextKey::AnalysisThresholdOrder, "");

    std::unique_ptr<MoveJudge> judge;
    UciEngine engine;
    auto engineProblem = [&] {
        switch (engine.problem()) {
        case UciProblem::CannotStart:
            return TextKey::UciCannotStart;
        case UciProblem::Stopped:
            return TextKey::UciStopped;
        case UciProblem::NoAnswer:
            return TextKey::UciNoAnswer;
        default:
            return TextKey::AnalysisNoScore;
        }
    };
    auto engineError = [&] {
        const std::string& name = engine.name().empty() ? uci : engine.name();
        err << "quarvelin-cli: " << catalogue.text(engineProblem(), {name}) << '\n';
        return 1;
    };
    if (!uci.empty()) {
        if (!engine.start(uci) || !engine.newGame()) return engineError();
        judge = std::make_unique<UciJudge>(engine, movetime);
    } else {
        Settings settings = builtInSettings(programFolder);
        if (!profile.empty() && !readProfile(profile, settings, 1))
            return error(TextKey::CannotOpenFile, profile);
        judge = std::make_unique<BuiltInJudge>(profileWeights(settings, 1), depth, threads);
    }
    const std::string annotator = "Quarvelin; " + judge->unitsLine(catalogue);

    std::error_code why;
    std::ifstream in;
    // A folder opens as a stream but reads nothing.
    if (!std::filesystem::is_directory(path, why)) in.open(path, std::ios::binary);
    if (!in.is_open()) return error(TextKey::CannotOpenFile, path, 1);
    PgnStream stream(in, true);
    PgnGame game;
    Headless quiet;
    int n = 0, status = 0;
    while (stream.next(game)) {
        ++n;
        ParsedGame problem;
        GameLine line = readMainLine(game);
        if (game.unclosed != 0) {
            problem.error = GameReadProblem::NotClosedAtEnd;
            problem.detail = std::string(1, game.unclosed);
        } else if (!line.ok) {
            problem.error = line.errorToken.starts_with("[FEN") ? GameReadProblem::StartFenRejected
                                                                : GameReadProblem::MoveUnreadable;
            problem.errorNumber = line.errorNumber;
            problem.detail = line.errorToken;
        }
        if (!problem.ok()) {
            err << "quarvelin-cli: "
                << catalogue.text(TextKey::AnalysisGameUnreadable,
                                  {std::to_string(n), readingMessage(problem, catalogue)})
                << '\n';
            status = 1;
            continue;
        }
        GameAnalysis analysis = analyseGame(line.start, line.moves, *judge, thresholds);
        if (!analysis.complete) return engineError();
        out << annotatedGamePgn(game, line, analysis, annotator, catalogue, quiet);
        err << catalogue.text(TextKey::AnalysisSummary,
                              {std::to_string(analysis.count(MoveMark::Inaccuracy)),
                               std::to_string(analysis.count(MoveMark::Mistake)),
                               std::to_string(analysis.count(MoveMark::Blunder))})
            << '\n';
    }
    if (in.bad()) return error(TextKey::FileReadError, path, 1);
    out.flush();
    return status;
}

} // namespace quarvelin
