#pragma once

#include <QPushButton>
#include <QString>

class QSvgRenderer;

// A button showing a picture (an SVG file) scaled to fit; its caption stays its accessible text.
class PictureButton : public QPushButton
{
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);
    // False when the file cannot be read; the button then shows its caption.
    bool setPicture(const QString &hostPath);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *m_picture = nullptr;
};
