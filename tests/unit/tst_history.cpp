#include "QtWarnings.h"
#include "core/History.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>

namespace {

const QDateTime Monday(QDate(2026, 11, 2), QTime(9, 30));

History::Run run(const QString &pupil, int day, int right, QList<History::Answer> answers = {})
{
    return {pupil, QStringLiteral("Vero o falso"), 2, right, 1, Monday.addDays(day), answers};
}

// Runs SQL on a database file outside the class, as an older program or a damage would leave it.
void sql(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        for (const QString &s : statements)
            QVERIFY2(QSqlQuery(db).exec(s), qPrintable(s));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    // Runs come back whole, per pupil and period, oldest first; deleting or renaming one
    // pupil leaves the others, and a rename never merges two histories.
    void pupilsKeptApart()
    {
        QTemporaryDir dir;
        History h(dir.filePath(QStringLiteral("history.sqlite")));
        QCOMPARE(h.state(), History::State::Ready);
        const History::Run anna = run(QStringLiteral("Anna"), 0, 5, {{1200, true, 4, 1}, {900, false, 0, 0}});
        for (const History::Run &r : {run(QStringLiteral("Anna"), 7, 3), anna, run(QStringLiteral("Luca"), 1, 8)})
            QVERIFY(h.record(r));
        const QList<History::Run> week = h.runs(QStringLiteral("Anna"), Monday, Monday.addDays(7));
        QCOMPARE(week, QList<History::Run>{anna});
        QCOMPARE(h.runs(QStringLiteral("Anna"), Monday, Monday.addDays(8)).size(), 2);

        QCOMPARE(h.rename(QStringLiteral("Anna"), QStringLiteral("Luca")), History::Renamed::Taken);
        QCOMPARE(h.rename(QStringLiteral("Luca"), QStringLiteral("Luca B.")), History::Renamed::Done);
        QVERIFY(h.forget(QStringLiteral("Anna")));
        QVERIFY(h.runs(QStringLiteral("Anna"), Monday, Monday.addDays(30)).isEmpty());
        QCOMPARE(h.runs(QStringLiteral("Luca B."), Monday, Monday.addDays(30)).size(), 1);
    }

    // What is on disk at start decides what the history does with it; a file it cannot use is
    // never deleted nor changed.
    void fileFoundAtStart_data()
    {
        QTest::addColumn<QStringList>("older");   // SQL that made the file, if a database
        QTest::addColumn<QByteArray>("bytes");    // else its bytes
        QTest::addColumn<History::State>("state");
        QTest::addColumn<int>("runsKept");
        QTest::newRow("none") << QStringList() << QByteArray() << History::State::Ready << 0;
        QTest::newRow("first schema, a run in it")
            << QStringList{QStringLiteral("CREATE TABLE runs (id INTEGER PRIMARY KEY, pupil TEXT NOT NULL,"
                                          " exercise TEXT NOT NULL, level INTEGER NOT NULL, right INTEGER NOT NULL,"
                                          " wrong INTEGER NOT NULL, ended TEXT NOT NULL)"),
                           QStringLiteral("INSERT INTO runs VALUES (1, 'Anna', 'Insiemi', 3, 4, 0,"
                                          " '2026-11-03T08:00:00.000Z')"),
                           QStringLiteral("PRAGMA user_version = 1")}
            << QByteArray() << History::State::Ready << 1;
        QTest::newRow("damaged") << QStringList() << QByteArray("SQLite format 3\0garbage", 24).repeated(300)
                                 << History::State::SetAside << 0;
        QTest::newRow("a newer program's") << QStringList{QStringLiteral("PRAGMA user_version = 99")}
                                           << QByteArray() << History::State::Unavailable << 0;
    }
    void fileFoundAtStart()
    {
        QFETCH(QStringList, older);
        QFETCH(QByteArray, bytes);
        QFETCH(History::State, state);
        QFETCH(int, runsKept);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("history.sqlite"));
        if (!older.isEmpty())
            sql(path, older);
        if (!bytes.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        QFile before(path);
        const QByteArray was = before.open(QIODevice::ReadOnly) ? before.readAll() : QByteArray();
        before.close();

        History h(path);
        QCOMPARE(h.state(), state);
        if (state == History::State::SetAside) {
            QFile aside(h.setAsidePath());
            QVERIFY(aside.open(QIODevice::ReadOnly));
            QCOMPARE(aside.readAll(), was);
        } else if (state == History::State::Unavailable) {
            QVERIFY(!h.record(run(QStringLiteral("Anna"), 1, 1)));
            QFile after(path);
            QVERIFY(after.open(QIODevice::ReadOnly));
            QCOMPARE(after.readAll(), was);
            return;
        }
        const QDateTime all = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        QCOMPARE(h.runs(QStringLiteral("Anna"), all, all.addYears(100)).size(), runsKept);
        const History::Run now = run(QStringLiteral("Anna"), 2, 6, {{800, true, 2, 0}});
        QVERIFY(h.record(now));
        QCOMPARE(h.runs(QStringLiteral("Anna"), all, all.addYears(100)).last(), now);
    }

    // A program killed while it writes loses at most the run it was writing: the file opens
    // as it is, every run kept has all its answers.
    void killedWhileWriting()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("storia.sqlite"));
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--write-until-killed"), path});
        QVERIFY(writer.waitForStarted());
        int written = 0;
        while (written < 30 && writer.waitForReadyRead(10000))
            written += int(writer.readAll().count('.'));
        QVERIFY(written >= 30);
        ::kill(pid_t(writer.processId()), SIGKILL);
        writer.waitForFinished();
        written += int(writer.readAll().count('.'));

        History h(path);
        QCOMPARE(h.state(), History::State::Ready);
        const QList<History::Run> runs = h.runs(QStringLiteral("Anna"), Monday.addYears(-1), Monday.addYears(1));
        QVERIFY(runs.size() >= written && runs.size() <= written + 1);
        for (const History::Run &r : runs)
            QCOMPARE(r.answers.size(), 40);
    }
};

int main(int argc, char **argv)
{
    // The writer killed by killedWhileWriting: one dot a run committed.
    if (argc == 3 && qstrcmp(argv[1], "--write-until-killed") == 0) {
        QCoreApplication app(argc, argv);
        History h(QString::fromLocal8Bit(argv[2]));
        History::Run r = run(QStringLiteral("Anna"), 0, 40, QList<History::Answer>(40, {900, true, 3, 0}));
        for (;;) {
            if (!h.record(r))
                return 1;
            std::fputc('.', stdout);
            std::fflush(stdout);
        }
    }
    QCoreApplication app(argc, argv);
    TestHistory t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_history.moc"
