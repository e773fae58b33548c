// The colour dialog starts from nothing each time: no colour preselected, no custom colours
// carried over from an earlier call or an earlier run, and nothing written to the user's Qt
// settings, which every other Qt program reads too.

#include "QtWarnings.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestColourDialog : public QObject
{
    Q_OBJECT

    QTemporaryDir config;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }
    void init() { failOnQtWarnings(); }

    void startsFromNothing()
    {
        QtDialogs dialogs;
        for (int call = 0; call < 2; ++call) {
            QList<QColor> seen;
            QTimer::singleShot(0, this, [&] {
                auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                seen << dialog->currentColor();
                for (int i = 0; i < QColorDialog::customCount(); ++i)
                    seen << QColorDialog::customColor(i);
                // The user keeps a custom colour and picks red.
                QColorDialog::setCustomColor(3, QColor(10, 20, 30));
                dialog->setCurrentColor(Qt::red);
                dialog->accept();
            });
            QCOMPARE(dialogs.colour(nullptr), std::optional<QColor>(QColor(Qt::red)));
            QCOMPARE(seen.size(), 1 + QColorDialog::customCount());
            for (const QColor &c : std::as_const(seen))
                QCOMPARE(c.rgb(), QColor(Qt::black).rgb());
        }
        QCOMPARE(QDir(config.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_MAIN(TestColourDialog)
#include "tst_colourdialog.moc"
