#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <memory>

// A still SVG picture cut into layers in painting order: runs of shapes that depend on the
// same elements with ids. A change of a part's fill or of a group's visibility then
// recomposes layers already drawn at that size, instead of parsing and drawing the whole
// document again. Painting over in order is associative, so the layers composed give the
// picture the whole document gives, to rounding.
class LayeredPicture
{
public:
    // Null for a document the layers cannot reproduce (unreadable, animated, or with
    // references between elements); it is then rendered whole.
    static std::unique_ptr<LayeredPicture> build(const QByteArray &svg);
    ~LayeredPicture();

    // True when the id belongs to a shape or group that is drawn: its fill and display can be
    // changed by layer. Edits of other ids (a gradient, say) need the whole document.
    bool covers(const QString &id) const;

    // The picture fitted into an image of the given size, keeping its aspect ratio and centred
    // (as the SVG renderer places it), over transparency. Fills ("#rrggbb") and visibility are
    // given by id and override the document's own.
    QImage compose(const QSize &pixels, const QHash<QString, QString> &fills,
                   const QHash<QString, bool> &shown) const;

    int layerCount() const;
    // How many layer images were drawn from the document (for benchmarks and tests).
    int layerRenders() const;

private:
    struct Data;
    explicit LayeredPicture(std::unique_ptr<Data> d);
    std::unique_ptr<Data> d;
};
