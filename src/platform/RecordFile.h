#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files of one value per line, as written by the formatted print-to-file style and read back
// by the delimited-field reader.
namespace RecordFormat {

// " 130 " for non-negative numbers, "-5 " for negative ones.
QString number(qint64 value);
QString flag(bool value); // "True" / "False"
// A text as the reader gives it back unchanged: as it stands when that is safe, otherwise
// enclosed in double quotes (a quote inside doubled). Line breaks become blanks, since a
// value must stay on its own line.
QString text(const QString &value);
// A whole line as readLine gives it back (report cells): the text as it stands, with line
// breaks turned into blanks.
QString line(const QString &value);

} // namespace RecordFormat

// Reads fields from Windows-1252 text. A field ends at a comma or at the line end; leading
// blanks are skipped; a field starting with a double quote runs to its closing quote ("" inside
// stands for one quote) and whatever follows up to the next comma or line end is dropped.
// After a comma the next field starts right there on the same line.
class RecordReader
{
public:
    explicit RecordReader(const QByteArray &bytes);

    // Each returns false, leaving *out untouched, when no field is left (end of input) or,
    // for numbers, when the field is not a whole decimal number (optional sign, digits,
    // surrounding blanks allowed) or does not fit in 64 bits. A field that is not a number is
    // still consumed, so the reader never stalls on it. A comma that ends the input is followed
    // by one empty field.
    bool readText(QString *out);
    bool readInteger(qint64 *out);
    // The rest of the current line as it stands (report cells); false at end of input.
    bool readLine(QString *out);

    bool atEnd() const;

    RecordReader() = default;

private:
    // Consumes the field at m_pos, with its comma or line end; false at end of input. The field
    // is a view into the text or, when its quotes had to be undone, into *quoted.
    bool nextField(QStringView *field, QString *quoted);
    // The text as plain units: checked builds call out for each QChar taken from a string.
    const char16_t *units() const { return reinterpret_cast<const char16_t *>(m_text.constData()); }
    // Consumes the line end at m_pos, if any; a comma there leaves the line open.
    void endField();

    QString m_text;
    qsizetype m_pos = 0;
    // After a comma the line goes on, even when the input ends right there.
    bool m_fieldPending = false;
};
