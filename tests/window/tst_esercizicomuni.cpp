// What every exercise window shares, tried on each of the six: the way out to the menu with
// the run's row, the level menu and the automatic passage as the panels and menu show them.
// The rules themselves are tested on their own in tst_exerciseflow.

#include "EsercizioEnv.h"
#include "QtWarnings.h"
#include "core/ColorButton.h"
#include "exercises/FormEsercizio.h"
#include "platform/Speech.h"
#include "scanning/ScanBox.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>

namespace {

struct RecordingSpeech : Speech
{
    void say(const QString &text, const QLocale &, int, Kind kind) override
    {
        said << (kind == Kind::Cue ? QStringLiteral("cue:") : QStringLiteral("text:")) + text;
    }
    void stop() override {}
    QStringList said;
};

const char *const Windows[] = {"FormEs1", "FormEs2", "FormEs5", "FormEs6", "FormEs7", "FormEs8"};

void eachWindow()
{
    QTest::addColumn<QString>("window");
    for (const char *w : Windows)
        QTest::addRow("%s", w) << QString::fromLatin1(w);
}

} // namespace

class TestEserciziComuni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void exit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("byFrame");
        for (const char *w : Windows) {
            QTest::addRow("%s, exit menu", w) << QString::fromLatin1(w) << false;
            QTest::addRow("%s, window frame", w) << QString::fromLatin1(w) << true;
        }
    }
    // The exit menu logs the run's row and brings the menu back; closed by its frame the window
    // just goes, with no row and no menu.
    void exit()
    {
        QFETCH(QString, window);
        QFETCH(bool, byFrame);
        Finestra f;
        f.env.state->registro.iniziaEsercizio(QStringLiteral("x"));
        auto *w = f.apri<FormEsercizio>(window.toLatin1().constData());
        w->flowForTest().setForTest(1, 0, 2);
        if (byFrame)
            w->close();
        else
            w->mnuEsci->trigger();
        QCOMPARE(f.env.state->registro.righe(), byFrame ? 1 : 2);
        if (!byFrame)
            QCOMPARE(f.env.state->registro.riga(1)[3], QStringLiteral("2"));
        QWidget *menu = f.env.windows->find(QStringLiteral("FormMenu"));
        QCOMPARE(menu && menu->isVisible(), !byFrame);
        QVERIFY(!f.env.windows->find(window));
    }

    void sentenceFits_data() { eachWindow(); }
    // A sentence too tall for its box was cut at the top, and capitals lost their accents
    // ("C'E"): the text is made smaller until every line shows.
    void sentenceFits()
    {
        QFETCH(QString, window);
        Finestra f([](Profilo &p) {
            p.NomeFont = QStringLiteral("DejaVu Serif");
            p.DimensioneFont = 48;
            p.TipoCarattere = QStringLiteral("maiuscolo");
        });
        auto *w = f.apri<FormEsercizio>(window.toLatin1().constData());
        auto *label = w->findChild<QLabel *>(QStringLiteral("Label1"));
        QVERIFY(label);
        for (const QSize size : {QSize(800, 600), QSize(1024, 768)}) {
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            const QRect box = label->contentsRect();
            const QRect text = QFontMetrics(label->font())
                                   .boundingRect(box, int(label->alignment()) | Qt::TextWordWrap,
                                                 label->text());
            QVERIFY2(box.contains(text), qPrintable(label->text()));
        }
    }

    void readAloud_data() { eachWindow(); }
    // With the pupil's settings on, each new exercise reads its question, the keyboard scan
    // names what it lights quietly and says the choice; off, nothing is said.
    void readAloud()
    {
        QFETCH(QString, window);
        for (const bool on : {false, true}) {
            Finestra f([](Profilo &p) { p.ModoInput = 3; });
            RecordingSpeech voce;
            f.env.state->voce = &voce;
            f.env.state->accesso.readSentences = on;
            f.env.state->accesso.speakScanning = on;
            auto *w = f.apri<FormEsercizio>(window.toLatin1().constData());
            auto *box = w->findChild<ScanBox *>(QStringLiteral("PictureScansioneManuale"));
            const QString domanda = w->fraseDaLeggere();
            QVERIFY(domanda.size() > 4);
            // The grids' question opens with the instruction they show.
            if (window == "FormEs6" || window == "FormEs7")
                QVERIFY2(domanda.startsWith(w->findChild<QLabel *>(QStringLiteral("Label1"))->text()),
                         qPrintable(domanda));
            QCOMPARE(voce.said.contains(QStringLiteral("text:") + domanda), on);
            voce.said.clear();
            QTest::keyClick(box, Qt::Key_Right);
            QCOMPARE(voce.said.size(), on ? 1 : 0);
            QCOMPARE(w->readAloudButton->isVisibleTo(w), on);
            if (!on)
                continue;
            QVERIFY(voce.said[0].startsWith(QStringLiteral("cue:")) && voce.said[0].size() > 4);
            const QString acceso = voce.said[0].mid(4);
            // The scan reaches the read-aloud button; choosing it reads the question again and
            // answers nothing.
            const QString ascolta = QStringLiteral("cue:") + w->readAloudButton->accessibleName();
            for (int i = 0; i < 20 && !voce.said.contains(ascolta); ++i)
                QTest::keyClick(box, Qt::Key_Right);
            QVERIFY2(voce.said.contains(ascolta), qPrintable(voce.said.join(QLatin1Char('|'))));
            voce.said.clear();
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(voce.said.last(), QStringLiteral("text:") + domanda);
            QCOMPARE(w->flow().rightAnswers() + w->flow().wrongAnswers(), 0);
            for (int i = 0; i < 20 && (voce.said.isEmpty() || voce.said.last() != QStringLiteral("cue:") + acceso); ++i)
                QTest::keyClick(box, Qt::Key_Right);
            QTest::keyClick(box, Qt::Key_Return);
            QVERIFY2(voce.said.contains(QStringLiteral("text:") + acceso), qPrintable(voce.said.join(QLatin1Char('|'))));
        }
    }

    void levels_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("top");
        QTest::newRow("true or false") << "FormEs1" << 6;
        QTest::newRow("same or different") << "FormEs2" << 3;
        QTest::newRow("sets") << "FormEs5" << 4;
        QTest::newRow("odd ones out") << "FormEs6" << 5;
        QTest::newRow("find the cup") << "FormEs7" << 5;
        QTest::newRow("differences") << "FormEs8" << 4;
    }
    // The level menu checks the level chosen and the panel shows it; with the automatic
    // passage the menu is hidden and the thresholds are judged on each new exercise.
    void levels()
    {
        QFETCH(QString, window);
        QFETCH(int, top);
        {
            Finestra f;
            auto *w = f.apri<FormEsercizio>(window.toLatin1().constData());
            QCOMPARE(int(w->mnuLiv.size()), top);
            w->mnuLiv[top - 1]->trigger();
            QVERIFY(w->mnuLiv[top - 1]->isChecked() && !w->mnuLiv[0]->isChecked());
            QCOMPARE(w->pannelli[2]->text(), QStringLiteral("Livello %1").arg(top));
            QCOMPARE(w->flow().level(), top);
        }
        Finestra f([](Profilo &p) { p.PassaggioLivelli = true; });
        auto *w = f.apri<FormEsercizio>(window.toLatin1().constData());
        QVERIFY(!w->mnuLivelli->menuAction()->isVisible());
        w->flowForTest().setForTest(1, w->flow().rules().promotion, 0);
        w->GeneraEsercizio();
        QCOMPARE(w->pannelli[2]->text(), QStringLiteral("Livello 2"));
        QCOMPARE(w->pannelli[0]->text(), QStringLiteral("Esatti 0"));
    }
};

QTEST_MAIN(TestEserciziComuni)
#include "tst_esercizicomuni.moc"
