#pragma once

#include <QColor>
#include <QWidget>

// A straight line drawn on its parent between two end points given in the parent's coordinates.
// The widget keeps itself just large enough to hold the line, lets the mouse through to what
// lies beneath and never takes the focus, so it behaves as a drawing rather than a control.
class LineControl final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int X1 READ X1 WRITE setX1)
    Q_PROPERTY(int Y1 READ Y1 WRITE setY1)
    Q_PROPERTY(int X2 READ X2 WRITE setX2)
    Q_PROPERTY(int Y2 READ Y2 WRITE setY2)
    Q_PROPERTY(QColor BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)

public:
    explicit LineControl(QWidget *parent = nullptr);
    LineControl(int x1, int y1, int x2, int y2, QWidget *parent = nullptr);

    int X1() const { return m_x1; }
    int Y1() const { return m_y1; }
    int X2() const { return m_x2; }
    int Y2() const { return m_y2; }
    void setX1(int v) { setLine(v, m_y1, m_x2, m_y2); }
    void setY1(int v) { setLine(m_x1, v, m_x2, m_y2); }
    void setX2(int v) { setLine(m_x1, m_y1, v, m_y2); }
    void setY2(int v) { setLine(m_x1, m_y1, m_x2, v); }
    // Moves both ends at once, so the widget is placed once instead of four times.
    void setLine(int x1, int y1, int x2, int y2);

    QColor BorderColor() const { return m_color; }
    void setBorderColor(const QColor &color);
    int BorderWidth() const { return m_width; }
    void setBorderWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    int m_x1 = 0;
    int m_y1 = 0;
    int m_x2 = 0;
    int m_y2 = 0;
    QColor m_color = Qt::black;
    int m_width = 1;
};
