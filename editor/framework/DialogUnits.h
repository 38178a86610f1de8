#pragma once
// Dialog units: template coordinates scaled by the dialog font. A horizontal unit is a quarter
// of the font's average character width, a vertical unit an eighth of its height.
#include <QFont>
#include <QRect>
#include <QSize>

namespace fw {

struct DialogBaseUnits {
    int x = 0; // average character width in pixels
    int y = 0; // character height in pixels
};

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// Average width of the 52 Latin letters (rounded) and the line height of font.
DialogBaseUnits BaseUnitsForFont(const QFont& font);

QRect MapDialogRect(const QRect& units, DialogBaseUnits base);
QSize MapDialogSize(const QSize& units, DialogBaseUnits base);

} // namespace fw
