// The history as the teacher meets it: runs kept from the exercise windows as the pupil's
// settings say, trouble with the file told once, and the progress view with its exports.

#include "EsercizioEnv.h"
#include "Files.h"
#include "QtWarnings.h"
#include "exercises/FormEsercizio.h"
#include "lang/modLanguageSupport.h"
#include "log/ProgressWindow.h"
#include "profile/FormConfigura.h"

#include <QAction>
#include <QComboBox>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>

namespace {

QDateTime at(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

QList<QPointF> days(const QLineSeries *s)
{
    QList<QPointF> out;
    for (const QPointF &p : s->points())
        out.append({double(QDateTime::fromMSecsSinceEpoch(qint64(p.x())).date().toJulianDay()), p.y()});
    return out;
}

double day(int y, int m, int d)
{
    return double(QDate(y, m, d).toJulianDay());
}

struct Storia : Finestra
{
    QString file;
    Storia()
    {
        env.state->NomeUtente = QStringLiteral("Anna");
        file = env.driveC() + QStringLiteral("/storia.sqlite");
        env.state->fileStoria = file;
    }
};

} // namespace

class TestProgressi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    // Leaving an exercise keeps its row under the pupil when the log is kept, or when the
    // pupil's own choice says so against the log's; never when that choice says no.
    void keptFromExercises_data()
    {
        QTest::addColumn<bool>("log");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("kept");
        QTest::newRow("as the log, kept") << true << -1 << true;
        QTest::newRow("as the log, not kept") << false << -1 << false;
        QTest::newRow("kept without the log") << false << 1 << true;
        QTest::newRow("not kept with the log") << true << 0 << false;
    }
    void keptFromExercises()
    {
        QFETCH(bool, log);
        QFETCH(int, choice);
        QFETCH(bool, kept);
        Storia f;
        f.env.state->profilo.TieniTraccia = log;
        f.env.state->accesso.keepHistory = choice;
        auto *w = f.apri<FormEsercizio>("FormEs5");
        w->flowForTest().setForTest(2, 3, 1);
        w->mnuEsci->trigger();
        const QList<History::Run> runs = History(f.file).runs(QStringLiteral("ANNA"), at("2000-01-01T00:00:00"),
                                                               QDateTime::currentDateTime().addSecs(60));
        QCOMPARE(runs.size(), kept ? 1 : 0);
        if (kept)
            QCOMPARE(QList<int>({runs[0].level, runs[0].right, runs[0].wrong}), QList<int>({2, 3, 1}));
        QVERIFY(f.env.dialogs.messages.isEmpty());
    }

    // A damaged file is put aside and a new one begun, and the teacher is told so once; a
    // history that cannot be written at all is told once and the exercises go on.
    void troubleToldOnce()
    {
        for (const bool damaged : {true, false}) {
            Storia f;
            f.env.state->profilo.TieniTraccia = true;
            if (damaged)
                QVERIFY(writeBytes(f.file, QByteArray(4096, 'x')));
            else
                f.env.state->fileStoria = f.env.driveC() + QStringLiteral("/no/such/folder/storia.sqlite");
            for (int i = 0; i < 3; ++i) {
                auto *w = f.apri<FormEsercizio>("FormEs1");
                w->mnuEsci->trigger();
            }
            QCOMPARE(f.env.dialogs.messages.size(), 1);
            QCOMPARE(f.env.dialogs.messages[0].contains(QStringLiteral("messa da parte")), damaged);
            QCOMPARE(f.env.state->registro.righe(), 3);
        }
    }

    // Deleting a pupil's history asks first, and leaves the other pupils' alone.
    void deleteAsksFirst()
    {
        Storia f;
        {
            History h(f.file);
            for (const char *pupil : {"ANNA", "LUCA"})
                QVERIFY(h.record({pupil, "FormEs1", 1, 1, 0, at("2026-12-01T09:00:00"), {}}));
        }
        auto *w = f.apri<FormConfigura>("FormConfigura");
        f.env.dialogs.answers << false << true;
        const QDateTime from = at("2026-01-01T00:00:00"), to = at("2027-01-01T00:00:00");
        QList<int> left;
        for (int i = 0; i < 2; ++i) {
            w->CommandCancellaStoria->click();
            History h(f.file);
            left << int(h.runs(QStringLiteral("ANNA"), from, to).size())
                 << int(h.runs(QStringLiteral("LUCA"), from, to).size());
        }
        QCOMPARE(left, QList<int>({1, 1, 0, 1}));
        QCOMPARE(f.env.dialogs.questions.size(), 2);
        QVERIFY(f.env.dialogs.questions[0].contains(QStringLiteral("Anna")));
        QCOMPARE(f.env.dialogs.messages.size(), 1);
    }

    // The view shows this pupil's days of the last four weeks (by week over a year), and
    // exports them as CSV that reads back and as a PDF page.
    void view()
    {
        Storia f;
        {
            History h(f.file);
            const QList<History::Run> runs{
                {"ANNA", "FormEs5", 1, 2, 2, at("2026-12-03T10:00:00"), {{3000, true, 0, 0}}},
                {"ANNA", "FormEs1", 1, 6, 2, at("2026-12-01T09:00:00"), {{2000, true, 0, 0}, {4000, false, 0, 0}}},
                {"ANNA", "FormEs1", 2, 3, 1, at("2026-12-03T09:00:00"), {{1000, true, 2, 0}}},
                {"ANNA", "FormEs1", 1, 1, 3, at("2026-10-01T09:00:00"), {}},
                {"LUCA", "FormEs1", 4, 9, 0, at("2026-12-02T09:00:00"), {}},
            };
            for (const History::Run &r : runs)
                QVERIFY(h.record(r));
        }
        ProgressWindow w(*f.env.state, nullptr, QDate(2026, 12, 7));
        QCOMPARE(w.exerciseChooser->count(), 2);
        QCOMPARE(w.exerciseChooser->currentText(), QStringLiteral("Vero o falso"));
        QCOMPARE(days(w.rightSeries), (QList<QPointF>{{day(2026, 12, 1), 75}, {day(2026, 12, 3), 75}}));
        QCOMPARE(days(w.levelSeries), (QList<QPointF>{{day(2026, 12, 1), 1}, {day(2026, 12, 3), 2}}));
        QCOMPARE(days(w.timeSeries), (QList<QPointF>{{day(2026, 12, 1), 4}, {day(2026, 12, 3), 1}}));
        w.chooseExercise(1);
        QCOMPARE(days(w.rightSeries), (QList<QPointF>{{day(2026, 12, 3), 50}}));

        w.choosePeriod(Progress::Period::Year);
        QCOMPARE(w.exerciseChooser->currentText(), QStringLiteral("Insiemi")); // the choice stays
        w.chooseExercise(0);
        QCOMPARE(days(w.rightSeries), (QList<QPointF>{{day(2026, 9, 28), 25}, {day(2026, 11, 30), 75}}));

        const QString csvFile = f.env.driveC() + QStringLiteral("/progressi.csv");
        f.env.dialogs.files << csvFile;
        w.exportCsv();
        const QByteArray bytes = fileBytes(csvFile);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], MLSGetString(*f.env.state, QStringLiteral("0236")));
        QCOMPARE(lines[2].split(u';').mid(0, 6), (QStringList{"2026-11-30", "Vero o falso", "2", "9", "3", "75.0"}));

        f.env.state->apriDocumento = [](const QString &) { return true; };
        w.exportPdf();
        QCOMPARE(f.env.printers.stampati.size(), 1);
        QCOMPARE(f.env.printers.stampati[0].lavoro.stampante, Printers::nomePdf());
        // The charts are on the page, in black: a grey print keeps them.
        const QImage page = f.env.printers.stampati[0].pagina.convertToFormat(QImage::Format_Grayscale8);
        int dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 64;
        QVERIFY(dark > page.width() * 2);
    }
};

QTEST_MAIN(TestProgressi)
#include "tst_progressi.moc"
