// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paints printed documents on a printer, page after page: a head on every page (the program and
// the date), the page number at the foot, and between them the lines of a game or the rows of
// a list. Where things go on the page is decided by the records layouts; this only measures
// and draws.
#include "records/PrintedLine.h"
#include "records/PrintedTable.h"
#include "ui/PageFrame.h"

#include <QFont>
#include <QString>

#include <vector>

class QPrinter;

class DocumentPainter {
public:
    // Boards in a row of the diagram layout.
    static constexpr int DiagramsPerRow = 3;

    // The printed game. False when the printer could not start; pages then says 0.
    static bool paintGame(QPrinter& printer, const std::vector<quarvelin::PrintedLine>& lines,
                          const PageFrame& frame, int* pages = nullptr);
    // A list: title and subtitle, the column captions and as many rows as fit on each page.
    static bool paintTable(QPrinter& printer, const quarvelin::PrintedTable& table,
                           const QString& title, const QString& subtitle, const QFont& font,
                           const PageFrame& frame, int* pages = nullptr);

    static QFont titleFont();
    static QFont bodyFont();
};
