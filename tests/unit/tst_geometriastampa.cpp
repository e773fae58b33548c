// Placing a print on the sheet: what the size boxes accept, centring, the off-sheet warning,
// scale, "use the whole sheet" and the shrink offered when a print does not fit.
#include "print/GeometriaStampa.h"

#include "QtWarnings.h"

#include <QtTest>

using namespace GeometriaStampa;

namespace {
const Foglio A4{200, 287};
}

class TestGeometriaStampa : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // A size the boxes let through must be one the sheet arithmetic can take.
    void limita()
    {
        const struct { const char *testo; int valore; const char *mostrato; } rows[] = {
            {"0", 1, "1"}, {"abc", 1, "1"}, {"99999999999999999999", 2000, "2000"}, {"3.5", 4, "3.5"}};
        for (const auto &r : rows) {
            const Limitato l = Limita(QString::fromLatin1(r.testo), 1, MaxDimensione);
            QCOMPARE(l.valore, r.valore);
            QCOMPARE(l.testo, QString::fromLatin1(r.mostrato));
        }
    }

    // Centring a print narrower than the sheet stops the warning (halves go to even); a wider
    // one still warns.
    void centraEFuori()
    {
        QVERIFY(FuoriFoglio({101, 10, 100, 100}, A4));
        const Posizione c = Centra({0, 0, 101, 100}, A4);
        QCOMPARE(c, (Posizione{50, 94, 101, 100}));
        QVERIFY(FuoriFoglio(Centra({0, 0, 250, 100}, A4), A4));
    }

    // Scales that would give no print, or one past the boxes' limits, are refused or capped;
    // the scale box reads back what it shows.
    void scala()
    {
        QCOMPARE(ApplicaScala({10, 10, 100, 100}, 10, 1000.0, 2.0).value_or(Posizione{}), (Posizione{10, 10, 100, 50}));
        QCOMPARE(ApplicaScala({10, 10, 100, 100}, 0.1, 1000.0, 2.0).value_or(Posizione{}), (Posizione{10, 10, 2000, 1000}));
        QCOMPARE(ApplicaScala({10, 10, 100, 100}, 1e9, 1000.0, 2.0).value_or(Posizione{}), (Posizione{10, 10, 1, 1}));
        QVERIFY(!ApplicaScala({10, 10, 100, 100}, 0, 1000.0, 2.0));
        QVERIFY(!ApplicaScala({10, 10, 100, 100}, qQNaN(), 1000.0, 2.0));
        QCOMPARE(TestoScala(1000.0, 3), QStringLiteral("333.33"));
        QCOMPARE(Valore(QStringLiteral("333.33")), 333.33);
    }

    // "Use the whole sheet" and "shrink to the sheet" must end on the sheet.
    void massimoEAdatta()
    {
        QCOMPARE(Massimo({10, 10, 100, 100}, A4, false, false, 2.0), (Posizione{0, 0, 200, 287}));
        QCOMPARE(Massimo({80, 10, 100, 100}, A4, true, false, 0.5), (Posizione{56, 0, 144, 287}));
        QCOMPARE(Massimo({80, 10, 100, 100}, A4, true, true, 0.5), (Posizione{80, 0, 144, 287}));
        QCOMPARE(AdattaAlFoglio({10, 10, 100, 300}, A4), (Posizione{9, 9, 93, 278}));
        QCOMPARE(AdattaAlFoglio({0, 0, 400, 1200}, A4), (Posizione{0, 0, 96, 287}));
    }

    // Millimetres to the printer's pixels; no printer, no sheet to divide by.
    void pixel()
    {
        QCOMPARE(RettangoloPixel(QRect(10, 10, 100, 100), A4, QSize(4724, 6779)), QRect(236, 236, 2362, 2362));
        QCOMPARE(RettangoloPixel(QRect(1, 1, 1, 1), Foglio{}, QSize(100, 100)), QRect());
    }
};

QTEST_APPLESS_MAIN(TestGeometriaStampa)
#include "tst_geometriastampa.moc"
