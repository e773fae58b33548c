// Feeds arbitrary bytes to the private-profile reader and writer: lookups must not crash, and
// an accepted edit must read back as written without disturbing any other key.
#include "FuzzSupport.h"

#include "platform/PrivateProfile.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

using fuzz::check;
using fuzz::trimBlanks;

// How a name is matched: blanks dropped, as stored in Windows-1252, case ignored.
QString matchName(const QString &name)
{
    return CodePage::decode(CodePage::encode(trimBlanks(name))).toLower();
}

// What reading gives back for a value that was written.
QString readBack(const QString &value)
{
    QString v = value;
    const qsizetype nul = v.indexOf(QChar(0));
    if (nul >= 0)
        v.truncate(nul);
    v = trimBlanks(CodePage::decode(CodePage::encode(v)));
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == u'"' || v.front() == u'\''))
        v = v.sliced(1, v.size() - 2);
    return v;
}

const QString missing = QStringLiteral("\x01missing\x01");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const PrivateProfile::Document doc = PrivateProfile::Document::parse(bytes);
    const QString text = CodePage::decode(bytes);
    fuzz::Names names = fuzz::namesIn(text);
    names.sections.push_back(QStringLiteral("Strings"));
    names.keys.push_back(QStringLiteral("0001"));

    struct Pair {
        QString section, key, before;
    };
    std::vector<Pair> pairs;
    for (const QString &s : names.sections) {
        for (const QString &k : names.keys) {
            const QString v = doc.value(s, k, missing, INT_MAX);
            check(doc.contains(s, k) != (v == missing));
            check(doc.value(s, k, QString(), 512).size() <= 511);
            pairs.push_back({s, k, v});
        }
    }

    // The value comes from the end of the data so that it varies with every input.
    const Pair &target = pairs[size % pairs.size()];
    const QString value = text.right(qsizetype(size % 41));
    const QByteArray edited = PrivateProfile::edit(bytes, target.section, target.key, value);
    if (!PrivateProfile::isWritable(target.section, target.key, value)) {
        check(edited == bytes);
        return 0;
    }

    const PrivateProfile::Document after = PrivateProfile::Document::parse(edited);
    check(after.value(target.section, target.key, missing, INT_MAX) == readBack(value));
    const QString targetSection = matchName(target.section);
    const QString targetKey = matchName(target.key);
    for (const Pair &p : pairs) {
        if (matchName(p.section) == targetSection && matchName(p.key) == targetKey)
            continue;
        check(after.value(p.section, p.key, missing, INT_MAX) == p.before);
    }
    return 0;
}
