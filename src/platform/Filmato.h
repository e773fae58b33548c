#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <memory>

class LayeredPicture;
class QSvgRenderer;

// The control that shows the cup pictures and animations. Movies are SVG documents of our own:
// asking for "name.swf" loads "name.svg" beside it. A part is an element with an id, coloured by
// naming it in "QualeOggetto" and then giving "TestoColore.QualeColore"; a clip is a group
// shown or hidden by its id or by any name the clip-name table gives it; frame n is the group
// "frame<n>". Edits change the document in memory, and the picture is made again once, at the
// next paint. Each call that cannot be carried out returns false and changes nothing.
class Filmato : public QWidget
{
    Q_OBJECT
public:
    explicit Filmato(QWidget *parent = nullptr);
    ~Filmato() override;

    // The SVG file that stands for a movie file name (".swf" becomes ".svg").
    static QString documentFor(const QString &moviePath);

    // Movie (set): loads a movie from a host path. False when it is missing or unreadable.
    bool setMovie(const QString &hostPath);
    QString Movie() const { return m_movie; }
    bool isLoaded() const;

    bool GotoFrame(int frame);
    // "RRGGBB"; False for anything else.
    bool setBGColor(const QString &rrggbb);
    QString BGColor() const;

    // "QualeOggetto" = a part's id; "TestoColore.QualeColore" = "RRGGBB" paints that part.
    bool SetVariable(const QString &name, const QString &value);
    // Property 7 is a clip's visibility: "1" shown, "0" hidden.
    bool TSetProperty(const QString &target, int property, const QString &value);

    // Names by which the program asks for clips (language texts), to the clips' ids. The table
    // is shared and must outlive the control.
    void setClipNames(const QHash<QString, QString> *names) { m_clipNames = names; }

    // For tests and benchmarks: the current document, and how often it was rendered.
    QByteArray document() const;
    int renderCount() const { return m_renders; }
    // Renders the current picture into an image of the given size (no widget needed).
    QImage renderImage(const QSize &size);

Q_SIGNALS:
    // The pupil clicked the picture.
    void FSCommand(const QString &command, const QString &args);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

public:
    // How a movie file is held once read (shared by every control showing it).
    struct Element
    {
        bool group = false;
        bool frame = false;
    };
    // Where an element with an id takes its fill and display attributes in the template.
    struct Slot
    {
        qsizetype at = 0; // just after the tag name
        QString id;
        QString fill;     // as the file has them (empty when absent)
        QString display;
    };
    // A movie file as read and checked, shared by every control showing it.
    struct Parsed
    {
        QByteArray source;
        QString templ; // the file without the fills and displays of its slots
        QList<Slot> slots;
        QHash<QString, Element> elements; // ids found in it
        bool animated = false;
        // A still picture's layers, drawn once per size and composed on each change.
        std::shared_ptr<const LayeredPicture> layers;
    };

private:
    QString clipId(const QString &target) const;
    void touch();
    void prepareRenderer();
    // True when the picture as edited can be composed from its layers.
    bool byLayers(const QSizeF &pixels) const;
    void paintInto(QPainter &p, const QRectF &target);

    QString m_movie;
    std::shared_ptr<const Parsed> m_parsed;
    QHash<QString, QString> m_fills;     // id -> "#rrggbb" set by the program
    QHash<QString, bool> m_shown;        // id -> shown, set by the program
    QString m_selected;                  // the part named by "QualeOggetto"
    QColor m_background;
    const QHash<QString, QString> *m_clipNames = nullptr;
    QSvgRenderer *m_renderer = nullptr;
    bool m_dirty = false;       // edited since the whole-document renderer loaded
    bool m_layersStale = false; // edited since last composed from layers
    int m_renders = 0;
    QPixmap m_drawing;          // the still picture as last drawn
    QColor m_drawnBackground;
    bool m_drawingStale = true; // changed since the screen drawing was made
};
