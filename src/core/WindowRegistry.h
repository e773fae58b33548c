#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class AppState;

// One instance per window class: a window is made on first use and gone once unloaded, and the
// name then makes a fresh one.
class WindowRegistry
{
public:
    using Factory = std::function<QWidget *(AppState &)>;

    explicit WindowRegistry(AppState &state) : m_state(state) {}
    ~WindowRegistry();

    // Windows register how they are made, by their class name (e.g. "FormMenu"); a main window
    // is loaded (Form_Load) by the registry once it is known.
    void define(const QString &name, Factory factory);
    bool isDefined(const QString &name) const { return m_factories.contains(name); }

    // The loaded window of that name, made (and loaded) when it is not; null for an unknown name.
    QWidget *get(const QString &name);
    QWidget *find(const QString &name) const;
    template <class T> T *get(const QString &name) { return qobject_cast<T *>(get(name)); }

    // Hides and destroys the window; its name makes a new one next time.
    void unload(QWidget *window);
    // The loaded windows in the order they were made.
    QList<QWidget *> loaded() const;

private:
    AppState &m_state;
    QHash<QString, Factory> m_factories;
    QList<QPointer<QWidget>> m_loaded;
};
