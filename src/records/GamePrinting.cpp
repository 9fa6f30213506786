// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GamePrinting.h"

#include "records/GameRecordText.h"
#include "records/PrintedTable.h"

namespace quarvelin {

namespace {

const std::string Indent(13, ' ');

void append(std::vector<PrintedLine>& out, std::string text, Font font = Font::Text) {
    out.push_back({font, std::move(text), {}});
}

void appendCut(std::vector<PrintedLine>& out, std::string_view text) {
    for (std::string& piece : cut(text)) append(out, std::move(piece));
}

// The text's lines, whatever their ends; a last line end opens no line of its own.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t beginning = 0;
    while (beginning < text.size()) {
        std::size_t end = text.find_first_of("\r\n", beginning);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(beginning, end - beginning));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        beginning = end + 1;
    }
    return lines;
}

// Every line of a text, blank ones kept, long ones cut.
void addLines(std::vector<PrintedLine>& out, std::string_view text) {
    for (std::string_view l : linesOf(text)) {
        if (l.empty())
            append(out, {});
        else
            appendCut(out, l);
    }
}

void header(std::vector<PrintedLine>& out, const TextCatalogue& catalogue,
            std::chrono::year_month_day d, int languageKey) {
    append(out, printTitle(catalogue, d, languageKey), Font::Title);
    append(out, {}, Font::Title);
}

} // namespace

std::vector<std::string> cut(std::string_view text, std::size_t width) {
    std::vector<std::string> pieces;
    if (width == 0) width = 1;
    std::size_t beginning = 0, characters = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool next = i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (next) continue;
        if (i == text.size() || characters == width) {
            if (i > beginning) pieces.emplace_back(text.substr(beginning, i - beginning));
            beginning = i;
            characters = 0;
        }
        ++characters;
    }
    return pieces;
}

std::string printTitle(const TextCatalogue& catalogue, std::chrono::year_month_day d,
                       int languageKey) {
    return "QUARVELIN - " + catalogue.text(TextKey::Game) + " - " + headerDate(languageKey, d);
}

std::vector<PrintedLine> gamePrint(const GameSession& s, const Settings& settings, Colour player,
                                   std::chrono::year_month_day d, int languageKey,
                                   const TextCatalogue& catalogue, GameLayout layout, int perLine,
                                   const std::optional<EcoLine>& opening) {
    std::vector<PrintedLine> out;
    header(out, catalogue, d, languageKey);
    switch (layout) {
    case GameLayout::Pgn:
        addLines(out, printHeader(s, settings, player, headerDate(languageKey, d), opening));
        appendCut(out, movesText(s, settings));
        append(out, {});
        break;
    case GameLayout::Moves:
        for (const std::string& l : s.lines) append(out, Indent + trimmed(l));
        append(out, {});
        break;
    case GameLayout::Diagrams: {
        if (perLine < 1) perLine = 1;
        PrintedLine rank;
        auto close = [&] {
            if (rank.diagrams.empty()) return;
            out.push_back(std::move(rank));
            rank = {};
        };
        for (std::size_t i = 0; i < s.lines.size(); ++i) {
            const bool move = i < s.shortTexts.size() && !s.shortTexts[i].empty();
            // Entry i + 1 of the history is the position after line i.
            if (!move || i + 1 >= s.PositionHistory.size()) {
                close();
                append(out, Indent + trimmed(s.lines[i]));
                continue;
            }
            Colour bottom =
                i + 1 < s.PositionStates.size() ? s.PositionStates[i + 1].PlayerColour : player;
            rank.diagrams.push_back({trimmed(s.lines[i]), s.PositionHistory[i + 1], bottom});
            if (static_cast<int>(rank.diagrams.size()) == perLine) close();
        }
        close();
        break;
    }
    }
    return out;
}

std::vector<PrintedLine> textPrint(std::string_view text, std::chrono::year_month_day d,
                                   int languageKey, const TextCatalogue& catalogue) {
    std::vector<PrintedLine> out;
    header(out, catalogue, d, languageKey);
    addLines(out, text);
    if (!out.back().text.empty()) append(out, {});
    return out;
}

} // namespace quarvelin
