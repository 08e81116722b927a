#include "player/panel_scroll.h"

#include "player/app_globals.h"
#include "player/picture_loading.h"

int PageWidth;
int PageHeight;

namespace {

constexpr int LINE_STEP_VERTICAL = 30;
constexpr int LINE_STEP_HORIZONTAL = 1;

SCROLLINFO ScrollInfo(HWND panel, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(panel, bar, &info);
    return info;
}

int Requested(const SCROLLINFO& info, int bar, WORD request)
{
    const int line = bar == SB_VERT ? LINE_STEP_VERTICAL : LINE_STEP_HORIZONTAL;
    const int page = (bar == SB_VERT ? PageHeight : PageWidth) - 1;
    switch (request) {
    case SB_LINEUP: // SB_LINELEFT
        return info.nPos - line;
    case SB_LINEDOWN: // SB_LINERIGHT
        return info.nPos + line;
    case SB_PAGEUP: // SB_PAGELEFT
        return info.nPos - page;
    case SB_PAGEDOWN: // SB_PAGERIGHT
        return info.nPos + page;
    case SB_THUMBTRACK:
        return info.nTrackPos;
    case SB_TOP: // no jump to either end horizontally
        return bar == SB_VERT ? 0 : info.nPos;
    case SB_BOTTOM:
        return bar == SB_VERT ? info.nMax : info.nPos;
    default:
        return info.nPos;
    }
}

void SetBar(HWND panel, int bar, int content, int page)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = content - 2;
    info.nPage = static_cast<UINT>(page - 1);
    SetScrollInfo(panel, bar, &info, TRUE);
}

} // namespace

void UpdateScrollExtents(HWND panel)
{
    RECT client;
    GetClientRect(panel, &client);
    const int width = (client.right - client.left) / ScrollUnit;
    PageHeight = (client.bottom - client.top) / ScrollUnit;
    if (width >= ContentWidth) {
        PageWidth = ContentWidth;
        SetScrollPos(panel, SB_HORZ, 0, FALSE);
    } else {
        PageWidth = width;
    }
    if (PageHeight >= ContentHeight) {
        PageHeight = ContentHeight;
        SetScrollPos(panel, SB_VERT, 0, FALSE);
    }
    SetBar(panel, SB_HORZ, ContentWidth, PageWidth);
    SetBar(panel, SB_VERT, ContentHeight, PageHeight);
}

void ScrollPanelTo(HWND panel, int bar, int position)
{
    const SCROLLINFO info = ScrollInfo(panel, bar);
    if (position > info.nMax)
        position = info.nMax;
    if (position < info.nMin)
        position = info.nMin;
    SetScrollPos(panel, bar, position, TRUE);
    // The bar keeps the position within its page; move by what it kept.
    const int moved = (info.nPos - GetScrollPos(panel, bar)) * ScrollUnit;
    if (bar == SB_VERT) {
        ScrollWindow(panel, 0, moved, nullptr, nullptr);
        PicturesFollowView(panel);
    } else
        ScrollWindow(panel, moved, 0, nullptr, nullptr);
}

void ScrollPanel(HWND panel, int bar, WORD request)
{
    ScrollPanelTo(panel, bar, Requested(ScrollInfo(panel, bar), bar, request));
}

void ResizePanel(HWND panel)
{
    const int oldHorizontal = GetScrollPos(panel, SB_HORZ);
    const int oldVertical = GetScrollPos(panel, SB_VERT);
    UpdateScrollExtents(panel);
    ScrollWindow(panel, (oldHorizontal - GetScrollPos(panel, SB_HORZ)) * ScrollUnit,
                 (oldVertical - GetScrollPos(panel, SB_VERT)) * ScrollUnit, nullptr, nullptr);
}

void ScrollIntoView(HWND panel, HWND control, HWND neighbour)
{
    RECT wanted, other, client;
    GetWindowRect(control, &wanted);
    if (neighbour && GetWindowRect(neighbour, &other))
        UnionRect(&wanted, &wanted, &other);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&wanted), 2);
    GetClientRect(panel, &client);
    // Offsets in pixels from the visible area; positions count scroll units.
    auto shift = [](LONG low, LONG high, LONG size) -> LONG {
        if (low < 0)
            return low;
        if (high > size)
            return high - size < low ? high - size : low;
        return 0;
    };
    const LONG dy = shift(wanted.top, wanted.bottom, client.bottom);
    const LONG dx = shift(wanted.left, wanted.right, client.right);
    if (dy)
        ScrollPanelTo(panel, SB_VERT, GetScrollPos(panel, SB_VERT) + dy / ScrollUnit);
    if (dx)
        ScrollPanelTo(panel, SB_HORZ, GetScrollPos(panel, SB_HORZ) + dx / ScrollUnit);
}

void PostWheelScroll(HWND panel, WPARAM wheelParam)
{
    const WORD delta = HIWORD(wheelParam);
    if (delta == WHEEL_DELTA)
        PostMessageA(panel, WM_VSCROLL, SB_LINEUP, 0);
    else if (delta == static_cast<WORD>(-WHEEL_DELTA))
        PostMessageA(panel, WM_VSCROLL, SB_LINEDOWN, 0);
}
