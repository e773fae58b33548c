#include "platform/ScrollBars.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionSlider>

namespace {

class DarkThumbStyle : public QProxyStyle
{
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
        if (control != CC_ScrollBar || !bar || bar->minimum == bar->maximum)
            return;
        const QRect thumb = subControlRect(control, option, SC_ScrollBarSlider, widget);
        if (thumb.isEmpty())
            return;
        const bool pressed = bar->activeSubControls & SC_ScrollBarSlider &&
                             bar->state & State_Sunken;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(0x40, 0x40, 0x40));
        painter->setBrush(pressed ? QColor(0x50, 0x50, 0x50) : QColor(0x78, 0x78, 0x78));
        painter->drawRoundedRect(QRectF(thumb).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        painter->restore();
    }
};

} // namespace

void showScrollThumbsDark(QApplication &app)
{
    app.setStyle(new DarkThumbStyle);
}
