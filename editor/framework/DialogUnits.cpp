#include "framework/DialogUnits.h"

#include <QFontMetrics>

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

DialogBaseUnits BaseUnitsForFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect MapDialogRect(const QRect& units, DialogBaseUnits base)
{
    const int left = MulDivRound(units.left(), base.x, 4);
    const int top = MulDivRound(units.top(), base.y, 8);
    const int right = MulDivRound(units.left() + units.width(), base.x, 4);
    const int bottom = MulDivRound(units.top() + units.height(), base.y, 8);
    return QRect(left, top, right - left, bottom - top);
}

QSize MapDialogSize(const QSize& units, DialogBaseUnits base)
{
    return QSize(MulDivRound(units.width(), base.x, 4), MulDivRound(units.height(), base.y, 8));
}

} // namespace fw
