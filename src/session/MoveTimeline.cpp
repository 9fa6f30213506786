// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/MoveTimeline.h"

#include <algorithm>

namespace quarvelin {

void MoveTimeline::restart() {
    s_.lines.clear();
    s_.shortTexts.clear();
    s_.notes.clear();
    s_.ScoreHistory.clear();
    s_.GameMoveText.clear();
    s_.LongMoveText.clear();
    s_.LastLongMove.clear();
    s_.GameResult.assign(1, '*'); // assign: GCC 12 warns wrongly on = "*"
    s_.PositionIndex = 0;
    s_.PositionHistory.clear();
    s_.PositionStates.clear();
    s_.MoveCountRaises.clear();
    s_.MoveCountRaise = 0;
    s_.selectedLine = -1;
    board_.show(pos_);
    enregistrer_position(s_, pos_);
    shownEntry_ = 0;
    view_.result(s_.GameResult);
}

void MoveTimeline::addMove(const std::string& longText, const std::string& san, Colour mover,
                           int number) {
    std::string line = longText.starts_with(' ') ? longText : " " + longText;
    s_.lines.push_back(mover == Colour::Black ? BlackPrefix + line : line);
    std::string numbered = mover == Colour::White ? std::to_string(number) + "." + san : san;
    s_.shortTexts.push_back(numbered);
    s_.LastLongMove = trimmed(longText);
    s_.GameMoveText = trimmed(s_.GameMoveText + " " + numbered);
    s_.LongMoveText = trimmed(s_.LongMoveText + " " + trimmed(longText));
    s_.selectedLine = static_cast<int>(s_.lines.size()) - 1;
    s_.unsavedMoves = true;
    enregistrer_position(s_, pos_);
    shownEntry_ = lastEntry();
}

void MoveTimeline::addResult(const std::string& result, const std::string& line) {
    s_.GameResult = result;
    s_.lines.push_back(line.empty() ? result : line);
    s_.shortTexts.emplace_back();
    s_.selectedLine = static_cast<int>(s_.lines.size()) - 1;
    enregistrer_position(s_, pos_);
    shownEntry_ = lastEntry();
    view_.result(result);
    view_.listChanged();
}

void MoveTimeline::showEntry(int entry) {
    entry = std::clamp(entry, 0, std::max(0, lastEntry()));
    if (s_.PositionStates.empty()) return;
    pos_ = s_.PositionStates[static_cast<std::size_t>(entry)];
    s_.MoveCountRaise = s_.MoveCountRaises[static_cast<std::size_t>(entry)];
    board_.show(pos_);
    shownEntry_ = entry;
}

void MoveTimeline::cutAt(int entry) {
    auto k = static_cast<std::size_t>(entry);
    s_.lines.resize(k);
    s_.shortTexts.resize(k);
    s_.PositionIndex = static_cast<std::int16_t>(entry + 1);
    s_.PositionHistory.resize(k + 1);
    s_.PositionStates.resize(k + 1);
    s_.MoveCountRaises.resize(k + 1);
    if (s_.notes.size() > k + 1) s_.notes.resize(k + 1);
    s_.GameResult.assign(1, '*');
    pos_ = s_.PositionStates[k];
    s_.MoveCountRaise = s_.MoveCountRaises[k];
    board_.show(pos_);
    shownEntry_ = entry;
    s_.selectedLine = entry - 1;
    rebuildTexts();
    view_.result(s_.GameResult);
    view_.listChanged();
}

void MoveTimeline::rebuildTexts() {
    s_.GameMoveText.clear();
    s_.LongMoveText.clear();
    s_.LastLongMove.clear();
    for (std::size_t j = 0; j < s_.lines.size(); ++j) {
        if (s_.shortTexts[j].empty()) continue;
        s_.GameMoveText = trimmed(s_.GameMoveText + " " + s_.shortTexts[j]);
        s_.LastLongMove = textOfLine(s_.lines[j]);
        s_.LongMoveText = trimmed(s_.LongMoveText + " " + s_.LastLongMove);
    }
}

} // namespace quarvelin
