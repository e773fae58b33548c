#include "core/SelectionFrame.h"

#include <QPainter>

#include <algorithm>

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

void SelectionFrame::setSpessore(int spessore)
{
    m_spessore = spessore;
    update();
}

void SelectionFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int border = std::max(m_border, std::min(m_spessore, std::min(width(), height()) / 4));
    const qreal half = border / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    if (m_corners == Corners::Square) {
        p.setPen(QPen(m_colore, border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(r);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_colore, border));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, r.width() / 8, r.height() / 8);
}
