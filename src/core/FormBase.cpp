#include "core/FormBase.h"

#include "core/AppState.h"
#include "core/WindowRegistry.h"
#include "lang/modLanguageSupport.h"
#include "layout/clsResize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

FormBase::FormBase(AppState &state, const QString &name, QSize designSize, QWidget *parent)
    : QWidget(parent), m_state(state)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(designSize);
}

void FormBase::Form_Load()
{
    MLSApplyToForm(m_state, this);
    m_state.Ridimensionatore = std::make_unique<clsResize>();
    m_state.Ridimensionatore->setSourceForm(this);
    m_state.Ridimensionatore->SizeFormToScreen(75);
}

void FormBase::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void FormBase::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The shared resizer serves the newest window, whichever window was resized.
    if (m_state.Ridimensionatore)
        m_state.Ridimensionatore->ResizeControls();
}

void FormBase::occupaSchermo()
{
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->availableGeometry());
    // A desktop's panels and the window's own title bar are the window manager's to fit: asked
    // only for the screen's rectangle, some managers push the frame down to show its title bar
    // and the status bar goes off the bottom, or a bottom panel covers it.
    setWindowState(windowState() | Qt::WindowMaximized);
}

bool FormBase::mostraEChiudi(const QString &finestra)
{
    WindowRegistry *windows = m_state.windows;
    if (!windows || !windows->isDefined(finestra))
        return false;
    QWidget *w = windows->get(finestra);
    if (!w)
        return false;
    w->show();
    windows->unload(this);
    return true;
}
