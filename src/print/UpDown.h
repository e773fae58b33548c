#pragma once

#include <QWidget>

class QToolButton;

// The pair of arrows beside a number box: each press steps the box's value by one within the
// arrows' own range.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    UpDown(int minimo, int massimo, QWidget *parent = nullptr);

    int minimo() const { return m_min; }
    int massimo() const { return m_max; }
    // The value one step from `valore`, kept within the range.
    int passo(int valore, int verso) const;

    QToolButton *su = nullptr;
    QToolButton *giu = nullptr;

Q_SIGNALS:
    void premuto(int verso); // +1 up, -1 down

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_min;
    int m_max;
};
