#include "framework/DialogUnits.h"

#include <cstdint>

namespace fw {

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = (c > 0 ? c : -c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = ((product < 0 ? -product : product) + half) / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogBaseUnits BaseUnitsFromMetrics(int alphabetWidth, int height)
{
    return {(alphabetWidth / 26 + 1) / 2, height};
}

Rect MapDialogRect(const Rect& units, DialogBaseUnits base)
{
    return {MulDivRound(units.left, base.x, 4), MulDivRound(units.top, base.y, 8), MulDivRound(units.right, base.x, 4),
            MulDivRound(units.bottom, base.y, 8)};
}

Size MapDialogSize(const Size& units, DialogBaseUnits base)
{
    return {MulDivRound(units.cx, base.x, 4), MulDivRound(units.cy, base.y, 8)};
}

} // namespace fw
