// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board of one Position as the user sees it: squares, coordinates and pieces, drawn square
// and centred at whatever size the widget is given.
#include "rules/Position.h"
#include "session/BoardDisplay.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QSvgRenderer;

// It is also the board the game logic writes to: squares, marks, the suggested move. Presses
// are reported as squares; a press, a drag and a release on another square report both.
class BoardView : public QWidget, public quarvelin::BoardDisplay {
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
    // The drawing of a piece in a piece-set folder: N.svg, else N.png, else N.ico; empty when
    // the folder has none.
    static QString pieceFile(const QString& folder, quarvelin::PieceCode piece);
    // The program's own set when the folder does not hold all twelve pieces.
    void setPieceSet(const QString& folder);
    // Further folders of piece sets, where setUp looks for a set its folder does not hold: the
    // user's data folder, where an installed copy keeps the sets it made.
    void setPieceSetFolders(const QStringList& folders) { pieceSetFolders_ = folders; }
    QPixmap pieceImage(quarvelin::PieceCode piece, int side);

    // The squares of the last move, drawn tinted; none when empty.
    void setLastMove(const std::vector<std::pair<int, int>>& squares);
    // The piece following the pointer while it is lifted; Empty when none.
    void setLiftedPiece(quarvelin::PieceCode piece);

    // BoardDisplay
    void setUp(quarvelin::Colour orientation, const std::string& piecesFolder,
               const std::string& boardImage) override;
    quarvelin::PieceCode readSquare(int x, int y) const override;
    void writeSquare(int x, int y, quarvelin::PieceCode piece) override;
    void markSquare(int x, int y, float size, std::uint32_t colour) override;
    void showMove(int fromX, int fromY, int toX, int toY, float size,
                  std::uint32_t colour) override;
    void clearMarks() override;
    void editing(bool active) override;
    bool isEditing() const { return editing_; }
    int markCount() const { return static_cast<int>(marks_.size()); }

    // The square under a point of the widget; {0, 0} off the board.
    quarvelin::Square squareAt(QPoint p) const;

signals:
    void squarePressed(int x, int y);
    // A piece was written, the whole position replaced or the piece set changed.
    void piecesChanged();
    void rightClicked(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

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

    void paintMarks(QPainter& painter, const BoardGeometry& g);
    void updateCursor();

    struct Mark {
        int x, y;
        float size;
        QColor colour;
    };

    quarvelin::Position position_;
    bool coordinatesVisible_ = true;
    bool editing_ = false;
    std::vector<Mark> marks_;
    std::optional<std::array<int, 4>> arrow_;
    QColor arrowColour_;
    std::vector<std::pair<int, int>> lastMove_;
    QImage boardPicture_;
    QString pieceFolder_;
    QStringList pieceSetFolders_;
    quarvelin::PieceCode lifted_ = quarvelin::PieceCode::Empty;
    quarvelin::Square pressed_;
    QPoint pressPoint_;
    QPoint dragPoint_;
    bool dragging_ = false;

    // Indexed by piece code; 0 and 1 stay empty.
    std::array<std::unique_ptr<QSvgRenderer>, 14> renderers_;
    std::array<QImage, 14> rasters_; // pieces of a set drawn as pictures

    std::array<QPixmap, 14> pixmaps_;
    int pixmapSide_ = 0;
    qreal pixmapRatio_ = 0;
};
