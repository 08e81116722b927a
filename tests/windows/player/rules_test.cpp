// A quiz played with and without its rules of accepted answers: the rules
// travel in their own resource, which the player reads when it is there, and
// the verdict, the score and the code follow them.
#include "player/app_globals.h"
#include "player/header_bar.h"
#include "player/loader.h"
#include "quiz/rules_payload.h"
#include "tests/support/message_box_recorder.h"
#include "tests/windows/player/player_window.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

// One question answered "le Mont Blanc", packed with the rules resource
// given (none: empty), loaded as the player loads its own program.
std::unique_ptr<QuizRecord> Loaded(const Bytes* rulesPayload, QuizRules& rules)
{
    auto quiz = MakeQuiz(LAYOUT_TEXT, 1, 1, REVEAL_NONE);
    CopyText(quiz->firstQuestion->answer, "le Mont Blanc");
    std::vector<ResourceEntry> resources = QuizResources(*quiz);
    if (rulesPayload)
        resources.push_back({PAYLOAD_RESOURCE_TYPE, RULES_RESOURCE, *rulesPayload});
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = TemporaryPath("rules.dll");
    auto record = std::make_unique<QuizRecord>();
    EXPECT_TRUE(WriteModuleCopy(self, path, resources));
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(module, nullptr);
    if (module) {
        LoadQuizFrom(module, *record);
        LoadRulesFrom(module, rules);
        FreeLibrary(module);
    }
    DeleteFileA(path.c_str());
    return record;
}

} // namespace

TEST(PlayedRules, MontBlancIsRightWithArticlesOptionalAndTooShortWithout)
{
    QuizRules articles;
    articles.rules.articlesOptional = true;
    Bytes withArticles;
    ASSERT_TRUE(BuildRulesPayload(articles, withArticles));
    QuizRules none;
    Bytes noRules;
    ASSERT_TRUE(BuildRulesPayload(none, noRules));
    const Bytes empty;
    Bytes later = withArticles;
    later[0] = RULES_PAYLOAD_VERSION + 1;
    const struct {
        const char* name;
        const Bytes* payload;
        const char *verdict, *score, *code;
    } cases[] = {
        {"articles optional", &withArticles, "BRAVO", " 1 / 1", "CODE1"},
        {"no resource", nullptr, "Trop court", " 0 / 1", "      "},
        {"no rule", &noRules, "Trop court", " 0 / 1", "      "},
        {"empty resource", &empty, "Trop court", " 0 / 1", "      "},
        {"a later format", &later, "Trop court", " 0 / 1", "      "},
    };
    for (const auto& c : cases) {
        RecordedMessages().clear();
        QuizRules rules;
        PlayerWindow window(Loaded(c.payload, rules));
        g_rules = &rules;
        Answer(1, "mont blanc");
        EXPECT_EQ(Verdict(1), c.verdict) << c.name;
        EXPECT_EQ(window.Score(), c.score) << c.name;
        EXPECT_EQ(WindowText(GetDlgItem(window.main, CODE_LABEL_ID)), c.code) << c.name;
        EXPECT_TRUE(RecordedMessages().empty()) << c.name;
        g_rules = nullptr;
    }
}
