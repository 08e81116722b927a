#include "atelier/window/editor.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/media_player.h"
#include "atelier/window/picture_preview.h"
#include "atelier/window/question_fields.h"
#include "atelier/window/question_list.h"
#include "atelier/window/quiz_fields.h"
#include "atelier/window/recovery.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/media_format.h"
#include "win32/wide_text.h"

namespace {

unsigned g_revision = 0;         // of the document, one more at each change
unsigned g_documentRevision = 0; // when the document shown came

bool g_previewReveal = false; // the preview shows the reveal picture
unsigned g_previewRequest = 0;

SourceQuestion* Current()
{
    auto& questions = g_document.source.questions;
    return g_current >= 0 && g_current < static_cast<int>(questions.size()) ? &questions[g_current]
                                                                            : nullptr;
}

bool RevealPictures()
{
    return ShownRevealMode(g_document.source) == REVEAL_PICTURE;
}

// The question's fields, and its picture in the preview; what played stops.
void ShowQuestion()
{
    ShowQuestionFields();
    StopMediaFile();
    g_previewReveal = false;
    RefreshPreview();
}

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
    ShowQuestion();
    UpdateTitleBar();
    ScheduleRecoveryCopy();
    CheckNow();
}

void ShowSavedDocument()
{
    ShowQuizFields();
    FillQuestionList();
    ShowQuestion();
    UpdateTitleBar();
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
    ShowQuestion();
}

void Rearrange()
{
    UpdateFieldStates();
    LayOutEditor(g_mainWindow);
    FillQuestionList();
    ShowQuestion();
}

void RefreshPreview()
{
    SourceQuestion* question = Current();
    const int layout = g_document.source.layoutKind;
    HWND preview = Control(IDC_PREVIEW);
    const bool reveal = g_previewReveal && RevealPictures();
    const SourceText* value = !question ? nullptr
                              : reveal  ? &question->revealPicture
                                        : QuestionMedium(*question, layout);
    const std::wstring number = std::to_wstring(g_current + 1);
    std::wstring caption;
    if (layout == LAYOUT_PICTURE) {
        caption = (reveal ? L"Image révélée de la question " : L"Image de la question ") + number +
                  L", comme le lecteur la montrera";
        if (!value || value->value.empty()) {
            ShowPreviewText(preview,
                            question ? L"Pas encore d'image : choisissez-en une, ou déposez-la ici "
                                       L"depuis l'Explorateur."
                                     : L"",
                            QuizColour());
        } else {
            ShowPreviewText(preview, L"Préparation de l'image…", QuizColour());
            RequestPreview(++g_previewRequest, MediumFile(g_document.folder, value->value),
                           QuizColour());
        }
    } else if (layout > LAYOUT_TEXT && question) {
        if (value && !value->value.empty())
            caption = Widen(FileName(value->value));
        else if (layout == LAYOUT_AUDIO)
            caption = L"Pas encore de son : choisissez-en un (" +
                      Widen(TakenMediaNames(MediaKind::Sound)) + L").";
        else
            caption = L"Pas encore de vidéo : choisissez-en une (" +
                      Widen(TakenMediaNames(MediaKind::Film)) + L").";
    }
    if (!question)
        caption.clear();
    SetWindowTextW(Control(IDC_PREVIEW_CAPTION), caption.c_str());
}

void PreviewRevealPicture(bool reveal)
{
    if (g_previewReveal == reveal)
        return;
    g_previewReveal = reveal;
    RefreshPreview();
}

void OnPreviewed(const PreviewResult& result)
{
    if (result.request != g_previewRequest)
        return;
    HWND preview = Control(IDC_PREVIEW);
    if (result.shown)
        ShowPreviewPicture(preview, result.picture, QuizColour());
    else
        ShowPreviewText(preview, Widen(result.reason), QuizColour());
}

void PlayQuestionMedium()
{
    const SourceQuestion* question = Current();
    if (!question)
        return;
    const SourceText* medium = QuestionMedium(*question, g_document.source.layoutKind);
    if (!medium || medium->value.empty()) {
        SetStatus(L"Cette question n'a pas encore de fichier à lire : choisissez-en un.");
        return;
    }
    std::wstring error;
    if (!PlayMediaFile(MediumFile(g_document.folder, medium->value), error))
        SetStatus(L"Lecture impossible de « " + Widen(medium->value) + L" » : " + error);
}

void UpdateTitleBar()
{
    const std::wstring title = (IsModified(g_document) ? L"*" : L"") +
                               Widen(DocumentName(g_document)) + L" – " + ATELIER_NAME;
    SetWindowTextW(g_mainWindow, title.c_str());
}
