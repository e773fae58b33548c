// Renders the cup movies and animations to PNG files for review, through the program's own movie
// control and the same calls the windows make, so a drawing that only works in a browser but
// not in Qt SVG is caught before it ships.
//
//   render_movies <data folder> <output folder>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextStream>
#include <QThread>

#include "platform/Filmato.h"

#include <cmath>
#include <cstdio>

namespace {

QString readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

QImage render(QSvgRenderer &r, int size, const QColor &bg)
{
    const QSizeF def = r.viewBoxF().size();
    const double scale = size / std::max(def.width(), def.height());
    QImage img(int(std::lround(def.width() * scale)), int(std::lround(def.height() * scale)),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(bg);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    return img;
}

struct CupCase
{
    const char *name;
    const char *colour;
    QStringList shown;
    bool handle;
    bool frame1;
};

double meanLuminance(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            sum += 0.2126 * qRed(line[x]) + 0.7152 * qGreen(line[x]) + 0.0722 * qBlue(line[x]);
    }
    return sum / (255.0 * img.width() * img.height());
}

// Fraction of pixels whose luminance moved by more than 10% between two frames: a large
// fraction changing back and forth quickly is what makes a flash.
double changedFraction(const QImage &a, const QImage &b)
{
    long changed = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *la = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *lb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const auto lum = [](QRgb c) {
                return (0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c)) / 255.0;
            };
            if (std::abs(lum(la[x]) - lum(lb[x])) > 0.1)
                ++changed;
        }
    }
    return double(changed) / (double(a.width()) * a.height());
}

void sheet(const QList<QImage> &frames, int columns, const QString &out)
{
    if (frames.isEmpty())
        return;
    const int w = frames.first().width(), h = frames.first().height();
    const int rows = int((frames.size() + columns - 1) / columns);
    QImage img(columns * w, rows * h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    for (int i = 0; i < frames.size(); ++i)
        p.drawImage((i % columns) * w, (i / columns) * h, frames[i]);
    p.setPen(QColor(0, 0, 0, 60));
    for (int c = 1; c < columns; ++c)
        p.drawLine(c * w, 0, c * w, img.height());
    for (int r = 1; r < rows; ++r)
        p.drawLine(0, r * h, img.width(), r * h);
    p.end();
    img.save(out);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_movies <data folder> <output folder>\n");
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    int failures = 0;
    const QColor bg(0xF4, 0xEF, 0xE6);

    // The exercise cup: the colours a teacher is likely to pick, with every decoration.
    const QString cup = data.filePath(QStringLiteral("swf/vorbe1.swf"));
    const QStringList all = {"cuore", "fiore", "strisce", "vapore", "cucchiaino"};
    const QList<CupCase> cases = {
        {"plain-white", "FFFFFF", {}, true, false},
        {"plain-red", "FF0000", {}, false, false},
        {"all-white", "FFFFFF", all, true, false},
        {"all-black", "000000", all, true, false},
        {"all-red", "FF0000", all, true, false},
        {"all-green", "00FF00", all, true, false},
        {"all-blue", "0000FF", all, true, false},
        {"all-yellow", "FFFF00", all, true, false},
        {"biscuit-pink", "FF99CC", {"cuore", "biscotto", "vapore"}, true, false},
        {"biscuit-orange", "FF8000", {"fiore", "strisce", "biscotto"}, false, false},
        {"pointer-lightblue", "66CCFF", {"cuore"}, true, true},
    };
    const QStringList clips = {"cuore", "fiore", "strisce", "vapore", "cucchiaino", "biscotto"};
    QList<QImage> small;
    for (const CupCase &c : cases) {
        Filmato f;
        bool ok = f.setMovie(cup) && f.GotoFrame(c.frame1 ? 1 : 0) &&
                  f.setBGColor(QStringLiteral("F4EFE6"));
        for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"})
            ok = ok && f.SetVariable(QStringLiteral("QualeOggetto"), QString::fromLatin1(part)) &&
                 f.SetVariable(QStringLiteral("TestoColore.QualeColore"), QLatin1String(c.colour));
        for (const QString &clip : clips)
            ok = ok && f.TSetProperty(clip, 7, c.shown.contains(clip) ? QStringLiteral("1")
                                                                        : QStringLiteral("0"));
        ok = ok && f.TSetProperty(QStringLiteral("manico"), 7,
                                  c.handle ? QStringLiteral("1") : QStringLiteral("0"));
        if (!ok) {
            std::fprintf(stderr, "cup case %s: a call failed\n", c.name);
            ++failures;
        }
        for (int size : {120, 600})
            if (!f.renderImage(QSize(size, size))
                     .save(out.filePath(QStringLiteral("cup-%1-%2.png").arg(QLatin1String(c.name)).arg(size))))
                ++failures;
        small << f.renderImage(QSize(120, 120));
    }
    sheet(small, 6, out.filePath(QStringLiteral("cups-120-sheet.png")));

    // Every combination of decorations in each of the four default colours, at 120 px: one
    // sheet per colour, a row per saucer choice and handle, a column per body decoration set.
    for (const char *colour : {"00FF00", "FF0000", "0000FF", "FFFF00"}) {
        QList<QImage> combos;
        for (int saucer = 0; saucer < 3; ++saucer)
            for (int handle = 0; handle < 2; ++handle)
                for (int body = 0; body < 16; ++body) {
                    Filmato f;
                    bool ok = f.setMovie(cup) && f.setBGColor(QStringLiteral("FFFFCC"));
                    for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"})
                        ok = ok &&
                             f.SetVariable(QStringLiteral("QualeOggetto"), QString::fromLatin1(part)) &&
                             f.SetVariable(QStringLiteral("TestoColore.QualeColore"), QLatin1String(colour));
                    const char *bodyClips[] = {"cuore", "fiore", "strisce", "vapore"};
                    for (int b = 0; b < 4; ++b)
                        ok = ok && f.TSetProperty(QString::fromLatin1(bodyClips[b]), 7,
                                                  (body >> b) & 1 ? QStringLiteral("1") : QStringLiteral("0"));
                    ok = ok && f.TSetProperty(QStringLiteral("manico"), 7, handle ? QStringLiteral("1") : QStringLiteral("0")) &&
                         f.TSetProperty(QStringLiteral("cucchiaino"), 7, saucer == 1 ? QStringLiteral("1") : QStringLiteral("0")) &&
                         f.TSetProperty(QStringLiteral("biscotto"), 7, saucer == 2 ? QStringLiteral("1") : QStringLiteral("0"));
                    if (!ok)
                        ++failures;
                    combos << f.renderImage(QSize(120, 120));
                    if (body == 15 && handle == 1 && saucer > 0)
                        f.renderImage(QSize(600, 600)).save(out.filePath(
                            QStringLiteral("cup-%1-all-saucer%2-600.png").arg(QLatin1String(colour)).arg(saucer)));
                }
        sheet(combos, 16, out.filePath(QStringLiteral("combinations-%1-120.png").arg(QLatin1String(colour))));
    }

    // The preview: four cups, each painted on its own.
    Filmato preview;
    if (!preview.setMovie(data.filePath(QStringLiteral("swf/vorbe.swf"))))
        ++failures;
    const char *previewColours[] = {"FF0000", "00FF00", "0000FF", "FFFF00"};
    for (int n = 1; n <= 4; ++n)
        if (!preview.SetVariable(QStringLiteral("QualeOggetto"), QStringLiteral("tazza%1.interno").arg(n)) ||
            !preview.SetVariable(QStringLiteral("TestoColore.QualeColore"), QLatin1String(previewColours[n - 1]))) {
            std::fprintf(stderr, "preview: tazza%d.interno missing\n", n);
            ++failures;
        }
    preview.renderImage(QSize(1200, 240)).save(out.filePath(QStringLiteral("preview-1200.png")));

    // Animations: sample each in real time, since Qt SVG plays SMIL against the wall clock.
    QStringList animations;
    for (int n = 1; n <= 6; ++n)
        animations << data.filePath(QStringLiteral("animazioni/%1.svg").arg(n));
    animations << data.filePath(QStringLiteral("swf/pagliaccio0.svg"));
    for (const QString &path : animations) {
        const QString base = QFileInfo(path).completeBaseName();
        QSvgRenderer r(readFile(path).toUtf8());
        if (!r.isValid()) {
            std::fprintf(stderr, "invalid SVG %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        if (!r.animated())
            std::fprintf(stderr, "%s: not animated\n", qPrintable(base));
        QList<QImage> frames, review;
        QElapsedTimer clock;
        clock.start();
        const int stepMs = 100, totalMs = 6000;
        for (int t = 0; t <= totalMs; t += stepMs) {
            while (clock.elapsed() < t)
                QThread::msleep(5);
            frames << render(r, 160, bg);
            if (t % 500 == 0 && t < totalMs)
                review << render(r, 240, bg);
        }
        double maxMeanStep = 0, maxChanged = 0;
        for (int i = 1; i < frames.size(); ++i) {
            maxMeanStep = std::max(maxMeanStep, std::abs(meanLuminance(frames[i]) -
                                                         meanLuminance(frames[i - 1])));
            maxChanged = std::max(maxChanged, changedFraction(frames[i - 1], frames[i]));
        }
        std::printf("%-12s mean-luminance step max %.3f, pixels changed >10%% per 100 ms max "
                    "%.1f%%\n",
                    qPrintable(base), maxMeanStep, 100 * maxChanged);
        sheet(review, 4, out.filePath(base + QStringLiteral("-sheet.png")));
        render(r, 600, bg).save(out.filePath(base + QStringLiteral("-600.png")));
    }
    return failures == 0 ? 0 : 1;
}
