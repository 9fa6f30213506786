// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/Protocol.h"

namespace quarvelin::net {

namespace {

bool isDigit18(char c) { return c >= '1' && c <= '8'; }

// Control characters have no place in a name, a chat line or a move text; tab is let through.
bool printable(std::string_view s) {
    for (unsigned char c : s)
        if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
    return true;
}

} // namespace

Message greeting(std::string name) {
    return {MessageKind::Greeting, firstChars(name, MaxNameChars), {}, Colour::White};
}

Message acceptance(std::string name) {
    return {MessageKind::Acceptance, firstChars(name, MaxNameChars), {}, Colour::White};
}

Message chat(const std::string& name, const std::string& typed) {
    Message m{MessageKind::Chat, {}, {}, Colour::White};
    m.text.append("[").append(firstChars(name, MaxNameChars)).append("] ");
    m.text.append(firstChars(typed, MaxChatChars));
    return m;
}

Message moveMessage(int fromX, int fromY, int toX, int toY, std::string longText) {
    return {MessageKind::Move, std::move(longText), {fromX, fromY, toX, toY}, Colour::White};
}

Message simple(MessageKind kind) { return {kind, {}, {}, Colour::White}; }

Message timeLoss(Colour loser) { return {MessageKind::TimeLoss, {}, {}, loser}; }

std::string encode(const Message& m) {
    std::string out;
    switch (m.kind) {
    case MessageKind::Greeting:
        out.append("?").append(m.text);
        break;
    case MessageKind::Acceptance:
        out.append("@").append(m.text);
        break;
    case MessageKind::Refusal:
        out.push_back('-');
        break;
    case MessageKind::Move:
        out.push_back('#');
        for (int d : m.squares) out.push_back(static_cast<char>('0' + d));
        out.append(m.text);
        break;
    case MessageKind::Chat:
        out.append(">").append(m.text);
        break;
    case MessageKind::DrawOffer:
        out.push_back('/');
        break;
    case MessageKind::DrawAccepted:
        out.append("!A");
        break;
    case MessageKind::DrawRefused:
        out.append("!R");
        break;
    case MessageKind::Resignation:
        out.push_back('%');
        break;
    case MessageKind::TimeLoss:
        out.push_back('&');
        out.push_back(m.loser == Colour::White ? 'W' : 'B');
        break;
    case MessageKind::RepetitionDraw:
        out.push_back('~');
        break;
    }
    out.append("\r\n");
    return out;
}

std::optional<Message> decode(std::string_view line) {
    if (line.empty() || !validUtf8(line) || !printable(line)) return std::nullopt;
    const std::string_view rest = line.substr(1);
    auto bare = [&](MessageKind kind) -> std::optional<Message> {
        if (!rest.empty()) return std::nullopt;
        return simple(kind);
    };
    switch (line[0]) {
    case '?':
        return greeting(std::string(rest));
    case '@':
        return acceptance(std::string(rest));
    case '>':
        return Message{MessageKind::Chat, std::string(rest), {}, Colour::White};
    case '-':
        return bare(MessageKind::Refusal);
    case '/':
        return bare(MessageKind::DrawOffer);
    case '%':
        return bare(MessageKind::Resignation);
    case '~':
        return bare(MessageKind::RepetitionDraw);
    case '!':
        if (rest == "A") return simple(MessageKind::DrawAccepted);
        if (rest == "R") return simple(MessageKind::DrawRefused);
        return std::nullopt;
    case '&':
        if (rest == "W") return timeLoss(Colour::White);
        if (rest == "B") return timeLoss(Colour::Black);
        return std::nullopt;
    case '#': {
        if (rest.size() < 4) return std::nullopt;
        Message m{MessageKind::Move, std::string(rest.substr(4)), {}, Colour::White};
        for (std::size_t i = 0; i < 4; ++i) {
            if (!isDigit18(rest[i])) return std::nullopt;
            m.squares[i] = rest[i] - '0';
        }
        const PromotionMark mark = promotionIn(m.text);
        if (mark.present && !mark.piece) return std::nullopt;
        return m;
    }
    default:
        return std::nullopt;
    }
}

PromotionMark promotionIn(std::string_view longText) {
    PromotionMark mark;
    const std::size_t eq = longText.find('=');
    if (eq == std::string_view::npos) return mark;
    mark.present = true;
    if (eq + 1 >= longText.size()) return mark;
    switch (longText[eq + 1]) {
    case 'D':
    case 'Q':
        mark.piece = PieceType::Queen;
        break;
    case 'C':
    case 'N':
        mark.piece = PieceType::Knight;
        break;
    case 'T':
    case 'R':
        mark.piece = PieceType::Rook;
        break;
    case 'F':
    case 'B':
        mark.piece = PieceType::Bishop;
        break;
    default:
        break;
    }
    return mark;
}

bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, cp = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, cp = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, cp = c & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode's end are not UTF-8.
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

std::string firstChars(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    std::size_t count = 0;
    while (i < s.size() && count < n) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        ++count;
    }
    return std::string(s.substr(0, i));
}

std::string excerpt(std::string_view line) {
    constexpr std::size_t Shown = 40;
    std::string out;
    for (std::size_t i = 0; i < line.size() && i < Shown; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            static constexpr char Hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        }
    }
    if (line.size() > Shown) out += "...";
    return out;
}

} // namespace quarvelin::net
