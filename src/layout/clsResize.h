#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <vector>

// Keeps the controls of one absolutely laid-out window in proportion to the window's size.
//
// The first use records every control's design geometry together with the window's size; each
// later pass places every control at its recorded values times the window's current size ratios,
// so resizing back and forth never drifts. A control's "Tag" property (a QString) may limit what
// is scaled: after a leading "@" the letters L, T, W, H (any case, anywhere) select the left edge,
// top edge, width and height; an empty tag or one without the "@" scales all four. A LineControl
// has its end points scaled instead (X1 with L, Y1 with T, X2 with W, Y2 with H).
//
// Controls are the window's child widgets in creation order. Children of a plain container
// (a QWidget, QFrame or QGroupBox without a layout) are controls too and are scaled relative to
// their container with the window's ratios. Children of any other widget belong to that widget
// (a spin box's editor, a scroll area's viewport) and are left to it, as are widgets placed by a
// layout, menu bars and separate windows.
class clsResize final
{
public:
    clsResize() = default;
    ~clsResize();
    clsResize(const clsResize &) = delete;
    clsResize &operator=(const clsResize &) = delete;

    QWidget *SourceForm() const { return m_form; }
    // Binding another window drops the old window's records: they would otherwise be scaled
    // with the new window's ratios.
    void setSourceForm(QWidget *form);

    void ReInitialise();
    // Sizes the window to percent of its screen, centred, then scales the controls.
    void SizeFormToScreen(quint8 percent);
    void ResizeControls();

    // How many controls were recorded (0 before recording).
    int ControlCount() const { return int(m_records.size()); }

    // The outer window rectangle for percent of a screen: sizes truncated, then centred with
    // integer halves.
    static QRect screenFraction(const QRect &screen, quint8 percent);

private:
    struct Record {
        QPointer<QWidget> control;
        bool line = false;
        // Left, Top, Width, Height; or X1, Y1, X2, Y2 for a line.
        int value[4] = {0, 0, 0, 0};
    };

    void record();

    QPointer<QWidget> m_form;
    int m_referenceWidth = 0;
    int m_referenceHeight = 0;
    std::vector<Record> m_records;
    bool m_mustRecord = true;
};
