// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game logic asks of the board on screen: show pieces, marks and a suggested move, in
// display coordinates (x, y) 1..8. The board widget implements it; tests use a plain grid.
#include "rules/Position.h"
#include "rules/Types.h"

#include <cstdint>
#include <string>

namespace quarvelin {

// The hint's and the machine's move mark, as 0xBBGGRR; red and green are those of the
// undefended-piece marks.
inline constexpr std::uint32_t YellowMark = 65535;

class BoardDisplay {
public:
    virtual ~BoardDisplay() = default;
    // Draws the start position with orientation's side at the bottom, the pieces of the piece-set
    // folder and the board picture given.
    virtual void setUp(Colour orientation, const std::string& piecesFolder,
                       const std::string& boardImage) = 0;
    virtual PieceCode readSquare(int x, int y) const = 0;
    virtual void writeSquare(int x, int y, PieceCode piece) = 0;
    virtual void markSquare(int x, int y, float size, std::uint32_t colour) = 0;
    virtual void showMove(int fromX, int fromY, int toX, int toY, float size,
                          std::uint32_t colour) = 0;
    virtual void clearMarks() = 0;
    virtual void editing(bool active) = 0;

    // The squares that differ from p rewritten.
    void show(const Position& p) {
        for (int y = 1; y <= 8; ++y)
            for (int x = 1; x <= 8; ++x)
                if (readSquare(x, y) != p.at(x, y)) writeSquare(x, y, p.at(x, y));
    }
};

} // namespace quarvelin
