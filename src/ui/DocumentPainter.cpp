// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DocumentPainter.h"

#include "records/GamePrinting.h"
#include "records/Pagination.h"
#include "records/TableLayout.h"
#include "ui/BoardView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <memory>

using quarvelin::DiagramSquare;
using quarvelin::PieceCode;
using quarvelin::PrintedLine;

namespace {

QFont frameFont() {
    QFont f(QStringLiteral("Arial"), 9);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont coordinateFont() {
    QFont f(QStringLiteral("Arial"), 7);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

// Head and foot take this many lines of the frame font each.
constexpr double FrameLines = 2.2;

QRectF bodyOf(const QRectF& page, QPaintDevice* device) {
    const double h = QFontMetricsF(frameFont(), device).lineSpacing() * FrameLines;
    return page.adjusted(0, h, 0, -h);
}

// The body font made smaller when a whole printed line would not fit across the paper.
QFont fittedBodyFont(QPaintDevice* device, double width) {
    QFont f = DocumentPainter::bodyFont();
    const QString line(static_cast<int>(quarvelin::PrintWidth), QLatin1Char('M'));
    const double need = QFontMetricsF(f, device).horizontalAdvance(line);
    if (need > width) f.setPointSizeF(f.pointSizeF() * width / need * 0.98);
    return f;
}

struct Pieces {
    std::array<std::unique_ptr<QSvgRenderer>, 14> renderers;
    Pieces() {
        for (int c = 2; c <= 13; ++c)
            renderers[static_cast<std::size_t>(c)] =
                std::make_unique<QSvgRenderer>(BoardView::pieceResource(static_cast<PieceCode>(c)));
    }
};

void paintFrame(QPainter& painter, const QRectF& page, const PageFrame& frame, int number,
                int count) {
    painter.save();
    painter.setFont(frameFont());
    const QFontMetricsF fm(frameFont(), painter.device());
    const double line = fm.lineSpacing();
    const QRectF head(page.left(), page.top(), page.width(), line);
    painter.setPen(QColor(0x44, 0x44, 0x44));
    painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, frame.program);
    painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, frame.date);
    QPen rule(QColor(0x99, 0x99, 0x99));
    rule.setWidthF(line / 14);
    painter.setPen(rule);
    painter.drawLine(QPointF(page.left(), head.bottom() + line * 0.4),
                     QPointF(page.right(), head.bottom() + line * 0.4));
    painter.setPen(QColor(0x44, 0x44, 0x44));
    const QRectF foot(page.left(), page.bottom() - line, page.width(), line);
    painter.drawText(foot, Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("%1 %2/%3").arg(frame.page).arg(number).arg(count));
    painter.restore();
}

void paintBoard(QPainter& painter, const QRectF& square, const DiagramSquare& diagram,
                const Pieces& pieces) {
    const double side = square.width() / 8;
    const bool whiteBelow = diagram.bottom == quarvelin::Colour::White;
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const QRectF cell(square.left() + (x - 1) * side, square.top() + (y - 1) * side, side,
                              side);
            // The top left square is light whichever side is below.
            painter.fillRect(cell, QColor::fromRgb((x + y) % 2 == 0 ? BoardView::LightSquareColour
                                                                    : BoardView::DarkSquareColour));
            const auto i = static_cast<std::size_t>((y - 1) * 8 + (x - 1));
            if (i >= diagram.key.size()) continue;
            const int c = static_cast<unsigned char>(diagram.key[i]) - 32;
            if (c >= 2 && c <= 13)
                pieces.renderers[static_cast<std::size_t>(c)]->render(&painter, cell);
        }
    }
    QPen border(Qt::black);
    border.setWidthF(side / 40);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(square);

    painter.setFont(coordinateFont());
    painter.setPen(QColor(0x33, 0x33, 0x33));
    const QFontMetricsF fm(coordinateFont(), painter.device());
    for (int i = 0; i < 8; ++i) {
        const QChar file(QLatin1Char(static_cast<char>(whiteBelow ? 'a' + i : 'h' - i)));
        painter.drawText(QRectF(square.left() + i * side, square.bottom(), side, fm.lineSpacing()),
                         Qt::AlignCenter, file);
        const QChar rank(QLatin1Char(static_cast<char>(whiteBelow ? '8' - i : '1' + i)));
        painter.drawText(QRectF(square.left() - fm.horizontalAdvance(QLatin1Char('8')) * 2,
                                square.top() + i * side,
                                fm.horizontalAdvance(QLatin1Char('8')) * 1.6, side),
                         Qt::AlignRight | Qt::AlignVCenter, rank);
    }
    painter.restore();
}

} // namespace

QFont DocumentPainter::titleFont() {
    QFont f(QStringLiteral("Arial"), 14, QFont::Bold);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont DocumentPainter::bodyFont() {
    QFont f(QStringLiteral("Courier New"), 12);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

bool DocumentPainter::paintGame(QPrinter& printer, const std::vector<PrintedLine>& lines,
                                const PageFrame& frame, int* pages) {
    if (pages) *pages = 0;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(0, 0, printer.width(), printer.height());
    const QRectF body = bodyOf(page, &printer);
    const QFont title = titleFont();
    const QFont text = fittedBodyFont(&printer, body.width());
    const QFontMetricsF titleMetrics(title, &printer), textMetrics(text, &printer);
    const QFontMetricsF coordinates(coordinateFont(), &printer);
    const Pieces pieces;

    // A row of boards: the move above each, the files below.
    // Sized so that four rows fit under the title on a sheet of the usual shape.
    const double cellWidth = body.width() / DiagramsPerRow;
    const double around = textMetrics.lineSpacing() * 2.2 + coordinates.lineSpacing() * 1.2;
    const double fourRows = (body.height() - 2 * titleMetrics.lineSpacing()) / 4 - around;
    const double board = std::max(cellWidth * 0.4, std::min(cellWidth * 0.8, fourRows));
    const double rowHeight = board + around;

    std::vector<double> heights;
    for (const PrintedLine& l : lines) {
        if (!l.diagrams.empty())
            heights.push_back(rowHeight);
        else
            heights.push_back(l.font == quarvelin::Font::Title ? titleMetrics.lineSpacing()
                                                               : textMetrics.lineSpacing());
    }
    const auto ranges = quarvelin::paginate(heights, body.height());
    const int count = static_cast<int>(ranges.size());
    for (int p = 0; p < count; ++p) {
        if (p > 0) printer.newPage();
        paintFrame(painter, page, frame, p + 1, count);
        double y = body.top();
        for (std::size_t i = ranges[static_cast<std::size_t>(p)].first;
             i < ranges[static_cast<std::size_t>(p)].second; ++i) {
            const PrintedLine& l = lines[i];
            if (l.diagrams.empty()) {
                const bool isTitle = l.font == quarvelin::Font::Title;
                painter.setFont(isTitle ? title : text);
                painter.setPen(Qt::black);
                const QFontMetricsF& fm = isTitle ? titleMetrics : textMetrics;
                painter.drawText(QPointF(body.left(), y + fm.ascent()),
                                 QString::fromStdString(l.text));
            } else {
                for (std::size_t j = 0; j < l.diagrams.size(); ++j) {
                    const double x = body.left() + static_cast<double>(j) * cellWidth;
                    const double left = x + (cellWidth - board) / 2;
                    painter.setFont(text);
                    painter.setPen(Qt::black);
                    painter.drawText(QPointF(left, y + textMetrics.ascent()),
                                     QString::fromStdString(l.diagrams[j].move));
                    paintBoard(painter,
                               QRectF(left, y + textMetrics.lineSpacing() * 1.2, board, board),
                               l.diagrams[j], pieces);
                }
            }
            y += heights[i];
        }
    }
    painter.end();
    if (pages) *pages = count;
    return true;
}

bool DocumentPainter::paintTable(QPrinter& printer, const quarvelin::PrintedTable& table,
                                 const QString& title, const QString& subtitle, const QFont& font,
                                 const PageFrame& frame, int* pages) {
    if (pages) *pages = 0;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(0, 0, printer.width(), printer.height());
    const QRectF body = bodyOf(page, &printer);
    QFont titleFont(QStringLiteral("Arial"), font.pointSize(), QFont::Bold);
    titleFont.setStyleHint(QFont::SansSerif);
    QFont subtitleFont(QStringLiteral("Arial"), font.pointSize());
    subtitleFont.setStyleHint(QFont::SansSerif);
    QFont captionFont = font;
    captionFont.setBold(true);
    const QFontMetricsF fm(font, &printer), titleMetrics(titleFont, &printer);
    const double rowHeight = fm.lineSpacing() * 1.35;
    const double above = titleMetrics.lineSpacing() * 1.3 +
                         (subtitle.isEmpty() ? 0 : fm.lineSpacing() * 1.3) + rowHeight * 1.5;
    const auto layout = quarvelin::layOutTable(table.widths, static_cast<int>(table.lines.size()),
                                               body.width(), body.height() - above, rowHeight);
    const double pad = fm.horizontalAdvance(QLatin1Char(' '));

    auto cells = [&](const std::vector<std::string>& texts, double y) {
        for (std::size_t c = 0; c < layout.x.size() && c < texts.size(); ++c) {
            const double w = layout.widths[c];
            if (w <= 2 * pad) continue;
            const QRectF r(body.left() + layout.x[c] + pad, y, w - 2 * pad, rowHeight);
            const QString t = painter.fontMetrics().elidedText(
                QString::fromStdString(texts[c]), Qt::ElideRight, static_cast<int>(r.width()));
            painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, t);
        }
    };

    for (int p = 0; p < layout.pages; ++p) {
        if (p > 0) printer.newPage();
        paintFrame(painter, page, frame, p + 1, layout.pages);
        double y = body.top();
        painter.setPen(Qt::black);
        painter.setFont(titleFont);
        painter.drawText(QPointF(body.left(), y + titleMetrics.ascent()), title);
        y += titleMetrics.lineSpacing() * 1.3;
        if (!subtitle.isEmpty()) {
            painter.setFont(subtitleFont);
            painter.drawText(QPointF(body.left(), y + fm.ascent()), subtitle);
            y += fm.lineSpacing() * 1.3;
        }
        painter.fillRect(QRectF(body.left(), y, body.width(), rowHeight), QColor(0xDD, 0xDD, 0xDD));
        painter.setFont(captionFont);
        cells(table.columns, y);
        y += rowHeight * 1.5;
        painter.setFont(font);
        const auto first = static_cast<std::size_t>(p * layout.linesPerPage);
        const auto last =
            std::min(table.lines.size(), first + static_cast<std::size_t>(layout.linesPerPage));
        for (std::size_t r = first; r < last; ++r) {
            if ((r - first) % 2 == 1)
                painter.fillRect(QRectF(body.left(), y, body.width(), rowHeight),
                                 QColor(0xF2, 0xF2, 0xF2));
            cells(table.lines[r], y);
            y += rowHeight;
        }
    }
    painter.end();
    if (pages) *pages = layout.pages;
    return true;
}
