#pragma once
// Text that came from outside the program (the board's version answer, a USB
// adapter's serial number or description) made safe to print on a terminal:
// control characters (ESC, BEL, CR, DEL, C1 codes, Unicode format characters)
// are spelled \xNN or \uNNNN, and an overlong text is cut, so a board or a
// device cannot set a terminal's title, colours or cursor.
#include <QList>
#include <QString>
#include <QStringList>

namespace TerminalText {
constexpr qsizetype DefaultMaxChars = 64;

// At most maxChars characters of text, then "..." when it was longer; a
// negative maxChars keeps the whole text.
QString printable(const QString &text, qsizetype maxChars = DefaultMaxChars);

// Rows of cells in columns two blanks apart, the last column not padded; one line each.
QString columns(const QList<QStringList> &rows);
} // namespace TerminalText
