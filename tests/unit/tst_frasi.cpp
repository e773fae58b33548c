// The sentences of the exercises against the cups they describe. Each numbered string makes one
// claim (tests/data/claims.tsv); a sentence says what its pieces claim, all together. Over many
// seeded cups, what the sentence says must agree with the answer the exercise judges right.
// The same run writes every distinct sentence into a catalogue for a reader to review, and
// fails when the committed catalogue has drifted.

#include "QtWarnings.h"
#include "TestEnv.h"
#include "core/Modulo1.h"
#include "exercises/LogicaEs1.h"
#include "exercises/LogicaEs2.h"
#include "exercises/LogicaEs5.h"
#include "exercises/LogicaEs6.h"
#include "exercises/TestiFrase.h"
#include "lang/modLanguageSupport.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <map>
#include <memory>
#include <set>

namespace {

struct Claim
{
    QString role;
    int feature = 0;
    QString value;
};

// The claim table, or the first line that is not well formed in `error`.
QHash<QString, Claim> loadClaims(QString *error)
{
    QHash<QString, Claim> out;
    QFile f(QStringLiteral(VORBELLO_TEST_DATA "/claims.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1)) {
        const QStringList c = line.split(QLatin1Char('\t'));
        if (c.size() < 4 || out.contains(c[0])) {
            *error = line;
            break;
        }
        out.insert(c[0], Claim{c[1], c[2].toInt(), c[3]});
    }
    return out;
}

// What a sentence claims, read off its pieces; `error` names the first piece that makes no sense.
struct Reading
{
    bool truth = true;
    QList<int> features; // one per clause, in order
    int compared = 0;    // feature compared by a same-or-different sentence
    bool negated = false;
    QString error;
};

// Whether a saucer (0 empty, 1 teaspoon, 2 biscuit) is as a saucer claim says.
bool saucerHolds(const QString &value, int saucer)
{
    static const QHash<QString, QList<int>> holding = {
        {"teaspoon", {1}}, {"biscuit", {2}}, {"neither", {0}},
        {"teaspoon or biscuit", {1, 2}}, {"not teaspoon", {0, 2}}, {"not biscuit", {0, 1}}};
    return holding.value(value).contains(saucer);
}

Reading readSentence(const QHash<QString, Claim> &claims, const Frase &frase, const Attributi &cup)
{
    Reading r;
    const QList<Pezzo> &p = frase.pezzi();
    for (int i = 0; i < p.size(); ++i) {
        if (p[i].chiave.isEmpty()) {
            if (p[i].colore != 0)
                r.error = QStringLiteral("a colour word with nothing to lead it");
            continue;
        }
        const auto found = claims.constFind(p[i].chiave);
        if (found == claims.constEnd()) {
            r.error = p[i].chiave + QStringLiteral(" has no claim");
            continue;
        }
        const Claim &c = *found;
        if (c.role == QLatin1String("join")) {
            if (c.value == QLatin1String("not"))
                r.negated = !r.negated;
            continue;
        }
        if (c.value.startsWith(QLatin1String("compare"))) {
            r.compared = c.feature;
            if (c.value == QLatin1String("compare negated"))
                r.negated = !r.negated;
            continue;
        }
        bool holds = false;
        if (c.role == QLatin1String("lead")) {
            if (i + 1 >= p.size()) {
                r.error = p[i].chiave + QStringLiteral(" leads nowhere");
                continue;
            }
            const Pezzo &next = p[++i];
            if (c.feature == Tazza::Colore) {
                if (next.colore == 0)
                    r.error = p[i - 1].chiave + QStringLiteral(" not followed by a colour");
                holds = (cup[2] == next.colore) == (c.value == QLatin1String("is"));
            } else {
                const auto object = claims.constFind(next.chiave);
                if (object == claims.constEnd()) {
                    r.error = next.chiave + QStringLiteral(" has no claim");
                    continue;
                }
                if (object->feature != Tazza::Piattino)
                    r.error = p[i - 1].chiave + QStringLiteral(" not followed by a saucer object");
                holds = saucerHolds(object->value, cup[7]) == (c.value == QLatin1String("there is"));
            }
        } else if (c.feature == Tazza::Piattino) {
            holds = saucerHolds(c.value, cup[7]);
        } else if (c.value == QLatin1String("has") || c.value == QLatin1String("has not")) {
            holds = (cup[c.feature] == 1) == (c.value == QLatin1String("has"));
        } else {
            r.error = p[i].chiave + QStringLiteral(" claims ") + c.value;
        }
        r.features.append(c.feature);
        r.truth = r.truth && holds;
    }
    return r;
}

// The numbered strings and colours a sentence is made of: sentences alike in this are alike in
// what the catalogue and the use check learn from them.
QString signature(const Frase &f)
{
    QString sig;
    for (const Pezzo &p : f.pezzi()) {
        sig += p.chiave;
        sig += QChar(u'a' + p.colore);
    }
    return sig;
}

QString cupText(const Attributi &a)
{
    return QStringLiteral("heart %1 colour %2 flower %3 handle %4 stripes %5 steam %6 saucer %7")
        .arg(a[1]).arg(a[2]).arg(a[3]).arg(a[4]).arg(a[5]).arg(a[6]).arg(a[7]);
}

// A program state speaking one of the shipped languages, with colour words a teacher of that
// language would type.
struct Language
{
    explicit Language(const QString &name)
    {
        QFile f(QStringLiteral(VORBELLO_SOURCE_DATA "/lgnvorbello/") + name + QStringLiteral(".lng"));
        if (f.open(QIODevice::ReadOnly))
            env.put(QStringLiteral("prog/lgnvorbello/") + name + QStringLiteral(".lng"), f.readAll());
        env.state->LinguaCorrente = name;
        if (name == QLatin1String("English")) {
            const char *words[5] = {"background", "green", "red", "blue", "yellow"};
            for (int r = 0; r < 5; ++r)
                env.state->profilo.TabellaColori[r][3] = QString::fromLatin1(words[r]);
        }
        CaricaFrasi(*env.state);
        testi = std::make_unique<TestiFrase>(*env.state);
    }
    QString caption(const char *window, const char *control)
    {
        const QString file = env.prog() + QStringLiteral("/lgnvorbello/") + env.state->LinguaCorrente +
                             QStringLiteral(".lng");
        return env.state->ini.LeggiIni(file, QString::fromLatin1(window), QString::fromLatin1(control))
            .value_or(QString());
    }
    TestEnv env;
    std::unique_ptr<TestiFrase> testi;
};

constexpr int Rounds = 50000;

// QVERIFY2 builds its message on every pass; these loops run too often for that.
#define CHECK(cond, message)                                                                      \
    do {                                                                                          \
        if (!(cond))                                                                              \
            QFAIL(qPrintable(QStringLiteral(#cond " -- ") + (message)));                           \
    } while (false)
const char *const Languages[] = {"Italiano", "English"};

} // namespace

class TestFrasi : public QObject
{
    Q_OBJECT

    QString claimError;
    QHash<QString, Claim> claims = loadClaims(&claimError);
    // Catalogue: language -> section -> sentences.
    std::map<QString, std::map<QString, std::set<QString>>> catalogue;
    QSet<QString> learnt;

    // The first time a sentence of these pieces is met in a section it goes into the catalogue
    // as shown.
    void learn(const QString &language, const QString &section, const Frase &f, const QStringList &shown)
    {
        const QString key = language + section + signature(f);
        if (learnt.contains(key))
            return;
        learnt.insert(key);
        for (const QString &text : shown)
            catalogue[language][section].insert(text);
    }

    static void languagesAndLevels(int levels)
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("level");
        for (const char *lang : Languages)
            for (int level = 1; level <= levels; ++level)
                QTest::addRow("%s level %d", lang, level) << QString::fromLatin1(lang) << level;
    }

    static bool emptyPiece(const Frase &f)
    {
        for (const Pezzo &p : f.pezzi())
            if (p.testo.trimmed().isEmpty())
                return true;
        return false;
    }

private Q_SLOTS:
    void init() { failOnQtWarnings(); }
    void initTestCase()
    {
        QVERIFY2(claimError.isEmpty(), qPrintable(claimError));
        QVERIFY(claims.size() > 100);
    }

    void veroFalso_data() { languagesAndLevels(LogicaEs1::Livelli); }
    // "Vero" is right exactly when the sentence is true of the cup on show.
    void veroFalso()
    {
        QFETCH(QString, language);
        QFETCH(int, level);
        Language lang(language);
        ClockRandom random(1000 + level);
        LogicaEs1 es(random);
        es.Livello = level;
        int trueOnes = 0;
        const QString section = QStringLiteral("Vero o falso, livello %1").arg(level);
        for (int i = 0; i < Rounds; ++i) {
            if (i % 3 == 0)
                es.ImpostaColori();
            es.ScriviFrase(*lang.testi);
            const Reading r = readSentence(claims, es.FraseCorrente, es.attributi);
            auto context = [&] { return es.FraseCorrente.testo() + QStringLiteral(" | ") + cupText(es.attributi); };
            CHECK(r.error.isEmpty(), r.error + QStringLiteral(": ") + context());
            CHECK(!emptyPiece(es.FraseCorrente), context());
            CHECK(r.truth == (es.Soluzione == 0), context());
            // Two statements never speak of the same feature.
            CHECK(QSet<int>(r.features.begin(), r.features.end()).size() == r.features.size(), context());
            trueOnes += r.truth;
            learn(language, section, es.FraseCorrente, {FraseFinita(es.FraseCorrente.testo(), QString(), true)});
        }
        // Levels 1-4 and 6 choose the truth by a coin; level 5 takes it from the picture.
        if (level != 5)
            CHECK(qAbs(trueOnes - Rounds / 2) < Rounds / 20, QString::number(trueOnes));
    }

    void ugualeDiverso_data() { languagesAndLevels(LogicaEs2::Livelli); }
    // Completed with the word of the right answer, the sentence is true of the two cups.
    void ugualeDiverso()
    {
        QFETCH(QString, language);
        QFETCH(int, level);
        Language lang(language);
        const QString words[2] = {lang.caption("FormEs2", "Command1(0).Caption"),
                                  lang.caption("FormEs2", "Command1(1).Caption")};
        QVERIFY(!words[0].isEmpty() && !words[1].isEmpty());
        ClockRandom random(2000 + level);
        LogicaEs2 es(random);
        es.Livello = level;
        int negatives = 0;
        const QString section = QStringLiteral("Uguale - diverso, livello %1").arg(level);
        for (int i = 0; i < Rounds; ++i) {
            if (i % 2 == 0)
                es.ImpostaColori();
            es.ScriviFrase(*lang.testi);
            const Reading r = readSentence(claims, es.FraseCorrente, es.attributi[0]);
            auto context = [&] { return es.FraseCorrente.testo() + QStringLiteral(" | ") + cupText(es.attributi[0]) +
                                    QStringLiteral(" / ") + cupText(es.attributi[1]); };
            CHECK(r.error.isEmpty() && r.compared == es.Elemento, r.error + context());
            CHECK(!emptyPiece(es.FraseCorrente), context());
            const bool same = es.attributi[0][r.compared] == es.attributi[1][r.compared];
            const bool saysSame = (es.Soluzione == 0) != r.negated;
            CHECK(saysSame == same, context());
            negatives += r.negated;
            // As the label reads after a right answer: the sentence, a blank, the word.
            const QString shown = ApplicaCarattere(es.FraseCorrente.testo().trimmed(), QString()) + QLatin1Char(' ');
            learn(language, section, es.FraseCorrente, {shown + words[0], shown + words[1]});
        }
        const int expected = level == 1 ? 0 : level == 2 ? Rounds : Rounds / 2;
        CHECK(qAbs(negatives - expected) < Rounds / 20, QString::number(negatives));
    }

    void insiemi_data() { languagesAndLevels(LogicaEs5::Livelli); }
    // A cup belongs to the set (answer 0) exactly when the sentence is true of it.
    void insiemi()
    {
        QFETCH(QString, language);
        QFETCH(int, level);
        Language lang(language);
        ClockRandom random(3000 + level);
        LogicaEs5 es(random);
        es.Livello = level;
        const QString section = QStringLiteral("Insiemi, livello %1").arg(level);
        for (int i = 0; i < Rounds; ++i) {
            es.ScriviFrase(*lang.testi);
            learn(language, section, es.FraseCorrente, {FraseFinita(es.FraseCorrente.testo(), QString(), true)});
            CHECK(!emptyPiece(es.FraseCorrente), es.FraseCorrente.testo());
            for (int cup = 0; cup < (i < Rounds / 10 ? 10 : 0); ++cup) {
                es.ImpostaColori();
                const Reading r = readSentence(claims, es.FraseCorrente, es.AttributiCorrenti);
                auto context = [&] { return es.FraseCorrente.testo() + QStringLiteral(" | ") + cupText(es.AttributiCorrenti); };
                CHECK(r.error.isEmpty(), r.error + context());
                CHECK(r.truth == (es.Soluzione == 0), context());
            }
        }
    }

    void elenco_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("trovaLaTazza");
        for (const char *lang : Languages) {
            QTest::addRow("%s intrusi", lang) << QString::fromLatin1(lang) << false;
            QTest::addRow("%s trova la tazza", lang) << QString::fromLatin1(lang) << true;
        }
    }
    // The list names each of the model's seven features once, and every line is true of it.
    void elenco()
    {
        QFETCH(QString, language);
        QFETCH(bool, trovaLaTazza);
        Language lang(language);
        ClockRandom random(trovaLaTazza ? 4001 : 4000);
        LogicaEs6 es(random, trovaLaTazza ? LogicaEs6::Variante::TrovaLaTazza : LogicaEs6::Variante::Intrusi);
        const QString section = trovaLaTazza ? QStringLiteral("Trova la tazza") : QStringLiteral("Trova gli intrusi");
        for (int i = 0; i < Rounds / 10; ++i) {
            es.Livello = i % LogicaEs6::Livelli + 1;
            es.ImpostaColori();
            QCOMPARE(es.tazze.at(es.TazzaGiusta), es.Modello);
            // Only the model has every feature of the list.
            CHECK(es.tazze.count(es.Modello) == 1, QString::number(es.NumeroPosti));
            es.ScriviFrase(*lang.testi, i % 2 ? QStringLiteral("maiuscolo") : QString());
            QCOMPARE(es.righe.size(), 7);
            QSet<int> features;
            for (const Frase &line : es.righe) {
                const Reading r = readSentence(claims, line, es.Modello);
                auto context = [&] { return line.testo() + QStringLiteral(" | ") + cupText(es.Modello); };
                CHECK(r.error.isEmpty() && r.truth && r.features.size() == 1, r.error + context());
                CHECK(!emptyPiece(line), context());
                features.insert(r.features.first());
                learn(language, section, line, {FraseFinita(line.testo(), QString(), true)});
            }
            QCOMPARE(features.size(), 7);
        }
    }

    // The catalogue of every sentence, as committed for review, must equal what the builders
    // make now. VORBELLO_UPDATE_CATALOGUE=1 rewrites it.
    void catalogue_()
    {
        QString text = QStringLiteral(
            "# Sentences as the pupil reads them\n\n"
            "Every distinct sentence the exercises build from `data/lgnvorbello/`, in the letter case of\n"
            "the default profile. Colour words: verde, rossa, blu, gialla; green, red, blue, yellow.\n"
            "Written by the test `tst_frasi`; do not edit by hand.\n");
        for (const auto &[language, sections] : catalogue) {
            text += QStringLiteral("\n## %1\n").arg(language);
            for (const auto &[section, sentences] : sections) {
                text += QStringLiteral("\n### %1 (%2)\n\n").arg(section).arg(sentences.size());
                for (const QString &s : sentences)
                    text += QStringLiteral("- ") + s + QLatin1Char('\n');
            }
        }
        const QString path = QStringLiteral(VORBELLO_SOURCE_DATA "/../doc/sentences.md");
        QFile f(path);
        if (qEnvironmentVariableIntValue("VORBELLO_UPDATE_CATALOGUE")) {
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text.toUtf8());
            return;
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString committed = QString::fromUtf8(f.readAll());
        if (committed != text) {
            QFile out(QStringLiteral("sentences.md"));
            if (out.open(QIODevice::WriteOnly))
                out.write(text.toUtf8());
        }
        QVERIFY2(committed == text, "doc/sentences.md differs from what the builders make; review "
                                    "the new sentences.md beside the test and rerun with "
                                    "VORBELLO_UPDATE_CATALOGUE=1");
    }
};

QTEST_GUILESS_MAIN(TestFrasi)
#include "tst_frasi.moc"
