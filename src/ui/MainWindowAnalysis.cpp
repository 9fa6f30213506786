// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's game analysis: the game on the board searched move by move on the worker
// thread, its weak moves marked in the move list and both sides' scores drawn in `stats`.
#include "config/Settings.h"
#include "config/Version.h"
#include "localisation/Dialogs.h"
#include "session/GameAnalysis.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/ProgressTaskRunner.h"
#include "ui/StatisticsWindow.h"

#include <algorithm>

using quarvelin::TextKey;

// The last analysis, with the moves it was made on: it holds while the board has them.
struct BoardAnalysis {
    std::vector<std::string> shortTexts;
    quarvelin::Position start;
    quarvelin::GameAnalysis analysis;
};

namespace {

std::vector<std::string> moveTexts(const quarvelin::GameSession& s) {
    std::vector<std::string> out;
    for (const std::string& t : s.shortTexts)
        if (!t.empty()) out.push_back(t);
    return out;
}

} // namespace

void MainWindow::analyseGame() {
    if (!game_ || !board_) return;
    const quarvelin::GameSession& s = game_->session();
    std::vector<std::string> texts = moveTexts(s);
    if (texts.empty() || s.PositionStates.empty()) {
        dialogs_->message(quarvelin::ProgramName, catalogue_.text(TextKey::AnalysisNoMoves),
                          quarvelin::DialogIcon::Information);
        return;
    }
    const quarvelin::GameLine line = quarvelin::lineFromTexts(s.PositionStates.front(), texts);
    if (!line.ok) {
        dialogs_->message(
            quarvelin::ProgramName,
            catalogue_.text(TextKey::MoveUnreadableAt, {std::to_string(line.errorNumber)}) +
                line.errorToken,
            quarvelin::DialogIcon::Exclamation);
        return;
    }
    const quarvelin::EngineWeights weights = quarvelin::profileWeights(settings_, game_->profile());
    // A blunder shows only once the reply is searched: depth 1 at least.
    const int depth = std::max<int>(1, weights.PROFONDEUR_MAX);

    quarvelin::GameAnalysis result;
    runner_->run(
        catalogue_.text(TextKey::AnalysisTitle),
        [&](const quarvelin::ProgressReport& report, const quarvelin::CancelToken& cancel) {
            quarvelin::BuiltInJudge judge(weights, depth, 2);
            result = quarvelin::analyseGame(
                line.start, line.moves, judge, quarvelin::AnalysisThresholds::builtIn(),
                [&](int done, int total) { report(done * 100 / total, done, total); }, &cancel);
        },
        [this](std::int64_t done, std::int64_t total) {
            return QString::fromStdString(catalogue_.text(
                TextKey::AnalysisProgress, {std::to_string(done), std::to_string(total)}));
        });
    if (!result.complete) {
        dialogs_->message(quarvelin::ProgramName, catalogue_.text(TextKey::AnalysisCancelled),
                          quarvelin::DialogIcon::Information);
        return;
    }
    std::vector<std::string> marks;
    for (const quarvelin::MoveVerdict& v : result.moves)
        marks.emplace_back(quarvelin::markSymbol(v.mark));
    analysis_ =
        std::make_shared<BoardAnalysis>(BoardAnalysis{texts, line.start, std::move(result)});
    board_->setMoveMarks(std::move(texts), std::move(marks));
    openStatistics();
}

void MainWindow::openStatistics() {
    auto read = [this] {
        const quarvelin::Position& p = game_->position();
        StatisticsWindow::Game g(game_->session().ScoreHistory, p.MoveCount, p.LastMoverColour);
        const std::vector<std::string> texts = moveTexts(game_->session());
        const std::size_t n = std::min(texts.size(), analysis_ ? analysis_->shortTexts.size() : 0);
        if (n > 0 && std::equal(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(n),
                                analysis_->shortTexts.begin())) {
            const quarvelin::AnalysisCurves c =
                quarvelin::analysisCurves(analysis_->start, analysis_->analysis);
            g.whiteAnalysis = c.white;
            g.blackAnalysis = c.black;
        }
        return g;
    };
    BoardView* view = board_->board();
    auto* w = new StatisticsWindow(catalogue_, read,
                                   view->pieceImage(quarvelin::PieceCode::WhiteKing, 36),
                                   view->pieceImage(quarvelin::PieceCode::BlackKing, 36), this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
}
