#include "layout/LineControl.h"

#include <QPainter>

#include <algorithm>

LineControl::LineControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    place();
}

LineControl::LineControl(int x1, int y1, int x2, int y2, QWidget *parent) : LineControl(parent)
{
    setLine(x1, y1, x2, y2);
}

void LineControl::setLine(int x1, int y1, int x2, int y2)
{
    if (x1 == m_x1 && y1 == m_y1 && x2 == m_x2 && y2 == m_y2)
        return;
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    place();
    update();
}

void LineControl::setBorderColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void LineControl::setBorderWidth(int width)
{
    width = std::max(width, 1);
    if (width == m_width)
        return;
    m_width = width;
    place();
    update();
}

void LineControl::place()
{
    // A margin of half the pen on every side keeps thick lines and their caps unclipped, and
    // gives horizontal and vertical lines a box of non-zero size.
    const int margin = m_width / 2 + 1;
    const QRect box(QPoint(std::min(m_x1, m_x2), std::min(m_y1, m_y2)),
                    QPoint(std::max(m_x1, m_x2), std::max(m_y1, m_y2)));
    setGeometry(box.adjusted(-margin, -margin, margin, margin));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::FlatCap));
    const QPoint origin = pos();
    painter.drawLine(QPoint(m_x1, m_y1) - origin, QPoint(m_x2, m_y2) - origin);
}
