#pragma once
// The board of one Position as the user sees it: squares, coordinates and pieces, drawn square
// and centred at whatever size the widget is given.
#include "rules/Position.h"

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>

class QSvgRenderer;

class BoardView : public QWidget {
    Q_OBJECT

public:
    static constexpr QRgb LightSquareColour = 0xFFEEEED2;
    static constexpr QRgb DarkSquareColour = 0xFF769656;

    explicit BoardView(QWidget* parent = nullptr);
    ~BoardView() override;

    void setPosition(const quarvelin::Position& position);
    const quarvelin::Position& position() const { return position_; }

    void setCoordinatesVisible(bool visible);
    bool coordinatesVisible() const { return coordinatesVisible_; }

    // The square shown at column x, row y (1..8, display orientation); null when off the board.
    QRect squareRect(int x, int y) const;
    // The eight by eight squares together, without the frame.
    QRect boardRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

    // The resource holding the drawing of a piece; empty for Empty.
    static QString pieceResource(quarvelin::PieceCode piece);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct BoardGeometry {
        QRect board;    // the 64 squares
        QRect frame;    // board plus the border margin
        int square = 0; // side of one square
        int margin = 0; // width of the border around the board
        QRect squareAt(int x, int y) const {
            return {board.left() + (x - 1) * square, board.top() + (y - 1) * square, square,
                    square};
        }
    };
    BoardGeometry boardGeometry() const;
    const QPixmap& piecePixmap(quarvelin::PieceCode piece, int side, qreal ratio);

    quarvelin::Position position_;
    bool coordinatesVisible_ = true;

    // Indexed by piece code; 0 and 1 stay empty.
    std::array<std::unique_ptr<QSvgRenderer>, 14> renderers_;
    std::array<QPixmap, 14> pixmaps_;
    int pixmapSide_ = 0;
    qreal pixmapRatio_ = 0;
};
