#include "atelier/window/dropped_files.h"

#include "atelier/document/question_editing.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/editor.h"
#include "atelier/window/file_commands.h"
#include "atelier/window/question_fields.h"
#include "atelier/window/question_list.h"
#include "authoring/packing/windows_platform.h"
#include "win32/wide_text.h"

#include <algorithm>
#include <string>
#include <vector>

std::vector<std::string> DroppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Narrow(path));
    }
    return paths;
}

namespace {

// Whether the point lies on one of these controls.
bool Over(POINT screen, std::initializer_list<int> ids)
{
    for (int id : ids) {
        HWND control = Control(id);
        RECT bounds;
        if (control && IsWindowVisible(control) && GetWindowRect(control, &bounds) &&
            PtInRect(&bounds, screen))
            return true;
    }
    return false;
}

bool IsMedium(const std::string& path)
{
    const FileKind kind = KindOfFile(path);
    return kind == FileKind::Picture || kind == FileKind::Sound || kind == FileKind::Film;
}

} // namespace

void OnDroppedFiles(HDROP drop)
{
    POINT point = {};
    DragQueryPoint(drop, &point);
    const std::vector<std::string> paths = DroppedPaths(drop);
    DragFinish(drop);
    if (paths.empty())
        return;
    ClientToScreen(g_mainWindow, &point);
    SetForegroundWindow(g_mainWindow);

    if (paths.size() == 1 && !IsMedium(paths[0])) {
        const std::string advice = UnplayedMediaAdvice(paths);
        if (!advice.empty())
            Tell(g_mainWindow, Widen(advice), MB_ICONINFORMATION);
        else
            OpenQuizFile(paths[0]);
        return;
    }
    if (paths.size() == 1 &&
        Over(point, {IDC_QUIZ_ICON, IDC_QUIZ_ICON + LABEL_OFFSET, IDC_QUIZ_ICON_PICK})) {
        SetWindowTextW(Control(IDC_QUIZ_ICON), Widen(paths[0]).c_str());
        return;
    }
    const int row = QuestionAtPoint(point);
    if (row >= 0 && paths.size() == 1) {
        SelectQuestion(row);
        SetQuestionMedium(row, paths[0], false);
        return;
    }
    const bool onQuestion = Over(point, {IDC_QUESTION_GROUP});
    if (g_current >= 0 && onQuestion && paths.size() == 1) {
        const bool reveal = Over(point, {IDC_REVEAL_PICTURE, IDC_REVEAL_PICTURE + LABEL_OFFSET,
                                         IDC_REVEAL_PICTURE_PICK});
        SetQuestionMedium(g_current, paths[0], reveal);
        return;
    }
    const int last = static_cast<int>(g_document.source.questions.size()) - 1;
    AddQuestionsForFiles(paths, row >= 0 ? row : last);
}
