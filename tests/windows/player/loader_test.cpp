#include "player/loader.h"
#include "quiz/pupil_results.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/resource_module.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<unsigned char>;

// What tells the quizzes of the cases apart: the demo quiz, an empty one or
// the sample; its background brush's colour; its codes. Every field of a
// loaded quiz is the packing test's business.
std::string Summary(const QuizRecord& quiz)
{
    LOGBRUSH brush = {};
    const bool painted =
        GetObjectA(static_cast<HBRUSH>(quiz.backgroundBrush), sizeof brush, &brush);
    return std::string(quiz.title) + "|" + (painted ? std::to_string(brush.lbColor) : "-") + "|" +
           quiz.codes[0] + "," + quiz.codes[1];
}

// A copy of this program carrying resources, loaded as the player loads its
// own quiz, the messages it shows recorded from a clean slate.
std::unique_ptr<QuizRecord> LoadedWith(const std::vector<ResourceEntry>& resources,
                                       const char* name)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = TemporaryPath("module.dll");
    auto record = std::make_unique<QuizRecord>();
    RecordedMessages().clear();
    EXPECT_TRUE(WriteModuleCopy(self, path, resources)) << name;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(module, nullptr) << name;
    if (module) {
        LoadQuizFrom(module, *record);
        FreeLibrary(module);
    }
    DeleteFileA(path.c_str());
    return record;
}

} // namespace

TEST(LoadQuiz, TellsEveryResourceProblemAndLoadsWhatItCan)
{
    const auto sample = MakeQuiz(LAYOUT_TEXT, 2, 1, REVEAL_NONE);
    sample->backgroundColour = 0x0000FFFF;
    const std::vector<ResourceEntry> built = QuizResources(*sample);
    const Bytes quiz = built[0].data, codes = built[1].data;
    const Bytes undecodable = {0x30}; // ends inside its first code

    const std::string demo = "Nom du quizz|-|,", sampleQuiz = "Les capitales|65535|";
    const struct {
        const char* name;
        std::vector<ResourceEntry> resources;
        std::vector<std::string> messages;
        std::string summary;
    } cases[] = {
        {"quiz missing",
         {{"PATCH", 105, codes}},
         {"Erreur dans le fichier", "Reponses non trouvées"},
         demo},
        {"quiz empty",
         {{"PATCH", 104, {}}, {"PATCH", 105, codes}},
         {"Reponses non trouvées"},
         demo},
        {"quiz undecodable",
         {{"PATCH", 104, undecodable}, {"PATCH", 105, codes}},
         {"Erreur dans le décryptage des reponses"},
         "|-|,"},
        {"codes missing", {{"PATCH", 104, quiz}}, {"Codes non trouvés."}, sampleQuiz + ","},
        {"codes empty",
         {{"PATCH", 104, quiz}, {"PATCH", 105, {}}},
         {"Codes non renseignés."},
         sampleQuiz + ","},
        {"codes undecodable",
         {{"PATCH", 104, quiz}, {"PATCH", 105, undecodable}},
         {"Erreur dans le décryptage des codes"},
         sampleQuiz + ","},
        {"full quiz",
         {{"PATCH", 104, quiz}, {"PATCH", 105, codes}},
         {},
         sampleQuiz + "CODE1,CODE2"},
    };
    for (const auto& c : cases) {
        const auto record = LoadedWith(c.resources, c.name);
        std::vector<RecordedMessage> expected;
        for (const std::string& text : c.messages)
            expected.push_back({text, "Quizz"});
        EXPECT_EQ(RecordedMessages(), expected) << c.name;
        EXPECT_EQ(Summary(*record), c.summary) << c.name;
    }
}

// The web site is optional and never told: what the player cannot take for
// an address leaves the header its own, however the resource is damaged.
TEST(LoadQuiz, TakesTheWebSiteOnlyWhenItIsAnAddress)
{
    const std::vector<ResourceEntry> built =
        QuizResources(*MakeQuiz(LAYOUT_TEXT, 1, 1, REVEAL_NONE));
    const std::string site = "https://www.ac-lyon.fr/quiz";
    const struct {
        const char* name;
        std::vector<unsigned char> data; // none: no resource 106
        bool present;
        std::string expected;
    } cases[] = {
        {"an address", {site.begin(), site.end()}, true, site},
        {"none", {}, false, ""},
        {"empty", {}, true, ""},
        {"no scheme", {'w', 'w', 'w', '.', 'x'}, true, ""},
        {"a control character", {'h', 't', 't', 'p', ':', '/', '/', 'x', '\n'}, true, ""},
        {"past its length", Bytes(300, 'h'), true, ""},
        {"LZW-coded", LzwCoded({site.begin(), site.end()}), true, ""},
    };
    for (const auto& c : cases) {
        std::vector<ResourceEntry> resources = built;
        if (c.present)
            resources.push_back({"PATCH", 106, c.data});
        const auto record = LoadedWith(resources, c.name);
        EXPECT_TRUE(RecordedMessages().empty()) << c.name;
        EXPECT_EQ(std::string(record->webSite), c.expected) << c.name;
        EXPECT_STREQ(record->title, "Les capitales") << c.name;
    }
}

// The work key is taken only at its size: a damaged one is no key, and the
// quiz then asks for no work.
TEST(LoadWorkKey, TakesAKeyOfItsSizeOnly)
{
    const std::vector<ResourceEntry> built =
        QuizResources(*MakeQuiz(LAYOUT_TEXT, 1, 1, REVEAL_NONE));
    const Bytes key = WorkKey("Les capitales");
    const struct {
        const char* name;
        Bytes data;
        bool present;
        Bytes expected;
    } cases[] = {
        {"a key", key, true, key},
        {"none", {}, false, {}},
        {"empty", {}, true, {}},
        {"cut short", Bytes(key.begin(), key.end() - 1), true, {}},
        {"a byte too many",
         [&] {
             Bytes b = key;
             b.push_back(0);
             return b;
         }(),
         true,
         {}},
    };
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    for (const auto& c : cases) {
        std::vector<ResourceEntry> resources = built;
        if (c.present)
            resources.push_back({"PATCH", 109, c.data});
        const std::string path = TemporaryPath("key.dll");
        ASSERT_TRUE(WriteModuleCopy(self, path, resources)) << c.name;
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        EXPECT_EQ(LoadWorkKeyFrom(module), c.expected) << c.name;
        FreeLibrary(module);
        DeleteFileA(path.c_str());
    }
}
