// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CapturedPiecesWindow.h"

#include "localisation/Catalogue.h"
#include "session/CapturedPieces.h"
#include "ui/BoardView.h"
#include "ui/Captions.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

using quarvelin::PieceCode;
using quarvelin::TextKey;

namespace {

constexpr int PieceSide = 34;

QLabel* row(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setMinimumHeight(PieceSide + 8);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

} // namespace

CapturedPiecesWindow::CapturedPiecesWindow(const quarvelin::Catalogue& catalogue, BoardView& board,
                                           QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), board_(board) {
    setObjectName(QStringLiteral("prises"));
    setWindowIcon(QIcon(QStringLiteral(":/pieces/quarvelin/12.svg")));

    whiteTitle_ = new QLabel(this);
    whitePieces_ = row(this);
    whitePieces_->setObjectName(QStringLiteral("blancs"));
    blackTitle_ = new QLabel(this);
    blackPieces_ = row(this);
    blackPieces_->setObjectName(QStringLiteral("noirs"));
    for (QLabel* title : {whiteTitle_, blackTitle_}) {
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
    }
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    balance_ = new QLabel(this);
    balance_->setObjectName(QStringLiteral("bilan"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(4);
    layout->addWidget(whiteTitle_);
    layout->addWidget(whitePieces_);
    layout->addSpacing(6);
    layout->addWidget(blackTitle_);
    layout->addWidget(blackPieces_);
    layout->addSpacing(6);
    layout->addWidget(line);
    layout->addWidget(balance_);
    layout->addStretch(1);

    connect(&board_, &BoardView::piecesChanged, this, &CapturedPiecesWindow::scheduleRefresh);
    appliquer_textes(catalogue);
    setMinimumWidth(15 * (PieceSide * 2 / 3) + PieceSide + 40);
}

void CapturedPiecesWindow::appliquer_textes(const quarvelin::Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::CapturedTitle));
    whiteTitle_->setText(Captions::text(catalogue, TextKey::CapturedWhitePieces));
    blackTitle_->setText(Captions::text(catalogue, TextKey::CapturedBlackPieces));
    refresh();
}

void CapturedPiecesWindow::scheduleRefresh() {
    // A move writes several squares in a row: one redraw once they are all written.
    if (pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (pending_) refresh();
    });
}

void CapturedPiecesWindow::refresh() {
    pending_ = false;
    const quarvelin::CapturedPieces c = quarvelin::capturedPieces(board_.position());
    const auto draw = [this](QLabel* target, const std::vector<PieceCode>& pieces) {
        if (pieces.empty()) {
            target->setPixmap({});
            target->setText(
                QStringLiteral("<i>%1</i>")
                    .arg(Captions::text(catalogue_, TextKey::NoneCaptured).toHtmlEscaped()));
            return;
        }
        // Pieces of a kind overlap a little, each kind set apart from the next.
        const int step = PieceSide * 2 / 3;
        const qreal ratio = devicePixelRatioF();
        int width = PieceSide;
        for (std::size_t i = 1; i < pieces.size(); ++i)
            width += pieces[i] == pieces[i - 1] ? step : PieceSide + 4;
        QPixmap strip(QSize(width, PieceSide) * ratio);
        strip.setDevicePixelRatio(ratio);
        strip.fill(Qt::transparent);
        QPainter painter(&strip);
        int x = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) x += pieces[i] == pieces[i - 1] ? step : PieceSide + 4;
            painter.drawPixmap(x, 0, board_.pieceImage(pieces[i], PieceSide));
        }
        painter.end();
        target->setText({});
        target->setPixmap(strip);
    };
    draw(whitePieces_, c.white);
    draw(blackPieces_, c.black);
    balance_->setText(balanceText());
}

QString CapturedPiecesWindow::balanceText() const {
    const int b = quarvelin::capturedPieces(board_.position()).balance;
    if (b == 0) return Captions::text(catalogue_, TextKey::MaterialEven);
    return QString::fromStdString(
        catalogue_.text(b > 0 ? TextKey::MaterialWhiteAhead : TextKey::MaterialBlackAhead,
                        {std::to_string(b > 0 ? b : -b)}));
}
