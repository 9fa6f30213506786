// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages two copies of the program exchange over TCP, as typed values and as bytes. Each
// message is one line ended by CR LF; its first character says what it is. Nothing here trusts
// the peer: a line that is not exactly one of the messages below decodes to nothing.
#include "rules/Types.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quarvelin::net {

enum class MessageKind {
    Greeting,       // "?" + name, client to server
    Acceptance,     // "@" + name, server to client
    Refusal,        // "-"
    Move,           // "#" + four digits 1-8 + the sender's long move text
    Chat,           // ">" + "[name] text"
    DrawOffer,      // "/"
    DrawAccepted,   // "!A"
    DrawRefused,    // "!R"
    Resignation,    // "%": the sender resigns
    TimeLoss,       // "&W" or "&B": that colour's time is up
    RepetitionDraw, // "~": the sender accepted a draw by repetition
};

struct Message {
    MessageKind kind = MessageKind::Refusal;
    std::string text;             // name, chat line or long move text
    std::array<int, 4> squares{}; // move: origin column, row, destination column, row (1-8)
    Colour loser = Colour::White; // time loss
};

inline constexpr std::size_t MaxLine = 4096;        // bytes of one line, CR LF left out
inline constexpr std::size_t MaxUnread = 64 * 1024; // bytes received and not yet handled
// What this program puts in a name or a chat line, far below MaxLine.
inline constexpr std::size_t MaxNameChars = 40;
inline constexpr std::size_t MaxChatChars = 400;

Message greeting(std::string name);
Message acceptance(std::string name);
Message chat(const std::string& name, const std::string& typed);
Message moveMessage(int fromX, int fromY, int toX, int toY, std::string longText);
Message simple(MessageKind kind); // refusal, draw messages, resignation, repetition draw
Message timeLoss(Colour loser);

// The line for a message, CR LF included.
std::string encode(const Message& m);
// A line without its CR LF; nothing when it is not a valid message.
std::optional<Message> decode(std::string_view line);

// The promotion a move's long text names ("e7-e8=D", "e7e8=Q+"): the letter after its first
// "=", French or international.
struct PromotionMark {
    bool present = false;           // the text holds "="
    std::optional<PieceType> piece; // nothing when the letter is not a piece a pawn becomes
};
PromotionMark promotionIn(std::string_view longText);

bool validUtf8(std::string_view s);
// At most n characters of s (whole UTF-8 sequences), for the caps on names and chat lines.
std::string firstChars(std::string_view s, std::size_t n);
// A short printable form of a received line, for the commentary.
std::string excerpt(std::string_view line);

} // namespace quarvelin::net
