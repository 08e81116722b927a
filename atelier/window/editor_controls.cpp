#include "atelier/window/editor_controls.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/picture_preview.h"
#include "authoring/source/quiz_field_table.h"
#include "quiz/picture_size.h"
#include "quiz/quiz_record.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace {

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD EDIT_STYLE = CHILD | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD BUTTON_STYLE = CHILD | WS_TABSTOP | BS_PUSHBUTTON;
constexpr int VERDICT_WIDTH = 100; // "yade lidée" in the player's label, with room
constexpr int QUIZ_FIELD_CHARACTERS = 30;

// The font's measures, from which every place is reckoned.
struct Metrics {
    int unit = 16;      // the font's height
    int character = 7;  // its average character width
    int row = 24;       // an edit box's height
    int gap = 6;        // between rows
    int margin = 8;     // inside and between groups
    int groupTop = 20;  // from a group box's top to its first row
    int quizLabels = 0; // the widest label of each group
    int questionLabels = 0;
    int buttons = 0; // the list's buttons
};
Metrics g_metrics;

HWND Make(HWND window, int id, const wchar_t* className, const wchar_t* text, DWORD style,
          DWORD exStyle = 0)
{
    HWND control =
        CreateWindowExW(exStyle, className, text, style, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    return control;
}

void Group(HWND window, int id, const wchar_t* text)
{
    Make(window, id, WC_BUTTONW, text, CHILD | BS_GROUPBOX);
}

void Label(HWND window, int field, const wchar_t* text)
{
    Make(window, field + LABEL_OFFSET, WC_STATICW, text, CHILD);
}

void Edit(HWND window, int id, DWORD extra = 0)
{
    Make(window, id, WC_EDITW, L"", EDIT_STYLE | extra, WS_EX_CLIENTEDGE);
}

// A labelled edit box.
void Field(HWND window, int id, const wchar_t* label)
{
    Label(window, id, label);
    Edit(window, id);
}

void Button(HWND window, int id, const wchar_t* text, DWORD style = BUTTON_STYLE)
{
    Make(window, id, WC_BUTTONW, text, style);
}

void Combo(HWND window, int id, const wchar_t* const* items, int count)
{
    HWND combo =
        Make(window, id, WC_COMBOBOXW, L"", CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
    for (int i = 0; i < count; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
}

// The width of a control's text in the font, without its mnemonic's "&".
int TextWidth(HDC dc, int id)
{
    wchar_t text[128] = {};
    GetWindowTextW(Control(id), text, 128);
    std::wstring shown(text);
    shown.erase(std::remove(shown.begin(), shown.end(), L'&'), shown.end());
    SIZE size = {};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    return size.cx;
}

int WidestText(HDC dc, std::initializer_list<int> ids)
{
    int widest = 0;
    for (int id : ids)
        widest = std::max(widest, TextWidth(dc, id));
    return widest;
}

void Measure(HWND window)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, g_font);
    TEXTMETRICW text = {};
    GetTextMetricsW(dc, &text);
    Metrics& m = g_metrics;
    m.unit = text.tmHeight;
    m.character = text.tmAveCharWidth;
    m.row = m.unit * 14 / 8 > m.unit + 6 ? m.unit * 14 / 8 : m.unit + 6;
    m.gap = m.unit / 3;
    m.margin = m.unit / 2 + 2;
    m.groupTop = m.unit + m.margin / 2;
    m.quizLabels =
        WidestText(dc, {IDC_TITLE + LABEL_OFFSET, IDC_AUTHOR + LABEL_OFFSET,
                        IDC_EXPLANATIONS + LABEL_OFFSET, IDC_LAYOUT + LABEL_OFFSET,
                        IDC_REVEAL + LABEL_OFFSET, IDC_COLOUR_SWATCH + LABEL_OFFSET,
                        IDC_FIRST_CAPTION + LABEL_OFFSET, IDC_SECOND_CAPTION + LABEL_OFFSET,
                        IDC_SITE + LABEL_OFFSET, IDC_QUIZ_ICON + LABEL_OFFSET}) +
        m.margin;
    m.questionLabels =
        WidestText(dc, {IDC_ANSWER + LABEL_OFFSET, IDC_SECOND_ANSWER + LABEL_OFFSET,
                        IDC_QUESTION_TEXT + LABEL_OFFSET, IDC_REVEAL_PICTURE + LABEL_OFFSET,
                        IDC_REVEAL_TEXT + LABEL_OFFSET, IDC_TRY_ANSWER + LABEL_OFFSET}) +
        m.margin;
    m.buttons =
        WidestText(dc, {ID_QUESTION_ADD, ID_QUESTION_DELETE, ID_QUESTION_UP, ID_QUESTION_DOWN}) +
        4 * m.character;
    SelectObject(dc, old);
    ReleaseDC(window, dc);
}

// Moves a control; a hidden one is hidden and left where it was.
struct Placer {
    HDWP positions;
    void Place(int id, int x, int y, int width, int height, bool shown = true)
    {
        HWND control = Control(id);
        if (!control)
            return;
        if (positions)
            positions = DeferWindowPos(
                positions, control, nullptr, x, y, std::max(width, 0), std::max(height, 0),
                SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
};

// A row of a group: its label on the left, its field in the rest, and a
// button at the end of it when it has one.
struct Rows {
    Placer& placer;
    int left, right, labels, y;
    int button = 0; // the width of a row's button

    void Row(int field, bool shown = true, int buttonId = 0, int height = 0)
    {
        const Metrics& m = g_metrics;
        const int rowHeight = height ? height : m.row;
        const int fieldLeft = left + labels;
        const int buttonWidth = buttonId ? button : 0;
        placer.Place(field + LABEL_OFFSET, left, y + (m.row - m.unit) / 2, labels,
                     rowHeight > m.row ? 2 * m.unit : m.unit, shown);
        placer.Place(field, fieldLeft, y, right - fieldLeft - (buttonId ? buttonWidth + m.gap : 0),
                     field == IDC_LAYOUT || field == IDC_REVEAL ? m.row * 8 : rowHeight, shown);
        if (buttonId)
            placer.Place(buttonId, right - buttonWidth, y, buttonWidth, m.row, shown);
        if (shown)
            y += rowHeight + m.gap;
    }
};

int QuizGroupWidth()
{
    const Metrics& m = g_metrics;
    return m.quizLabels + QUIZ_FIELD_CHARACTERS * m.character + 2 * m.margin;
}

int QuestionGroupHeight()
{
    const Metrics& m = g_metrics;
    const int fields = 11 * (m.row + m.gap) + 2 * m.unit;
    const int preview = PICTURE_SQUARE + m.gap + m.row;
    return m.groupTop + std::max(fields, preview) + m.margin;
}

int ProblemsHeight()
{
    return g_metrics.groupTop + 6 * g_metrics.unit + 2 * g_metrics.margin;
}

int StatusHeight()
{
    RECT status = {};
    GetWindowRect(Control(IDC_STATUS), &status);
    return status.bottom - status.top;
}

void LayOutQuizGroup(Placer& placer, int x, int y, int width, int height)
{
    const Metrics& m = g_metrics;
    const bool twoAnswers = g_document.twoAnswers;
    placer.Place(IDC_QUIZ_GROUP, x, y, width, height);
    Rows rows = {placer, x + m.margin, x + width - m.margin, m.quizLabels, y + m.groupTop};
    rows.button = 3 * m.character + m.margin;
    rows.Row(IDC_TITLE);
    rows.Row(IDC_AUTHOR);
    rows.Row(IDC_EXPLANATIONS);
    rows.Row(IDC_LAYOUT);
    rows.Row(IDC_REVEAL);
    // The colour: a sample of it, and the button that opens the system's
    // colour dialog.
    const int fieldLeft = rows.left + m.quizLabels;
    placer.Place(IDC_COLOUR_SWATCH + LABEL_OFFSET, rows.left, rows.y + (m.row - m.unit) / 2,
                 m.quizLabels, m.unit);
    placer.Place(IDC_COLOUR_SWATCH, fieldLeft, rows.y, 3 * m.row, m.row);
    placer.Place(IDC_COLOUR_PICK, fieldLeft + 3 * m.row + m.gap, rows.y, 14 * m.character, m.row);
    rows.y += m.row + m.gap;
    placer.Place(IDC_TWO_ANSWERS, rows.left, rows.y, rows.right - rows.left, m.row);
    rows.y += m.row + m.gap;
    rows.Row(IDC_FIRST_CAPTION, twoAnswers);
    rows.Row(IDC_SECOND_CAPTION, twoAnswers);
    rows.Row(IDC_SITE);
    rows.Row(IDC_QUIZ_ICON, true, IDC_QUIZ_ICON_PICK);
    // Each rule's box, its explanation under it.
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (!row.flag)
            continue;
        const int id = QuizRowControl(row);
        placer.Place(id, rows.left, rows.y, rows.right - rows.left, m.row);
        rows.y += m.row;
        // Two lines, as a narrow group wraps the longer ones.
        placer.Place(id + LABEL_OFFSET, rows.left + 2 * m.character, rows.y,
                     rows.right - rows.left - 2 * m.character, 2 * m.unit);
        rows.y += 2 * m.unit + m.gap;
    }
    placer.Place(IDC_CODES + LABEL_OFFSET, rows.left, rows.y, rows.right - rows.left, m.unit);
    rows.y += m.unit + m.gap / 2;
    placer.Place(IDC_CODES, rows.left, rows.y, rows.right - rows.left,
                 y + height - m.margin - rows.y);
}

void LayOutListGroup(Placer& placer, int x, int y, int width, int height)
{
    const Metrics& m = g_metrics;
    placer.Place(IDC_LIST_GROUP, x, y, width, height);
    const int buttonLeft = x + width - m.margin - m.buttons;
    placer.Place(IDC_QUESTION_LIST, x + m.margin, y + m.groupTop, buttonLeft - m.gap - x - m.margin,
                 height - m.groupTop - m.margin);
    int buttonTop = y + m.groupTop;
    for (int id : {ID_QUESTION_ADD, ID_QUESTION_DELETE, ID_QUESTION_UP, ID_QUESTION_DOWN}) {
        placer.Place(id, buttonLeft, buttonTop, m.buttons, m.row);
        buttonTop += m.row + m.gap;
    }
}

void LayOutQuestionGroup(Placer& placer, int x, int y, int width, int height)
{
    const Metrics& m = g_metrics;
    const QuizSource& source = g_document.source;
    const int layout = source.layoutKind;
    const int reveal = ShownRevealMode(source);
    const bool twoAnswers = g_document.twoAnswers;
    const bool media = layout > LAYOUT_TEXT;
    placer.Place(IDC_QUESTION_GROUP, x, y, width, height);

    // The picture as the player shows it, or the buttons that play the
    // sound or the film, on the right.
    const int previewLeft = x + width - m.margin - PICTURE_SQUARE;
    const int top = y + m.groupTop;
    placer.Place(IDC_PREVIEW, previewLeft, top, PICTURE_SQUARE, PICTURE_SQUARE,
                 layout == LAYOUT_PICTURE);
    const int captionTop = layout == LAYOUT_PICTURE ? top + PICTURE_SQUARE + m.gap : top;
    const int playWidth = (PICTURE_SQUARE - m.gap) / 2;
    const bool playable = layout == LAYOUT_AUDIO || layout == LAYOUT_VIDEO;
    placer.Place(IDC_PLAY, previewLeft, top, playWidth, m.row, playable);
    placer.Place(IDC_STOP, previewLeft + playWidth + m.gap, top, playWidth, m.row, playable);
    placer.Place(IDC_PREVIEW_CAPTION, previewLeft, playable ? top + m.row + m.gap : captionTop,
                 PICTURE_SQUARE, 2 * m.unit, media);

    const int right = media ? previewLeft - 2 * m.margin : x + width - m.margin;
    Rows rows = {placer, x + m.margin, right, m.questionLabels, top};
    rows.button = 10 * m.character;
    rows.Row(IDC_ANSWER);
    rows.Row(IDC_OTHER_ANSWERS, true, 0, 2 * m.row);
    rows.Row(IDC_SECOND_ANSWER, twoAnswers);
    rows.Row(IDC_OTHER_SECOND_ANSWERS, twoAnswers, 0, 2 * m.row);
    rows.Row(IDC_QUESTION_TEXT, layout == LAYOUT_TEXT);
    rows.Row(IDC_MEDIUM, media, IDC_MEDIUM_PICK);
    rows.Row(IDC_REVEAL_PICTURE, reveal == REVEAL_PICTURE, IDC_REVEAL_PICTURE_PICK);
    rows.Row(IDC_REVEAL_TEXT, reveal == REVEAL_TEXT);
    // The answers to try, each beside its verdict as the player colours it.
    rows.y += m.gap;
    rows.right = right - VERDICT_WIDTH - m.gap;
    const int verdictLeft = right - VERDICT_WIDTH;
    placer.Place(IDC_TRY_VERDICT, verdictLeft, rows.y, VERDICT_WIDTH, m.row);
    rows.Row(IDC_TRY_ANSWER);
    placer.Place(IDC_TRY_SECOND_VERDICT, verdictLeft, rows.y, VERDICT_WIDTH, m.row, twoAnswers);
    placer.Place(IDC_TRY_SECOND_ANSWER + LABEL_OFFSET, 0, 0, 0, 0, false);
    placer.Place(IDC_TRY_SECOND_ANSWER, rows.left + m.questionLabels, rows.y,
                 rows.right - rows.left - m.questionLabels, m.row, twoAnswers);
    if (twoAnswers)
        rows.y += m.row + m.gap;
    placer.Place(IDC_TRY_REMARKS, rows.left + m.questionLabels, rows.y,
                 right - rows.left - m.questionLabels, y + height - m.margin - rows.y);
}

} // namespace

void CreateEditorControls(HWND window)
{
    static const wchar_t* const LAYOUTS[] = {L"Texte", L"Image", L"Son", L"Vidéo"};
    static const wchar_t* const REVEALS[] = {L"Aucune", L"Une seconde image", L"Un texte"};

    Group(window, IDC_QUIZ_GROUP, L"Le quiz");
    Field(window, IDC_TITLE, L"&Titre :");
    Field(window, IDC_AUTHOR, L"A&uteur :");
    Field(window, IDC_EXPLANATIONS, L"&Explications :");
    Label(window, IDC_LAYOUT, L"&Disposition :");
    Combo(window, IDC_LAYOUT, LAYOUTS, 4);
    Label(window, IDC_REVEAL, L"&Révélation :");
    Combo(window, IDC_REVEAL, REVEALS, 3);
    Label(window, IDC_COLOUR_SWATCH, L"Fond :");
    Make(window, IDC_COLOUR_SWATCH, WC_STATICW, L"", CHILD | SS_SUNKEN);
    Button(window, IDC_COLOUR_PICK, L"&Couleur…");
    // Two boxes to fill, not two spellings of one answer: those are the
    // question's other accepted answers.
    Button(window, IDC_TWO_ANSWERS, L"Deu&x cases de réponse par question",
           CHILD | WS_TABSTOP | BS_AUTOCHECKBOX);
    Field(window, IDC_FIRST_CAPTION, L"Légende case &1 :");
    Field(window, IDC_SECOND_CAPTION, L"Légende case &2 :");
    Field(window, IDC_SITE, L"Site &web :");
    Field(window, IDC_QUIZ_ICON, L"Icô&ne :");
    Button(window, IDC_QUIZ_ICON_PICK, L"…");
    Label(window, IDC_CODES, L"Codes à &gagner, un par ligne :");
    Edit(window, IDC_CODES, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL);
    // The rules' names and explanations are the table's.
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (!row.flag)
            continue;
        Button(window, QuizRowControl(row), L"", CHILD | WS_TABSTOP | BS_AUTOCHECKBOX);
        SetControlText(QuizRowControl(row), row.name);
        Label(window, QuizRowControl(row), L"");
        SetControlText(QuizRowControl(row) + LABEL_OFFSET, row.explanation);
    }

    Group(window, IDC_LIST_GROUP, L"&Les questions");
    Make(window, IDC_QUESTION_LIST, WC_LISTVIEWW, L"",
         CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
         WS_EX_CLIENTEDGE);
    Button(window, ID_QUESTION_ADD, L"&Ajouter");
    Button(window, ID_QUESTION_DELETE, L"Supprimer");
    Button(window, ID_QUESTION_UP, L"&Monter");
    Button(window, ID_QUESTION_DOWN, L"Descendre");

    Group(window, IDC_QUESTION_GROUP, L"Question");
    Field(window, IDC_ANSWER, L"Rép&onse :");
    // Other spellings, one a line (an edit box shows no hint once it has
    // several lines, so the label gives it).
    const DWORD lines = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    Label(window, IDC_OTHER_ANSWERS, L"Acceptées aussi,\nune par ligne :");
    Edit(window, IDC_OTHER_ANSWERS, lines);
    Field(window, IDC_SECOND_ANSWER, L"Seconde ré&ponse :");
    Label(window, IDC_OTHER_SECOND_ANSWERS, L"Acceptées aussi,\nune par ligne :");
    Edit(window, IDC_OTHER_SECOND_ANSWERS, lines);
    Field(window, IDC_QUESTION_TEXT, L"&Intitulé :");
    Field(window, IDC_MEDIUM, L"&Image :");
    Button(window, IDC_MEDIUM_PICK, L"C&hoisir…");
    Field(window, IDC_REVEAL_PICTURE, L"Image ré&vélée :");
    Button(window, IDC_REVEAL_PICTURE_PICK, L"Choisir…");
    Field(window, IDC_REVEAL_TEXT, L"Texte ré&vélé :");
    Field(window, IDC_TRY_ANSWER, L"Essa&yer :");
    Make(window, IDC_TRY_VERDICT, WC_STATICW, L"", CHILD | SS_CENTER | SS_CENTERIMAGE,
         WS_EX_STATICEDGE);
    Field(window, IDC_TRY_SECOND_ANSWER, L"");
    Make(window, IDC_TRY_SECOND_VERDICT, WC_STATICW, L"", CHILD | SS_CENTER | SS_CENTERIMAGE,
         WS_EX_STATICEDGE);
    Make(window, IDC_TRY_REMARKS, WC_STATICW, L"", CHILD | SS_NOPREFIX);
    CreatePicturePreview(window, IDC_PREVIEW);
    Make(window, IDC_PREVIEW_CAPTION, WC_STATICW, L"", CHILD | SS_CENTER | SS_NOPREFIX);
    Button(window, IDC_PLAY, L"Écouter");
    Button(window, IDC_STOP, L"Arrêter");

    Group(window, IDC_PROBLEM_GROUP, L"Pro&blèmes");
    Make(window, IDC_PROBLEMS, WC_LISTVIEWW, L"",
         CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
         WS_EX_CLIENTEDGE);
    Make(window, IDC_STATUS, STATUSCLASSNAMEW, L"", CHILD | SBARS_SIZEGRIP);

    // What a field takes, shown in it while it is empty.
    const struct {
        int id;
        const wchar_t* cue;
    } cues[] = {
        {IDC_SITE, L"https://…, ou rien pour le site du lecteur"},
        {IDC_QUIZ_ICON, L"une image ou une icône .ico, ou rien"},
        {IDC_MEDIUM, L"un fichier : Choisir…, ou déposez-le ici"},
        {IDC_REVEAL_PICTURE, L"l'image montrée une fois la question trouvée"},
        {IDC_TRY_ANSWER, L"ce qu'un élève taperait"},
        {IDC_TRY_SECOND_ANSWER, L"et dans la seconde case"},
    };
    for (const auto& cue : cues)
        SendMessageW(Control(cue.id), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue.cue));
    Measure(window);
}

void LayOutEditor(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    SendMessageW(Control(IDC_STATUS), WM_SIZE, 0, 0);
    const Metrics& m = g_metrics;
    const int width = client.right;
    const int height = client.bottom - StatusHeight();
    const int top = height - ProblemsHeight() - m.margin;
    const int quizWidth = QuizGroupWidth();
    const int rightLeft = m.margin + quizWidth + m.margin;
    const int rightWidth = width - rightLeft - m.margin;
    const int questionHeight = QuestionGroupHeight();
    const int listHeight = top - 2 * m.margin - questionHeight;

    Placer placer = {BeginDeferWindowPos(60)};
    LayOutQuizGroup(placer, m.margin, m.margin, quizWidth, top - 2 * m.margin + m.margin);
    LayOutListGroup(placer, rightLeft, m.margin, rightWidth, listHeight);
    LayOutQuestionGroup(placer, rightLeft, 2 * m.margin + listHeight, rightWidth, questionHeight);
    placer.Place(IDC_PROBLEM_GROUP, m.margin, top + m.margin, width - 2 * m.margin,
                 ProblemsHeight() - m.margin);
    placer.Place(IDC_PROBLEMS, 2 * m.margin, top + m.margin + m.groupTop, width - 4 * m.margin,
                 ProblemsHeight() - 2 * m.margin - m.groupTop);
    if (placer.positions)
        EndDeferWindowPos(placer.positions);
    // The lists' last columns take the rest of their width.
    for (int list : {IDC_QUESTION_LIST, IDC_PROBLEMS})
        SendMessageW(Control(list), LVM_SETCOLUMNWIDTH, 2, LVSCW_AUTOSIZE_USEHEADER);
    // Labels that wrap keep their old lines when they narrow: all afresh.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE SmallestEditorSize(HWND window)
{
    const Metrics& m = g_metrics;
    RECT frame = {0, 0,
                  QuizGroupWidth() + PICTURE_SQUARE + m.questionLabels + 28 * m.character +
                      VERDICT_WIDTH + 7 * m.margin,
                  QuestionGroupHeight() + 6 * (m.row + m.gap) + ProblemsHeight() + 4 * m.margin};
    frame.bottom += StatusHeight();
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

SIZE FirstEditorSize(HWND window)
{
    const SIZE smallest = SmallestEditorSize(window);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int wantedWidth = smallest.cx + 20 * g_metrics.character;
    const int wantedHeight = smallest.cy + 4 * g_metrics.row;
    return {std::min(wantedWidth, static_cast<int>(work.right - work.left)),
            std::min(wantedHeight, static_cast<int>(work.bottom - work.top))};
}

void PrepareList(int listId, std::initializer_list<ListColumn> columns)
{
    HWND list = Control(listId);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    int index = 0;
    for (const ListColumn& shown : columns) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
        column.fmt = shown.right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.pszText = const_cast<wchar_t*>(shown.title);
        column.cx = shown.characters * g_metrics.character;
        column.iSubItem = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&column));
    }
}

void UpdateFieldStates()
{
    static const wchar_t* const MEDIUM_LABELS[] = {L"", L"&Image :", L"&Son :", L"&Vidéo :"};
    const int layout = g_document.source.layoutKind;
    if (layout > LAYOUT_TEXT)
        SetWindowTextW(Control(IDC_MEDIUM + LABEL_OFFSET), MEDIUM_LABELS[layout]);
    EnableWindow(Control(IDC_REVEAL), layout == LAYOUT_PICTURE);
    EnableWindow(Control(IDC_REVEAL + LABEL_OFFSET), layout == LAYOUT_PICTURE);
    const bool question = g_current >= 0;
    for (int id : {IDC_ANSWER, IDC_OTHER_ANSWERS, IDC_SECOND_ANSWER, IDC_OTHER_SECOND_ANSWERS,
                   IDC_QUESTION_TEXT, IDC_MEDIUM, IDC_MEDIUM_PICK, IDC_REVEAL_PICTURE,
                   IDC_REVEAL_PICTURE_PICK, IDC_REVEAL_TEXT, IDC_TRY_ANSWER, IDC_TRY_SECOND_ANSWER,
                   IDC_PLAY, IDC_STOP, ID_QUESTION_DELETE, ID_QUESTION_UP, ID_QUESTION_DOWN})
        EnableWindow(Control(id), question);
}

int QuizRowControl(const QuizFieldRow& row)
{
    return row.control ? IDC_QUIZ_GROUP + row.control : 0;
}

int QuizFieldControl(QuizField field)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.field != QuizField::None && row.field == field)
            return QuizRowControl(row);
    return 0;
}
