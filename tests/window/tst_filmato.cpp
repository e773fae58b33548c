#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/Modulo1.h"
#include "core/NomiClip.h"
#include "exercises/Tazza.h"
#include "platform/Filmato.h"

#include <QSignalSpy>
#include <QTest>
#include <QXmlStreamReader>

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
    bool ok = f.setBGColor(QStringLiteral("FFFFCC"));
    ok &= f.TSetProperty(QStringLiteral("cuore"), 7, v);
    for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"}) {
        ok &= f.SetVariable(QStringLiteral("QualeOggetto"), QString::fromLatin1(part));
        ok &= f.SetVariable(QStringLiteral("TestoColore.QualeColore"), colour);
    }
    for (const char *clip : {"fiore", "manico", "strisce", "vapore"})
        ok &= f.TSetProperty(QString::fromLatin1(clip), 7, v);
    ok &= f.TSetProperty(QStringLiteral("cucchiaino"), 7, v);
    ok &= f.TSetProperty(QStringLiteral("biscotto"), 7, QStringLiteral("0"));
    return ok;
}

} // namespace

class TestFilmato : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // A whole cup in the order the windows send it: every call is accepted and lands.
    void wholeCup()
    {
        Filmato f;
        QVERIFY(f.setMovie(Cup));
        QVERIFY(f.GotoFrame(0));
        QVERIFY(sendCup(f, QStringLiteral("FF0000"), true));
        const auto e = elements(f.document());
        QCOMPARE(e.value(QStringLiteral("tazza.interno")).first, QStringLiteral("#ff0000"));
        QCOMPARE(e.value(QStringLiteral("manico.interno")).first, QStringLiteral("#ff0000"));
        QCOMPARE(e.value(QStringLiteral("cuore")).second, QStringLiteral("inline"));
        QCOMPARE(e.value(QStringLiteral("biscotto")).second, QStringLiteral("none"));
        QCOMPARE(e.value(QStringLiteral("frame1")).second, QStringLiteral("none"));
        QCOMPARE(f.BGColor(), QStringLiteral("FFFFCC"));
    }

    // Only the part named by "QualeOggetto" takes the colour.
    void colourOnlyTheNamedPart_data()
    {
        QTest::addColumn<QString>("part");
        QTest::newRow("cup") << QStringLiteral("tazza.interno");
        QTest::newRow("saucer") << QStringLiteral("piattino.interno");
        QTest::newRow("handle") << QStringLiteral("manico.interno");
    }
    void colourOnlyTheNamedPart()
    {
        QFETCH(QString, part);
        Filmato f;
        QVERIFY(f.setMovie(Cup));
        const auto before = elements(f.document());
        QVERIFY(f.SetVariable(QStringLiteral("QualeOggetto"), part));
        QVERIFY(f.SetVariable(QStringLiteral("TestoColore.QualeColore"), QStringLiteral("12ab34")));
        const auto after = elements(f.document());
        QCOMPARE(after.size(), before.size());
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            if (it.key() == part)
                QCOMPARE(it->first, QStringLiteral("#12ab34"));
            else
                QCOMPARE(*it, before.value(it.key()));
        }
    }

    // Every decoration answers to its name in each shipped language, shown and hidden.
    void decorationsByLanguageName_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("clip");
        for (const char *lang : {"Italiano", "English"}) {
            const QList<QPair<const char *, const char *>> rows = {
                {"0012", "fiore"}, {"0014", "strisce"},    {"0016", "vapore"},
                {"0018", "cuore"}, {"0020", "cucchiaino"}, {"0021", "biscotto"}};
            for (const auto &r : rows)
                QTest::addRow("%s %s", lang, r.first) << QString::fromLatin1(lang)
                                                      << QString::fromLatin1(r.first)
                                                      << QString::fromLatin1(r.second);
        }
    }
    void decorationsByLanguageName()
    {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, clip);
        AppState state(Paths(QDir::tempPath(), QStringLiteral(VORBELLO_SOURCE_DATA)));
        CaricaNomiClip(state);
        const QString name =
            state.ini
                .LeggiIni(QStringLiteral(VORBELLO_SOURCE_DATA "/lgnvorbello/") + language + ".lng",
                          QStringLiteral("Strings"), key)
                .value_or(QString());
        QVERIFY(!name.isEmpty());
        Filmato f;
        f.setClipNames(&state.NomiClip);
        QVERIFY(f.setMovie(Cup));
        QVERIFY(f.TSetProperty(name, 7, QStringLiteral("1")));
        QCOMPARE(elements(f.document()).value(clip).second, QStringLiteral("inline"));
        QVERIFY(f.TSetProperty(name, 7, QStringLiteral("0")));
        QCOMPARE(elements(f.document()).value(clip).second, QStringLiteral("none"));
    }

    // The exercises' seven features land on the right parts of the picture, in each language
    // (decorations are asked for by their language names).
    void cupFeatures_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QList<int>>("features"); // 1..7
        for (const char *lang : {"Italiano", "English"}) {
            QTest::addRow("%s bare", lang) << QString::fromLatin1(lang) << QList<int>{0, 1, 0, 0, 0, 0, 0};
            QTest::addRow("%s all, teaspoon", lang) << QString::fromLatin1(lang) << QList<int>{1, 4, 1, 1, 1, 1, 1};
            QTest::addRow("%s mixed, biscuit", lang) << QString::fromLatin1(lang) << QList<int>{1, 2, 0, 1, 0, 1, 2};
            QTest::addRow("%s mixed, empty", lang) << QString::fromLatin1(lang) << QList<int>{0, 3, 1, 0, 1, 0, 0};
        }
    }
    void cupFeatures()
    {
        QFETCH(QString, language);
        QFETCH(QList<int>, features);
        AppState state(Paths(QDir::tempPath(), QStringLiteral(VORBELLO_SOURCE_DATA)));
        state.LinguaCorrente = language;
        CaricaFrasi(state);
        CaricaNomiClip(state);
        Attributi a{};
        for (int k = 1; k <= 7; ++k)
            a[k] = features[k - 1];
        Filmato f;
        f.setClipNames(&state.NomiClip);
        QVERIFY(f.setMovie(Cup));
        QVERIFY(Tazza::mostra(f, state, a));
        const auto e = elements(f.document());
        auto shown = [&](const char *id) { return e.value(QString::fromLatin1(id)).second == QLatin1String("inline"); };
        QCOMPARE(shown("cuore"), a[1] == 1);
        QCOMPARE(shown("fiore"), a[3] == 1);
        QCOMPARE(shown("manico"), a[4] == 1);
        QCOMPARE(shown("strisce"), a[5] == 1);
        QCOMPARE(shown("vapore"), a[6] == 1);
        QCOMPARE(shown("cucchiaino"), a[7] == 1);
        QCOMPARE(shown("biscotto"), a[7] == 2);
        const QString fill = QLatin1Char('#') + state.profilo.TabellaColori[a[2]][0].toLower();
        for (const char *part : {"tazza.interno", "piattino.interno", "manico.interno"})
            QCOMPARE(e.value(QString::fromLatin1(part)).first, fill);

        // No movie: the first call fails and the showing stops.
        Filmato empty;
        QVERIFY(!Tazza::mostra(empty, state, a));
    }

    // A call that cannot be carried out fails and changes nothing.
    void failuresChangeNothing_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("unknown part") << "part";
        QTest::newRow("colour before any part") << "colour-first";
        QTest::newRow("bad colour") << "bad-colour";
        QTest::newRow("unknown clip") << "clip";
        QTest::newRow("unknown property") << "property";
        QTest::newRow("bad visibility value") << "value";
        QTest::newRow("missing frame") << "frame";
        QTest::newRow("unknown variable") << "variable";
        QTest::newRow("missing movie file") << "movie";
        QTest::newRow("broken movie file") << "broken";
        QTest::newRow("bad background") << "background";
    }
    void failuresChangeNothing()
    {
        QFETCH(QString, call);
        QTemporaryDir dir;
        Filmato f;
        QVERIFY(f.setMovie(Cup));
        QVERIFY(f.setBGColor(QStringLiteral("112233")));
        const QByteArray before = f.document();
        bool ok = true;
        if (call == QLatin1String("part"))
            ok = f.SetVariable(QStringLiteral("QualeOggetto"), QStringLiteral("teiera"));
        else if (call == QLatin1String("colour-first"))
            ok = f.SetVariable(QStringLiteral("TestoColore.QualeColore"), QStringLiteral("FF0000"));
        else if (call == QLatin1String("bad-colour"))
            ok = f.SetVariable(QStringLiteral("QualeOggetto"), QStringLiteral("tazza.interno")) &&
                 f.SetVariable(QStringLiteral("TestoColore.QualeColore"), QStringLiteral("GG0000"));
        else if (call == QLatin1String("clip"))
            ok = f.TSetProperty(QStringLiteral("la teiera"), 7, QStringLiteral("1"));
        else if (call == QLatin1String("property"))
            ok = f.TSetProperty(QStringLiteral("cuore"), 6, QStringLiteral("1"));
        else if (call == QLatin1String("value"))
            ok = f.TSetProperty(QStringLiteral("cuore"), 7, QStringLiteral("2"));
        else if (call == QLatin1String("frame"))
            ok = f.GotoFrame(7);
        else if (call == QLatin1String("variable"))
            ok = f.SetVariable(QStringLiteral("Altro"), QStringLiteral("x"));
        else if (call == QLatin1String("movie"))
            ok = f.setMovie(dir.path() + QStringLiteral("/manca.swf"));
        else if (call == QLatin1String("broken")) {
            QVERIFY(writeBytes(dir.path() + QStringLiteral("/rotto.svg"), "<svg><g id='x'></svg"));
            ok = f.setMovie(dir.path() + QStringLiteral("/rotto.swf"));
        } else if (call == QLatin1String("background"))
            ok = f.setBGColor(QStringLiteral("#FF0000"));
        QVERIFY(!ok);
        QCOMPARE(f.document(), before);
        QCOMPARE(f.BGColor(), QStringLiteral("112233"));
        QCOMPARE(f.Movie(), Filmato::documentFor(Cup));
    }

    // With no movie loaded every call fails.
    void nothingLoaded()
    {
        Filmato f;
        QVERIFY(!f.GotoFrame(0));
        QVERIFY(!f.SetVariable(QStringLiteral("QualeOggetto"), QStringLiteral("tazza.interno")));
        QVERIFY(!f.TSetProperty(QStringLiteral("manico"), 7, QStringLiteral("1")));
        QVERIFY(f.document().isEmpty());
    }

    // Frame 1 adds the pointing hand; frame 0 takes it away again.
    void frames()
    {
        Filmato f;
        QVERIFY(f.setMovie(QStringLiteral(VORBELLO_SOURCE_DATA "/swf/Vorbe1.swf")));
        QVERIFY(f.GotoFrame(1));
        QCOMPARE(elements(f.document()).value(QStringLiteral("frame1")).second, QStringLiteral("inline"));
        QVERIFY(f.GotoFrame(0));
        QCOMPARE(elements(f.document()).value(QStringLiteral("frame1")).second, QStringLiteral("none"));
    }

    // The preview movie has the four cups the configuration window paints.
    void previewMovie()
    {
        Filmato f;
        QVERIFY(f.setMovie(QStringLiteral(VORBELLO_SOURCE_DATA "/swf/vorbe.swf")));
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(f.SetVariable(QStringLiteral("QualeOggetto"), QStringLiteral("tazza%1.interno").arg(n)));
            QVERIFY(f.SetVariable(QStringLiteral("TestoColore.QualeColore"), QStringLiteral("00FF00")));
        }
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

        // On screen, a change is painted once: the reload must not ask for a second paint.
        struct PaintCounter : QObject
        {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        f.installEventFilter(&counter);
        QVERIFY(sendCup(f, QStringLiteral("FF00FF"), true));
        QTRY_VERIFY(counter.paints >= 1);
        QTest::qWait(100);
        QCOMPARE(counter.paints, 1);

        // Repaints without a change copy the drawing instead of drawing the picture again; a
        // new background or size draws it anew.
        const int rasters = f.rasterCount();
        f.repaint();
        f.repaint();
        QCOMPARE(f.rasterCount(), rasters);
        QVERIFY(f.setBGColor(QStringLiteral("000000")));
        f.repaint();
        QCOMPARE(f.rasterCount(), rasters + 1);
        QCOMPARE(f.grab().toImage().pixelColor(1, 1), QColor(Qt::black));
        f.resize(150, 150);
        f.repaint();
        QCOMPARE(f.rasterCount(), rasters + 2);
        // A change drawn off screen first must still reach the screen.
        QVERIFY(sendCup(f, QStringLiteral("00FFFF"), false));
        const QImage offScreen = f.renderImage(f.size());
        QCOMPARE(f.grab().toImage().convertToFormat(QImage::Format_RGB32),
                 offScreen.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestFilmato)
#include "tst_filmato.moc"
