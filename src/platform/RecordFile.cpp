#include "platform/RecordFile.h"

#include "platform/CodePage.h"


#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

QString withoutLineBreaks(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (!isLineEnd(c)) {
            out.append(c);
            continue;
        }
        out.append(u' ');
        if (c == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n')
            ++i;
    }
    return out;
}

// Optional sign and decimal digits, blanks around; false on anything else or on overflow.
bool parseInteger(QStringView text, qint64 *out)
{
    const char16_t *field = text.utf16();
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(field[i]))
        ++i;
    while (end > i && isBlank(field[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (field[i] == u'+' || field[i] == u'-')) {
        negative = field[i] == u'-';
        ++i;
    }
    if (i == end)
        return false;
    // Accumulated as a negative number so that the most negative value fits too.
    qint64 value = 0;
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    for (; i < end; ++i) {
        const char16_t c = field[i];
        if (c < u'0' || c > u'9')
            return false;
        const int digit = c - u'0';
        if (value < (min + digit) / 10)
            return false;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == min)
            return false;
        value = -value;
    }
    *out = value;
    return true;
}

} // namespace

namespace RecordFormat {

QString number(qint64 value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits + u' ' : u' ' + digits + u' ';
}

QString flag(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString text(const QString &value)
{
    const QString plain = withoutLineBreaks(value);
    // Unquoted, the reader would drop leading blanks, take a leading quote as an opening one
    // and stop at a comma; anything else comes back as it stands.
    const bool safe = !plain.contains(u',') &&
                      (plain.isEmpty() || (!isBlank(plain.front()) && plain.front() != u'"'));
    if (safe)
        return plain;
    QString quoted = plain;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString line(const QString &value)
{
    return withoutLineBreaks(value);
}

} // namespace RecordFormat

RecordReader::RecordReader(const QByteArray &bytes) : m_text(CodePage::decode(bytes)) {}

bool RecordReader::atEnd() const
{
    return m_pos >= m_text.size() && !m_fieldPending;
}

void RecordReader::endField()
{
    m_fieldPending = false;
    if (m_pos >= m_text.size())
        return;
    const char16_t *u = units();
    const char16_t c = u[m_pos];
    if (c == u',') {
        ++m_pos;
        m_fieldPending = true;
    } else if (c == u'\r') {
        ++m_pos;
        if (m_pos < m_text.size() && u[m_pos] == u'\n')
            ++m_pos;
    } else if (c == u'\n') {
        ++m_pos;
    }
}

bool RecordReader::nextField(QStringView *field, QString *quoted)
{
    if (atEnd())
        return false;
    const char16_t *u = units();
    const qsizetype n = m_text.size();
    while (m_pos < n && isBlank(u[m_pos]))
        ++m_pos;

    if (m_pos < n && u[m_pos] == u'"') {
        ++m_pos;
        QString value;
        while (m_pos < n && !isLineEnd(u[m_pos])) {
            const char16_t c = u[m_pos];
            if (c == u'"') {
                if (m_pos + 1 < n && u[m_pos + 1] == u'"') {
                    value.append(QChar(c));
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                // Whatever follows the closing quote up to the end of the field is dropped.
                while (m_pos < n && u[m_pos] != u',' && !isLineEnd(u[m_pos]))
                    ++m_pos;
                break;
            }
            // Copy the run up to the next quote or line end in one go.
            qsizetype end = m_pos + 1;
            while (end < n && u[end] != u'"' && !isLineEnd(u[end]))
                ++end;
            value.append(QStringView(m_text).sliced(m_pos, end - m_pos));
            m_pos = end;
        }
        *quoted = std::move(value);
        *field = *quoted;
        endField();
        return true;
    }

    const qsizetype start = m_pos;
    while (m_pos < n && u[m_pos] != u',' && !isLineEnd(u[m_pos]))
        ++m_pos;
    *field = QStringView(m_text).sliced(start, m_pos - start);
    endField();
    return true;
}

bool RecordReader::readText(QString *out)
{
    QStringView field;
    QString quoted;
    if (!nextField(&field, &quoted))
        return false;
    *out = field.toString();
    return true;
}

bool RecordReader::readInteger(qint64 *out)
{
    // A view, as most fields are numbers and need no string of their own.
    QStringView field;
    QString quoted;
    if (!nextField(&field, &quoted))
        return false;
    return parseInteger(field, out);
}

bool RecordReader::readLine(QString *out)
{
    if (atEnd())
        return false;
    const qsizetype start = m_pos;
    const qsizetype n = m_text.size();
    const char16_t *u = units();
    while (m_pos < n && !isLineEnd(u[m_pos]))
        ++m_pos;
    *out = m_text.sliced(start, m_pos - start);
    endField();
    return true;
}
