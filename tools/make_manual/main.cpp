// Renders a Markdown text to an A4 PDF with numbered pages: the program's manual and its
// credits are written as Markdown and shipped as PDFs beside the executable.
//
//   make_manual in.md out.pdf
//
// Runs headless (QT_QPA_PLATFORM=offscreen). Pictures are found relative to the Markdown file.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int Dpi = 300;
constexpr qreal CorpoPunti = 10.5;
const QColor ColoreTitoli(0x4a, 0x1d, 0x5e); // the start window's title colour
const QColor ColorePiede(0x70, 0x70, 0x70);

int errore(const char *fmt, const QString &arg)
{
    std::fprintf(stderr, "make_manual: ");
    std::fprintf(stderr, fmt, qPrintable(arg));
    std::fprintf(stderr, "\n");
    return 1;
}

// Lengths in the document's formats are screen pixels, which the layout scales to the PDF's
// resolution; lengths drawn by the painter are the PDF's own pixels.
qreal mmSchermo(qreal mm)
{
    return mm / 25.4 * 96;
}

qreal mmPdf(qreal mm)
{
    return mm / 25.4 * Dpi;
}

QString titoloDi(const QTextDocument &doc)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().headingLevel() == 1)
            return b.text().trimmed();
    return QString();
}

// Headings in the program's colour with room above them; body text a little more open than
// the default, which is set for screens rather than paper.
void stile(QTextDocument &doc)
{
    QTextCursor c(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        c.setPosition(b.position());
        QTextBlockFormat bf = b.blockFormat();
        const int livello = bf.headingLevel();
        if (livello > 0) {
            bf.setTopMargin(mmSchermo(livello == 1 ? 0 : livello == 2 ? 6 : 3.5));
            bf.setBottomMargin(mmSchermo(livello == 1 ? 4 : 2));
            c.setBlockFormat(bf);
            c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat cf;
            cf.setForeground(ColoreTitoli);
            c.mergeCharFormat(cf);
        } else if (c.currentTable()) {
            bf.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
            c.setBlockFormat(bf);
        } else {
            // List items sit close together; the last one, like a paragraph, leaves a gap.
            const bool ultimo = !b.textList() || !b.next().isValid() || !b.next().textList();
            bf.setLineHeight(118, QTextBlockFormat::ProportionalHeight);
            bf.setTopMargin(0);
            bf.setBottomMargin(mmSchermo(ultimo ? 2.2 : 0.8));
            c.setBlockFormat(bf);
        }
    }
    for (QTextFrame *f : doc.rootFrame()->childFrames()) {
        if (auto *t = qobject_cast<QTextTable *>(f)) {
            QTextTableFormat tf = t->format();
            tf.setCellPadding(mmSchermo(1.2));
            tf.setCellSpacing(0);
            tf.setBorder(1);
            tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            tf.setBorderBrush(QColor(0xa0, 0xa0, 0xa0));
            tf.setBorderCollapse(true);
            tf.setTopMargin(mmSchermo(1));
            tf.setBottomMargin(mmSchermo(3));
            t->setFormat(tf);
            for (int col = 0; col < t->columns(); ++col) {
                QTextTableCell cella = t->cellAt(0, col);
                QTextCharFormat cf = cella.format();
                cf.setBackground(QColor(0xf1, 0xea, 0xf4));
                cella.setFormat(cf);
            }
        }
    }
}

// A picture keeps the size it has on a screen, but never runs past the text's width. Sizes
// are in screen pixels: the layout scales them to the printer's resolution itself.
void adattaFigure(QTextDocument &doc, qreal larghezzaMassima)
{
    QTextCursor c(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid() || !frag.charFormat().isImageFormat())
                continue;
            QTextImageFormat img = frag.charFormat().toImageFormat();
            const QUrl url(img.name());
            const QImage immagine =
                doc.resource(QTextDocument::ImageResource, url).value<QImage>();
            if (immagine.isNull()) {
                std::fprintf(stderr, "make_manual: picture not found: %s\n",
                             qPrintable(img.name()));
                continue;
            }
            qreal w = immagine.width();
            qreal h = immagine.height();
            if (w > larghezzaMassima) {
                h *= larghezzaMassima / w;
                w = larghezzaMassima;
            }
            img.setWidth(w);
            img.setHeight(h);
            c.setPosition(frag.position());
            c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            c.setCharFormat(img);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_manual in.md out.pdf\n");
        return 2;
    }
    const QString in = args.at(1);
    const QString out = args.at(2);

    QFile sorgente(in);
    if (!sorgente.open(QIODevice::ReadOnly))
        return errore("cannot read %s", in);
    const QString testo = QString::fromUtf8(sorgente.readAll());

    if (!QDir().mkpath(QFileInfo(out).absolutePath()))
        return errore("cannot create the folder of %s", out);
    // Written aside and put in place at the end: a failed run leaves no half PDF that a later
    // build would take as up to date.
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly))
        return errore("cannot write %s", out);

    QPdfWriter writer(&file);
    writer.setResolution(Dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(22, 20, 22, 14), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("make_manual"));

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDocumentMargin(0);
    doc.setUseDesignMetrics(true);
    QFont corpo(QStringLiteral("DejaVu Sans"));
    corpo.setPointSizeF(CorpoPunti);
    doc.setDefaultFont(corpo);
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(in).absolutePath() + QLatin1Char('/')));
    doc.setMarkdown(testo, QTextDocument::MarkdownDialectGitHub);

    const QRectF area = writer.pageLayout().paintRectPixels(Dpi);
    const qreal piede = mmPdf(10);
    const QSizeF pagina(area.width(), area.height() - piede);
    stile(doc);
    adattaFigure(doc, pagina.width() * 96 / Dpi);
    doc.setPageSize(pagina);

    const QString titolo = titoloDi(doc);
    writer.setTitle(titolo.isEmpty() ? QFileInfo(in).completeBaseName() : titolo);

    QPainter p;
    if (!p.begin(&writer))
        return errore("cannot paint on %s", out);
    QFont fontPiede(corpo);
    fontPiede.setPointSizeF(8.5);
    const int pagine = doc.pageCount();
    for (int i = 0; i < pagine; ++i) {
        if (i > 0)
            writer.newPage();
        const QRectF vista(0, i * pagina.height(), pagina.width(), pagina.height());
        p.save();
        p.setClipRect(QRectF(QPointF(0, 0), pagina));
        p.translate(0, -vista.top());
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = vista;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&p, ctx);
        p.restore();

        const QRectF riga(0, pagina.height() + piede * 0.35, pagina.width(), piede * 0.65);
        p.setPen(QPen(ColorePiede, mmPdf(0.15)));
        p.drawLine(riga.topLeft(), riga.topRight());
        p.setFont(fontPiede);
        p.drawText(riga, Qt::AlignLeft | Qt::AlignBottom, titolo);
        p.drawText(riga, Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("%1 / %2").arg(i + 1).arg(pagine));
    }
    if (!p.end())
        return errore("cannot finish %s", out);
    if (!file.commit())
        return errore("cannot write %s", out);
    return 0;
}
