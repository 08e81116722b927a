// The atelier's window built in this process as atelier.exe builds it, its
// dialogs answered by the test: files dropped where they fall, the rows that
// the layout and the reveal mode use, and a layout that keeps every field in
// view at every size; the recovery copy kept while work is unsaved, and
// offered back by the next atelier; what a pane changes shown at once in
// the others; the quiz made a web page, tried in the browser, and a page
// opened as a program.
#include "atelier/document/recovery_copy.h"
#include "atelier/window/atelier_state.h"
#include "atelier/window/atelier_window.h"
#include "atelier/window/control_ids.h"
#include "atelier/window/editor.h"
#include "atelier/window/editor_controls.h"
#include "atelier/window/file_filters.h"
#include "atelier/window/last_folder.h"
#include "atelier/window/picture_preview.h"
#include "atelier/window/problem_list.h"
#include "atelier/window/recovery.h"
#include "authoring/media/media_lookup.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/quiz_page.h"
#include "authoring/packing/windows_platform.h"
#include "authoring/source/quiz_field_table.h"
#include "quiz/picture_size.h"
#include "quiz/quiz_record.h"
#include "tests/windows/atelier/atelier_dialog_answers.h"
#include "tests/windows/atelier/atelier_fixture.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <iterator>

// The codec's one message, which no test here meets.
void ShowMessageBox(const char*, const char*) {}

namespace {

std::string Media()
{
    std::string all;
    for (const SourceQuestion& question : g_document.source.questions)
        all += question.answer.value + "=" + question.picture.value + "/" +
               question.revealPicture.value + " ";
    return all;
}

} // namespace

// On the list, files become questions, those of the layout's kind (a new
// quiz's blank question giving them its place); on a row,
// or on the question's fields, a file becomes its medium; on the reveal
// picture's field, its reveal picture; a file that is no quiz is told.
TEST(AtelierWindow, DroppedFilesGoWhereTheyFall)
{
    AtelierWindow atelier(LAYOUT_PICTURE);
    atelier.Choose(IDC_REVEAL, REVEAL_PICTURE);
    RECT list;
    GetClientRect(Control(IDC_QUESTION_LIST), &list);
    atelier.Drop(atelier.On(IDC_QUESTION_LIST, 20, list.bottom - 10),
                 {L"C:\\photos\\chat.jpg", L"C:\\sons\\miaou.mp3", L"C:\\photos\\chien.png"});
    // The new quiz's blank question gives its place to the files'.
    EXPECT_EQ(Media(), "chat=C:/photos/chat.jpg/ chien=C:/photos/chien.png/ ");
    EXPECT_EQ(ControlText(IDC_STATUS), u8"1 fichier laissé de côté (miaou.mp3) : ce quiz prend des "
                                       u8"images (JPEG, PNG, GIF, BMP, TIFF, WebP ou HEIC).");
    EXPECT_EQ(SendMessageW(Control(IDC_QUESTION_LIST), LVM_GETITEMCOUNT, 0, 0), 2);

    SendMessageW(g_mainWindow, WM_COMMAND, ID_QUESTION_ADD, 0);
    const int added = g_current;
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(Control(IDC_QUESTION_LIST), LVM_GETITEMRECT, added,
                 reinterpret_cast<LPARAM>(&row));
    atelier.Drop(atelier.On(IDC_QUESTION_LIST, 30, row.top + 4), {L"C:\\photos\\lapin.gif"});
    EXPECT_EQ(g_current, added);
    EXPECT_EQ(ControlText(IDC_ANSWER), "lapin");
    atelier.Drop(atelier.On(IDC_REVEAL_PICTURE, 5, 5), {L"C:\\photos\\lapin-2.jpg"});
    atelier.Drop(atelier.On(IDC_PREVIEW, 100, 100), {L"C:\\photos\\lapin-1.jpg"});
    EXPECT_EQ(Media(), "chat=C:/photos/chat.jpg/ lapin=C:/photos/lapin-1.jpg/C:/photos/lapin-2.jpg "
                       "chien=C:/photos/chien.png/ ");

    atelier.Drop(atelier.On(IDC_TITLE, 5, 5), {L"C:\\lettre.docx"});
    ASSERT_EQ(Answers().told.size(), 1u);
    EXPECT_EQ(Answers().told[0].rfind(u8"« lettre.docx » n'est pas un quiz", 0), 0u);
}

// Each layout, reveal mode and number of answers shows the rows it uses
// and hides the others.
TEST(AtelierWindow, ShowsTheRowsInUse)
{
    const struct {
        int layout;
        int reveal;
        bool twoAnswers;
        const wchar_t* medium; // the medium's label, "" when hidden
        const wchar_t* play;   // the play button's text, "" when hidden
        std::vector<int> shown;
        std::vector<int> hidden;
    } cases[] = {
        {LAYOUT_TEXT,
         REVEAL_NONE,
         false,
         L"",
         L"",
         {IDC_QUESTION_TEXT, IDC_OTHER_ANSWERS},
         {IDC_MEDIUM, IDC_PREVIEW, IDC_PLAY, IDC_SECOND_ANSWER, IDC_OTHER_SECOND_ANSWERS,
          IDC_SECOND_CAPTION}},
        {LAYOUT_PICTURE,
         REVEAL_PICTURE,
         true,
         L"&Image :",
         L"",
         {IDC_PREVIEW, IDC_REVEAL_PICTURE, IDC_SECOND_ANSWER, IDC_OTHER_SECOND_ANSWERS,
          IDC_TRY_SECOND_ANSWER, IDC_FIRST_CAPTION},
         {IDC_QUESTION_TEXT, IDC_REVEAL_TEXT, IDC_PLAY}},
        {LAYOUT_PICTURE,
         REVEAL_TEXT,
         false,
         L"&Image :",
         L"",
         {IDC_PREVIEW, IDC_REVEAL_TEXT},
         {IDC_REVEAL_PICTURE, IDC_SECOND_ANSWER}},
        {LAYOUT_AUDIO,
         REVEAL_PICTURE,
         false,
         L"&Son :",
         L"Écouter",
         {IDC_PLAY, IDC_STOP},
         {IDC_PREVIEW, IDC_REVEAL_PICTURE, IDC_QUESTION_TEXT}},
        {LAYOUT_VIDEO, REVEAL_NONE, false, L"&Vidéo :", L"Regarder", {IDC_PLAY}, {IDC_PREVIEW}},
    };
    AtelierWindow atelier(LAYOUT_TEXT);
    for (const auto& c : cases) {
        atelier.Choose(IDC_LAYOUT, c.layout);
        atelier.Choose(IDC_REVEAL, c.reveal);
        CheckDlgButton(g_mainWindow, IDC_TWO_ANSWERS, c.twoAnswers ? BST_CHECKED : BST_UNCHECKED);
        SendMessageW(g_mainWindow, WM_COMMAND, MAKEWPARAM(IDC_TWO_ANSWERS, BN_CLICKED), 0);
        for (int id : c.shown)
            EXPECT_TRUE(IsWindowVisible(Control(id))) << c.layout << " " << c.reveal << " " << id;
        for (int id : c.hidden)
            EXPECT_FALSE(IsWindowVisible(Control(id))) << c.layout << " " << c.reveal << " " << id;
        wchar_t label[32] = {};
        GetWindowTextW(Control(IDC_MEDIUM + LABEL_OFFSET), label, 32);
        if (*c.medium) {
            EXPECT_STREQ(label, c.medium);
        }
        GetWindowTextW(Control(IDC_PLAY), label, 32);
        if (*c.play) {
            EXPECT_STREQ(label, c.play);
        }
        EXPECT_EQ(IsWindowEnabled(Control(IDC_REVEAL)) != 0, c.layout == LAYOUT_PICTURE);
    }
}

// From the smallest size the frame allows to a large screen, no two fields
// overlap and every one stays in the window.
TEST(AtelierWindow, KeepsEveryFieldInViewAtEverySize)
{
    AtelierWindow atelier(LAYOUT_PICTURE);
    atelier.Choose(IDC_REVEAL, REVEAL_PICTURE);
    CheckDlgButton(g_mainWindow, IDC_TWO_ANSWERS, BST_CHECKED);
    SendMessageW(g_mainWindow, WM_COMMAND, MAKEWPARAM(IDC_TWO_ANSWERS, BN_CLICKED), 0);
    const SIZE smallest = SmallestEditorSize(g_mainWindow);
    for (const SIZE size :
         {smallest, SIZE{smallest.cx + 300, smallest.cy + 200}, SIZE{1600, 1200}}) {
        SetWindowPos(g_mainWindow, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        RECT client;
        GetClientRect(g_mainWindow, &client);
        std::vector<std::pair<int, RECT>> fields;
        for (HWND child = GetWindow(g_mainWindow, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            const bool group = (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                               lstrcmpiW(className, WC_BUTTONW) == 0;
            if (!IsWindowVisible(child) || group || id == IDC_STATUS)
                continue;
            RECT place;
            GetWindowRect(child, &place);
            MapWindowPoints(nullptr, g_mainWindow, reinterpret_cast<POINT*>(&place), 2);
            EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right &&
                        place.bottom <= client.bottom && place.right > place.left &&
                        place.bottom > place.top)
                << id << " at " << size.cx << "x" << size.cy;
            fields.emplace_back(id, place);
        }
        EXPECT_GT(fields.size(), 40u); // labels and fields of the quiz and of its question
        for (size_t i = 0; i < fields.size(); ++i)
            for (size_t j = i + 1; j < fields.size(); ++j) {
                // A combo box's rectangle holds its drop-down list.
                auto combo = [](int id) { return id == IDC_LAYOUT || id == IDC_REVEAL; };
                RECT both;
                if (!combo(fields[i].first) && !combo(fields[j].first) &&
                    IntersectRect(&both, &fields[i].second, &fields[j].second))
                    ADD_FAILURE() << fields[i].first << " and " << fields[j].first << " overlap at "
                                  << size.cx << "x" << size.cy;
            }
    }
}

namespace {

// The titles in the copies of atelier processes (this one's included), by
// process: "this" for this process's.
std::string RecoveryCopiesFound()
{
    std::string found;
    for (const RecoveryCopy& copy : FindRecoveryCopies(
             RecoveryFolder(), [](unsigned long, unsigned long long) { return false; }))
        found += (copy.processId == GetCurrentProcessId() ? std::string("this")
                                                          : std::to_string(copy.processId)) +
                 " " + copy.title + "|";
    return found;
}

// A copy that an atelier gone since left.
void LeaveCopy(unsigned long process, const std::string& title, const std::string& savedAt)
{
    QuizDocument document;
    NewDocument(LAYOUT_TEXT, "C:/quiz", document);
    SetValue(document.source.title, title);
    std::string error;
    ASSERT_TRUE(
        WriteRecoveryCopy(RecoveryFolder(), CopyOfDocument(document, process, 1, savedAt), error))
        << error;
}

} // namespace

// The copy follows the changes a few seconds later, goes once they are
// saved and when the atelier closes; the copies of ateliers gone are offered,
// Récupérer bringing the quiz back unsaved, Ignorer keeping the copy until
// this atelier closes.
// The preview shows a picture as the player will: fitted into the square,
// a small one enlarged, centred on the quiz's colour.
TEST(AtelierWindow, PreviewsAPictureFittedAsThePlayerShowsIt)
{
    constexpr COLORREF BACKGROUND = RGB(0, 0, 255);
    const struct {
        int width, height;
        const wchar_t* text;
        POINT picture, background; // a point of each, in the preview
    } rows[] = {
        {100,
         80,
         L"Image de 100 × 80 pixels, agrandie à 260 × 208 comme dans le lecteur",
         {3, 130},
         {130, 10}},
        {260, 195, L"Image de 260 × 195 pixels", {3, 130}, {130, 20}},
        {40,
         130,
         L"Image de 40 × 130 pixels, agrandie à 80 × 260 comme dans le lecteur",
         {130, 3},
         {60, 130}},
    };
    AtelierWindow atelier(LAYOUT_PICTURE);
    HWND preview = Control(IDC_PREVIEW);
    RECT client;
    GetClientRect(preview, &client);
    ASSERT_EQ(client.right, PICTURE_SQUARE);
    ASSERT_EQ(client.bottom, PICTURE_SQUARE);
    for (const auto& row : rows) {
        DecodedPicture picture;
        picture.width = row.width;
        picture.height = row.height;
        for (int i = 0; i < row.width * row.height; ++i)
            picture.rgba.insert(picture.rgba.end(), {255, 0, 0, 255});
        ShowPreviewPicture(preview, picture, BACKGROUND);
        wchar_t text[128] = {};
        GetWindowTextW(preview, text, 128);
        EXPECT_STREQ(text, row.text);

        // What the preview paints, read from a bitmap of its own.
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = PICTURE_SQUARE;
        info.bmiHeader.biHeight = -PICTURE_SQUARE; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_TRUE(bitmap);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(preview, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const auto pixel = [&](POINT at) {
            const unsigned char* p =
                static_cast<const unsigned char*>(bits) + (at.y * PICTURE_SQUARE + at.x) * 4;
            return RGB(p[2], p[1], p[0]);
        };
        EXPECT_EQ(pixel(row.picture), RGB(255, 0, 0)) << row.width << " x " << row.height;
        EXPECT_EQ(pixel(row.background), BACKGROUND) << row.width << " x " << row.height;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}

TEST(AtelierWindow, KeepsARecoveryCopyWhileWorkIsUnsaved)
{
    const std::filesystem::path saved =
        std::filesystem::temp_directory_path() / L"récupération-villes.toml";
    std::filesystem::remove(saved);
    for (const RecoveryCopy& copy : FindRecoveryCopies(
             RecoveryFolder(), [](unsigned long, unsigned long long) { return false; }))
        std::filesystem::remove(std::filesystem::u8path(copy.file));
    constexpr unsigned long GONE = 0x7FFFFFF0; // no process of Wine's
    {
        AtelierWindow atelier(LAYOUT_TEXT);
        SetWindowTextW(Control(IDC_TITLE), L"Villes");
        Pump(RECOVERY_DELAY_MS / 2);
        EXPECT_EQ(RecoveryCopiesFound(), ""); // not while the teacher types
        Pump(RECOVERY_DELAY_MS);
        EXPECT_EQ(RecoveryCopiesFound(), "this Villes|");
        Answers().savedAs = saved.u8string();
        SendMessageW(g_mainWindow, WM_COMMAND, ID_FILE_SAVE, 0);
        EXPECT_EQ(RecoveryCopiesFound(), "");

        LeaveCopy(GONE, "Fleuves", "2026-12-07 10:00:05");
        LeaveCopy(GONE + 1, u8"Montagnes d'été", "2026-12-07 09:30:00");
        Answers().recovery = RecoveryChoice::Ignore;
        OfferRecoveryCopies();
        ASSERT_EQ(Answers().told.size(), 2u);
        EXPECT_NE(Answers().told[0].find(u8"« Fleuves » (jamais enregistré)"), std::string::npos)
            << Answers().told[0];
        EXPECT_NE(Answers().told[0].find(u8"le 07/12/2026 à 10:00"), std::string::npos);
        EXPECT_EQ(ControlText(IDC_TITLE), "Villes");

        Answers().recovery = RecoveryChoice::Recover;
        OfferRecoveryCopies();
        EXPECT_EQ(Answers().told.size(), 3u); // the latest first, and no other once recovered
        EXPECT_EQ(ControlText(IDC_TITLE), "Fleuves");
        EXPECT_TRUE(IsModified(g_document));
        EXPECT_EQ(RecoveryCopiesFound(),
                  "this Fleuves|" + std::to_string(GONE + 1) + u8" Montagnes d'été|");
    }
    // Closed normally: its own copy and the one ignored go.
    EXPECT_EQ(RecoveryCopiesFound(), "");
    std::filesystem::remove(saved);
}

namespace {

std::string Cell(int row, int column)
{
    wchar_t text[128] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(Control(IDC_QUESTION_LIST), LVM_GETITEMTEXTW, row,
                 reinterpret_cast<LPARAM>(&item));
    return Narrow(text);
}

std::string Caption()
{
    wchar_t text[128] = {};
    GetWindowTextW(g_mainWindow, text, 128);
    return Narrow(text);
}

void Command(int id)
{
    SendMessageW(g_mainWindow, WM_COMMAND, id, 0);
}

} // namespace

// A pane tells the window what it changed, and the other panes show it
// before the message that made the change returns: the question's row and
// the title bar as the teacher types, the question chosen in the list or by
// a problem, questions added, moved and deleted, the picture of the field
// the teacher goes to.
TEST(AtelierWindow, ShowsEachChangeAtOnceInTheOtherPanes)
{
    AtelierWindow atelier(LAYOUT_PICTURE);
    const auto group = [] { return ControlText(IDC_QUESTION_GROUP); };
    const auto rows = [] {
        return std::to_string(SendMessageW(Control(IDC_QUESTION_LIST), LVM_GETITEMCOUNT, 0, 0));
    };
    const struct {
        const char* change;
        std::function<void()> make;
        std::function<std::string()> seen;
        std::string expected;
    } steps[] = {
        {"an answer typed", [] { SetWindowTextW(Control(IDC_ANSWER), L"lapin"); },
         [] { return Cell(0, 1) + "|" + Caption(); }, u8"lapin|*Sans titre – Atelier Quizz"},
        {"a question added", [] { Command(ID_QUESTION_ADD); },
         [&] { return group() + "|" + rows() + "|" + ControlText(IDC_ANSWER); }, "Question 2|2|"},
        {"its answer typed", [] { SetWindowTextW(Control(IDC_ANSWER), L"chat"); },
         [] { return Cell(1, 1); }, "chat"},
        {"its medium typed", [] { SetWindowTextW(Control(IDC_MEDIUM), L"C:\\photos\\chat.jpg"); },
         [] { return Cell(1, 2); }, "chat.jpg"},
        {"a row selected in the list",
         [] {
             LVITEMW item = {};
             item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
             SendMessageW(Control(IDC_QUESTION_LIST), LVM_SETITEMSTATE, 0,
                          reinterpret_cast<LPARAM>(&item));
         },
         [&] { return group() + "|" + ControlText(IDC_ANSWER); }, "Question 1|lapin"},
        {"the question moved down", [] { Command(ID_QUESTION_DOWN); },
         [&] { return group() + "|" + Cell(0, 1) + "|" + Cell(1, 1); }, "Question 2|chat|lapin"},
        {"a problem chosen",
         [] {
             ShowProblems({{{}, "question 1, reponse", "vide", Severity::Error}});
             NMITEMACTIVATE activate = {};
             activate.hdr = {Control(IDC_PROBLEMS), IDC_PROBLEMS, LVN_ITEMACTIVATE};
             activate.iItem = 0;
             SendMessageW(g_mainWindow, WM_NOTIFY, IDC_PROBLEMS,
                          reinterpret_cast<LPARAM>(&activate));
         },
         [&] { return group() + "|" + ControlText(IDC_ANSWER); }, "Question 1|chat"},
        {"reveal pictures chosen", [] { AtelierWindow::Choose(IDC_REVEAL, REVEAL_PICTURE); },
         [] { return ControlText(IDC_PREVIEW_CAPTION); },
         "Image de la question 1, comme le lecteur la montrera"},
        {"the reveal picture's field entered",
         [] {
             SendMessageW(g_mainWindow, WM_COMMAND, MAKEWPARAM(IDC_REVEAL_PICTURE, EN_SETFOCUS),
                          reinterpret_cast<LPARAM>(Control(IDC_REVEAL_PICTURE)));
         },
         [] { return ControlText(IDC_PREVIEW_CAPTION); },
         u8"Image révélée de la question 1, comme le lecteur la montrera"},
        {"the question deleted", [] { Command(ID_QUESTION_DELETE); },
         [&] { return group() + "|" + rows() + "|" + ControlText(IDC_ANSWER); },
         "Question 1|1|lapin"},
    };
    for (const auto& step : steps) {
        step.make();
        EXPECT_EQ(step.seen(), step.expected) << step.change;
    }
}

// The rules are boxes named and explained as the fields' table says, each
// ticked into the document; the other spellings of each answer are typed one
// a line, kept per question, and "Deux cases" says two boxes, not two
// spellings.
TEST(AtelierWindow, TakesTheRulesAndTheOtherSpellings)
{
    AtelierWindow atelier(LAYOUT_TEXT);
    EXPECT_EQ(ControlText(IDC_TWO_ANSWERS), u8"Deu&x cases de réponse par question");
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (!row.flag)
            continue;
        const int id = QuizRowControl(row);
        EXPECT_EQ(ControlText(id), row.name) << row.key;
        EXPECT_EQ(ControlText(id + LABEL_OFFSET), row.explanation) << row.key;
        EXPECT_TRUE(IsWindowVisible(Control(id))) << row.key;
        EXPECT_FALSE((g_document.source.*row.flag).value) << row.key;
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        EXPECT_TRUE((g_document.source.*row.flag).value) << row.key;
        EXPECT_NE(DocumentText(g_document).find(std::string(row.key) + " = true\n"),
                  std::string::npos)
            << row.key;
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        EXPECT_FALSE((g_document.source.*row.flag).value) << row.key;
    }

    // A multi-line box tells no change made by WM_SETTEXT, only by typing.
    const auto type = [](const wchar_t* text) {
        SetWindowTextW(Control(IDC_OTHER_ANSWERS), text);
        SendMessageW(g_mainWindow, WM_COMMAND, MAKEWPARAM(IDC_OTHER_ANSWERS, EN_CHANGE),
                     reinterpret_cast<LPARAM>(Control(IDC_OTHER_ANSWERS)));
    };
    type(L"Tamise\r\nla Tamise");
    ASSERT_EQ(g_document.source.questions.size(), 1u);
    const auto spellings = [](int question) {
        std::string all;
        for (const SourceText& text : g_document.source.questions[question].otherAnswers)
            all += text.value + "|";
        return all;
    };
    EXPECT_EQ(spellings(0), "Tamise|la Tamise|");
    EXPECT_EQ(Caption(), u8"*Sans titre – Atelier Quizz");
    Command(ID_QUESTION_ADD);
    EXPECT_EQ(ControlText(IDC_OTHER_ANSWERS), "");
    type(L"Seine\r\n\r\n");
    EXPECT_EQ(spellings(1), "Seine|");
    Command(ID_QUESTION_UP);
    EXPECT_EQ(ControlText(IDC_OTHER_ANSWERS), "Seine");
    EXPECT_EQ(spellings(0), "Seine|");
    EXPECT_EQ(spellings(1), "Tamise|la Tamise|");

    // The trial follows a rule as soon as it is ticked, and unticked.
    SetWindowTextW(Control(IDC_ANSWER), L"le Mont Blanc");
    SetWindowTextW(Control(IDC_TRY_ANSWER), L"mont blanc");
    EXPECT_EQ(ControlText(IDC_TRY_VERDICT), "Trop court");
    const auto articles =
        std::find_if(std::begin(QUIZ_FIELDS), std::end(QUIZ_FIELDS), [](const QuizFieldRow& row) {
            return row.rule == &AnswerRules::articlesOptional;
        });
    ASSERT_NE(articles, std::end(QUIZ_FIELDS));
    SendMessageW(Control(QuizRowControl(*articles)), BM_CLICK, 0, 0);
    EXPECT_EQ(ControlText(IDC_TRY_VERDICT), "BRAVO");
    SendMessageW(Control(QuizRowControl(*articles)), BM_CLICK, 0, 0);
    EXPECT_EQ(ControlText(IDC_TRY_VERDICT), "Trop court");
}

// The problems take a third of a taller window's extra height, more rows
// than the three of the smallest window; the one chosen, or the first,
// shows whole under the list however long.
TEST(AtelierWindow, ShowsMoreProblemsInATallerWindowAndEachOneWhole)
{
    AtelierWindow atelier(LAYOUT_TEXT);
    const auto rowsShown = [] {
        return static_cast<int>(SendMessageW(Control(IDC_PROBLEMS), LVM_GETCOUNTPERPAGE, 0, 0));
    };
    const auto listHeight = [] {
        RECT list = {};
        GetWindowRect(Control(IDC_PROBLEMS), &list);
        return static_cast<int>(list.bottom - list.top);
    };
    const SIZE smallest = SmallestEditorSize(g_mainWindow);
    SetWindowPos(g_mainWindow, nullptr, 0, 0, smallest.cx, smallest.cy, SWP_NOZORDER | SWP_NOMOVE);
    const int fewest = rowsShown();
    const int shortest = listHeight();
    EXPECT_GE(fewest, 3);
    // As tall as the screen lets it be.
    SetWindowPos(g_mainWindow, nullptr, 0, 0, 1600, 1200, SWP_NOZORDER | SWP_NOMOVE);
    RECT tall = {};
    GetWindowRect(g_mainWindow, &tall);
    const int extra = static_cast<int>(tall.bottom - tall.top) - smallest.cy;
    ASSERT_GE(extra, 100);
    EXPECT_GE(listHeight() - shortest, extra / 4);
    EXPECT_GT(rowsShown(), fewest);

    const std::string long_(400, 'x');
    ShowProblems({{{}, "question 1, reponse", "vide : " + long_ + " fin", Severity::Error},
                  {{}, "titre", "vide : donnez-en un", Severity::Warning}});
    EXPECT_EQ(ControlText(IDC_PROBLEM_DETAILS), u8"Question 1, réponse : vide : " + long_ + " fin");
    LVITEMW item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Control(IDC_PROBLEMS), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(ControlText(IDC_PROBLEM_DETAILS), "Titre : vide : donnez-en un");
    ShowProblems({});
    EXPECT_EQ(ControlText(IDC_PROBLEM_DETAILS), "");
}

// The sound and film dialogs show every medium, those the player plays
// first; one it does not play, chosen, dropped or added as questions, is
// told with how to convert it, and not taken.
TEST(AtelierWindow, ShowsEveryMediumAndTellsWhatThePlayerDoesNotPlay)
{
    // The filters' names, each followed by its patterns.
    const auto names = [](FileChoice choice) {
        const std::wstring& filter = FileDialogOf(choice).filter;
        std::string all;
        for (size_t at = 0, n = 0; at < filter.size(); at += wcslen(filter.c_str() + at) + 1, ++n)
            all += Narrow(filter.c_str() + at) + "|";
        return all;
    };
    for (FileChoice choice :
         {FileChoice::Sound, FileChoice::Sounds, FileChoice::Film, FileChoice::Films}) {
        const std::string filters = names(choice);
        const bool sound = choice == FileChoice::Sound || choice == FileChoice::Sounds;
        EXPECT_EQ(filters.rfind(sound ? "Sons (MP3)|*.mp3|" : u8"Vidéos (AVI)|*.avi|", 0), 0u)
            << filters;
        EXPECT_NE(filters.find(u8"|Tous les médias, sons et vidéos|*.mp3;*.wav;"),
                  std::string::npos)
            << filters;
        for (const char* pattern : {"*.mp4", "*.mkv", "*.ogg", "*.avi"})
            EXPECT_NE(filters.find(pattern), std::string::npos) << pattern;
        EXPECT_NE(filters.find("|Tous les fichiers|*.*|"), std::string::npos) << filters;
    }

    AtelierWindow atelier(LAYOUT_VIDEO);
    const std::string advice = u8"Vidéos que le lecteur ne joue pas : « clip.mp4 » (MP4).";
    Answers().files = {"C:/films/clip.mp4"};
    SendMessageW(g_mainWindow, WM_COMMAND, IDC_MEDIUM_PICK, 0);
    ASSERT_EQ(Answers().told.size(), 1u);
    EXPECT_EQ(Answers().told[0].rfind(advice, 0), 0u) << Answers().told[0];
    EXPECT_EQ(ControlText(IDC_MEDIUM), "");

    atelier.Drop(atelier.On(IDC_MEDIUM, 5, 5), {L"C:\\films\\clip.mp4"});
    ASSERT_EQ(Answers().told.size(), 2u);
    EXPECT_EQ(Answers().told[1].rfind(advice, 0), 0u) << Answers().told[1];

    Answers().files = {"C:/films/clip.mp4", "C:/films/gare.avi"};
    SendMessageW(g_mainWindow, WM_COMMAND, ID_QUESTION_ADD_FILES, 0);
    ASSERT_EQ(Answers().told.size(), 3u);
    EXPECT_EQ(Answers().told[2].rfind(advice, 0), 0u) << Answers().told[2];
    EXPECT_EQ(Media(), "gare=/ ");
}

// Opening starts in the folder last opened or saved in, Documents the first
// time; a new quiz is offered there under its title, made a file name.
TEST(AtelierWindow, OpensAndSavesWhereTheTeacherKeepsQuizzes)
{
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Quizz\\Atelier", L"DernierDossier");
    const std::filesystem::path kept = std::filesystem::temp_directory_path() / L"mes quiz à moi";
    std::filesystem::create_directories(kept);
    const std::filesystem::path saved = kept / L"fleuves.toml";
    std::filesystem::remove(saved);
    const std::string documents = DocumentsFolder();
    ASSERT_FALSE(documents.empty());
    const auto in = [](const std::filesystem::path& folder, const char* name) {
        return (folder / std::filesystem::u8path(name)).u8string();
    };

    AtelierWindow atelier(LAYOUT_TEXT);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Answers().offered, documents);
    SetWindowTextW(Control(IDC_TITLE), L"Fleuves : Europe/Asie ?");
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(Answers().offered,
              in(std::filesystem::u8path(documents), "Fleuves Europe Asie.toml"));

    Answers().savedAs = saved.u8string();
    Command(ID_FILE_SAVE);
    ASSERT_EQ(g_document.path, saved.u8string());
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Answers().offered, kept.u8string());
    Answers().layout = LAYOUT_TEXT;
    Answers().savedAs.clear();
    Command(ID_FILE_NEW);
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(Answers().offered, in(kept, "mon quiz.toml"));
    std::filesystem::remove(saved);
}

namespace {

std::string FileBytes(const std::filesystem::path& path)
{
    std::vector<unsigned char> bytes;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(path.u8string(), bytes, error)) << error;
    return {bytes.begin(), bytes.end()};
}

// The two payloads among resources: what the page and the program must
// share for the page to play the same quiz.
std::vector<QuizResource> Payloads(const std::vector<QuizResource>& resources)
{
    std::vector<QuizResource> payloads;
    for (const QuizResource& resource : resources)
        if (resource.type == "PATCH" && (resource.id == 104 || resource.id == 105))
            payloads.push_back(resource);
    return payloads;
}

// The empty page beside the tests, moved away while it lives.
struct PageMissing {
    const std::filesystem::path page =
        std::filesystem::u8path(DefaultPage(WindowsPlatform().toolDirectory));
    const std::filesystem::path away = page.string() + ".absente";
    PageMissing() { std::filesystem::rename(page, away); }
    ~PageMissing() { std::filesystem::rename(away, page); }
    PageMissing(const PageMissing&) = delete;
    PageMissing& operator=(const PageMissing&) = delete;
};

} // namespace

// The quiz made a web page from its saved source, beside it by default, with
// the payloads a program of it carries; told in the "created" dialog, whose
// choices open it in the browser or show it in its folder; tried as it
// stands in the browser; and refused with how to mend it when the empty page
// is not beside the atelier.
TEST(AtelierWindow, MakesTheQuizWebPageAndOpensItInTheBrowser)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"page à faire";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path source = folder / L"capitales.toml";
    const std::filesystem::path page = folder / L"capitales.html";

    AtelierWindow atelier(LAYOUT_TEXT);
    SetControlText(IDC_TITLE, "Capitales");
    SetControlText(IDC_QUESTION_TEXT, u8"Capitale de la Hongrie ?");
    SetControlText(IDC_ANSWER, "Budapest");
    Answers().savedAs = source.u8string();
    Command(ID_FILE_SAVE);
    ASSERT_EQ(g_document.path, source.u8string());

    Answers().savedAs = page.u8string();
    const struct {
        CreatedChoice choice;
        std::string opened;
    } choices[] = {
        {CreatedChoice::Try, page.u8string()},
        {CreatedChoice::OpenFolder, "explorer.exe /select,\"" + page.u8string() + "\""},
        {CreatedChoice::Close, ""},
    };
    for (const auto& row : choices) {
        Answers().created = row.choice;
        Answers().opened.clear();
        Answers().createdTold.clear();
        Command(ID_FILE_BUILD_PAGE);
        EXPECT_EQ(Answers().offered, page.u8string());
        ASSERT_EQ(Answers().createdTold, std::vector{Created::Page});
        EXPECT_EQ(Answers().told.back().rfind(u8"« capitales.html » est créée dans « ", 0), 0u)
            << Answers().told.back();
        EXPECT_EQ(Answers().opened,
                  row.opened.empty() ? std::vector<std::string>{} : std::vector{row.opened});
    }
    EXPECT_EQ(ControlText(IDC_STATUS).rfind(u8"« capitales.html » créée : 1 question", 0), 0u)
        << ControlText(IDC_STATUS);

    const std::string written = FileBytes(page);
    EXPECT_EQ(written.rfind("<!DOCTYPE html>", 0), 0u);
    std::vector<QuizResource> carried;
    std::string error;
    ASSERT_TRUE(ReadPageResources(written, carried, error)) << error;
    QuizSource built;
    std::vector<QuizResource> program;
    std::vector<Problem> problems;
    ASSERT_TRUE(BuildQuizFromText(FileBytes(source), MediaBesideSource(source.u8string()),
                                  WindowsPlatform().decodePicture, built, program, problems));
    ASSERT_EQ(Payloads(program).size(), 2u);
    EXPECT_TRUE(Payloads(carried) == Payloads(program));

    // Tried as it stands, unsaved: a page of its own in the browser.
    SetControlText(IDC_ANSWER, "Buda");
    const size_t told = Answers().told.size();
    Answers().opened.clear();
    Command(ID_FILE_TRY_PAGE);
    EXPECT_EQ(Answers().told.size(), told);
    ASSERT_EQ(Answers().opened.size(), 1u);
    const std::filesystem::path tried = std::filesystem::u8path(Answers().opened[0]);
    EXPECT_EQ(tried.extension(), ".html");
    EXPECT_NE(tried.parent_path(), folder);
    std::vector<QuizResource> triedResources;
    ASSERT_TRUE(ReadPageResources(FileBytes(tried), triedResources, error)) << error;
    EXPECT_FALSE(Payloads(triedResources) == Payloads(program)); // "Buda", not yet saved

    // Opened again: its source, extracted into a folder beside it.
    std::filesystem::create_directories(folder / L"ouvert");
    Answers().files = {page.u8string()};
    Answers().folder = (folder / L"ouvert").u8string();
    Answers().saveChoice = SaveChoice::Discard;
    Command(ID_FILE_OPEN);
    EXPECT_EQ(g_document.path, (folder / L"ouvert" / L"capitales" / L"capitales.toml").u8string());
    EXPECT_EQ(ControlText(IDC_ANSWER), "Budapest");
    EXPECT_EQ(ControlText(IDC_QUESTION_TEXT), u8"Capitale de la Hongrie ?");

    // Without the empty page: nothing asked, nothing written, told how to
    // mend it.
    {
        const PageMissing missing;
        for (int command : {ID_FILE_BUILD_PAGE, ID_FILE_TRY_PAGE}) {
            Answers().offered.clear();
            Answers().opened.clear();
            Command(command);
            EXPECT_EQ(Answers().offered, "") << command;
            EXPECT_TRUE(Answers().opened.empty()) << command;
            EXPECT_NE(Answers().told.back().find(u8"La page vide quizz.html manque à côté de "
                                                 u8"l'atelier"),
                      std::string::npos)
                << Answers().told.back();
            EXPECT_NE(Answers().told.back().find(u8"Extrayez de nouveau tout le zip de Quizz"),
                      std::string::npos);
        }
    }
    EXPECT_EQ(FileBytes(page), written);
    std::filesystem::remove_all(folder);
}

// A quiz page opens as a quiz program does, from the Open dialog or dropped
// on the window: extracted into a folder the teacher chooses beside it.
TEST(AtelierWindow, OpensAQuizPageAsAProgram)
{
    const std::wstring filter = FileDialogOf(FileChoice::Quiz).filter;
    EXPECT_NE(filter.find(L"*.toml;*.exe;*.html"), std::wstring::npos);
    EXPECT_EQ(std::wstring(FileDialogOf(FileChoice::Page).extension), L"html");
    EXPECT_EQ(FileDialogOf(FileChoice::Page).filter,
              std::wstring(L"Pages web (*.html)\0*.html\0", 26));

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"pages";
    const std::string page = (folder / L"fleuves.HTML").u8string();
    for (const bool dropped : {false, true}) {
        AtelierWindow atelier(LAYOUT_TEXT);
        Answers().folder.clear(); // the folder dialog cancelled
        if (dropped) {
            atelier.Drop(AtelierWindow::On(IDC_TITLE, 2, 2),
                         {std::filesystem::u8path(page).wstring()});
        } else {
            Answers().files = {page};
            Command(ID_FILE_OPEN);
        }
        EXPECT_EQ(Answers().offered, folder.u8string()) << dropped;
        EXPECT_TRUE(Answers().told.empty()) << dropped << " " << Answers().told[0];
    }
}
