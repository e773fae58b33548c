#include "core/WindowRegistry.h"

#include "core/FormBase.h"

WindowRegistry::~WindowRegistry()
{
    for (const QPointer<QWidget> &w : std::as_const(m_loaded))
        delete w.data();
}

void WindowRegistry::define(const QString &name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

QWidget *WindowRegistry::find(const QString &name) const
{
    for (const QPointer<QWidget> &w : m_loaded) {
        if (w && w->objectName() == name)
            return w;
    }
    return nullptr;
}

QWidget *WindowRegistry::get(const QString &name)
{
    if (QWidget *w = find(name))
        return w;
    auto it = m_factories.constFind(name);
    if (it == m_factories.constEnd())
        return nullptr;
    QWidget *w = (*it)(m_state);
    if (!w)
        return nullptr;
    w->setObjectName(name);
    // Known before it loads: loading lets events through, and a second request for the same
    // window meanwhile must find this one, not make another.
    m_loaded.append(w);
    if (auto *form = qobject_cast<FormBase *>(w))
        form->Form_Load();
    return w;
}

void WindowRegistry::unload(QWidget *window)
{
    if (!window)
        return;
    m_loaded.removeAll(window);
    window->hide();
    window->deleteLater();
}

QList<QWidget *> WindowRegistry::loaded() const
{
    QList<QWidget *> out;
    for (const QPointer<QWidget> &w : m_loaded) {
        if (w)
            out.append(w);
    }
    return out;
}
