#include "print/UpDown.h"

#include <QToolButton>
#include <algorithm>

UpDown::UpDown(int minimo, int massimo, QWidget *parent)
    : QWidget(parent), m_min(minimo), m_max(massimo)
{
    su = new QToolButton(this);
    su->setArrowType(Qt::UpArrow);
    su->setAutoRepeat(true);
    su->setAccessibleName(QStringLiteral("+1"));
    su->setFocusPolicy(Qt::NoFocus);
    giu = new QToolButton(this);
    giu->setArrowType(Qt::DownArrow);
    giu->setAutoRepeat(true);
    giu->setAccessibleName(QStringLiteral("-1"));
    giu->setFocusPolicy(Qt::NoFocus);
    connect(su, &QToolButton::clicked, this, [this] { Q_EMIT premuto(1); });
    connect(giu, &QToolButton::clicked, this, [this] { Q_EMIT premuto(-1); });
}

int UpDown::passo(int valore, int verso) const
{
    return std::clamp(valore + verso, m_min, m_max);
}

void UpDown::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int h = height() / 2;
    su->setGeometry(0, 0, width(), h);
    giu->setGeometry(0, h, width(), height() - h);
}
