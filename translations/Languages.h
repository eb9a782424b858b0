#pragma once
// The session's language for the window and qovctl: the product's catalogue
// (built in as :/i18n/qovprog_<lang>.qm) and Qt's own dialog texts, chosen the
// way desktop programs choose: LANGUAGE's list first, then the first of LC_ALL,
// LC_MESSAGES and LANG that is set. English, the source language, needs neither.
#include <QString>
#include <QList>
#include <QStringList>
#include <functional>

class QCoreApplication;
class QTranslator;

namespace Languages {

using Environment = std::function<QString(const char *name)>;

// The languages asked for, most wanted first, as written ("de_DE.UTF-8", "es").
QStringList requested(const Environment &env);
// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" stay as they are.
QString withoutCodeset(const QString &name);
// The first requested language the product speaks: its catalogue's suffix ("de",
// "es"), or empty for English (asked for, "C"/"POSIX", or nothing the product has).
// A language is looked up as written, then by its language part ("de_AT" -> "de").
QString choose(const QStringList &requested, const std::function<bool(const QString &)> &hasCatalogue);
// The built-in catalogue's resource path for a suffix.
QString cataloguePath(const QString &suffix);

// Installs the translators for the session's language on the application (they live
// as long as it does) and returns the catalogue's suffix, empty for English.
QString install(QCoreApplication &app, const Environment &env);
QString install(QCoreApplication &app);

// English while it lives: the application's translators are set aside and put back
// after. qovctl --json runs in English, since its JSON "error" is what the run said
// on the error stream, and JSON is the same in every language.
class EnglishOnly
{
public:
    EnglishOnly();
    ~EnglishOnly();
    EnglishOnly(const EnglishOnly &) = delete;
    EnglishOnly &operator=(const EnglishOnly &) = delete;

private:
    QList<QTranslator *> m_setAside;
};

} // namespace Languages
