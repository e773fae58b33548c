#pragma once

#include <QWidget>

class QSvgRenderer;

// A still picture from an SVG file, scaled to the widget with its proportions kept.
class SvgPicture : public QWidget
{
    Q_OBJECT
public:
    explicit SvgPicture(QWidget *parent = nullptr);
    bool load(const QString &hostPath);
    bool isLoaded() const;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QSvgRenderer *m_renderer = nullptr;
};
