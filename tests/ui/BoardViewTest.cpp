// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardView.h"
#include "rules/Position.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

using quarvelin::Colour;
using quarvelin::PieceCode;
using quarvelin::Position;

namespace {

QImage grabAt(BoardView& view, QSize size) {
    view.resize(size);
    QImage image = view.grab().toImage();
    // Sample in widget coordinates whatever the screen's pixel ratio.
    return image.scaled(size);
}

QRgb at(const QImage& image, QPoint p) { return image.pixel(p) | 0xFF000000; }

// Where the square shows through: the pieces keep clear of the corners.
QRgb squareColour(const QImage& image, const QRect& square) {
    return at(image, square.topLeft() + QPoint(2, 2));
}

bool ivory(QRgb c) {
    return qRed(c) > 215 && qGreen(c) > 200 && qBlue(c) > 160 && qRed(c) >= qBlue(c) &&
           c != BoardView::LightSquareColour;
}

bool nearBlack(QRgb c) { return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90; }

} // namespace

// Each drawing is a square picture, a real silhouette, light for White and dark for Black.
TEST(BoardView, EveryPieceDrawingLoadsInItsColour) {
    BoardView view; // registers the drawings when nothing else has
    EXPECT_TRUE(BoardView::pieceResource(PieceCode::Empty).isEmpty());
    for (int c = 2; c <= 13; ++c) {
        SCOPED_TRACE(c);
        const QString path = BoardView::pieceResource(static_cast<PieceCode>(c));
        EXPECT_EQ(path, QStringLiteral(":/pieces/quarvelin/%1.svg").arg(c));
        QSvgRenderer renderer(path);
        ASSERT_TRUE(renderer.isValid());
        const QRectF box = renderer.viewBoxF();
        EXPECT_GT(box.width(), 0);
        EXPECT_DOUBLE_EQ(box.width(), box.height());

        QImage image(96, 96, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            renderer.render(&painter);
        }
        long opaque = 0, sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QRgb p = image.pixel(x, y); qAlpha(p) >= 250) {
                    ++opaque;
                    sum += qGray(p);
                }
        // A real silhouette covers a good part of its square, a stray shape would not.
        ASSERT_GT(opaque, 96 * 96 / 8);
        // The outline darkens every drawing; the fills still set the two colours well apart.
        if (c >= 8)
            EXPECT_GT(sum / opaque, 115) << "white piece";
        else
            EXPECT_LT(sum / opaque, 75) << "black piece";
    }
}

// Squares and kings where each side sees them: a1 bottom left with White below, top right
// with Black below.
TEST(BoardView, OrientationPlacesTheSquaresAndTheKings) {
    const struct {
        Colour below;
        QPoint dark[2], light[2];    // on screen: columns 1..8 left to right, rows 1..8 top down
        QPoint whiteKing, blackKing; // e1 and e8
        QPoint notWhiteKing;         // where the other way round would put it
        QPoint emptyLight, emptyDark;
    } cases[] = {
        {Colour::White, {{1, 8}, {8, 1}}, {{8, 8}, {1, 1}}, {5, 8}, {5, 1}, {4, 1}, {5, 5}, {5, 4}},
        {Colour::Black, {{8, 1}, {1, 8}}, {{1, 1}, {8, 8}}, {4, 1}, {4, 8}, {5, 8}, {5, 5}, {5, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.below));
        BoardView view;
        view.setPosition(Position::initial(c.below));
        const QImage image = grabAt(view, {400, 400});
        const auto square = [&](QPoint p) { return view.squareRect(p.x(), p.y()); };
        for (QPoint p : c.dark)
            EXPECT_EQ(squareColour(image, square(p)), BoardView::DarkSquareColour)
                << p.x() << p.y();
        for (QPoint p : c.light)
            EXPECT_EQ(squareColour(image, square(p)), BoardView::LightSquareColour)
                << p.x() << p.y();
        EXPECT_TRUE(ivory(at(image, square(c.whiteKing).center())));
        EXPECT_TRUE(nearBlack(at(image, square(c.blackKing).center())));
        EXPECT_FALSE(ivory(at(image, square(c.notWhiteKing).center())));
        EXPECT_EQ(at(image, square(c.emptyLight).center()), BoardView::LightSquareColour);
        EXPECT_EQ(at(image, square(c.emptyDark).center()), BoardView::DarkSquareColour);
        EXPECT_GT(view.squareRect(8, 8).left(), view.squareRect(1, 8).left());
        EXPECT_GT(view.squareRect(1, 8).top(), view.squareRect(1, 1).top());
    }
    EXPECT_LT(qGray(BoardView::DarkSquareColour), qGray(BoardView::LightSquareColour));
}

TEST(BoardView, PiecesFollowTheSizeOfTheBoardAndTheNewPosition) {
    BoardView view;
    view.setPosition(Position::initial());
    for (int side : {400, 800, 260, 400}) {
        const QImage image = grabAt(view, {side, side});
        const QRect e1 = view.squareRect(5, 8);
        EXPECT_TRUE(ivory(at(image, e1.center()))) << "at " << side;
        // The foot of the king reaches close to the bottom of its square at every size.
        const QPoint foot(e1.center().x(), e1.top() + e1.height() * 84 / 100);
        EXPECT_NE(at(image, foot), BoardView::DarkSquareColour) << "at " << side;
    }
    Position lone;
    lone.clear();
    lone.at(3, 4) = PieceCode::WhiteKing;
    view.setPosition(lone);
    EXPECT_EQ(view.position(), lone);
    const QImage image = grabAt(view, {400, 400});
    EXPECT_EQ(at(image, view.squareRect(5, 8).center()), BoardView::DarkSquareColour);
    EXPECT_TRUE(ivory(at(image, view.squareRect(3, 4).center())));
}

TEST(BoardView, SquaresTileWithoutGapsAtOddSizesAndStaySquare) {
    BoardView view;
    for (QSize size : {QSize(333, 517), QSize(517, 333), QSize(401, 401), QSize(251, 250)}) {
        view.resize(size);
        const QRect widget = view.rect();
        const QRect board = view.boardRect();
        const QRect first = view.squareRect(1, 1);
        ASSERT_FALSE(first.isEmpty());
        EXPECT_EQ(board.width(), board.height());
        EXPECT_EQ(board.width(), 8 * first.width());
        // Centred: the leftover space splits evenly, to the pixel.
        EXPECT_LE(std::abs(board.left() - (widget.width() - 1 - board.right())), 1);
        EXPECT_LE(std::abs(board.top() - (widget.height() - 1 - board.bottom())), 1);
        // And large: the frame takes a small share of the shorter side.
        const int shorter = std::min(size.width(), size.height());
        EXPECT_GT(board.width(), shorter * 85 / 100) << size.width() << "x" << size.height();

        QRect all;
        for (int y = 1; y <= 8; ++y)
            for (int x = 1; x <= 8; ++x) {
                const QRect r = view.squareRect(x, y);
                EXPECT_TRUE(widget.contains(r)) << x << "," << y;
                EXPECT_EQ(r.size(), first.size());
                if (x < 8) {
                    EXPECT_EQ(view.squareRect(x + 1, y).left(), r.right() + 1);
                }
                if (y < 8) {
                    EXPECT_EQ(view.squareRect(x, y + 1).top(), r.bottom() + 1);
                }
                all |= r;
            }
        EXPECT_EQ(all, board);
    }
    EXPECT_TRUE(view.squareRect(0, 1).isNull());
    EXPECT_TRUE(view.squareRect(9, 1).isNull());
    EXPECT_TRUE(view.squareRect(1, 0).isNull());
    EXPECT_TRUE(view.squareRect(1, 9).isNull());
    // Asked for a size, the board stays square.
    EXPECT_TRUE(view.hasHeightForWidth());
    EXPECT_TRUE(view.sizePolicy().hasHeightForWidth());
    EXPECT_EQ(view.heightForWidth(333), 333);
    EXPECT_EQ(view.sizeHint().width(), view.sizeHint().height());
    EXPECT_EQ(view.minimumSizeHint().width(), view.minimumSizeHint().height());
    EXPECT_GE(view.minimumSizeHint().width(), 200);
    EXPECT_GT(view.sizeHint().width(), view.minimumSizeHint().width());
}

namespace {

// The strip under the board where column x's letter goes, and the strip left of row y.
QImage fileLabel(const QImage& image, const BoardView& view, int x) {
    const QRect square = view.squareRect(x, 8);
    return image.copy(square.left(), view.boardRect().bottom() + 2, square.width(), 12);
}
QImage rankLabel(const QImage& image, const BoardView& view, int y) {
    const QRect square = view.squareRect(1, y);
    return image.copy(view.boardRect().left() - 14, square.top(), 12, square.height());
}

bool uniform(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != first) return false;
    return true;
}

} // namespace

TEST(BoardView, CoordinatesFollowTheOrientationAndCanBeHidden) {
    BoardView view;
    view.setPosition(Position::initial(Colour::White));
    const QImage white = grabAt(view, {400, 400});
    view.setPosition(Position::initial(Colour::Black));
    const QImage black = grabAt(view, {400, 400});

    for (int i = 1; i <= 8; ++i) {
        EXPECT_FALSE(uniform(fileLabel(white, view, i))) << "no letter under column " << i;
        EXPECT_FALSE(uniform(rankLabel(white, view, i))) << "no digit beside row " << i;
    }
    // "a" is under the first column with White below, under the last with Black below.
    EXPECT_EQ(fileLabel(white, view, 1), fileLabel(black, view, 8));
    EXPECT_EQ(fileLabel(white, view, 8), fileLabel(black, view, 1));
    EXPECT_NE(fileLabel(white, view, 1), fileLabel(black, view, 1));
    // "1" is at the bottom with White below, at the top with Black below.
    EXPECT_EQ(rankLabel(white, view, 8), rankLabel(black, view, 1));
    EXPECT_EQ(rankLabel(white, view, 1), rankLabel(black, view, 8));
    EXPECT_NE(rankLabel(white, view, 8), rankLabel(black, view, 8));
    // Every letter differs from its neighbour.
    for (int i = 1; i < 8; ++i)
        EXPECT_NE(fileLabel(white, view, i), fileLabel(white, view, i + 1)) << i;

    // Shown unless hidden.
    EXPECT_TRUE(view.coordinatesVisible());
    const QRect framed = view.boardRect();
    view.setCoordinatesVisible(false);
    EXPECT_FALSE(view.coordinatesVisible());
    const QImage image = grabAt(view, {400, 400});
    // The room the labels took goes to the squares.
    EXPECT_GT(view.boardRect().width(), framed.width());
    // With nothing written in the border, it looks the same beside every row and column.
    const QRect board = view.boardRect();
    const int below = image.height() - board.bottom() - 1;
    for (int i = 2; i <= 8; ++i) {
        const QRect column = view.squareRect(i, 8), first = view.squareRect(1, 8);
        EXPECT_EQ(image.copy(column.left(), board.bottom() + 1, column.width(), below),
                  image.copy(first.left(), board.bottom() + 1, first.width(), below));
        const QRect row = view.squareRect(1, i), top = view.squareRect(1, 1);
        EXPECT_EQ(image.copy(0, row.top(), board.left(), row.height()),
                  image.copy(0, top.top(), board.left(), top.height()));
    }
}
