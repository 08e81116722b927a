#include "atelier/window/quiz_fields.h"

#include "atelier/window/atelier_state.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/dialogs.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/pane_messages.h"
#include "authoring/source/quiz_field_table.h"
#include "quiz/quiz_record.h"

#include <algorithm>
#include <filesystem>

namespace {

SourceText* TextOf(int id)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.text && QuizRowControl(row) == id)
            return &(g_document.source.*row.text);
    return nullptr;
}

SourceFlag* FlagOf(int id)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.flag && QuizRowControl(row) == id)
            return &(g_document.source.*row.flag);
    return nullptr;
}

// One code a line; the empty lines after the last code are no codes.
std::vector<SourceText> CodesOf(const std::string& text)
{
    std::vector<SourceText> codes;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        codes.emplace_back();
        SetValue(codes.back(), line);
        start = end + 1;
    }
    while (!codes.empty() && codes.back().value.empty())
        codes.pop_back();
    return codes;
}

std::string CodesText(const std::vector<SourceText>& codes)
{
    std::string text;
    for (size_t i = 0; i < codes.size(); ++i)
        text += (i ? "\r\n" : "") + codes[i].value;
    return text;
}

// Told to the window, which shows the change in the title bar and, as the
// field asks, in the rows in use, the preview or the trial.
void Changed(int id)
{
    SendMessageW(g_mainWindow, WM_QUIZ_FIELD_CHANGED, id, 0);
}

void ChooseIcon()
{
    std::vector<std::string> paths;
    if (!ChooseFilesToOpen(g_mainWindow, FileChoice::Icon, g_document.folder, paths))
        return;
    SetValue(g_document.source.icon, MediumValue(g_document.folder, paths[0]));
    SetControlText(IDC_QUIZ_ICON, g_document.source.icon.value);
    Changed(IDC_QUIZ_ICON);
}

} // namespace

void ShowQuizFields()
{
    g_filling = true;
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (row.text)
            SetControlText(QuizRowControl(row), (g_document.source.*row.text).value);
        if (row.flag)
            CheckDlgButton(g_mainWindow, QuizRowControl(row),
                           (g_document.source.*row.flag).value ? BST_CHECKED : BST_UNCHECKED);
    }
    const QuizSource& source = g_document.source;
    SendMessageW(Control(IDC_LAYOUT), CB_SETCURSEL, source.layoutKind, 0);
    SendMessageW(Control(IDC_REVEAL), CB_SETCURSEL, source.revealMode, 0);
    CheckDlgButton(g_mainWindow, IDC_TWO_ANSWERS,
                   g_document.twoAnswers ? BST_CHECKED : BST_UNCHECKED);
    SetControlText(IDC_CODES, CodesText(source.codes));
    InvalidateRect(Control(IDC_COLOUR_SWATCH), nullptr, TRUE);
    g_filling = false;
}

bool OnQuizFieldCommand(int id, int code)
{
    QuizSource& source = g_document.source;
    if (SourceText* text = TextOf(id)) {
        if (code == EN_CHANGE && !g_filling) {
            const std::string value = ControlText(id);
            SetValue(*text, id == IDC_QUIZ_ICON ? AsSourcePath(value) : value);
            Changed(id);
        }
        return true;
    }
    // A rule once ticked stays in the file, false when unticked.
    if (SourceFlag* flag = FlagOf(id)) {
        if (code == BN_CLICKED) {
            flag->value = IsDlgButtonChecked(g_mainWindow, id) == BST_CHECKED;
            flag->present = true;
            Changed(id);
        }
        return true;
    }
    switch (id) {
    case IDC_CODES:
        if (code == EN_CHANGE && !g_filling) {
            source.codes = CodesOf(ControlText(IDC_CODES));
            Changed(id);
        }
        return true;
    case IDC_LAYOUT:
    case IDC_REVEAL:
        if (code == CBN_SELCHANGE) {
            const int chosen = static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
            (id == IDC_LAYOUT ? source.layoutKind : source.revealMode) = std::max(chosen, 0);
            Changed(id);
        }
        return true;
    case IDC_TWO_ANSWERS:
        if (code == BN_CLICKED) {
            g_document.twoAnswers =
                IsDlgButtonChecked(g_mainWindow, IDC_TWO_ANSWERS) == BST_CHECKED;
            Changed(id);
        }
        return true;
    case IDC_COLOUR_PICK:
        if (code == BN_CLICKED) {
            COLORREF colour = source.colour;
            if (ChooseColour(g_mainWindow, colour) && colour != source.colour) {
                source.colour = colour;
                InvalidateRect(Control(IDC_COLOUR_SWATCH), nullptr, TRUE);
                Changed(id);
            }
        }
        return true;
    case IDC_QUIZ_ICON_PICK:
        if (code == BN_CLICKED)
            ChooseIcon();
        return true;
    default:
        return false;
    }
}
