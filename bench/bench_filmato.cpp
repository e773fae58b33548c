// Figures for the movie control: sending a whole cup, rendering one, and a window of 21 cups.

#include "platform/Filmato.h"

#include "Misura.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const QString Cup = QStringLiteral(VORBELLO_SOURCE_DATA "/swf/vorbe1.swf");

void sendCup(Filmato &f, int i)
{
    static const char *const colours[] = {"00FF00", "FF0000", "0000FF", "FFFF00"};
    const QString c = QString::fromLatin1(colours[i % 4]);
    const QString v = (i & 1) ? QStringLiteral("1") : QStringLiteral("0");
    f.setBGColor(QStringLiteral("FFFFCC"));
    f.TSetProperty(QStringLiteral("cuore"), 7, v);
    for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"}) {
        f.SetVariable(QStringLiteral("QualeOggetto"), QString::fromLatin1(part));
        f.SetVariable(QStringLiteral("TestoColore.QualeColore"), c);
    }
    f.TSetProperty(QStringLiteral("fiore"), 7, v);
    f.TSetProperty(QStringLiteral("manico"), 7, v);
    f.TSetProperty(QStringLiteral("strisce"), 7, v);
    f.TSetProperty(QStringLiteral("vapore"), 7, v);
    f.TSetProperty(QStringLiteral("cucchiaino"), 7, v);
    f.TSetProperty(QStringLiteral("biscotto"), 7, QStringLiteral("0"));
}


} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Filmato one;
    if (!one.setMovie(Cup)) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(Cup));
        return 1;
    }
    const double send = medianMs([&](int i) { sendCup(one, i); }, 2001);
    QImage target(400, 400, QImage::Format_ARGB32_Premultiplied);
    const double render = medianMs(
        [&](int i) {
            sendCup(one, i); // a changed cup, so the document is really made again
            target = one.renderImage(QSize(400, 400));
        },
        101);
    const double renderSame = medianMs([&](int) { target = one.renderImage(QSize(400, 400)); }, 101);
    // Every layer drawn from the document: the first cup at a size, or after the window resized.
    const double firstAtSize = medianMs([&](int i) { target = one.renderImage(QSize(300 + i, 300 + i)); }, 31);

    const double window = medianMs(
        [&](int i) {
            std::vector<std::unique_ptr<Filmato>> cups;
            QImage sheet(7 * 120, 3 * 120, QImage::Format_ARGB32_Premultiplied);
            QPainter p(&sheet);
            for (int n = 0; n < 21; ++n) {
                cups.push_back(std::make_unique<Filmato>());
                cups.back()->setMovie(Cup);
                sendCup(*cups.back(), i + n);
                p.drawImage((n % 7) * 120, (n / 7) * 120, cups.back()->renderImage(QSize(120, 120)));
            }
        },
        21);
    std::printf("Send a whole cup (BGColor, 3 colour pairs, 7 visibility calls): %.4f ms\n", send);
    std::printf("Render one changed cup at 400x400: %.3f ms (unchanged: %.3f ms)\n", render, renderSame);
    std::printf("Render a cup at a size not drawn before: %.3f ms\n", firstAtSize);
    std::printf("Load 21 controls, send a cup to each, paint all at 120x120: %.2f ms\n", window);
    return 0;
}
