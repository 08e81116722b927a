#include "player/panel_controls.h"

namespace {

constexpr int FIRST_REMEMBERED = ANSWER_BOX_BASE;
constexpr int LAST_REMEMBERED = PICTURE_BASE + 90;

HWND g_remembered[LAST_REMEMBERED - FIRST_REMEMBERED + 1];

bool IsRemembered(int id)
{
    return id >= FIRST_REMEMBERED && id <= LAST_REMEMBERED;
}

} // namespace

HWND PanelItem(HWND panel, int id)
{
    if (!IsRemembered(id))
        return GetDlgItem(panel, id);
    HWND& slot = g_remembered[id - FIRST_REMEMBERED];
    if (!slot || GetParent(slot) != panel || GetDlgCtrlID(slot) != id)
        slot = GetDlgItem(panel, id);
    return slot;
}

void RememberPanelItem(HWND control, int id)
{
    if (IsRemembered(id))
        g_remembered[id - FIRST_REMEMBERED] = control;
}
