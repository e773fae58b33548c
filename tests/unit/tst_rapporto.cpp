// Report files of the exercise log: written as the old program wrote them, read back whole,
// and damaged files refused without losing the rows that could be read.

#include "log/Rapporto.h"

#include "QtWarnings.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

Q_DECLARE_METATYPE(Rapporto)

class TestRapporto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void roundTrip_data()
    {
        QTest::addColumn<Rapporto>("r");
        QTest::newRow("two runs") << Rapporto{"Anna", "Data: 06/12/26",
                                              {{"Vero o falso", "1", "9", "2"}, {"", "2", "3", "5"},
                                               {"", "", "", ""}, {"Insiemi", "1", "4", "0"}},
                                              ""};
        QTest::newRow("comma and quotes in the captions")
            << Rapporto{"Rossi, Anna", " \"Data\" 1", {{"a, b", "1", "2", "3"}}, "fine"};
    }
    // What is saved opens again cell for cell.
    void roundTrip()
    {
        QFETCH(Rapporto, r);
        Rapporto back;
        QVERIFY(LeggiRapporto(ScriviRapporto(r), &back));
        QCOMPARE(back, r);
    }

    // The bytes the old program wrote for an empty log, and for one row.
    void layout()
    {
        QCOMPARE(ScriviRapporto({"Anna", "Data: 6/12/26", {}, ""}), QByteArray("Anna\r\nData: 6/12/26\r\n 1 \r\n\r\n"));
        QCOMPARE(ScriviRapporto({"Anna", "D", {{"Insiemi", "1", "4", "0"}}, ""}),
                 QByteArray("Anna\r\nD\r\n 2 \r\nInsiemi\r\n1\r\n4\r\n0\r\n\r\n"));
    }

    // A report saved again by a text editor keeps the pupil's name clean of the editor's mark.
    void byteOrderMark()
    {
        Rapporto r;
        QVERIFY(LeggiRapporto("\xEF\xBB\xBFNiccol\xC3\xB2\r\nD\r\n 1 \r\n\r\n", &r));
        QCOMPARE(r.utente, QString::fromUtf8("Niccolò"));
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rowsKept");
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("row count not a number") << QByteArray("Anna\r\nD\r\nmolte\r\n\r\n") << 0;
        // Whole otherwise, so that only the bound refuses it.
        QTest::newRow("more rows than a log holds")
            << QByteArray("Anna\r\nD\r\n 502 \r\n" + QByteArray("x\r\n").repeated(501 * 4) + "\r\n") << 0;
        QTest::newRow("shorter than it says")
            << QByteArray("Anna\r\nD\r\n 4 \r\nInsiemi\r\n1\r\n4\r\n0\r\n\r\n2\r\n") << 1;
        QTest::newRow("no footer line") << QByteArray("Anna\r\nD\r\n 2 \r\nInsiemi\r\n1\r\n4\r\n0\r\n") << 1;
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rowsKept);
        Rapporto r;
        QVERIFY(!LeggiRapporto(bytes, &r));
        QCOMPARE(r.righe.size(), rowsKept);
    }

    // A full log does not fit one page: the rows past the bottom go on to further pages
    // instead of off the paper, every page stays within its height, and every cell within its
    // column (a long name is cut, not run on).
    void printedOnPages()
    {
        Rapporto r{"Anna", "D", {{"Un nome di esercizio molto lungo davvero, che senza taglio passerebbe di molto oltre la tabella", "1", "4", "0"}}, "fine"};
        for (int i = 0; i < 500; ++i)
            r.righe.append({"Vero o falso", "1", QString::number(i), "0"});
        constexpr int altezza = 800;
        QList<QImage> pagine;
        auto nuova = [&pagine] {
            pagine.append(QImage(1100, 2 * altezza, QImage::Format_RGB32));
            pagine.last().fill(Qt::white);
        };
        nuova();
        QPainter p(&pagine.last());
        const QStringList intestazione{"", "Esercizio", "Livello", "Esatti", "Errori"};
        const int n = StampaGriglia(p, "Anna", r, intestazione, {30, 120, 60, 60, 60}, QFont(), QSizeF(0, altezza), [&] {
            p.end();
            nuova();
            return p.begin(&pagine.last());
        });
        p.end();
        QCOMPARE(n, int(pagine.size()));
        QVERIFY(n > 5);
        for (int i = 0; i < n; ++i) {
            int below = 0, beyond = 0, drawn = 0;
            for (int y = 0; y < pagine[i].height(); ++y)
                for (int x = 0; x < pagine[i].width(); ++x)
                    if (qGray(pagine[i].pixel(x, y)) < 128)
                        ++(y >= altezza ? below : x > 500 ? beyond : drawn);
            QVERIFY2(below == 0 && beyond == 0 && drawn > 100, qPrintable(QString::number(i)));
        }
        // Without a page height everything goes on one page, as before.
        QImage one(700, 40000, QImage::Format_RGB32);
        QPainter q(&one);
        QCOMPARE(StampaGriglia(q, "Anna", r, intestazione, {30, 120, 60, 60, 60}, QFont()), 1);
    }
};

QTEST_MAIN(TestRapporto)
#include "tst_rapporto.moc"
