#pragma once
// The session's language for the window and qovctl: the product's catalogue
// (built in as :/i18n/qovprog_<lang>.qm) and Qt's own dialog texts, chosen the
// way desktop programs choose: LANGUAGE's list first, then the first of LC_ALL,
// LC_MESSAGES and LANG that is set. English, the source language, needs neither.
#include <QString>
#include <QStringList>
#include <functional>

class QCoreApplication;

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

} // namespace Languages
