#include "translations/Languages.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

namespace Languages {

QStringList requested(const Environment &env)
{
    QStringList out;
    // LANGUAGE is a priority list ("es:de"); empty entries are skipped.
    for (const QString &entry : env("LANGUAGE").split(u':', Qt::SkipEmptyParts))
        out << entry.trimmed();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = env(name).trimmed();
        if (!value.isEmpty()) {
            out << value;
            break;
        }
    }
    out.removeAll(QString());
    return out;
}

QString withoutCodeset(const QString &name)
{
    QString out = name;
    for (QChar end : {u'.', u'@'}) {
        const qsizetype at = out.indexOf(end);
        if (at >= 0)
            out.truncate(at);
    }
    return out;
}

QString choose(const QStringList &requested, const std::function<bool(const QString &)> &hasCatalogue)
{
    for (const QString &entry : requested) {
        const QString name = withoutCodeset(entry);
        if (name.isEmpty())
            continue;
        // The C locale and English are the source texts: nothing to load, and a
        // later entry of the list does not override them.
        if (name == QLatin1String("C") || name == QLatin1String("POSIX")
            || name.section(u'_', 0, 0) == QLatin1String("en"))
            return {};
        for (const QString &candidate : {name, name.section(u'_', 0, 0)}) {
            if (hasCatalogue(candidate))
                return candidate;
        }
    }
    return {};
}

QString cataloguePath(const QString &suffix)
{
    return QStringLiteral(":/i18n/qovprog_") + suffix + QStringLiteral(".qm");
}

QString install(QCoreApplication &app, const Environment &env)
{
    const QString chosen = choose(requested(env), [](const QString &suffix) {
        return QFile::exists(cataloguePath(suffix));
    });
    if (chosen.isEmpty())
        return {};
    auto *own = new QTranslator(&app);
    if (own->load(cataloguePath(chosen)))
        QCoreApplication::installTranslator(own);
    // Qt's own texts (the buttons of message boxes, the file dialog), when the
    // system has them; without them those stay in English.
    auto *qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + chosen,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return chosen;
}

QString install(QCoreApplication &app)
{
    return install(app, [](const char *name) { return qEnvironmentVariable(name); });
}

EnglishOnly::EnglishOnly()
{
    if (QCoreApplication *app = QCoreApplication::instance()) {
        m_setAside = app->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly);
        for (QTranslator *t : std::as_const(m_setAside))
            QCoreApplication::removeTranslator(t);
    }
}

EnglishOnly::~EnglishOnly()
{
    // In the order they were made, so the last one installed is asked first again.
    for (QTranslator *t : std::as_const(m_setAside))
        QCoreApplication::installTranslator(t);
}

} // namespace Languages
