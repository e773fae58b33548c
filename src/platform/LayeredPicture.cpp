#include "platform/LayeredPicture.h"

#include <QCache>
#include <QList>
#include <QPainter>
#include <QSet>
#include <QStringList>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

enum class Kind { Container, Shape, Kept, Inside, Text };

struct Node
{
    Kind kind = Kind::Inside;
    QString name; // qualified; the text itself for Text
    QXmlStreamAttributes attributes;
    QXmlStreamNamespaceDeclarations namespaces;
    QString id; // first holder of an id only
    int parent = -1;
    QList<int> children;
};

struct Layer
{
    QList<int> shapes;
    QStringList depends; // ids on the shapes, round them and inside them
    QStringList holders; // the ids round a shape or on it: hidden, the layer is not drawn
};

struct Piece
{
    QImage image; // cut to what the layer covers
    QPoint at;
};

Kind kindOf(QStringView name)
{
    static const QSet<QString> containers = {QStringLiteral("svg"), QStringLiteral("g"), QStringLiteral("a")};
    static const QSet<QString> kept = {
        QStringLiteral("defs"), QStringLiteral("linearGradient"), QStringLiteral("radialGradient"),
        QStringLiteral("title"), QStringLiteral("desc"), QStringLiteral("metadata"), QStringLiteral("style"),
        QStringLiteral("clipPath"), QStringLiteral("mask"), QStringLiteral("pattern"), QStringLiteral("symbol"),
        QStringLiteral("marker"), QStringLiteral("filter"), QStringLiteral("solidColor")};
    const QString n = name.toString();
    if (containers.contains(n))
        return Kind::Container;
    return kept.contains(n) ? Kind::Kept : Kind::Shape;
}

// Elements whose drawing depends on other elements or on time: cut into layers, they could
// lose what they refer to.
bool unsupported(QStringView name)
{
    static const QSet<QString> names = {
        QStringLiteral("use"), QStringLiteral("switch"), QStringLiteral("animate"), QStringLiteral("set"),
        QStringLiteral("animateMotion"), QStringLiteral("animateColor"), QStringLiteral("animateTransform"),
        QStringLiteral("foreignObject"), QStringLiteral("tref"), QStringLiteral("discard")};
    return names.contains(name.toString());
}

QRect coveredArea(const QImage &img)
{
    int top = img.height(), bottom = -1, left = img.width(), right = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

struct LayeredPicture::Data
{
    QList<Node> nodes;
    QList<Layer> layers;
    QHash<QString, int> nodeOfId;
    QSizeF defaultSize;
    // About 6 MB of layer pictures, least recently used dropped first.
    mutable QCache<QString, Piece> cache{6 * 1024};
    mutable int layerRenders = 0;

    QString fillOf(const QString &id, const QHash<QString, QString> &fills) const
    {
        auto it = fills.constFind(id);
        return it != fills.constEnd() ? *it : nodes[nodeOfId.value(id)].attributes.value(QLatin1String("fill")).toString();
    }
    QString displayOf(const QString &id, const QHash<QString, bool> &shown) const
    {
        auto it = shown.constFind(id);
        if (it != shown.constEnd())
            return *it ? QStringLiteral("inline") : QStringLiteral("none");
        return nodes[nodeOfId.value(id)].attributes.value(QLatin1String("display")).toString();
    }

    void write(QXmlStreamWriter &w, int n, const QList<bool> &keep, const QHash<QString, QString> &fills,
               const QHash<QString, bool> &shown) const
    {
        const Node &node = nodes[n];
        if (node.kind == Kind::Text) {
            w.writeCharacters(node.name);
            return;
        }
        w.writeStartElement(node.name);
        for (const auto &ns : node.namespaces) {
            if (ns.prefix().isEmpty())
                w.writeDefaultNamespace(ns.namespaceUri().toString());
            else
                w.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
        }
        const bool edited = !node.id.isEmpty() && node.kind != Kind::Kept;
        for (const auto &a : node.attributes) {
            if (edited && (a.qualifiedName() == QLatin1String("fill") || a.qualifiedName() == QLatin1String("display")))
                continue;
            w.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        }
        if (edited) {
            const QString fill = fillOf(node.id, fills), display = displayOf(node.id, shown);
            if (!fill.isEmpty())
                w.writeAttribute(QStringLiteral("fill"), fill);
            if (!display.isEmpty())
                w.writeAttribute(QStringLiteral("display"), display);
        }
        for (int c : node.children)
            if (keep[c])
                write(w, c, keep, fills, shown);
        w.writeEndElement();
    }

    QByteArray document(const Layer &layer, const QHash<QString, QString> &fills, const QHash<QString, bool> &shown) const
    {
        QList<bool> keep(nodes.size(), false);
        auto keepWithAncestors = [&](int n) {
            for (int a = n; a >= 0 && !keep[a]; a = nodes[a].parent)
                keep[a] = true;
        };
        for (int n = 0; n < nodes.size(); ++n) {
            const Node &node = nodes[n];
            const bool shape = layer.shapes.contains(n);
            if (node.kind == Kind::Kept || shape)
                keepWithAncestors(n);
            // What is inside a kept element or a shape of the layer goes with it.
            if ((node.kind == Kind::Inside || node.kind == Kind::Text) && node.parent >= 0 && keep[node.parent] &&
                nodes[node.parent].kind != Kind::Container)
                keep[n] = true;
        }
        QByteArray out;
        QXmlStreamWriter w(&out);
        if (!nodes.isEmpty())
            write(w, 0, keep, fills, shown);
        return out;
    }

    Piece *render(const Layer &layer, const QSize &pixels, const QRectF &bounds,
                  const QHash<QString, QString> &fills, const QHash<QString, bool> &shown) const
    {
        auto *piece = new Piece;
        QSvgRenderer r(document(layer, fills, shown));
        ++layerRenders;
        QImage full(pixels, QImage::Format_ARGB32_Premultiplied);
        full.fill(Qt::transparent);
        {
            QPainter p(&full);
            p.setRenderHint(QPainter::Antialiasing);
            r.render(&p, bounds);
        }
        const QRect area = coveredArea(full);
        if (!area.isEmpty()) {
            piece->image = full.copy(area);
            piece->at = area.topLeft();
        }
        return piece;
    }
};

LayeredPicture::LayeredPicture(std::unique_ptr<Data> data) : d(std::move(data)) {}

LayeredPicture::~LayeredPicture() = default;

std::unique_ptr<LayeredPicture> LayeredPicture::build(const QByteArray &svg)
{
    auto d = std::make_unique<Data>();
    QXmlStreamReader xml(svg);
    int current = -1;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (unsupported(xml.name()))
                return nullptr;
            Node node;
            node.name = xml.qualifiedName().toString();
            node.attributes = xml.attributes();
            node.namespaces = xml.namespaceDeclarations();
            node.parent = current;
            const Kind parentKind = current < 0 ? Kind::Container : d->nodes[current].kind;
            node.kind = parentKind == Kind::Container ? kindOf(xml.name()) : Kind::Inside;
            if (parentKind == Kind::Kept)
                node.kind = Kind::Kept;
            const QString id = node.attributes.value(QLatin1String("id")).toString();
            if (!id.isEmpty() && !d->nodeOfId.contains(id)) {
                node.id = id;
                d->nodeOfId.insert(id, int(d->nodes.size()));
            }
            d->nodes.append(node);
            if (current >= 0)
                d->nodes[current].children.append(int(d->nodes.size() - 1));
            current = int(d->nodes.size() - 1);
        } else if (token == QXmlStreamReader::EndElement) {
            current = current < 0 ? -1 : d->nodes[current].parent;
        } else if (token == QXmlStreamReader::Characters && current >= 0 &&
                   d->nodes[current].kind != Kind::Container && !xml.isWhitespace()) {
            Node text;
            text.kind = Kind::Text;
            text.name = xml.text().toString();
            text.parent = current;
            d->nodes.append(text);
            d->nodes[current].children.append(int(d->nodes.size() - 1));
        }
    }
    if (xml.hasError() || d->nodes.isEmpty())
        return nullptr;
    {
        QSvgRenderer whole(svg);
        if (!whole.isValid() || whole.animated())
            return nullptr;
        d->defaultSize = whole.defaultSize();
    }

    for (int n = 0; n < d->nodes.size(); ++n) {
        const Node &node = d->nodes[n];
        if (node.kind != Kind::Shape)
            continue;
        Layer layer;
        for (int a = n; a >= 0; a = d->nodes[a].parent)
            if (!d->nodes[a].id.isEmpty())
                layer.holders << d->nodes[a].id;
        layer.depends = layer.holders;
        // Ids inside the shape (a span of text) change it too.
        QList<int> inside = node.children;
        while (!inside.isEmpty()) {
            const int c = inside.takeFirst();
            if (!d->nodes[c].id.isEmpty())
                layer.depends << d->nodes[c].id;
            inside << d->nodes[c].children;
        }
        layer.depends.sort();
        layer.holders.sort();
        if (!d->layers.isEmpty() && d->layers.last().depends == layer.depends) {
            d->layers.last().shapes << n;
        } else {
            layer.shapes << n;
            d->layers.append(layer);
        }
    }
    return std::unique_ptr<LayeredPicture>(new LayeredPicture(std::move(d)));
}

bool LayeredPicture::covers(const QString &id) const
{
    auto it = d->nodeOfId.constFind(id);
    return it != d->nodeOfId.constEnd() && d->nodes[*it].kind != Kind::Kept;
}

int LayeredPicture::layerCount() const
{
    return int(d->layers.size());
}

int LayeredPicture::layerRenders() const
{
    return d->layerRenders;
}

QImage LayeredPicture::compose(const QSize &pixels, const QHash<QString, QString> &fills,
                               const QHash<QString, bool> &shown) const
{
    if (pixels.isEmpty())
        return QImage();
    QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QSizeF fitted = d->defaultSize;
    fitted.scale(QSizeF(pixels), Qt::KeepAspectRatio);
    const QRectF bounds(QPointF((pixels.width() - fitted.width()) / 2, (pixels.height() - fitted.height()) / 2), fitted);
    QPainter p(&out);
    for (int i = 0; i < d->layers.size(); ++i) {
        const Layer &layer = d->layers[i];
        if (std::any_of(layer.holders.cbegin(), layer.holders.cend(),
                        [&](const QString &id) { return d->displayOf(id, shown) == QLatin1String("none"); }))
            continue;
        QString key = QString::number(i) + QLatin1Char('|') + QString::number(pixels.width()) + QLatin1Char('x') +
                      QString::number(pixels.height());
        for (const QString &id : layer.depends)
            key += QLatin1Char('|') + d->fillOf(id, fills) + QLatin1Char('/') + d->displayOf(id, shown);
        const Piece *piece = d->cache.object(key);
        std::unique_ptr<Piece> drawn;
        if (!piece) {
            drawn.reset(d->render(layer, pixels, bounds, fills, shown));
            piece = drawn.get();
        }
        if (!piece->image.isNull())
            p.drawImage(piece->at, piece->image);
        // A layer larger than the whole cache (a page-sized print) is drawn and let go.
        const qsizetype cost = drawn ? drawn->image.sizeInBytes() / 1024 + 1 : 0;
        if (drawn && cost <= d->cache.maxCost())
            d->cache.insert(key, drawn.release(), cost);
    }
    return out;
}
