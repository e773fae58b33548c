// Texts from files anyone can edit (language texts, pupil names) must show as written: rendered
// as markup, "<img src=/etc/passwd>" made the program open that file to draw it.

#include "QtWarnings.h"
#include "platform/Dialogs.h"
#include "platform/PlainToolTips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

const QString Hostile = QStringLiteral("<b>Entra</b> & <img src=/etc/passwd> <i>qui</i>");

// What a label of Qt's would put on screen for its text.
QString shown(const QLabel *label)
{
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

} // namespace

class TestPlainText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnQtWarnings(); }

    void toolTip()
    {
        showToolTipsAsPlainText(*qApp);
        QPushButton button(QStringLiteral("Entra"));
        button.setToolTip(Hostile);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&button, &help);
        QLabel *tip = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible())
                tip = qobject_cast<QLabel *>(w);
        QVERIFY(tip);
        QCOMPARE(shown(tip), Hostile);
        QCOMPARE(button.toolTip(), Hostile); // what screen readers read
    }

    void dialogs_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("yes, no or cancel") << 2;
        QTest::newRow("input prompt") << 3;
    }

    void dialogs()
    {
        QFETCH(int, kind);
        QtDialogs dialogs;
        QStringList seen;
        QTimer::singleShot(0, this, [&seen] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                if (!label->text().isEmpty())
                    seen.append(shown(label));
            dialog->close();
        });
        switch (kind) {
        case 2: dialogs.domanda(nullptr, Hostile, QString()); break;
        case 3: dialogs.input(nullptr, Hostile, QString()); break;
        }
        QVERIFY2(seen.contains(Hostile), qPrintable(seen.join(u'|')));
    }
};

QTEST_MAIN(TestPlainText)
#include "tst_plaintext.moc"
