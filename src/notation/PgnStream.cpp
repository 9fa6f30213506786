// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/PgnStream.h"

#include <cctype>
#include <cstring>

namespace quarvelin {

const std::string* PgnGame::tag(std::string_view name) const {
    for (const auto& [k, v] : tags)
        if (k == name) return &v;
    return nullptr;
}

int PgnStream::peek() {
    if (pos_ == len_) {
        in_.read(buffer_.get(), static_cast<std::streamsize>(BlockSize));
        len_ = static_cast<std::size_t>(in_.gcount());
        pos_ = 0;
        if (len_ == 0) return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

int PgnStream::get() {
    int c = peek();
    if (c < 0) return c;
    ++pos_;
    ++consumed_;
    lineStart_ = c == '\n';
    return c;
}

bool PgnStream::skipPast(char end) {
    while (peek() >= 0) {
        const char* from = buffer_.get() + pos_;
        const auto* at = static_cast<const char*>(std::memchr(from, end, len_ - pos_));
        const std::size_t n = at ? static_cast<std::size_t>(at - from) + 1 : len_ - pos_;
        pos_ += n;
        consumed_ += n;
        lineStart_ = buffer_[pos_ - 1] == '\n';
        if (at) return true;
    }
    return false;
}

void PgnStream::skipLine() { skipPast('\n'); }

std::string PgnStream::restOfLine() {
    std::string text;
    for (int c = get(); c >= 0 && c != '\n'; c = get()) text += static_cast<char>(c);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return text;
}

void PgnStream::readVariation(std::string& text, PgnGame& game) {
    int depth = 0;
    for (;;) {
        int c = get();
        if (c < 0) {
            game.unclosed = '(';
            return;
        }
        text += static_cast<char>(c);
        if (c == '{') {
            while ((c = get()) >= 0 && c != '}') text += static_cast<char>(c);
            if (c < 0) {
                game.unclosed = '{';
                return;
            }
            text += '}';
        } else if (c == ';') {
            text += restOfLine();
            text += '\n';
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return;
        }
    }
}

namespace {

bool white(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool separator(int c) {
    return c < 0 || white(c) || c == '{' || c == '}' || c == '(' || c == ')' || c == '[' ||
           c == ']' || c == ';' || c == '$';
}

bool isResult(const std::string& t) {
    return t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*";
}

// "12." "12..." "12...e5" "1.e4" "12": what is left once the move number is taken off. Some
// files write the number without its full stop; no move is digits alone.
std::string withoutNumber(const std::string& t) {
    std::size_t i = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    if (i == t.size()) return {};
    if (t[i] == '.') {
        while (i < t.size() && t[i] == '.') ++i;
        return t.substr(i);
    }
    if (i == 0) {
        while (i < t.size() && t[i] == '.') ++i; // "..." alone
        return t.substr(i);
    }
    return t;
}

bool glyph(const std::string& t) { return t.find_first_not_of("!?") == std::string::npos; }

} // namespace

bool PgnStream::next(PgnGame& game) {
    // Cleared rather than replaced, so the vectors keep their room from game to game.
    game.tags.clear();
    game.moves.clear();
    game.result.clear();
    game.offset = 0;
    game.asides.clear();
    game.unclosed = 0;
    if (first_) {
        first_ = false;
        if (peek() == 0xEF) { // UTF-8 byte order mark
            get();
            get();
            get();
        }
    }
    bool started = false, inMoves = false;
    int depth = 0;
    // What the asides are told about the main line before them.
    std::string previous, lastNumbered;
    auto aside = [&](bool variation) -> std::string& {
        PgnAside& a = game.asides.emplace_back();
        a.variation = variation;
        a.movesBefore = static_cast<int>(game.moves.size());
        a.previous = previous;
        a.lastNumbered = lastNumbered;
        return a.text;
    };
    for (;;) {
        int c = peek();
        if (c < 0) return started;
        if (lineStart_ && c == '%') {
            skipLine();
            continue;
        }
        if (white(c)) {
            get();
            continue;
        }
        if (c == '[' && depth == 0) {
            // A tag after moves begins the next game (its predecessor had no result).
            if (inMoves) return true;
            if (!started) game.offset = consumed_;
            started = true;
            get();
            std::string name, value;
            while ((c = peek()) >= 0 && !white(c) && c != '"' && c != ']')
                name += static_cast<char>(get());
            while ((c = peek()) >= 0 && c != '"' && c != ']' && c != '\n') get();
            if (peek() == '"') {
                get();
                while ((c = get()) >= 0 && c != '"' && c != '\n') {
                    if (c == '\\' && (peek() == '"' || peek() == '\\')) c = get();
                    value += static_cast<char>(c);
                }
            }
            while ((c = peek()) >= 0 && c != ']' && c != '\n') get();
            if (peek() == ']') get();
            if (!name.empty()) game.tags.emplace_back(std::move(name), std::move(value));
            continue;
        }
        if (!started) game.offset = consumed_;
        started = true;
        if (c == '{') {
            get();
            if (!asides_ || depth > 0) {
                if (!skipPast('}')) game.unclosed = '{';
                continue;
            }
            std::string& text = aside(false);
            while ((c = get()) >= 0 && c != '}') text += static_cast<char>(c);
            if (c < 0) game.unclosed = '{';
            continue;
        }
        if (c == ';') {
            get();
            if (asides_ && depth == 0)
                aside(false) = restOfLine();
            else
                skipLine();
            continue;
        }
        if (c == '(') {
            inMoves = true;
            if (asides_) {
                readVariation(aside(true), game);
                continue;
            }
            get();
            ++depth;
            continue;
        }
        if (c == ')') {
            get();
            if (depth > 0) --depth;
            continue;
        }
        if (c == '$' || c == '[' || c == ']' || c == '}') {
            get();
            while (std::isdigit(peek())) get();
            continue;
        }
        std::string token;
        while (!separator(peek())) token += static_cast<char>(get());
        inMoves = true;
        if (depth > 0) continue;
        if (isResult(token)) {
            game.result = token;
            return true;
        }
        if (asides_ && !glyph(token)) {
            previous = token;
            // "e4xd3e.p." holds full stops but no move number.
            const std::size_t afterDigits = token.find_first_not_of("0123456789");
            if (afterDigits > 0 && afterDigits != std::string::npos && token[afterDigits] == '.')
                lastNumbered = token;
        }
        token = withoutNumber(token);
        if (token.empty() || glyph(token)) continue;
        game.moves.push_back(std::move(token));
        if (game.moves.size() >= keptMoves_ && !asides_) return skipRest(game, depth);
    }
}

bool PgnStream::skipRest(PgnGame& game, int depth) {
    for (;;) {
        int c = peek();
        if (c < 0) return true;
        if (lineStart_ && c == '%') {
            skipLine();
            continue;
        }
        if (white(c)) {
            get();
            continue;
        }
        switch (c) {
        case '[':
            if (depth == 0) return true; // the next game's tags
            [[fallthrough]];
        case '$':
        case ']':
        case '}':
            get();
            while (std::isdigit(peek())) get();
            continue;
        case '{':
            get();
            if (!skipPast('}')) game.unclosed = '{';
            continue;
        case ';':
            get();
            skipLine();
            continue;
        case '(':
            get();
            ++depth;
            continue;
        case ')':
            get();
            if (depth > 0) --depth;
            continue;
        default:
            break;
        }
        // A token: only a result at the main line's level matters. Read in place when the
        // block holds all of it.
        std::size_t end = pos_;
        while (end < len_ && !separator(static_cast<unsigned char>(buffer_[end]))) ++end;
        std::string_view token;
        std::string spanning;
        if (end < len_) {
            token = std::string_view(buffer_.get() + pos_, end - pos_);
            consumed_ += end - pos_;
            pos_ = end;
            lineStart_ = false;
        } else {
            while (!separator(peek())) spanning += static_cast<char>(get());
            token = spanning;
        }
        if (depth == 0 &&
            (token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*")) {
            game.result = std::string(token);
            return true;
        }
    }
}

} // namespace quarvelin
