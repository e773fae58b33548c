#include "core/ColorButton.h"

#include <QPainter>

ColorButton::ColorButton(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ColorButton::setSfondo(const QColor &colour)
{
    if (colour == m_sfondo)
        return;
    m_sfondo = colour;
    update();
}

void ColorButton::setColoreTesto(const QColor &colour)
{
    if (colour == m_testo)
        return;
    m_testo = colour;
    update();
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = std::min(r.width(), r.height()) / 8;
    p.setPen(QPen(QColor(0x3a, 0x2e, 0x39), isDown() ? 3 : 2));
    p.setBrush(m_sfondo);
    p.drawRoundedRect(r, radius, radius);
    QString caption = text();
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (caption.startsWith(QLatin1Char('\n')))
        caption.remove(0, 1);
    while (caption.endsWith(QLatin1Char('\n')))
        caption.chop(1);
    p.setPen(m_testo);
    p.setFont(font());
    p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, caption);
}
