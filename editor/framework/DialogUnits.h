#pragma once
// Dialog units: template coordinates scaled by the dialog font. A horizontal unit is a quarter
// of the font's average character width, a vertical unit an eighth of its height.
#include "framework/Types.h"

namespace fw {

struct DialogBaseUnits {
    int x = 0; // average character width in pixels
    int y = 0; // character height in pixels
};

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// The base units of a font whose 52 Latin letters are alphabetWidth pixels wide in all and
// whose lines are height pixels high: the average letter width rounded, and the height.
DialogBaseUnits BaseUnitsFromMetrics(int alphabetWidth, int height);

Rect MapDialogRect(const Rect& units, DialogBaseUnits base);
Size MapDialogSize(const Size& units, DialogBaseUnits base);

} // namespace fw
