#pragma once

#include <QColor>
#include <QPushButton>

class QSvgRenderer;

// A large button painted in one flat colour, as the menu and exercises colour their choices for
// the highlight and the profile. Line breaks in the caption start new lines; blank lines at its
// ends are not drawn, so a caption kept with a leading line break still sits in the middle.
class ColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget *parent = nullptr);

    void setSfondo(const QColor &colour);
    QColor sfondo() const { return m_sfondo; }
    void setColoreTesto(const QColor &colour);
    // A frame this many pixels wide inside the edge, dark on a light fill and light on a dark
    // one, so the highlight shows even when its colour is close to the button's (0: none).
    void setCornice(int spessore);
    int cornice() const { return m_cornice; }
    // True when the caption, wrapped at its blanks, fits inside the button in this font.
    bool didascaliaEntra(const QFont &font) const;
    // A picture (SVG) drawn instead of the caption, which then stays the accessible name; an
    // empty path removes it. False when the file cannot be read.
    bool setFigura(const QString &hostPath);
    bool haFigura() const { return m_figura != nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_sfondo = QColor(0xF0, 0xF0, 0xF0);
    QColor m_testo = Qt::black;
    int m_cornice = 0;
    QSvgRenderer *m_figura = nullptr;
};
