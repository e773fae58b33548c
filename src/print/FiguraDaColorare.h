#pragma once

#include <QWidget>
#include <memory>

class QSvgRenderer;

// A cup drawing on white, shown in a box and printed from its vector form, so the lines a child
// colours inside stay sharp at any size. Clicked with the mouse, or with Space or Enter once it
// has the focus.
class FiguraDaColorare : public QWidget
{
    Q_OBJECT
public:
    FiguraDaColorare(const QString &hostPath, QWidget *parent = nullptr);
    ~FiguraDaColorare() override;

    bool valida() const;
    // The drawing fitted, with its proportions, into target.
    void disegna(QPainter &p, const QRect &target) const;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::unique_ptr<QSvgRenderer> m_svg;
};
