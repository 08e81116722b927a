#include "win32/font_metrics.h"

TEXTMETRICW FontMetrics(HWND window, HFONT font)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW text = {};
    GetTextMetricsW(dc, &text);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return text;
}
