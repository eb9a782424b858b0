#pragma once
// A stored or typed text as it may be shown on one line: short, control characters
// spelled out, so a damaged value cannot break the line or flood the terminal
// (TerminalText::printable, with the command line's shorter default).
#include <QString>

QString printable(const QString &text, int maxLength = 40);
