#include "platform/PrivateProfile.h"

#include "platform/CodePage.h"
#include "platform/StoredFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>

#include <vector>

namespace PrivateProfile {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Loops over names and text use plain units: checked builds call out for each QChar taken
// from a view, on every character.
QStringView trimmed(QStringView s)
{
    const char16_t *u = s.utf16();
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(u[b]))
        ++b;
    while (e > b && isBlank(u[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

bool isAscii(QStringView s)
{
    for (const QChar c : s) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Lower case one character for one (names in the file are lowered in place); QString's own
// toLower() is several times slower on long text.
QChar lowerChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + 32)) : c;
    return c.toLower();
}

QString lowered(QStringView s)
{
    QString l(s.size(), Qt::Uninitialized);
    QChar *out = l.data();
    const char16_t *in = s.utf16();
    for (qsizetype i = 0; i < s.size(); ++i)
        out[i] = lowerChar(in[i]);
    return l;
}

// A name as the tables hold it. Callers pass names as Unicode; the file holds what
// Windows-1252 makes of them, so a character the code page lacks must be looked up as the '?'
// it was stored as. Kept on the stack: every lookup makes two.
class LookupName
{
public:
    explicit LookupName(QStringView name)
    {
        name = trimmed(name);
        QString stored;
        if (!isAscii(name)) {
            stored = CodePage::decode(CodePage::encode(name));
            name = stored;
        }
        m_units.resize(name.size());
        const char16_t *in = name.utf16();
        for (qsizetype i = 0; i < name.size(); ++i)
            m_units[i] = lowerChar(in[i]).unicode();
    }
    QStringView view() const { return QStringView(m_units.constData(), m_units.size()); }
    bool isEmpty() const { return m_units.isEmpty(); }

private:
    QVarLengthArray<char16_t, 64> m_units;
};

// Whether a name in the file, read as CodePage::decodeText() reads it, is the wanted one
// (already lowered). Names are nearly always ASCII, which reads the same in every form.
template <typename Seen> bool sameName(QStringView name, const QString &wanted, Seen &&seen)
{
    if (!isAscii(name))
        return seen(name) == wanted;
    if (name.size() != wanted.size())
        return false;
    const char16_t *in = name.utf16();
    const char16_t *want = QStringView(wanted).utf16();
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (lowerChar(in[i]).unicode() != want[i])
            return false;
    }
    return true;
}

enum class Kind { Blank, Comment, Header, Key, Other };

struct Line {
    qsizetype start = 0;
    qsizetype end = 0;  // before the line end
    qsizetype next = 0; // after the line end
    Kind kind = Kind::Blank;
    QStringView name;  // section name (Header) or key (Key), trimmed
    qsizetype eq = -1; // position of '=' (Key)
};

// Calls f for every line; CR LF, LF and CR all end a line, and a last line needs none.
template <typename F> void forEachLine(QStringView text, F &&f)
{
    CodePage::forEachLineSpan(text, [&](qsizetype start, qsizetype end, qsizetype next) {
        Line line;
        line.start = start;
        line.end = end;
        line.next = next;
        const char16_t *units = text.utf16();
        qsizetype p = start;
        while (p < end && isBlank(units[p]))
            ++p;
        if (p == end) {
            line.kind = Kind::Blank;
        } else if (units[p] == u';') {
            line.kind = Kind::Comment;
        } else if (units[p] == u'[') {
            const QStringView rest = text.sliced(p + 1, end - p - 1);
            // A translator's forgotten ']' still opens the section, as on Windows.
            const qsizetype close = rest.indexOf(u']');
            line.kind = Kind::Header;
            line.name = trimmed(close < 0 ? rest : rest.first(close));
        } else {
            const QStringView body = text.sliced(start, end - start);
            const qsizetype eq = body.indexOf(u'=');
            if (eq < 0) {
                line.kind = Kind::Other;
            } else {
                line.kind = Kind::Key;
                line.eq = start + eq;
                line.name = trimmed(body.first(eq));
            }
        }
        f(line);
    });
}

struct ValueSpan {
    qsizetype start = -1;
    qsizetype size = 0;
};

QString finish(QStringView v, int bufferSize)
{
    if (bufferSize <= 1)
        return QString();
    const qsizetype nul = v.indexOf(QChar(0));
    if (nul >= 0)
        v = v.first(nul);
    if (v.size() > bufferSize - 1)
        v = v.first(bufferSize - 1);
    return v.toString();
}

QString defaultValue(const QString &def, int bufferSize)
{
    QStringView v(def);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return finish(v, bufferSize);
}

bool hasLineBreak(QStringView s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

enum class Form { CodePage, Utf8, Utf16 };

// What CodePage::decodeText() reads the bytes as.
Form formOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Form::Utf8;
    if (bytes.startsWith("\xFF\xFE"))
        return Form::Utf16;
    return Form::CodePage;
}

QString valueToStore(const QString &value)
{
    const qsizetype nul = value.indexOf(QChar(0));
    return nul < 0 ? value : value.first(nul);
}

} // namespace

struct Document::Data {
    QString text;
    // A copy of the text with section and key names in lower case; the tables' names are views
    // into it, which saves an allocation per key. A copy of Data shares this buffer unchanged,
    // so the views stay valid.
    QString lower;
    // Name -> index into keys; only the first section of a name is kept, as the Windows reader
    // never looks past it.
    QHash<QStringView, int> sections;
    std::vector<QHash<QStringView, ValueSpan>> keys;
};

Document::Document() : d(std::make_unique<Data>()) {}
Document::~Document() = default;
Document::Document(Document &&) noexcept = default;
Document &Document::operator=(Document &&) noexcept = default;

Document::Document(const Document &other)
    : d(other.d ? std::make_unique<Data>(*other.d) : std::make_unique<Data>())
{
}

Document &Document::operator=(const Document &other)
{
    if (this != &other)
        d = other.d ? std::make_unique<Data>(*other.d) : std::make_unique<Data>();
    return *this;
}

Document Document::parse(const QByteArray &bytes)
{
    Document doc;
    Data &data = *doc.d;
    data.text = CodePage::decodeText(bytes);
    data.lower = data.text;
    QChar *lower = data.lower.data();
    const QStringView text(data.text);
    auto lowerOf = [&](QStringView name) {
        QChar *out = lower + (name.data() - text.data());
        const char16_t *in = name.utf16();
        for (qsizetype i = 0; i < name.size(); ++i)
            out[i] = lowerChar(in[i]);
        return QStringView(out, name.size());
    };
    int current = -1;
    forEachLine(text, [&](const Line &line) {
        switch (line.kind) {
        case Kind::Header: {
            int &index = data.sections[lowerOf(line.name)];
            if (index > 0) {
                current = -1; // a later section of the same name
            } else {
                current = int(data.keys.size());
                index = current + 1;
                data.keys.emplace_back();
            }
            break;
        }
        case Kind::Key:
            if (current >= 0 && !line.name.isEmpty()) {
                ValueSpan &span = data.keys[size_t(current)][lowerOf(line.name)];
                if (span.start < 0) {
                    const QStringView raw = text.sliced(line.eq + 1, line.end - line.eq - 1);
                    const QStringView v = trimmed(raw);
                    span = {v.isEmpty() ? line.end : v.data() - text.data(), v.size()};
                }
            }
            break;
        default:
            break;
        }
    });
    return doc;
}

QString Document::value(QStringView section, QStringView key, const QString &def,
                        int bufferSize) const
{
    if (d) {
        const LookupName s(section);
        const LookupName k(key);
        if (!s.isEmpty() && !k.isEmpty()) {
            const auto sit = d->sections.constFind(s.view());
            if (sit != d->sections.constEnd()) {
                const QHash<QStringView, ValueSpan> &keys = d->keys[size_t(*sit - 1)];
                const auto kit = keys.constFind(k.view());
                if (kit != keys.constEnd()) {
                    QStringView v = QStringView(d->text).sliced(kit->start, kit->size);
                    if (v.size() >= 2 && v.front() == v.back() &&
                        (v.front() == u'"' || v.front() == u'\''))
                        v = v.sliced(1, v.size() - 2);
                    return finish(v, bufferSize);
                }
            }
        }
    }
    return defaultValue(def, bufferSize);
}

bool Document::contains(QStringView section, QStringView key) const
{
    if (!d)
        return false;
    const LookupName s(section);
    const LookupName k(key);
    if (s.isEmpty() || k.isEmpty())
        return false;
    const auto sit = d->sections.constFind(s.view());
    return sit != d->sections.constEnd() && d->keys[size_t(*sit - 1)].contains(k.view());
}

bool Document::containsSection(QStringView section) const
{
    if (!d)
        return false;
    const LookupName s(section);
    const auto sit = s.isEmpty() ? d->sections.constEnd() : d->sections.constFind(s.view());
    return sit != d->sections.constEnd() && !d->keys[size_t(*sit - 1)].isEmpty();
}

QString read(const QString &path, QStringView section, QStringView key, const QString &def,
             int bufferSize)
{
    QByteArray bytes;
    if (!StoredFile::read(path, MaxFileSize, &bytes))
        return Document().value(section, key, def, bufferSize);
    return Document::parse(bytes).value(section, key, def, bufferSize);
}

bool isWritable(QStringView section, QStringView key, const QString &value)
{
    const QStringView s = trimmed(section);
    const QStringView k = trimmed(key);
    if (s.isEmpty() || k.isEmpty())
        return false;
    if (hasLineBreak(s) || hasLineBreak(k) || hasLineBreak(valueToStore(value)))
        return false;
    if (s.contains(QChar(0)) || s.contains(u']'))
        return false;
    if (k.contains(QChar(0)) || k.contains(u'=') || k.front() == u';' || k.front() == u'[')
        return false;
    return true;
}

QByteArray edit(const QByteArray &bytes, QStringView section, QStringView key, const QString &value)
{
    if (!isWritable(section, key, value))
        return bytes;

    const QString sectionText = trimmed(section).toString();
    const QString keyText = trimmed(key).toString();
    const QString valueText = valueToStore(value);
    const QString wantedSection = LookupName(sectionText).view().toString();
    const QString wantedKey = LookupName(keyText).view().toString();

    // The file is edited as the reader sees it, so that a mark put there by an editor neither
    // hides the section nor is lost. Positions in the text map to `unit` bytes each after the
    // mark; every character that shapes a line is ASCII, so UTF-8 is taken byte by byte and only
    // names are decoded for comparison.
    const Form form = formOf(bytes);
    QString text;
    qsizetype skip = 0;
    qsizetype unit = 1;
    auto at = [&](qsizetype position) { return skip + position * unit; };
    switch (form) {
    case Form::CodePage:
        text = CodePage::decode(bytes);
        break;
    case Form::Utf8:
        skip = 3;
        text = CodePage::decode(QByteArrayView(bytes).sliced(skip));
        break;
    case Form::Utf16:
        skip = 2;
        unit = 2;
        // Raw units, so that positions stay positions: decodeText() would fold a pair of
        // surrogates into one '?'. A last odd byte is no character and stays as it was.
        text.resize((bytes.size() - skip) / 2);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(quint8(bytes[at(i)]) | quint8(bytes[at(i) + 1]) << 8));
        break;
    }
    auto seen = [form](QStringView name) {
        if (form == Form::CodePage)
            return lowered(name);
        if (form == Form::Utf8)
            return lowered(CodePage::decodeText("\xEF\xBB\xBF" + CodePage::encode(name)));
        return lowered(CodePage::decode(CodePage::encode(name)));
    };
    auto store = [form](QStringView s) {
        if (form == Form::CodePage)
            return CodePage::encode(s);
        if (form == Form::Utf8)
            return s.toUtf8();
        QByteArray out(s.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < s.size(); ++i) {
            out[2 * i] = char(s[i].unicode() & 0xFF);
            out[2 * i + 1] = char(s[i].unicode() >> 8);
        }
        return out;
    };
    enum class State { Before, Inside, After } state = State::Before;
    qsizetype insertAt = -1;    // after the last key line of the section (or its header)
    bool anchorEndsLine = true; // whether that line has a line end of its own
    qsizetype valueFrom = -1;   // the value of the key, when present
    qsizetype valueTo = -1;
    forEachLine(text, [&](const Line &line) {
        if (state == State::After)
            return;
        if (state == State::Inside) {
            if (line.kind == Kind::Header) {
                state = State::After;
                return;
            }
            if (line.kind == Kind::Key) {
                insertAt = line.next;
                anchorEndsLine = line.next > line.end;
                if (valueFrom < 0 && !line.name.isEmpty() && sameName(line.name, wantedKey, seen)) {
                    valueFrom = line.eq + 1;
                    valueTo = line.end;
                    state = State::After;
                }
            }
            return;
        }
        if (line.kind == Kind::Header && sameName(line.name, wantedSection, seen)) {
            state = State::Inside;
            insertAt = line.next;
            anchorEndsLine = line.next > line.end;
        }
    });

    QByteArray out = bytes;
    if (valueFrom >= 0) {
        out.replace(at(valueFrom), at(valueTo) - at(valueFrom), store(valueText));
        return out;
    }
    const QString keyLine = keyText + QLatin1Char('=') + valueText + QStringLiteral("\r\n");
    if (insertAt >= 0) {
        out.insert(at(insertAt), store(anchorEndsLine ? keyLine : QStringLiteral("\r\n") + keyLine));
        return out;
    }
    QString tail;
    if (!text.isEmpty() && !text.endsWith(u'\r') && !text.endsWith(u'\n'))
        tail = QStringLiteral("\r\n");
    tail += QLatin1Char('[') + sectionText + QStringLiteral("]\r\n") + keyLine;
    out.insert(at(text.size()), store(tail));
    return out;
}

bool write(const QString &path, QStringView section, QStringView key, const QString &value)
{
    QByteArray content;
    StoredFile::Stamp stamp;
    return write(path, section, key, value, &content, &stamp);
}

bool write(const QString &path, QStringView section, QStringView key, const QString &value,
           QByteArray *content, StoredFile::Stamp *stamp)
{
    if (!isWritable(section, key, value))
        return false;
    QByteArray old;
    StoredFile::Stamp was;
    const bool existed = StoredFile::read(path, MaxFileSize, &old, &was);
    // A file we cannot read (or a folder) must not be replaced by one holding only our key; the
    // extra look is only for a file that is not there yet.
    if (!existed && (was.size >= 0 || QFileInfo::exists(path)))
        return false;
    if (existed)
        *stamp = was;
    QByteArray bytes = edit(old, section, key, value);
    if (existed && bytes == old) {
        *content = old;
        return true;
    }
    if (!StoredFile::replace(path, bytes, stamp))
        return false;
    *content = std::move(bytes);
    return true;
}

} // namespace PrivateProfile
