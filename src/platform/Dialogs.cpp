#include "platform/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>

QtDialogs::QtDialogs()
{
    // Qt's dialogs keep custom colours and recent folders in the user's QtProject.conf, shared
    // with every Qt program and read back at the next run. Ours remember nothing: that store is
    // sent where it can be neither read nor written.
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/vorbello"));
}

void QtDialogs::message(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

bool QtDialogs::question(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setObjectName(QStringLiteral("MessageBox"));
    return box.exec() == QMessageBox::Yes;
}

Dialogs::Risposta QtDialogs::domanda(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setObjectName(QStringLiteral("MessageBox"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    default:
        return Risposta::Annulla;
    }
}

QString QtDialogs::file(QWidget *parent, const RichiestaFile &r)
{
    QFileDialog dialog(parent, r.titolo, r.cartella);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setNameFilter(r.filtro);
    dialog.setDefaultSuffix(r.estensione);
    if (r.apri) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (!r.nome.isEmpty())
        dialog.selectFile(r.nome);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtDialogs::colour(QWidget *parent)
{
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(Qt::black));
    QColorDialog dialog(QColor(Qt::black), parent);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<QFont> QtDialogs::font(QWidget *parent, const QFont &initial)
{
    QFontDialog dialog(initial, parent);
    dialog.setObjectName(QStringLiteral("FontDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QString> QtDialogs::input(QWidget *parent, const QString &prompt,
                                        const QString &title)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("InputDialog"));
    dialog.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    // The prompt is a language text: shown as written, never as markup.
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
