#include "core/SelectionFrame.h"

#include <QPainter>

SelectionFrame::SelectionFrame(QWidget *parent, int border, Corners corners)
    : QWidget(parent), m_border(border), m_corners(corners)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SelectionFrame::setColore(const QColor &c)
{
    m_colore = c;
    update();
}

void SelectionFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const qreal half = m_border / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    if (m_corners == Corners::Square) {
        p.setPen(QPen(m_colore, m_border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(r);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_colore, m_border));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, r.width() / 8, r.height() / 8);
}
