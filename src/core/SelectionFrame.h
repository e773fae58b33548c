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

protected:
    void paintEvent(QPaintEvent *) override;

private:
    const int m_border;
    const Corners m_corners;
    QColor m_colore = Qt::red;
};
