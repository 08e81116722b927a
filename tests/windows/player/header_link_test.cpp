// The header's link of a quiz built from a source: the quiz's own site when
// it gives one, the player's otherwise, shown as a host that fits the frame.
#include "authoring/packing/quiz_resources.h"
#include "authoring/source/source_reader.h"
#include "player/build_settings.h"
#include "player/header_bar.h"
#include "player/loader.h"
#include "tests/support/shell_open_recorder.h"
#include "tests/windows/player/player_window.h"

#include <gtest/gtest.h>

namespace {

// The quiz quizzpack builds from the source, as the player loads it from
// its program.
std::unique_ptr<QuizRecord> Built(const std::string& site)
{
    std::string text = "titre = \"T\"\ndisposition = \"texte\"\n[[question]]\n"
                       "reponse = \"Paris\"\ntexte = \"q\"\n";
    if (!site.empty())
        text = "site = \"" + site + "\"\n" + text;
    QuizSource source;
    std::vector<Problem> problems;
    std::vector<QuizResource> built;
    auto noMedia = [](const std::string&, std::vector<unsigned char>&, std::string&) {
        return false;
    };
    auto record = std::make_unique<QuizRecord>();
    if (!ReadQuizSource(text, source, problems) ||
        !BuildQuizResources(source, noMedia, nullptr, built, problems)) {
        ADD_FAILURE() << problems.front().message;
        return record;
    }
    std::vector<ResourceEntry> resources;
    resources.reserve(built.size());
    for (const QuizResource& resource : built)
        resources.push_back({resource.type, resource.id, resource.data});
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = TemporaryPath("site.exe");
    EXPECT_TRUE(WriteModuleCopy(self, path, resources));
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    LoadQuizFrom(module, *record);
    FreeLibrary(module);
    DeleteFileA(path.c_str());
    return record;
}

void Click(HWND control)
{
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

} // namespace

TEST(Header, ShowsAndOpensTheQuizsOwnSiteOrElseThePlayers)
{
    const std::string deep = "https://www.ac-versailles.fr/pedagogie/" + std::string(180, 'x');
    const struct {
        std::string site;
        std::string shown;
        std::string opened;
    } cases[] = {
        {"https://www.ac-lyon.fr/quiz?niveau=6", "ac-lyon.fr",
         "https://www.ac-lyon.fr/quiz?niveau=6"},
        {deep, "ac-versailles.fr", deep},
        {"", MAKER_WEB_SITE, MAKER_WEB_SITE},
    };
    for (const auto& c : cases) {
        PlayerWindow window(Built(c.site));
        HWND link = GetDlgItem(window.main, LINK_LABEL_ID);
        EXPECT_EQ(WindowText(link), c.shown) << c.site;
        // However long the address, the link keeps its place in its frame and
        // cuts what does not fit.
        const RECT place = PlaceOf(link);
        EXPECT_EQ(place.left, 736);
        EXPECT_EQ(place.right - place.left, 115);
        EXPECT_TRUE(GetWindowLongA(link, GWL_STYLE) & SS_ENDELLIPSIS);
        OpenedAddresses().clear();
        Click(link);
        EXPECT_EQ(OpenedAddresses(), std::vector<std::string>{c.opened}) << c.site;
    }
}
