// Placing a print on the sheet: what the size and margin boxes accept, centring, the off-sheet
// warning, scale, "use the whole sheet" and the shrink offered when a print does not fit.
#include "print/GeometriaStampa.h"

#include "QtWarnings.h"

#include <QtTest>

using namespace GeometriaStampa;

Q_DECLARE_METATYPE(Posizione)

class TestGeometriaStampa : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void limita_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("minimo");
        QTest::addColumn<int>("valore");
        QTest::addColumn<QString>("mostrato");
        QTest::newRow("too wide") << "2500" << 1 << 2000 << "2000";
        QTest::newRow("zero width") << "0" << 1 << 1 << "1";
        QTest::newRow("leading zeros kept") << "007" << 1 << 7 << "007";
        QTest::newRow("being typed, empty") << "" << 1 << 1 << "";
        QTest::newRow("pasted words") << "abc" << 1 << 1 << "1";
        QTest::newRow("huge paste") << "99999999999999999999" << 1 << 2000 << "2000";
        QTest::newRow("margin below range") << "-2500" << -2000 << -2000 << "-2000";
        QTest::newRow("half to even down") << "2.5" << 1 << 2 << "2.5";
        QTest::newRow("half to even up") << "3.5" << 1 << 4 << "3.5";
    }
    // A size the boxes let through must be one the sheet arithmetic can take.
    void limita()
    {
        QFETCH(QString, testo);
        QFETCH(int, minimo);
        QFETCH(int, valore);
        QFETCH(QString, mostrato);
        const Limitato l = Limita(testo, minimo, MaxDimensione);
        QCOMPARE(l.valore, valore);
        QCOMPARE(l.testo, mostrato);
    }

    void centraEFuori_data()
    {
        QTest::addColumn<Posizione>("p");
        QTest::addColumn<bool>("fuori");
        QTest::addColumn<bool>("fuoriDopoCentro");
        QTest::addColumn<QPoint>("centro");
        // Sheet 200 × 287.
        QTest::newRow("fits") << Posizione{10, 10, 100, 100} << false << false << QPoint(50, 94);
        QTest::newRow("one mm too wide") << Posizione{101, 10, 100, 100} << true << false << QPoint(50, 94);
        QTest::newRow("exactly the sheet") << Posizione{0, 0, 200, 287} << false << false << QPoint(0, 0);
        QTest::newRow("left of the sheet") << Posizione{-1, 0, 10, 10} << true << false << QPoint(95, 138);
        QTest::newRow("above the sheet") << Posizione{0, -1, 10, 10} << true << false << QPoint(95, 138);
        // (200 - 101) / 2 = 49.5 -> 50 and (287 - 100) / 2 = 93.5 -> 94: halves go to even.
        QTest::newRow("halves") << Posizione{0, 0, 101, 100} << false << false << QPoint(50, 94);
        QTest::newRow("wider than the sheet") << Posizione{0, 0, 250, 100} << true << true << QPoint(-25, 94);
    }
    // Centring a print narrower than the sheet stops the warning; a wider one still warns.
    void centraEFuori()
    {
        QFETCH(Posizione, p);
        QFETCH(bool, fuori);
        QFETCH(bool, fuoriDopoCentro);
        QFETCH(QPoint, centro);
        const Foglio f{200, 287};
        QCOMPARE(FuoriFoglio(p, f), fuori);
        const Posizione c = Centra(p, f);
        QCOMPARE(QPoint(c.X, c.Y), centro);
        QCOMPARE(c.W, p.W);
        QCOMPARE(FuoriFoglio(c, f), fuoriDopoCentro);
    }

    void scala_data()
    {
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("proporzione"); // of an object 1000 wide
        QTest::addColumn<bool>("applicata");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1:10 of 1000") << 10.0 << 2.0 << true << QSize(100, 50);
        QTest::newRow("width capped") << 0.1 << 2.0 << true << QSize(2000, 1000);
        QTest::newRow("height capped") << 0.1 << 0.25 << true << QSize(500, 2000);
        QTest::newRow("zero") << 0.0 << 2.0 << false << QSize(0, 0);
        QTest::newRow("negative") << -3.0 << 2.0 << false << QSize(0, 0);
        QTest::newRow("not a number") << qQNaN() << 2.0 << false << QSize(0, 0);
        // A scale so small the print would vanish still leaves a printable millimetre.
        QTest::newRow("vanishing") << 1e9 << 2.0 << true << QSize(1, 1);
    }
    void scala()
    {
        QFETCH(double, s);
        QFETCH(double, proporzione);
        QFETCH(bool, applicata);
        const auto p = ApplicaScala({10, 10, 100, 100}, s, 1000.0, proporzione);
        QCOMPARE(p.has_value(), applicata);
        if (!p)
            return;
        QFETCH(QSize, size);
        QCOMPARE(QSize(p->W, p->H), size);
        QCOMPARE(p->X, 10);
    }

    // The scale box must read back what it shows.
    void testoScala_data()
    {
        QTest::addColumn<double>("larghezza");
        QTest::addColumn<int>("w");
        QTest::addColumn<QString>("testo");
        QTest::newRow("whole") << 1000.0 << 100 << "10";
        QTest::newRow("two decimals") << 1024.0 << 100 << "10.24";
        QTest::newRow("one decimal") << 1025.0 << 50 << "20.5";
        QTest::newRow("no grouping") << 1234567.0 << 1 << "1234567";
        QTest::newRow("rounded") << 1000.0 << 3 << "333.33";
    }
    void testoScala()
    {
        QFETCH(double, larghezza);
        QFETCH(int, w);
        QFETCH(QString, testo);
        QCOMPARE(TestoScala(larghezza, w), testo);
        QCOMPARE(Valore(testo), testo.toDouble());
    }

    void massimo_data()
    {
        QTest::addColumn<Posizione>("p");
        QTest::addColumn<bool>("proporzioni");
        QTest::addColumn<bool>("centro");
        QTest::addColumn<double>("proporzione");
        QTest::addColumn<Posizione>("atteso");
        // Sheet 200 × 287.
        QTest::newRow("free: whole sheet, margins to 0")
            << Posizione{10, 10, 100, 100} << false << false << 2.0 << Posizione{0, 0, 200, 287};
        QTest::newRow("wide object fills the width")
            << Posizione{10, 10, 100, 100} << true << false << 2.0 << Posizione{0, 10, 200, 100};
        QTest::newRow("tall object fills the height")
            << Posizione{10, 10, 100, 100} << true << false << 0.5 << Posizione{10, 0, 144, 287};
        QTest::newRow("tall object, margin pulled back")
            << Posizione{80, 10, 100, 100} << true << false << 0.5 << Posizione{56, 0, 144, 287};
        QTest::newRow("same shape as the sheet")
            << Posizione{5, 5, 100, 100} << true << false << 200.0 / 287 << Posizione{0, 0, 200, 287};
        QTest::newRow("centred: margins left to centring")
            << Posizione{80, 10, 100, 100} << true << true << 0.5 << Posizione{80, 0, 144, 287};
    }
    void massimo()
    {
        QFETCH(Posizione, p);
        QFETCH(bool, proporzioni);
        QFETCH(bool, centro);
        QFETCH(double, proporzione);
        QFETCH(Posizione, atteso);
        const Foglio f{200, 287};
        const Posizione m = Massimo(p, f, proporzioni, centro, proporzione);
        QCOMPARE(m, atteso);
        if (!centro)
            QVERIFY(!FuoriFoglio(m, f));
    }

    void adatta_data()
    {
        QTest::addColumn<Posizione>("p");
        QTest::addColumn<Posizione>("atteso");
        // Sheet 200 × 287: 287 / 310 on all four.
        QTest::newRow("too tall") << Posizione{10, 10, 100, 300} << Posizione{9, 9, 93, 278};
        QTest::newRow("too wide") << Posizione{50, 10, 300, 100} << Posizione{29, 6, 171, 57};
        QTest::newRow("fits") << Posizione{10, 10, 100, 100} << Posizione{10, 10, 100, 100};
        QTest::newRow("too wide then still too tall")
            << Posizione{0, 0, 400, 1200} << Posizione{0, 0, 96, 287};
    }
    // "Can I change the scale?" answered Yes: the print must end up on the sheet.
    void adatta()
    {
        QFETCH(Posizione, p);
        QFETCH(Posizione, atteso);
        const Foglio f{200, 287};
        const Posizione a = AdattaAlFoglio(p, f);
        QCOMPARE(a, atteso);
        QVERIFY(a.X + a.W <= f.larghezza);
        QVERIFY(a.Y + a.H <= f.altezza);
    }

    void pixel_data()
    {
        QTest::addColumn<QRect>("mm");
        QTest::addColumn<QSize>("pixel");
        QTest::addColumn<QRect>("atteso");
        // 200 × 287 mm at 4724 × 6779 px (600 dpi, 23.62 px/mm).
        QTest::newRow("600 dpi") << QRect(10, 10, 100, 100) << QSize(4724, 6779)
                                 << QRect(236, 236, 2362, 2362);
        // Different resolutions across and down.
        QTest::newRow("anisotropic") << QRect(20, 10, 100, 100) << QSize(2000, 5740)
                                     << QRect(200, 200, 1000, 2000);
    }
    void pixel()
    {
        QFETCH(QRect, mm);
        QFETCH(QSize, pixel);
        QFETCH(QRect, atteso);
        QCOMPARE(RettangoloPixel(mm, Foglio{200, 287}, pixel), atteso);
    }

    // No printer: no sheet to divide by.
    void pixelSenzaFoglio()
    {
        QCOMPARE(RettangoloPixel(QRect(1, 1, 1, 1), Foglio{}, QSize(100, 100)), QRect());
    }
};

QTEST_APPLESS_MAIN(TestGeometriaStampa)
#include "tst_geometriastampa.moc"
