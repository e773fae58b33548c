#pragma once

#include <QAbstractButton>
#include <memory>

class QSvgRenderer;

// A cup drawing on white, shown in a box and printed from its vector form, so the lines a child
// colours inside stay sharp at any size. A button: clicked with the mouse, or with Space or
// Enter once it has the focus, and announced as one to screen readers.
class FiguraDaColorare : public QAbstractButton
{
    Q_OBJECT
public:
    FiguraDaColorare(const QString &hostPath, QWidget *parent = nullptr);
    ~FiguraDaColorare() override;

    bool valida() const;
    // The drawing fitted, with its proportions, into target.
    void disegna(QPainter &p, const QRect &target) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<QSvgRenderer> m_svg;
};
