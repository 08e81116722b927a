#include "atelier/window/class_results_charts.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/class_results_view.h"
#include "authoring/packing/windows_platform.h"
#include "quiz/text_encoding.h"
#include "win32/wide_text.h"

#include <algorithm>

namespace {

constexpr COLORREF BAR = RGB(91, 141, 196);
constexpr COLORREF CHOSEN_BAR = RGB(31, 73, 125);
constexpr COLORREF SCORE_BAR = RGB(120, 170, 90);
constexpr COLORREF AXIS = RGB(160, 160, 160);
// Scores grouped when the quiz has more than so many questions, so that a
// bar stays wide enough to see.
constexpr int MOST_SCORE_BARS = 21;

struct Chart {
    HDC dc;
    RECT area;  // the bars' area, the labels under and left of it
    int unit;   // the font's height
    int labels; // the left labels' width
};

void Text(HDC dc, const std::wstring& text, RECT place, UINT format)
{
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              format | DT_SINGLELINE | DT_NOPREFIX);
}

void Fill(HDC dc, RECT place, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &place, brush);
    DeleteObject(brush);
}

// The axis on the left from 0 to top, with its label, and the bottom line.
void Axis(const Chart& chart, const std::wstring& top)
{
    const RECT& a = chart.area;
    Text(chart.dc, top,
         {a.left - chart.labels, a.top - chart.unit / 2, a.left - 4, a.top + chart.unit},
         DT_RIGHT | DT_TOP);
    Text(chart.dc, L"0", {a.left - chart.labels, a.bottom - chart.unit, a.left - 4, a.bottom},
         DT_RIGHT | DT_BOTTOM);
    Fill(chart.dc, {a.left, a.top, a.left + 1, a.bottom + 1}, AXIS);
    Fill(chart.dc, {a.left, a.bottom, a.right, a.bottom + 1}, AXIS);
}

// count bars of values[i] / most, label i under every bar that has room.
void Bars(const Chart& chart, const std::vector<int>& values, int most,
          const std::vector<std::wstring>& names, int chosen, COLORREF colour)
{
    const RECT& a = chart.area;
    const int count = static_cast<int>(values.size());
    if (count == 0)
        return;
    const int width = (a.right - a.left - 2) * 256 / count; // in 256ths of a pixel
    SIZE widest = {};
    GetTextExtentPoint32W(chart.dc, names.back().c_str(), static_cast<int>(names.back().size()),
                          &widest);
    const int every = std::max(1, (static_cast<int>(widest.cx) + 6) * 256 / std::max(width, 1) + 1);
    for (int i = 0; i < count; ++i) {
        const int left = a.left + 2 + i * width / 256;
        const int right = a.left + 2 + (i + 1) * width / 256 - std::max(1, width / 256 / 5);
        const int height =
            most > 0 ? (a.bottom - a.top) * values[static_cast<size_t>(i)] / most : 0;
        Fill(chart.dc, {left, a.bottom - height, std::max(right, left + 1), a.bottom},
             i == chosen ? CHOSEN_BAR : colour);
        if (i % every == 0 || i == chosen)
            Text(chart.dc, names[static_cast<size_t>(i)],
                 {left - widest.cx, a.bottom + 2, right + widest.cx, a.bottom + 2 + chart.unit},
                 DT_CENTER | DT_TOP);
    }
}

void SuccessChart(const Chart& chart)
{
    const ClassResults& results = g_classResults.results;
    std::vector<int> solved;
    std::vector<std::wstring> names;
    for (size_t i = 0; i < results.questions.size(); ++i) {
        solved.push_back(results.questions[i].solved);
        names.push_back(std::to_wstring(i + 1));
    }
    Axis(chart, L"100 %");
    Bars(chart, solved, results.counted, names, QuestionOfColumn(g_classResults.column), BAR);
}

void ScoreChart(const Chart& chart)
{
    const ClassResults& results = g_classResults.results;
    const int questions = g_classResults.quiz->questionCount;
    const int group = (questions + MOST_SCORE_BARS) / MOST_SCORE_BARS;
    std::vector<int> pupils(static_cast<size_t>(questions / group + 1), 0);
    for (const PupilRow& pupil : results.pupils)
        if (!pupil.altered)
            ++pupils[static_cast<size_t>(std::clamp(pupil.score, 0, questions) / group)];
    std::vector<std::wstring> names;
    for (size_t i = 0; i < pupils.size(); ++i) {
        const int low = static_cast<int>(i) * group;
        const int high = std::min(low + group - 1, questions);
        names.push_back(std::to_wstring(low) + (high > low ? L"-" + std::to_wstring(high) : L""));
    }
    const int most = *std::max_element(pupils.begin(), pupils.end());
    Axis(chart, std::to_wstring(most) + (most > 1 ? L" élèves" : L" élève"));
    Bars(chart, pupils, most, names, -1, SCORE_BAR);
}

void Paint(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    if (!g_classResults.quiz)
        return;
    HGDIOBJ oldFont = SelectObject(dc, g_font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TEXTMETRICW text = {};
    GetTextMetricsW(dc, &text);
    const int unit = text.tmHeight;
    const int margin = unit / 2 + 2;
    SIZE labels = {};
    GetTextExtentPoint32W(dc, L"00 élèves", 9, &labels);
    const int half = (client.bottom - client.top) / 2;
    const struct {
        const wchar_t* title;
        void (*draw)(const Chart&);
    } charts[] = {{L"Réussite par question", SuccessChart},
                  {L"Scores de la classe (élèves par score)", ScoreChart}};
    for (int i = 0; i < 2; ++i) {
        const int top = client.top + i * half;
        Text(dc, charts[i].title,
             {margin, top + margin / 2, client.right - margin, top + margin + unit},
             DT_LEFT | DT_TOP);
        const RECT area = {margin + labels.cx + 4, top + margin + 2 * unit, client.right - margin,
                           top + half - margin - unit - 2};
        if (area.bottom - area.top < unit || area.right - area.left < unit)
            continue;
        if (g_classResults.results.counted == 0) {
            Text(dc, L"Aucun travail compté pour l'instant.", area, DT_CENTER | DT_VCENTER);
            continue;
        }
        charts[i].draw({dc, area, unit, labels.cx + 4});
    }
    SelectObject(dc, oldFont);
}

// Drawn off screen, then copied: no flicker while the window is resized.
void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    Paint(window, memory);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ChartsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

bool RegisterResultsChartsClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ChartsProc;
    windowClass.hInstance = g_instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = RESULTS_CHARTS_CLASS;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::wstring WrongAnswersText()
{
    const int question = QuestionOfColumn(g_classResults.column);
    const ClassResults& results = g_classResults.results;
    if (question < 0 || static_cast<size_t>(question) >= results.questions.size())
        return L"Choisissez une case d'une question dans le tableau pour voir ses réponses "
               L"fausses les plus fréquentes.";
    const QuizRecord& quiz = *g_classResults.quiz;
    const QuestionFigures& figures = results.questions[static_cast<size_t>(question)];
    std::wstring text = L"Question " + std::to_wstring(question + 1) +
                        L", les réponses fausses les plus fréquentes :\r\n";
    bool any = false;
    for (size_t box = 0; box < figures.wrong.size(); ++box) {
        if (figures.wrong.size() > 1) {
            const char* caption = box ? quiz.secondAnswerCaption : quiz.firstAnswerCaption;
            text += (*caption ? Widen(Windows1252ToUtf8(caption)) : (box ? L"b" : L"a")) +
                    std::wstring(L" :\r\n");
        }
        for (const WrongAnswer& wrong : figures.wrong[box]) {
            text += L"« " + Widen(Windows1252ToUtf8(wrong.typed)) + L" » : " +
                    Counted(static_cast<size_t>(wrong.count), L"élève", L"élèves") + L"\r\n";
            any = true;
        }
    }
    if (!any)
        text += L"aucune.\r\n";
    return text;
}
