#include "platform/Filmato.h"

#include "platform/LayeredPicture.h"
#include "platform/StoredFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {

bool isRgb(const QString &s)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    return hex.match(s).hasMatch();
}

} // namespace

Filmato::Filmato(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

Filmato::~Filmato() = default;

QString Filmato::documentFor(const QString &moviePath)
{
    if (moviePath.endsWith(QLatin1String(".swf"), Qt::CaseInsensitive))
        return moviePath.left(moviePath.size() - 4) + QStringLiteral(".svg");
    return moviePath;
}

bool Filmato::isLoaded() const
{
    return m_parsed != nullptr;
}

namespace {

// Reads and checks a movie file once, however many controls show it.
std::shared_ptr<const Filmato::Parsed> parseMovie(const QString &path)
{
    using Parsed = Filmato::Parsed;
    const QFileInfo info(path);
    const QString key = path + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|') +
                        QString::number(info.lastModified().toMSecsSinceEpoch());
    static QHash<QString, std::weak_ptr<const Parsed>> cache;
    if (auto hit = cache.value(key).lock())
        return hit;

    auto movie = std::make_shared<Parsed>();
    // Our pictures are tens of kilobytes.
    if (!StoredFile::read(path, 64 * 1024 * 1024, &movie->source) || movie->source.isEmpty())
        return nullptr;

    // Know the ids before accepting the document, so that a broken file changes nothing; and
    // make the template the edited documents are cut from, so an edit costs no XML rewriting.
    const QString text = QString::fromUtf8(movie->source);
    qsizetype copied = 0;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString id = xml.attributes().value(QLatin1String("id")).toString();
        if (id.isEmpty() || movie->elements.contains(id))
            continue;
        Filmato::Element e;
        e.group = xml.name() == QLatin1String("g");
        static const QRegularExpression frame(QStringLiteral("^frame[0-9]+$"));
        e.frame = e.group && frame.match(id).hasMatch();
        movie->elements.insert(id, e);

        const qsizetype end = qsizetype(xml.characterOffset());
        const qsizetype start = text.lastIndexOf(QLatin1Char('<'), end - 1);
        if (start < copied || end > text.size())
            return nullptr;
        QString tag = text.mid(start, end - start);
        Filmato::Slot slot;
        slot.id = id;
        static const QRegularExpression attr(
            QStringLiteral("\\s(fill|display)\\s*=\\s*(\"[^\"]*\"|'[^']*')"));
        for (auto m = attr.match(tag); m.hasMatch(); m = attr.match(tag)) {
            const QString value = m.captured(2).mid(1, m.captured(2).size() - 2);
            (m.captured(1) == QLatin1String("fill") ? slot.fill : slot.display) = value;
            tag.remove(m.capturedStart(), m.capturedLength());
        }
        movie->templ += QStringView(text).sliced(copied, start - copied);
        slot.at = movie->templ.size() + 1 + xml.qualifiedName().size();
        movie->templ += tag;
        movie->slots.append(slot);
        copied = end;
    }
    if (xml.hasError())
        return nullptr;
    movie->templ += QStringView(text).sliced(copied);
    QSvgRenderer check;
    if (!check.load(movie->source))
        return nullptr;
    movie->animated = check.animated();
    if (!movie->animated)
        movie->layers = LayeredPicture::build(movie->source);
    cache.insert(key, movie);
    return movie;
}

} // namespace

bool Filmato::setMovie(const QString &hostPath)
{
    QString path = documentFor(hostPath);
    if (!QFileInfo(path).isFile()) {
        // Movie names are case-insensitive, as on Windows.
        const QFileInfo fi(path);
        const QStringList found = fi.dir().entryList({fi.fileName()}, QDir::Files);
        if (found.isEmpty())
            return false;
        path = fi.dir().filePath(found.first());
    }
    auto movie = parseMovie(path);
    if (!movie)
        return false;
    // The picture is made at the first paint, once the window has sent its edits.
    delete m_renderer;
    m_renderer = nullptr;
    m_movie = path;
    m_parsed = std::move(movie);
    m_fills.clear();
    m_shown.clear();
    m_selected.clear();
    m_dirty = true;
    m_layersStale = true;
    m_drawingStale = true;
    update();
    return true;
}

bool Filmato::GotoFrame(int frame)
{
    const QString id = QStringLiteral("frame") + QString::number(frame);
    if (!isLoaded())
        return false;
    // Frame 0 need not be drawn as a layer of its own: it is the picture as it stands.
    if (!m_parsed->elements.contains(id) && frame != 0)
        return false;
    for (auto it = m_parsed->elements.cbegin(); it != m_parsed->elements.cend(); ++it) {
        if (it->frame)
            m_shown.insert(it.key(), it.key() == id);
    }
    touch();
    return true;
}

bool Filmato::setBGColor(const QString &rrggbb)
{
    if (!isRgb(rrggbb))
        return false;
    m_background = QColor(QLatin1Char('#') + rrggbb);
    update();
    return true;
}

QString Filmato::BGColor() const
{
    return m_background.isValid() ? m_background.name().mid(1).toUpper() : QString();
}

bool Filmato::SetVariable(const QString &name, const QString &value)
{
    if (!isLoaded())
        return false;
    if (name == QLatin1String("QualeOggetto")) {
        if (!m_parsed->elements.contains(value))
            return false;
        m_selected = value;
        return true;
    }
    if (name == QLatin1String("TestoColore.QualeColore")) {
        if (m_selected.isEmpty() || !isRgb(value))
            return false;
        const QString fill = QLatin1Char('#') + value.toLower();
        if (m_fills.value(m_selected) != fill) {
            m_fills.insert(m_selected, fill);
            touch();
        }
        return true;
    }
    return false;
}

QString Filmato::clipId(const QString &target) const
{
    if (m_parsed->elements.contains(target))
        return target;
    if (m_clipNames) {
        auto it = m_clipNames->constFind(target.trimmed().toLower());
        if (it != m_clipNames->constEnd() && m_parsed->elements.contains(*it))
            return *it;
    }
    return QString();
}

bool Filmato::TSetProperty(const QString &target, int property, const QString &value)
{
    if (!isLoaded() || property != 7 || (value != QLatin1String("0") && value != QLatin1String("1")))
        return false;
    const QString id = clipId(target);
    if (id.isEmpty())
        return false;
    const bool show = value == QLatin1String("1");
    if (!m_shown.contains(id) || m_shown.value(id) != show) {
        m_shown.insert(id, show);
        touch();
    }
    return true;
}

void Filmato::touch()
{
    m_dirty = true;
    m_layersStale = true;
    m_drawingStale = true;
    update();
}

QByteArray Filmato::document() const
{
    if (!m_parsed)
        return QByteArray();
    if (m_fills.isEmpty() && m_shown.isEmpty())
        return m_parsed->source;
    const QString &templ = m_parsed->templ;
    QString out;
    out.reserve(templ.size() + 32 * m_parsed->slots.size());
    qsizetype copied = 0;
    for (const Slot &slot : m_parsed->slots) {
        out += QStringView(templ).sliced(copied, slot.at - copied);
        copied = slot.at;
        const QString fill = m_fills.value(slot.id, slot.fill);
        if (!fill.isEmpty())
            out += QStringLiteral(" fill=\"") + fill + QLatin1Char('"');
        const auto shown = m_shown.constFind(slot.id);
        const QString display = shown == m_shown.constEnd()
                                    ? slot.display
                                    : (*shown ? QStringLiteral("inline") : QStringLiteral("none"));
        if (!display.isEmpty())
            out += QStringLiteral(" display=\"") + display + QLatin1Char('"');
    }
    out += QStringView(templ).sliced(copied);
    return out.toUtf8();
}

void Filmato::prepareRenderer()
{
    if (!m_dirty || !m_parsed)
        return;
    m_dirty = false;
    if (!m_renderer) {
        m_renderer = new QSvgRenderer(this);
        connect(m_renderer, &QSvgRenderer::repaintNeeded, this, [this] {
            if (isVisible())
                update();
        });
    }
    {
        // Loading announces a repaint; we are painting already.
        const QSignalBlocker quiet(m_renderer);
        m_renderer->load(document());
    }
    if (!isVisible())
        m_renderer->setFramesPerSecond(0);
    ++m_renders;
}

bool Filmato::byLayers(const QSizeF &pixels) const
{
    // Page-sized pictures (a print) are rare and would only fill the layers' cache.
    if (!m_parsed || !m_parsed->layers || pixels.width() * pixels.height() > 1024.0 * 1024.0)
        return false;
    const auto covered = [this](const QString &id) { return m_parsed->layers->covers(id); };
    const QList<QString> filled = m_fills.keys(), shown = m_shown.keys();
    return std::all_of(filled.cbegin(), filled.cend(), covered) && std::all_of(shown.cbegin(), shown.cend(), covered);
}

void Filmato::paintInto(QPainter &p, const QRectF &target)
{
    if (m_background.isValid())
        p.fillRect(target, m_background);
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QSizeF pixels = target.size() * dpr;
    if (byLayers(pixels)) {
        if (m_layersStale) {
            m_layersStale = false;
            ++m_renders;
        }
        QImage picture = m_parsed->layers->compose(pixels.toSize(), m_fills, m_shown);
        picture.setDevicePixelRatio(dpr);
        p.drawImage(target.topLeft(), picture);
        return;
    }
    prepareRenderer();
    if (!m_renderer)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    QSizeF size = m_renderer->defaultSize();
    size.scale(target.size(), Qt::KeepAspectRatio);
    m_renderer->render(&p, QRectF(target.topLeft() + QPointF((target.width() - size.width()) / 2,
                                                             (target.height() - size.height()) / 2),
                                  size));
}

QImage Filmato::renderImage(const QSize &size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    paintInto(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

void Filmato::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_parsed && m_parsed->animated) {
        paintInto(p, rect());
        return;
    }
    // A still picture is drawn once per change and size; other repaints (a frame moving over
    // it, the window uncovered) copy the drawing.
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (m_drawingStale || m_drawing.size() != pixels || m_drawnBackground != m_background) {
        m_drawing = QPixmap(pixels);
        m_drawing.setDevicePixelRatio(dpr);
        m_drawing.fill(Qt::transparent);
        QPainter into(&m_drawing);
        paintInto(into, QRectF(QPointF(0, 0), QSizeF(size())));
        m_drawnBackground = m_background;
        m_drawingStale = false;
    }
    p.drawPixmap(0, 0, m_drawing);
}

void Filmato::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT FSCommand(QStringLiteral("click"), QString());
    QWidget::mouseReleaseEvent(event);
}

void Filmato::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_renderer && m_renderer->animated())
        m_renderer->setFramesPerSecond(30);
}

void Filmato::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // A hidden control costs nothing: no animation ticks.
    if (m_renderer)
        m_renderer->setFramesPerSecond(0);
}
