// The brushes that verdict labels are painted with (checking/verdict.h's
// colours), and the few other fixed colours a window paints its labels in:
// one per colour, made on first use and kept for the process, since a label
// asks for its brush at every repaint. The interface thread's alone.
#pragma once

#include <windows.h>

constexpr int MAX_FIXED_BRUSHES = 8;

// The brush of colour, owned by the cache; nullptr past MAX_FIXED_BRUSHES
// colours, which leaves the label in the system's colours.
HBRUSH VerdictBrush(COLORREF colour);
