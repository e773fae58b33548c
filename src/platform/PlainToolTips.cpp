#include "platform/PlainToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace {

class PlainToolTipFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        // Without a tip of its own the widget passes the event on to its parent, as Qt does.
        if (widget->toolTip().isEmpty())
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        QToolTip::showText(help->globalPos(),
                           Qt::convertFromPlainText(widget->toolTip(), Qt::WhiteSpacePre), widget,
                           QRect(), widget->toolTipDuration());
        return true;
    }
};

} // namespace

void showToolTipsAsPlainText(QApplication &app)
{
    app.installEventFilter(new PlainToolTipFilter(&app));
}
