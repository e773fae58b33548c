#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/Modulo1.h"
#include "core/NomiClip.h"
#include "exercises/Tazza.h"
#include "platform/Filmato.h"

#include <QPainter>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>

namespace {

const QString Cup = QStringLiteral(VORBELLO_SOURCE_DATA "/swf/vorbe1.swf");

// id -> (fill, display) of every element with an id.
QHash<QString, QPair<QString, QString>> elements(const QByteArray &doc)
{
    QHash<QString, QPair<QString, QString>> out;
    QXmlStreamReader xml(doc);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            const auto a = xml.attributes();
            const QString id = a.value(QLatin1String("id")).toString();
            if (!id.isEmpty())
                out.insert(id, {a.value(QLatin1String("fill")).toString(),
                                a.value(QLatin1String("display")).toString()});
        }
    }
    return out;
}

// The calls an exercise window makes to show one cup.
bool sendCup(Filmato &f, const QString &colour, bool all)
{
    const QString v = all ? QStringLiteral("1") : QStringLiteral("0");
    bool ok = f.setBGColor(QStringLiteral("FFFFCC")) && f.TSetProperty(QStringLiteral("biscotto"), 7, QStringLiteral("0"));
    for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"})
        ok = ok && f.SetVariable(QStringLiteral("QualeOggetto"), QString::fromLatin1(part)) &&
             f.SetVariable(QStringLiteral("TestoColore.QualeColore"), colour);
    for (const char *clip : {"cuore", "fiore", "manico", "strisce", "vapore", "cucchiaino"})
        ok = ok && f.TSetProperty(QString::fromLatin1(clip), 7, v);
    return ok;
}

// A call on the movie, given a scratch folder; true when the movie accepted it.
using Call = std::function<bool(Filmato &, const QString &)>;

} // namespace

Q_DECLARE_METATYPE(Call)

class TestFilmato : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // The exercises' seven features land on the right parts of the picture, in each language
    // (decorations are asked for by their language names); each cup shown over the last, so
    // every decoration is both shown and hidden again.
    void cupFeatures_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Italiano") << QStringLiteral("Italiano");
        QTest::newRow("English") << QStringLiteral("English");
    }
    void cupFeatures()
    {
        QFETCH(QString, language);
        AppState state(Paths(QDir::tempPath(), QStringLiteral(VORBELLO_SOURCE_DATA)));
        state.LinguaCorrente = language;
        CaricaFrasi(state);
        CaricaNomiClip(state);
        Filmato f;
        f.setClipNames(&state.NomiClip);
        QVERIFY(f.setMovie(Cup));
        const QList<Attributi> cups = {{0, 0, 1, 0, 0, 0, 0, 0}, {0, 1, 4, 1, 1, 1, 1, 1},
                                       {0, 1, 2, 0, 1, 0, 1, 2}, {0, 0, 3, 1, 0, 1, 0, 0}};
        for (const Attributi &a : cups) {
            QVERIFY(Tazza::mostra(f, state, a));
            const auto e = elements(f.document());
            const auto shown = [&](const char *id) { return e.value(QString::fromLatin1(id)).second == QLatin1String("inline"); };
            const QList<bool> clips{shown("cuore"), shown("fiore"), shown("manico"), shown("strisce"),
                                    shown("vapore"), shown("cucchiaino"), shown("biscotto")};
            QCOMPARE(clips, (QList<bool>{a[1] == 1, a[3] == 1, a[4] == 1, a[5] == 1, a[6] == 1, a[7] == 1, a[7] == 2}));
            const QString fill = QLatin1Char('#') + state.profilo.TabellaColori[a[2]][0].toLower();
            for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"})
                QCOMPARE(e.value(QString::fromLatin1(part)).first, fill);
        }
        // No movie: the first call fails and the showing stops.
        Filmato empty;
        QVERIFY(!Tazza::mostra(empty, state, cups[0]));
    }

    void failuresChangeNothing_data()
    {
        QTest::addColumn<Call>("call");
        const auto row = [](const char *name, const Call &call) { QTest::newRow(name) << call; };
        const QString part = QStringLiteral("QualeOggetto"), colour = QStringLiteral("TestoColore.QualeColore");
        row("unknown part", [=](Filmato &f, const QString &) { return f.SetVariable(part, QStringLiteral("teiera")); });
        row("bad colour", [=](Filmato &f, const QString &) {
            return f.SetVariable(part, QStringLiteral("tazza.interno")) && f.SetVariable(colour, QStringLiteral("GG0000"));
        });
        row("missing movie file", [](Filmato &f, const QString &dir) { return f.setMovie(dir + QStringLiteral("/manca.swf")); });
    }
    // A call that cannot be carried out fails and changes nothing.
    void failuresChangeNothing()
    {
        QFETCH(Call, call);
        QTemporaryDir dir;
        Filmato f;
        QVERIFY(f.setMovie(Cup));
        QVERIFY(f.setBGColor(QStringLiteral("112233")));
        const QByteArray before = f.document();
        QVERIFY(!call(f, dir.path()));
        QCOMPARE(f.document(), before);
        QCOMPARE(f.BGColor(), QStringLiteral("112233"));
        QCOMPARE(f.Movie(), Filmato::documentFor(Cup));
    }

    void rewardShowsWholeCup_data()
    {
        QTest::addColumn<int>("premio");
        QTest::addColumn<QSize>("area");
        // The reward's place in the true-or-false window filling an 800 × 600 and a 1280 × 720
        // screen.
        for (int n : {1, 3, 4, 5}) {
            QTest::addRow("%d at 4:3", n) << n << QSize(400, 305);
            QTest::addRow("%d at 16:9", n) << n << QSize(640, 366);
        }
    }
    // A reward's cup, saucer included, lies wholly in what the movie control shows: the picture
    // fitted to the control and centred.
    void rewardShowsWholeCup()
    {
        QFETCH(int, premio);
        QFETCH(QSize, area);
        QSvgRenderer r(QStringLiteral(VORBELLO_SOURCE_DATA "/animazioni/%1.svg").arg(premio));
        QVERIFY(r.elementExists(QStringLiteral("tazza")));
        const QRectF box = r.viewBoxF();
        const qreal scale = std::min(area.width() / box.width(), area.height() / box.height());
        QRectF visible(QPointF(), QSizeF(area) / scale);
        visible.moveCenter(box.center());
        const QRectF cup = r.transformForElement(QStringLiteral("tazza"))
                               .mapRect(r.boundsOnElement(QStringLiteral("tazza")));
        QVERIFY2(visible.contains(cup), qPrintable(QStringLiteral("cup %1,%2 to %3,%4")
                                                       .arg(cup.left()).arg(cup.top())
                                                       .arg(cup.right()).arg(cup.bottom())));
    }

    // A click on the picture is reported to the window.
    void clickRaisesFSCommand()
    {
        Filmato f;
        QVERIFY(f.setMovie(Cup));
        f.resize(200, 200);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QSignalSpy spy(&f, &Filmato::FSCommand);
        QTest::mouseClick(&f, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(spy.count(), 1);
        QTest::mouseClick(&f, Qt::RightButton, {}, QPoint(100, 100));
        QCOMPARE(spy.count(), 1);
    }

    // The picture composed from cached layers is the one the whole document gives, to
    // rounding: the cup in every colour and decoration, and the other still picture, at two
    // sizes. (The clown is animated: it is drawn whole.)
    void layersDrawTheDocument()
    {
        const QList<QPair<QString, bool>> cups = {{QStringLiteral("FF0000"), false}, {QStringLiteral("0000FF"), true},
                                                  {QStringLiteral("FFFF00"), true}, {QStringLiteral("00FF00"), false}};
        for (const char *movie : {"vorbe1", "vorbe"}) {
            Filmato f;
            QVERIFY(f.setMovie(QStringLiteral(VORBELLO_SOURCE_DATA "/swf/%1.swf").arg(QLatin1String(movie))));
            const bool cup = movie == QLatin1String("vorbe1");
            for (const QSize size : {QSize(120, 120), QSize(400, 300)}) {
                for (const auto &[colour, all] : cups) {
                    if (cup) {
                        QVERIFY(sendCup(f, colour, all));
                        QVERIFY(f.TSetProperty(QStringLiteral("biscotto"), 7, all ? QStringLiteral("0") : QStringLiteral("1")));
                    } else {
                        QVERIFY(f.setBGColor(QStringLiteral("FFFFCC")));
                    }
                    const QImage layered = f.renderImage(size);
                    QImage whole(size, QImage::Format_ARGB32_Premultiplied);
                    whole.fill(QColor(0xFF, 0xFF, 0xCC));
                    QPainter p(&whole);
                    p.setRenderHint(QPainter::Antialiasing);
                    QSvgRenderer r(f.document());
                    QSizeF fitted = r.defaultSize();
                    fitted.scale(QSizeF(size), Qt::KeepAspectRatio);
                    r.render(&p, QRectF(QPointF((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted));
                    p.end();
                    int worst = 0;
                    for (int y = 0; y < size.height(); ++y)
                        for (int x = 0; x < size.width(); ++x) {
                            const QRgb a = layered.pixel(x, y), b = whole.pixel(x, y);
                            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                              std::abs(qBlue(a) - qBlue(b))});
                        }
                    QVERIFY2(worst <= 2, qPrintable(QStringLiteral("%1 %2 at %3x%4: %5").arg(QLatin1String(movie), colour)
                                                        .arg(size.width()).arg(size.height()).arg(worst)));
                }
            }
        }
    }

    // Many edits cost one render, at the next paint; the picture shows the last state.
    void oneRenderForManyEdits()
    {
        Filmato f;
        QVERIFY(f.setMovie(Cup));
        f.resize(200, 200);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QImage red = (sendCup(f, QStringLiteral("FF0000"), false), f.grab().toImage());
        const int renders = f.renderCount();
        for (int i = 0; i < 10; ++i)
            QVERIFY(sendCup(f, i % 2 ? QStringLiteral("00FF00") : QStringLiteral("0000FF"), i % 2));
        QCOMPARE(f.renderCount(), renders);
        const QImage green = f.grab().toImage();
        QCOMPARE(f.renderCount(), renders + 1);
        QVERIFY(green != red);
        QCOMPARE(green.pixelColor(1, 1), QColor(0xFF, 0xFF, 0xCC)); // the background
        // What is kept of the last drawing must not hide a new background.
        QVERIFY(f.setBGColor(QStringLiteral("000000")));
        QCOMPARE(f.grab().toImage().pixelColor(1, 1), QColor(Qt::black));
        f.resize(150, 150);
        // A change drawn off screen first must still reach the screen.
        QVERIFY(sendCup(f, QStringLiteral("00FFFF"), false));
        const QImage offScreen = f.renderImage(f.size());
        QCOMPARE(f.grab().toImage().convertToFormat(QImage::Format_RGB32),
                 offScreen.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestFilmato)
#include "tst_filmato.moc"
