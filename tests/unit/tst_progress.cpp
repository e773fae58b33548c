// A pupil's history summed up per day or week: what the progress charts and the CSV show.

#include "log/Progress.h"

#include "QtWarnings.h"

#include <QLocale>
#include <QTest>

namespace {

History::Run run(const char *exercise, const char *ended, int level, int right, int wrong,
                 QList<History::Answer> answers = {})
{
    return {QStringLiteral("ANNA"), QString::fromLatin1(exercise), level, right, wrong,
            QDateTime::fromString(QString::fromLatin1(ended), Qt::ISODate), answers};
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // Runs of a day (or of a Monday-to-Sunday week) add up; the level is the highest played;
    // medians are over every answer of the period, scan steps over switch answers only;
    // exercises come in the menu's order, an unknown one last.
    void summarise()
    {
        const QList<History::Run> runs{
            run("FormEs2", "2026-11-30T09:00:00", 2, 3, 1,
                {{1000, true, 0, 0}, {4000, false, 0, 0}, {2000, true, 0, 0}, {3000, true, 0, 0}}),
            run("FormEs1", "2026-11-30T10:00:00", 1, 7, 0, {{500, true, 4, 1}}),
            run("FormEs1", "2026-11-30T10:05:00", 2, 1, 3, {{900, true, 0, 0}, {700, false, 6, 0}}),
            run("Altro", "2026-12-01T08:00:00", 1, 0, 0),
            run("FormEs1", "2026-12-06T18:00:00", 1, 0, 0), // Sunday: same week as Monday 30th
        };
        const QStringList order{"FormEs1", "FormEs2"};
        const auto days = Progress::summarise(runs, false, order);
        QCOMPARE(days.size(), 3);
        QCOMPARE(days[0].exercise, QStringLiteral("FormEs1"));
        QCOMPARE(days[2].exercise, QStringLiteral("Altro"));
        QCOMPARE(days[0].points.size(), 2);
        const Progress::Point &p = days[0].points[0];
        QCOMPARE(p.start, QDate(2026, 11, 30));
        QCOMPARE(QList<int>({p.right, p.wrong, p.level, int(p.medianMs), p.medianScanSteps, p.scanLoops}),
                 QList<int>({8, 3, 2, 700, 6, 1}));
        QCOMPARE(days[0].points[1].rightPercent(), -1.0); // no answers that day
        QCOMPARE(days[1].points[0].medianMs, 3000); // upper middle of four
        QCOMPARE(days[1].points[0].medianScanSteps, -1);

        const auto weeks = Progress::summarise(runs, true, order);
        QCOMPARE(weeks[0].points.size(), 1);
        QCOMPARE(weeks[0].points[0].start, QDate(2026, 11, 30));
        QCOMPARE(weeks[2].points[0].start, QDate(2026, 11, 30));
    }

    // A spreadsheet reads the file: its own separator and quotes inside a name, numbers in
    // the language without thousands marks, empty cells where there is nothing to show.
    void csv()
    {
        Progress::Series s{QStringLiteral("FormEs1"), {}};
        Progress::Point p;
        p.start = QDate(2026, 3, 2);
        p.right = 3;
        p.wrong = 1;
        p.level = 2;
        p.medianMs = 1234567;
        s.points.append(p);
        s.points.append(Progress::Point{QDate(2026, 3, 3), 0, 0, 1});
        const QByteArray bytes = Progress::csv({s}, {"Data", "Esercizio; \"uno\""},
                                               [](const QString &) { return QStringLiteral("Vero; falso"); },
                                               QLocale(QLocale::Italian));
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF" "Data;\"Esercizio; \"\"uno\"\"\"\r\n"
                                   "2026-03-02;\"Vero; falso\";2;3;1;75,0;1234,6;;0\r\n"
                                   "2026-03-03;\"Vero; falso\";1;0;0;;;;0\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
