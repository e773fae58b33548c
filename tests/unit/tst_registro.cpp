// The exercise log's rows, written by the menu (a run starts), the exercises (results) and
// the pupil switch (cleared), read by the log window and its reports.

#include "core/Registro.h"

#include "QtWarnings.h"

#include <QTest>

namespace {

// The rows to show, as "name|level|right|wrong" lines.
QStringList mostrate(const Registro &r)
{
    QStringList rows;
    for (int i = 1; i <= r.righe(); ++i)
        rows.append(QStringList(r.riga(i).begin(), r.riga(i).end()).join(u'|'));
    return rows;
}

} // namespace

class TestRegistro : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // Results follow their run's name; the next run starts after one empty row; a start that
    // did not open goes again.
    void runs()
    {
        Registro r;
        QVERIFY(r.iniziaEsercizio(QStringLiteral("Vero o falso")));
        r.scriviRisultato(1, 9, 2);
        r.scriviRisultato(2, 3, 5);
        QVERIFY(r.iniziaEsercizio(QStringLiteral("Insiemi")));
        r.annullaEsercizio();
        QVERIFY(r.iniziaEsercizio(QStringLiteral("Uguale")));
        r.annullaEsercizio();
        r.annullaEsercizio(); // only the start just made can be taken back
        QVERIFY(r.iniziaEsercizio(QStringLiteral("Insiemi")));
        r.scriviRisultato(1, 4, 0);
        r.annullaEsercizio(); // a run that wrote a result is kept
        // The row the next result would fill is shown too.
        QCOMPARE(mostrate(r), (QStringList{"Vero o falso|1|9|2", "|2|3|5", "|||",
                                           "Insiemi|1|4|0", "|||"}));
        r.svuota();
        QCOMPARE(r.righe(), 0);
        QVERIFY(r.riga(1)[0].isEmpty());
    }

    // Rows 1..500 are kept, by starts and by results alike; past them nothing is written and
    // the exercises go on (a log once grew past its table, and one path wrote past the array).
    void full_data()
    {
        QTest::addColumn<bool>("byResults");
        QTest::newRow("filled by starts") << false;
        QTest::newRow("filled by results") << true;
    }
    void full()
    {
        QFETCH(bool, byResults);
        Registro r;
        if (byResults) {
            QVERIFY(r.iniziaEsercizio(QStringLiteral("Uguale")));
            for (int i = 0; i < 600; ++i)
                r.scriviRisultato(1, i, 0);
        } else {
            int started = 0;
            while (r.iniziaEsercizio(QStringLiteral("Uguale")) && started < 600)
                ++started;
            QCOMPARE(started, Registro::UltimaRiga);
        }
        QCOMPARE(r.righe(), Registro::UltimaRiga);
        QVERIFY(!r.iniziaEsercizio(QStringLiteral("Insiemi")));
        r.scriviRisultato(3, 1, 1);
        QCOMPARE(r.righe(), Registro::UltimaRiga);
        QVERIFY(!mostrate(r).join(u'\n').contains(QStringLiteral("Insiemi")));
        r.svuota();
        QVERIFY(r.iniziaEsercizio(QStringLiteral("Insiemi")));
        QCOMPARE(mostrate(r), QStringList{"Insiemi|||"});
    }
};

QTEST_GUILESS_MAIN(TestRegistro)
#include "tst_registro.moc"
