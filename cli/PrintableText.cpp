#include "cli/PrintableText.h"

#include "device/TerminalText.h"

QString printable(const QString &text, int maxLength)
{
    return TerminalText::printable(text, maxLength);
}
