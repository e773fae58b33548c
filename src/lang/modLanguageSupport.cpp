#include "lang/modLanguageSupport.h"

#include "lang/LanguageState.h"
#include "lang/QtTexts.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QStringBuilder>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace {

const QString LangSetting = QStringLiteral("LangSetting.ini");

QString fileLingua(const LanguageState &state, const QString &lingua)
{
    // Built in one piece: this runs for every text looked up.
    return state.paths.programFolder() % CartellaLingue % lingua % QStringLiteral(".lng");
}

QString fileImpostazione(const LanguageState &state)
{
    return state.paths.programFolder() % CartellaLingue % LangSetting;
}

// The user's own copy, for when the program's folder cannot be written (an installed copy).
QString fileImpostazioneUtente(const LanguageState &state)
{
    return state.cartellaUtente + LangSetting;
}

// A language name is a file name: nothing that would lead out of the language folder.
bool nomeSicuro(QStringView name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1String(".."));
}

std::optional<QString> leggiFile(LanguageState &state, const QString &file)
{
    return state.ini.LeggiIni(file, QStringLiteral("Language"), QStringLiteral("CurrentLanguage"));
}

// There, but not to be read (a device, a FIFO, no permission): it may hold a choice we cannot
// see. A folder in its place holds none.
bool illeggibile(LanguageState &state, const QString &file)
{
    const QFileInfo fi(state.paths.toHost(file));
    return fi.exists() && !fi.isDir() && !leggiFile(state, file);
}

enum class Impostazione { Letta, Assente, Illeggibile };

// The user's copy wins; one that cannot be read gives way to the program folder's choice.
Impostazione leggiImpostazione(LanguageState &state, QString *lingua)
{
    lingua->clear();
    bool nonLetta = false;
    for (const QString &file : {fileImpostazioneUtente(state), fileImpostazione(state)}) {
        if (const auto v = leggiFile(state, file)) {
            *lingua = *v;
            return Impostazione::Letta;
        }
        nonLetta = nonLetta || illeggibile(state, file);
    }
    return nonLetta ? Impostazione::Illeggibile : Impostazione::Assente;
}

bool scriviImpostazione(LanguageState &state, const QString &language)
{
    const QString utente = fileImpostazioneUtente(state);
    const QString key = QStringLiteral("CurrentLanguage");
    if (!EsisteFile(state.paths, utente)) {
        if (state.ini.ScriviIni(fileImpostazione(state), QStringLiteral("Language"), key, language))
            return true;
        // A copy of ours would override, from then on, a choice we could not even read.
        if (illeggibile(state, fileImpostazione(state)))
            return false;
    }
    return state.ini.ScriviIni(utente, QStringLiteral("Language"), key, language);
}

} // namespace

namespace ControlText {

bool setCaption(QObject *c, const QString &text)
{
    if (auto *b = qobject_cast<QAbstractButton *>(c))
        b->setText(text);
    else if (auto *l = qobject_cast<QLabel *>(c))
        l->setText(text);
    else if (auto *g = qobject_cast<QGroupBox *>(c))
        g->setTitle(text);
    else if (auto *m = qobject_cast<QMenu *>(c))
        m->setTitle(text);
    else if (auto *a = qobject_cast<QAction *>(c))
        a->setText(text);
    else
        return false;
    return true;
}

QString caption(const QObject *c)
{
    if (auto *b = qobject_cast<const QAbstractButton *>(c))
        return b->text();
    if (auto *l = qobject_cast<const QLabel *>(c))
        return l->text();
    if (auto *g = qobject_cast<const QGroupBox *>(c))
        return g->title();
    if (auto *m = qobject_cast<const QMenu *>(c))
        return m->title();
    if (auto *a = qobject_cast<const QAction *>(c))
        return a->text();
    return QString();
}

bool setToolTip(QObject *c, const QString &text)
{
    if (auto *w = qobject_cast<QWidget *>(c))
        w->setToolTip(text);
    else if (auto *a = qobject_cast<QAction *>(c))
        a->setToolTip(text);
    else
        return false;
    return true;
}

void setTag(QObject *c, const QString &text)
{
    c->setProperty("Tag", text);
}

QString tag(const QObject *c)
{
    return c->property("Tag").toString();
}

int index(const QObject *c)
{
    bool ok = false;
    const int i = c->property("Index").toInt(&ok);
    return ok && i >= 0 ? i : -1;
}

void setIndex(QObject *c, int i)
{
    c->setProperty("Index", i);
}

} // namespace ControlText

QStringList ElencoLingue(const LanguageState &state)
{
    const QString folder = state.paths.toHost(QString(state.paths.programFolder() % CartellaLingue));
    QStringList names = FileNellaCartella(folder, QStringLiteral(".lng"));
    // In place: this runs whenever the language in use is looked for.
    names.removeIf([](const QString &name) {
        return name.size() <= 4 || !nomeSicuro(QStringView(name).chopped(4));
    });
    for (QString &name : names)
        name.chop(4);
    return names;
}

bool LinguaUtilizzabile(LanguageState &state, const QString &lingua)
{
    if (!nomeSicuro(lingua))
        return false;
    return state.ini.lettore(fileLingua(state, lingua)).haSezione(QStringLiteral("Strings"));
}

QString LinguaRegistrata(LanguageState &state)
{
    QString lingua;
    leggiImpostazione(state, &lingua);
    return lingua;
}

QString LinguaImpostata(LanguageState &state)
{
    QString lingua;
    const Impostazione letta = leggiImpostazione(state, &lingua);
    if (LinguaUtilizzabile(state, lingua))
        return lingua;
    // A choice we cannot read is no reason to leave the language in use.
    if (letta == Impostazione::Illeggibile && !state.LinguaCorrente.isEmpty())
        return state.LinguaCorrente;
    const QStringList lingue = ElencoLingue(state);
    if (lingue.isEmpty())
        return nomeSicuro(lingua) ? lingua : QString();
    // A recorded language whose file is gone or holds no texts gives way to the first one that
    // has them, for this run only: the choice stays recorded for when its file comes back.
    QString prima = lingue.first();
    for (const QString &l : lingue) {
        if (LinguaUtilizzabile(state, l)) {
            prima = l;
            break;
        }
    }
    // Nothing recorded: record the first language. Something unusable or unreadable recorded:
    // leave it be.
    if (letta != Impostazione::Illeggibile && lingua.isEmpty())
        scriviImpostazione(state, prima);
    return prima;
}

QString MLSGetString(LanguageState &state, const QString &key)
{
    if (state.LinguaCorrente.isEmpty())
        state.LinguaCorrente = LinguaImpostata(state);
    if (state.LinguaCorrente.isEmpty())
        return QString();
    return state.ini.LeggiIni(fileLingua(state, state.LinguaCorrente), QStringLiteral("Strings"), key)
        .value_or(QString());
}

QString MLSGetStringIn(LanguageState &state, const QString &lingua, const QString &key)
{
    if (lingua.isEmpty())
        return QString();
    return state.ini.LeggiIni(fileLingua(state, lingua), QStringLiteral("Strings"), key)
        .value_or(QString());
}

QString MLSCaption(LanguageState &state, const QString &window, const QString &control,
                   const QString &builtIn)
{
    const auto caption = state.ini.lettore(fileLingua(state, state.LinguaCorrente))(
        window, control + QStringLiteral(".Caption"));
    return caption && !caption->isEmpty() ? *caption : builtIn;
}

void MLSApplyToForm(LanguageState &state, QWidget *window)
{
    if (!window)
        return;
    const QString file = fileLingua(state, state.LinguaCorrente);
    const QString section = window->objectName();
    // One look at the file for the whole pass; an uncached store reads it per key, as before.
    // A key the file lacks leaves its text alone; one present with an empty value does not.
    const IniStore::Lettore lettore = state.ini.lettore(file);
    auto read = [&](const QString &key) {
        return state.ini.caching() ? lettore(section, key) : state.ini.lettore(file)(section, key);
    };

    if (!window->windowTitle().isEmpty()) {
        if (auto t = read(section + QStringLiteral(".Caption")))
            window->setWindowTitle(*t);
    }
    if (auto t = read(section + QStringLiteral(".Tag")))
        ControlText::setTag(window, *t);

    // Guarded: a control may go away while the texts are set (a slot reacting to a change).
    QList<QPointer<QObject>> controls;
    for (QObject *o : window->findChildren<QObject *>())
        controls.append(o);
    for (const QPointer<QObject> &control : controls) {
        if (!control)
            continue;
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        const int idx = ControlText::index(control);
        const QString base =
            idx >= 0 ? name + QLatin1Char('(') + QString::number(idx) + QLatin1Char(')') : name;

        const auto caption = read(base + QStringLiteral(".Caption"));
        if (caption && !caption->isEmpty())
            ControlText::setCaption(control, *caption);
        const auto tip = read(base + QStringLiteral(".ToolTipText"));
        if (tip && !tip->isEmpty())
            ControlText::setToolTip(control, *tip);
        const auto tag = read(base + QStringLiteral(".Tag"));
        if (tag && !tag->isEmpty())
            ControlText::setTag(control, *tag);

        QTabBar *tabs = qobject_cast<QTabBar *>(control);
        if (auto *tw = qobject_cast<QTabWidget *>(control))
            tabs = tw->tabBar();
        if (tabs && tabs->count() > 0) {
            // Tab i takes its text whether empty or not; there is no tab at index count.
            for (int i = 0; i < tabs->count(); ++i) {
                if (lettore.valid())
                    tabs->setTabText(i, read(name + QStringLiteral(".TabCaption(") +
                                             QString::number(i) + QLatin1Char(')'))
                                            .value_or(QString()));
            }
        }
    }
}

void MLSCambiaLingua(LanguageState &state, const QString &language)
{
    state.LinguaCorrente = language;
    if (state.testiQt)
        state.testiQt->follow(language);
    if (state.linguaCambiata)
        state.linguaCambiata();
    if (!scriviImpostazione(state, language) && state.dialogs)
        state.dialogs->message(nullptr, MLSGetString(state, QStringLiteral("0166")), QString(),
                               Dialogs::Icon::Warning);
}
