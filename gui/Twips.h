#pragma once
// The windows are laid out in twips (1/1440 inch) so that they keep their
// proportions at any screen resolution.
#include <QWidget>
#include <QtGlobal>

// Twips to pixels at the widget's logical DPI.
inline int twips(const QWidget &widget, int tw)
{
    return qRound(tw * widget.logicalDpiX() / 1440.0);
}
