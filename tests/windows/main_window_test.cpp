// The real main window and panel, built in this process from quiz records and
// driven with real messages.
#include "resources/resource_ids.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/windows/player_window.h"
#include "ui/app_globals.h"
#include "ui/build_settings.h"
#include "ui/header_bar.h"
#include "ui/main_window.h"
#include "ui/panel.h"

#include <gtest/gtest.h>

enum class Font { None, Gui, Link };

TEST(MainWindow, BuildsTheHeaderBar)
{
    PlayerWindow window(MakeQuiz(LAYOUT_PICTURE, 30, 1, REVEAL_NONE));
    const DWORD label = WS_CHILD | WS_VISIBLE;
    const struct {
        const char* text;
        DWORD style;
        int x, y, width, height, id;
        Font font;
    } controls[] = {
        {"", label | WS_BORDER, 5, 2, 100, 24, 1, Font::None},
        {"", label | WS_BORDER, 5, 25, 100, 22, 2, Font::None},
        {"", label | WS_BORDER, 104, 2, 623, 45, 3, Font::None},
        {"", label | WS_BORDER, 726, 2, 130, 45, 4, Font::None},
        {" Code :", label, 10, 29, 36, 15, 151, Font::Gui},
        // " xxxxxx" until the panel grades its boxes, before the window shows.
        {"      ", label, 47, 28, 55, 16, 157, Font::Gui},
        {" 0 / 30", label | SS_CENTER, 10, 5, 90, 18, 150, Font::None},
        {MAKER_WEB_SITE, label | SS_NOTIFY, 736, 5, 115, 18, 154, Font::Link},
        {"Par :", label, 736, 25, 27, 18, 150, Font::Gui},
        {"L\xE9"
         "a",
         label, 763, 25, 85, 18, 150, Font::Gui},
        {"Les capitales", label, 110, 3, 220, 18, 150, Font::None},
        {"Trouvez la capitale de chaque pays.", label, 110, 19, 580, 27, 150, Font::Gui},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.text);
        HWND control = window.ChildAt(c.x, c.y, c.width, c.height);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(TextOf(control), c.text);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & ~WS_DISABLED, c.style);
        EXPECT_EQ(GetDlgCtrlID(control), c.id);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (c.font == Font::None) {
            EXPECT_EQ(font, nullptr);
        } else if (c.font == Font::Gui) {
            EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT));
        } else {
            LOGFONTA link = {};
            ASSERT_TRUE(GetObjectA(font, sizeof link, &link));
            EXPECT_EQ(link.lfHeight, -13);
            EXPECT_EQ(link.lfWeight, FW_NORMAL);
            EXPECT_TRUE(link.lfUnderline);
        }
    }
    // Five labels share 150; the score label, made first, is the one found.
    EXPECT_EQ(GetDlgItem(window.main, SCORE_LABEL_ID), window.ChildAt(10, 5, 90, 18));
    SetDlgItemTextA(window.main, SCORE_LABEL_ID, " 3 / 30");
    EXPECT_EQ(TextOf(window.ChildAt(10, 5, 90, 18)), " 3 / 30");
    EXPECT_EQ(TextOf(window.ChildAt(110, 3, 220, 18)), "Les capitales");
}

TEST(MainWindow, SizesTheContentByLayout)
{
    const struct {
        int layout, questions, answers, reveal;
        int width, height;
    } cases[] = {
        {LAYOUT_PICTURE, 30, 1, REVEAL_NONE, 890, 3325},
        {LAYOUT_PICTURE, 30, 1, REVEAL_PICTURE, 890, 3325},
        {LAYOUT_PICTURE, 30, 2, REVEAL_TEXT, 980, 3625},
        {LAYOUT_PICTURE, 31, 1, REVEAL_NONE, 890, 3655},
        {LAYOUT_VIDEO, 30, 1, REVEAL_TEXT, 890, 3625},
        {LAYOUT_AUDIO, 30, 1, REVEAL_TEXT, 890, 1225},
        {LAYOUT_TEXT, 30, 2, REVEAL_NONE, 980, 775},
        {LAYOUT_TEXT, 0, 1, REVEAL_NONE, 890, 25},
        {LAYOUT_VIDEO, 0, 1, REVEAL_NONE, 890, 25},
        {-1, 30, 1, REVEAL_NONE, 890, 0},
    };
    for (const auto& c : cases) {
        PlayerWindow window(MakeQuiz(c.layout, c.questions, c.answers, c.reveal));
        EXPECT_EQ(ContentWidth, c.width) << c.layout << " " << c.questions;
        EXPECT_EQ(ContentHeight, c.height) << c.layout << " " << c.questions;
    }
}

TEST(MainWindow, KeepsPanelAndVersionLabelInPlace)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    EXPECT_EQ(GetParent(g_panel), window.main);
    for (LONG bit : {WS_CHILD, WS_BORDER, WS_VSCROLL, WS_HSCROLL})
        EXPECT_TRUE(GetWindowLongA(g_panel, GWL_STYLE) & bit) << bit;
    for (SIZE size : {SIZE{600, 400}, SIZE{1000, 700}}) {
        SetWindowPos(window.main, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(window.main, &client);
        const RECT panel = PlaceOf(g_panel);
        EXPECT_EQ(panel.left, PANEL_LEFT);
        EXPECT_EQ(panel.top, PANEL_TOP);
        EXPECT_EQ(panel.right - panel.left, client.right - 11) << size.cx;
        EXPECT_EQ(panel.bottom - panel.top, client.bottom - 68) << size.cy;
        EXPECT_EQ(TextOf(window.ChildAt(client.right - 145, client.bottom - 16, 130, 15)),
                  "R\xE9"
                  "alis\xE9 avec la version 2.1");
    }
}

TEST(MainWindow, TurnsKeysAndSingleWheelNotchesIntoScrollRequests)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    const struct {
        WPARAM key;
        UINT code;
    } keys[] = {{VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN}, {VK_END, SB_BOTTOM},
                {VK_HOME, SB_TOP},     {VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN},
                {VK_LEFT, 65535},      {VK_RIGHT, 65535},      {'A', 65535}};
    for (const auto& k : keys) {
        g_scrollCodes.clear();
        SendMessageA(window.main, WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(g_scrollCodes, std::vector<UINT>{k.code}) << k.key; // sent, so at once
    }

    const struct {
        short delta;
        std::vector<UINT> codes;
    } notches[] = {{120, {SB_LINEUP}}, {-120, {SB_LINEDOWN}}, {240, {}}, {60, {}}};
    for (const auto& n : notches) {
        g_scrollCodes.clear();
        SendMessageA(window.main, WM_MOUSEWHEEL, MAKEWPARAM(0, n.delta), 0);
        EXPECT_TRUE(g_scrollCodes.empty()) << n.delta << ": posted, not sent";
        PumpMessages();
        EXPECT_EQ(g_scrollCodes, n.codes) << n.delta;
    }
}

TEST(MainWindow, ColoursTheHeaderWithOneBrushPerColour)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE), true);
    const COLORREF unchanged = RGB(1, 2, 3);
    const struct {
        int x, y, width, height;
        COLORREF text, background;
        bool handled;
    } labels[] = {
        {5, 2, 100, 24, unchanged, RGB(128, 128, 255), true},          // score frame
        {10, 29, 36, 15, unchanged, RGB(128, 128, 255), true},         // " Code :"
        {47, 28, 55, 16, unchanged, RGB(128, 128, 255), true},         // code
        {110, 3, 220, 18, unchanged, RGB(128, 128, 255), true},        // title
        {736, 5, 115, 18, RGB(50, 50, 255), RGB(128, 128, 255), true}, // link
    };
    HDC dc = CreateCompatibleDC(nullptr);
    HWND version = GetDlgItem(window.main, VERSION_LABEL_ID);
    auto colour = [&](HWND control) {
        SetTextColor(dc, unchanged);
        return reinterpret_cast<HBRUSH>(SendMessageA(window.main, WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(control)));
    };
    for (const auto& l : labels) {
        HWND control = window.ChildAt(l.x, l.y, l.width, l.height);
        HBRUSH brush = colour(control);
        EXPECT_EQ(BrushColour(brush), l.background) << l.x << "," << l.y;
        EXPECT_EQ(GetTextColor(dc), l.text) << l.x << "," << l.y;
        EXPECT_EQ(colour(control), brush) << "the same brush every time";
    }
    HBRUSH versionBrush = colour(version);
    EXPECT_EQ(BrushColour(versionBrush), RGB(212, 208, 200));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(colour(version), versionBrush);
    EXPECT_EQ(colour(g_panel), nullptr) << "other controls are not handled";

    // However often the header repaints, no GDI object is added (where the
    // platform counts them).
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i)
        RedrawWindow(window.main, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    DeleteDC(dc);
}

TEST(MainWindow, OpensTheWebSiteFromTheLinkOnly)
{
    PlayerWindow window(MakeQuiz(LAYOUT_TEXT, 3, 1, REVEAL_NONE));
    HWND link = GetDlgItem(window.main, LINK_LABEL_ID);
    HWND title = window.ChildAt(110, 3, 220, 18);
    OpenedAddresses().clear();
    for (HWND label : {title, window.ChildAt(763, 25, 85, 18), link}) {
        SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
    EXPECT_EQ(OpenedAddresses(), std::vector<std::string>{MAKER_WEB_SITE});

    // The hand shows over the link; the other labels let the pointer through
    // to the main window and its arrow.
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(link, GCLP_HCURSOR)),
              LoadCursorA(g_instance, MAKEINTRESOURCEA(LINK_CURSOR)));
    EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, 0), HTCLIENT);
    EXPECT_EQ(SendMessageA(title, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    ICONINFO hand = {};
    ASSERT_TRUE(GetIconInfo(LoadCursorA(g_instance, MAKEINTRESOURCEA(LINK_CURSOR)), &hand));
    EXPECT_EQ(hand.xHotspot, 6u);
    EXPECT_EQ(hand.yHotspot, 0u);
    DeleteObject(hand.hbmMask);
    DeleteObject(hand.hbmColor);
}
