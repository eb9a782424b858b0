#pragma once
// A stream's text passed on to another stream as it comes, and noted on the way:
// with --json, a failed run prints what it said on the error stream as a JSON
// object, and only when the command printed no result of its own.
#include "cli/WriteOnlyDevice.h"

#include <QString>
#include <QStringDecoder>
#include <QTextStream>

class StreamTap : public WriteOnlyDevice
{
public:
    // keepText: keep a copy of everything written (the error stream; standard output
    // may run for hours in learn mode and is only counted).
    StreamTap(QTextStream &target, bool keepText);

    bool wroteAnything() const { return m_wrote; }
    const QString &text() const { return m_text; }

    // What a run said on its error stream, as one line for a JSON "error": each of its
    // messages without the "qovctl: " in front, joined by "; ". Progress, notes, waits
    // and what a terminal is told on the way are left out: they are no error.
    static QString errorText(const QString &said);

protected:
    qint64 writeData(const char *data, qint64 size) override;

private:
    QTextStream &m_target;
    bool m_keepText = false;
    bool m_wrote = false;
    QString m_text;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};
