// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/Protocol.h"
#include "network/LineReader.h"
#include "network/ReceivedMove.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

namespace quarvelin::net {
namespace {

struct Decoding {
    const char* line;
    bool valid;
    MessageKind kind;
};

TEST(NetworkProtocol, DecodesEachMessageAndRefusesAnythingElse) {
    const Decoding cases[] = {
        {"?Joueur1", true, MessageKind::Greeting},
        {"@Joueur2", true, MessageKind::Acceptance},
        {"-", true, MessageKind::Refusal},
        {"#5755e2-e4", true, MessageKind::Move},
        {"#2728b7-b8=D", true, MessageKind::Move},
        {">[Anna] bonjour", true, MessageKind::Chat},
        {"/", true, MessageKind::DrawOffer},
        {"!A", true, MessageKind::DrawAccepted},
        {"!R", true, MessageKind::DrawRefused},
        {"%", true, MessageKind::Resignation},
        {"&W", true, MessageKind::TimeLoss},
        {"~", true, MessageKind::RepetitionDraw},
        {"", false, {}},
        {"!", false, {}},
        {"!X", false, {}},
        {"!AA", false, {}},
        {"/ ", false, {}},
        {"-x", false, {}},
        {"&", false, {}},
        {"&N", false, {}},
        {"#575", false, {}},
        {"#5795e2-e4", false, {}},
        {"#0755", false, {}},
        {"#2728b7-b8=K", false, {}},
        {"#2728b7-b8=", false, {}},
        {"=", false, {}},
        {"x", false, {}},
        {">a\rb", false, {}},
        {">a\nb", false, {}},
        {"?\x01", false, {}},
        {">\xff", false, {}},
        {">\xc0\xaf", false, {}},         // overlong "/"
        {">\xed\xa0\x80", false, {}},     // a surrogate
        {">\xf4\x90\x80\x80", false, {}}, // past U+10FFFF
        {">\xd0", false, {}},             // cut short
    };
    for (const Decoding& c : cases) {
        const std::optional<Message> m = decode(c.line);
        ASSERT_EQ(m.has_value(), c.valid) << c.line;
        if (!m) continue;
        EXPECT_EQ(m->kind, c.kind) << c.line;
        EXPECT_EQ(encode(*m), std::string(c.line) + "\r\n") << c.line;
    }
}

TEST(NetworkProtocol, KeepsRussianTextAndCapsWhatItSends) {
    const std::optional<Message> m = decode(">[Анна] Привет, ход за вами");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->text, "[Анна] Привет, ход за вами");
    const std::string name(100, 'n');
    const std::string typed(5000, 'z');
    EXPECT_LT(encode(chat(name, typed)).size(), MaxLine / 4);
    EXPECT_LT(encode(greeting(name)).size(), 50u);
    // A cap never cuts a character in two.
    EXPECT_EQ(firstChars("ЖЖЖ", 2), "ЖЖ");
    EXPECT_TRUE(validUtf8(encode(chat("Ж", std::string(MaxChatChars, 'z') + "ЖЖ"))));
}

TEST(NetworkProtocol, ReadsPromotionLettersOfEitherSet) {
    const std::pair<const char*, PieceType> cases[] = {
        {"b7-b8=D", PieceType::Queen},  {"b7-b8=Q+", PieceType::Queen},
        {"b7xa8=C", PieceType::Knight}, {"b7b8=N", PieceType::Knight},
        {"b7-b8=T", PieceType::Rook},   {"b7-b8=R", PieceType::Rook},
        {"b7-b8=F", PieceType::Bishop}, {"b7-b8=B#", PieceType::Bishop},
    };
    for (const auto& [text, piece] : cases) {
        const PromotionMark mark = promotionIn(text);
        EXPECT_TRUE(mark.present && mark.piece == piece) << text;
    }
    EXPECT_FALSE(promotionIn("e2-e4").present);
}

TEST(NetworkProtocol, SplitsOnCrLfWhateverTheChunks) {
    const std::string bytes = "?Ann\r\n#5755e2-e4\r\n\r\n>[A] x\ry\r\n";
    for (std::size_t chunk = 1; chunk <= bytes.size(); ++chunk) {
        LineReader r;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < bytes.size(); i += chunk) {
            ASSERT_EQ(r.feed(std::string_view(bytes).substr(i, chunk)), LineReader::Status::Ok);
            while (auto l = r.next()) lines.push_back(*l);
        }
        EXPECT_EQ(lines, (std::vector<std::string>{"?Ann", "#5755e2-e4", "", ">[A] x\ry"}))
            << chunk;
    }
}

TEST(NetworkProtocol, ClosesOnTooLongLinesAndTooMuchUnread) {
    LineReader exact;
    EXPECT_EQ(exact.feed(std::string(MaxLine, 'a') + "\r\n"), LineReader::Status::Ok);
    LineReader longer;
    EXPECT_EQ(longer.feed(std::string(MaxLine + 1, 'a') + "\r\n"), LineReader::Status::LineTooLong);
    LineReader endless;
    LineReader::Status st = LineReader::Status::Ok;
    for (int i = 0; i < 500 && st == LineReader::Status::Ok; ++i) st = endless.feed("aaaaaaaaaa");
    EXPECT_EQ(st, LineReader::Status::LineTooLong);
    EXPECT_EQ(endless.unread(), 0u);
    LineReader flood;
    st = LineReader::Status::Ok;
    for (int i = 0; i < 30000 && st == LineReader::Status::Ok; ++i) st = flood.feed("/\r\n");
    EXPECT_EQ(st, LineReader::Status::TooMuchUnread);
    // Lines taken as they come never add up.
    LineReader taken;
    for (int i = 0; i < 50000; ++i) {
        ASSERT_EQ(taken.feed("!R\r\n"), LineReader::Status::Ok);
        ASSERT_TRUE(taken.next());
    }
}

struct Arrival {
    const char* line;
    Colour sender;
    bool accepted;
};

TEST(NetworkProtocol, ChecksAMoveAgainstTheReceiversBoard) {
    // Black's board (the client): the server's 5,7,5,5 is 4,2,4,4 here.
    const Position black = Position::initial(Colour::Black);
    const Arrival cases[] = {
        {"#5755e2-e4", Colour::White, true},
        {"#5755e2-e4", Colour::Black, false}, // not the sender's turn
        {"#5756e2-e3", Colour::White, true},
        {"#5754e2-e5", Colour::White, false}, // three squares
        {"#5545e4-d4", Colour::White, false}, // empty origin
        {"#5254e7-e5", Colour::White, false}, // a Black pawn
        {"#7866Ng1-f3", Colour::White, true},
        {"#5878Ke1-g1", Colour::White, false},  // blocked castling
        {"#5755e2-e4=D", Colour::White, false}, // a promotion that is none
    };
    for (const Arrival& a : cases) {
        const std::optional<Move> c = receivedMove(black, *decode(a.line), a.sender);
        EXPECT_EQ(c.has_value(), a.accepted) << a.line;
    }
    const std::optional<Move> e4 = receivedMove(black, *decode("#5755e2-e4"), Colour::White);
    ASSERT_TRUE(e4);
    EXPECT_EQ((std::array{e4->fromX, e4->fromY, e4->toX, e4->toY}), (std::array{4, 2, 4, 4}));
}

TEST(NetworkProtocol, APawnOnTheLastRankMustNameItsPiece) {
    Position p = Position::initial(Colour::White);
    p.clear();
    p.at(5, 8) = PieceCode::WhiteKing;
    p.at(5, 1) = PieceCode::BlackKing;
    p.at(2, 7) = PieceCode::BlackPawn; // b2 on White's board
    p.LastMoverColour = Colour::White;
    // The client (Black) sends b2-b1 in its own coordinates: 7,2 to 7,1.
    EXPECT_FALSE(receivedMove(p, *decode("#7271b2-b1"), Colour::Black));
    for (const char* line : {"#7271b2-b1=D", "#7271b2-b1=Q"}) {
        const std::optional<Move> c = receivedMove(p, *decode(line), Colour::Black);
        ASSERT_TRUE(c) << line;
        EXPECT_EQ(c->promotion, PieceCode::BlackQueen) << line;
    }
    const std::optional<Move> knight = receivedMove(p, *decode("#7271b2-b1=N"), Colour::Black);
    ASSERT_TRUE(knight);
    EXPECT_EQ(knight->promotion, PieceCode::BlackKnight);
}

} // namespace
} // namespace quarvelin::net
