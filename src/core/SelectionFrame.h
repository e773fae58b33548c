#pragma once

#include <QColor>
#include <QWidget>

// The frame drawn round the chosen item, in the profile's selection colour; it lets the mouse
// through to what lies beneath.
class SelectionFrame final : public QWidget
{
public:
    enum class Corners { Square, Rounded };

    SelectionFrame(QWidget *parent, int border, Corners corners);
    void setColore(const QColor &c);
    QColor colore() const { return m_colore; }
    // The pupil's frame width, when wider than the frame's own.
    void setSpessore(int spessore);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    const int m_border;
    const Corners m_corners;
    QColor m_colore = Qt::red;
    int m_spessore = 0;
};
