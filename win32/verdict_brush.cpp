#include "win32/verdict_brush.h"

HBRUSH VerdictBrush(COLORREF colour)
{
    static struct {
        COLORREF colour;
        HBRUSH brush;
    } brushes[MAX_FIXED_BRUSHES] = {};
    for (auto& entry : brushes) {
        if (!entry.brush)
            entry = {colour, CreateSolidBrush(colour)};
        if (entry.colour == colour)
            return entry.brush;
    }
    return nullptr;
}
