#include "atelier/window/editor.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/live_check.h"
#include "atelier/window/question_fields.h"
#include "atelier/window/question_list.h"
#include "atelier/window/quiz_fields.h"
#include "atelier/window/recovery.h"
#include "authoring/packing/windows_platform.h"

namespace {

unsigned g_revision = 0;         // of the document, one more at each change
unsigned g_documentRevision = 0; // when the document shown came

} // namespace

void ShowDocument()
{
    g_documentRevision = ++g_revision;
    const int count = static_cast<int>(g_document.source.questions.size());
    g_current = count > 0 ? 0 : -1;
    ShowQuizFields();
    UpdateFieldStates();
    LayOutEditor(g_mainWindow);
    FillQuestionList();
    ShowQuestionFields();
    UpdateTitleBar();
    ScheduleRecoveryCopy();
    CheckNow();
}

void NoteChange()
{
    ++g_revision;
    UpdateTitleBar();
    SetTimer(g_mainWindow, CHECK_TIMER, CHECK_DELAY_MS, nullptr);
    ScheduleRecoveryCopy();
}

void CheckNow()
{
    KillTimer(g_mainWindow, CHECK_TIMER);
    RequestCheck(g_revision, DocumentText(g_document), MediaBase(g_document));
}

bool IsOfThisDocument(unsigned revision)
{
    return revision >= g_documentRevision;
}

void SelectQuestion(int index)
{
    const int count = static_cast<int>(g_document.source.questions.size());
    g_current = index >= 0 && index < count ? index : -1;
    SelectQuestionRow(g_current);
    UpdateFieldStates();
    ShowQuestionFields();
}

void UpdateTitleBar()
{
    const std::wstring title = (IsModified(g_document) ? L"*" : L"") +
                               Widen(DocumentName(g_document)) + L" – " + ATELIER_NAME;
    SetWindowTextW(g_mainWindow, title.c_str());
}

void SetStatus(const std::wstring& text)
{
    SendMessageW(Control(IDC_STATUS), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

COLORREF QuizColour()
{
    return g_document.source.colour;
}
