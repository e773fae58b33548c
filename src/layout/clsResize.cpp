#include "layout/clsResize.h"

#include "layout/LineControl.h"

#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace {

enum Rule : unsigned {
    ScaleLeft = 1,
    ScaleTop = 2,
    ScaleWidth = 4,
    ScaleHeight = 8,
    ScaleAll = 15
};

unsigned ruleOf(const QWidget *control)
{
    static const char *const tagName = "Tag";
    const QString tag = control->property(tagName).toString();
    if (!tag.startsWith(QLatin1Char('@')))
        return ScaleAll;
    unsigned rule = 0;
    for (const QChar c : tag) {
        switch (c.toUpper().unicode()) {
        case 'L':
            rule |= ScaleLeft;
            break;
        case 'T':
            rule |= ScaleTop;
            break;
        case 'W':
            rule |= ScaleWidth;
            break;
        case 'H':
            rule |= ScaleHeight;
            break;
        default:
            break;
        }
    }
    return rule;
}

// Only containers we know to hold nothing of their own are entered; any other widget's
// children are its private parts, positioned by the widget itself.
bool isPlainContainer(const QWidget *w)
{
    if (w->layout())
        return false;
    const QMetaObject *type = w->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           type == &QGroupBox::staticMetaObject;
}

template <typename Visit> void forEachControl(QWidget *parent, Visit &visit)
{
    const bool placedByLayout = parent->layout() != nullptr;
    for (QObject *child : parent->children()) {
        if (!child->isWidgetType())
            continue;
        auto *w = static_cast<QWidget *>(child);
        if (w->isWindow() || qobject_cast<QMenuBar *>(w))
            continue;
        if (!placedByLayout)
            visit(w);
        if (isPlainContainer(w))
            forEachControl(w, visit);
    }
}

bool hasControls(const QWidget *form)
{
    for (const QObject *child : form->children()) {
        if (child->isWidgetType() && !static_cast<const QWidget *>(child)->isWindow())
            return true;
    }
    return false;
}

} // namespace

clsResize::~clsResize()
{
    m_records.clear();
    m_form = nullptr;
}

void clsResize::setSourceForm(QWidget *form)
{
    if (form == m_form)
        return;
    m_form = form;
    m_records.clear();
    m_mustRecord = true;
}

void clsResize::ReInitialise()
{
    record();
}

void clsResize::record()
{
    m_records.clear();
    QWidget *form = m_form;
    if (!form)
        return;
    m_referenceWidth = form->width();
    m_referenceHeight = form->height();
    auto visit = [this](QWidget *w) {
        Record r;
        r.control = w;
        if (auto *line = qobject_cast<LineControl *>(w)) {
            r.line = true;
            r.value[0] = line->X1();
            r.value[1] = line->Y1();
            r.value[2] = line->X2();
            r.value[3] = line->Y2();
        } else {
            const QRect g = w->geometry();
            r.value[0] = g.x();
            r.value[1] = g.y();
            r.value[2] = g.width();
            r.value[3] = g.height();
        }
        m_records.push_back(r);
    };
    forEachControl(form, visit);
    m_mustRecord = false;
}

QRect clsResize::screenFraction(const QRect &screen, quint8 percent)
{
    const int h = int(qint64(screen.height()) * percent / 100);
    const int w = int(qint64(screen.width()) * percent / 100);
    return QRect(screen.x() + (screen.width() - w) / 2, screen.y() + (screen.height() - h) / 2, w,
                 h);
}

void clsResize::SizeFormToScreen(quint8 percent)
{
    if (m_mustRecord)
        record();
    QWidget *form = m_form;
    if (!form)
        return;
    QScreen *screen = form->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect outer = screenFraction(screen->geometry(), percent);
    // The rectangle is the outer one, frame included, as the window's own size was measured.
    const QSize frame = form->frameGeometry().size() - form->size();
    form->move(outer.topLeft());
    form->resize(std::max(outer.width() - frame.width(), 0),
                 std::max(outer.height() - frame.height(), 0));
    ResizeControls();
}

void clsResize::ResizeControls()
{
    QWidget *form = m_form;
    if (!form || form->isMinimized() || !hasControls(form))
        return;
    if (m_mustRecord) {
        record();
        return;
    }
    // A window recorded at no size gives no ratio to scale by.
    if (m_referenceWidth <= 0 || m_referenceHeight <= 0)
        return;

    // Respect a freeze someone else holds: only lift what this pass set.
    const bool freeze = form->updatesEnabled();
    if (freeze)
        form->setUpdatesEnabled(false);

    const double ratioX = double(form->width()) / m_referenceWidth;
    const double ratioY = double(form->height()) / m_referenceHeight;
    for (const Record &r : m_records) {
        QWidget *w = r.control.data();
        if (!w)
            continue;
        const unsigned rule = ruleOf(w);
        const auto scaled = [&](int i, double ratio) { return qRound(r.value[i] * ratio); };
        if (r.line) {
            auto *line = static_cast<LineControl *>(w);
            line->setLine(rule & ScaleLeft ? scaled(0, ratioX) : line->X1(),
                          rule & ScaleTop ? scaled(1, ratioY) : line->Y1(),
                          rule & ScaleWidth ? scaled(2, ratioX) : line->X2(),
                          rule & ScaleHeight ? scaled(3, ratioY) : line->Y2());
        } else {
            const QRect now = w->geometry();
            const QRect next(rule & ScaleLeft ? scaled(0, ratioX) : now.x(),
                             rule & ScaleTop ? scaled(1, ratioY) : now.y(),
                             rule & ScaleWidth ? scaled(2, ratioX) : now.width(),
                             rule & ScaleHeight ? scaled(3, ratioY) : now.height());
            if (next != now)
                w->setGeometry(next);
        }
    }

    if (freeze)
        form->setUpdatesEnabled(true);
}
