#include "authoring/packing/quiz_page.h"

#include "quiz/payload.h"
#include "tests/support/coded_payload.h"

#include <gtest/gtest.h>

namespace {

const std::string EMPTY_PAGE =
    "<!DOCTYPE html><html><head><title>Quizz</title></head><body>\n<!--quizz:ressources-->\n"
    "<script>code</script>\n<!--quizz:medias-->\n</body></html>";

std::vector<unsigned char> CodedQuizPayload(const char* title)
{
    QuizRecord quiz;
    CopyText(quiz.title, title);
    quiz.questionCount = 1;
    quiz.answersPerQuestion = 1;
    AppendQuestion(quiz, "chat", "", "Qui miaule ?");
    std::vector<unsigned char> plain;
    EXPECT_TRUE(BuildQuizPayload(quiz, plain));
    return CodedPayload(plain);
}

} // namespace

// Every byte of every resource comes back, in order, sizes 0 to 3 and a
// medium of every byte value; the quiz's title becomes the page's, as text.
TEST(QuizPage, CarriesEachResourceAndNamesThePageAfterTheQuiz)
{
    std::vector<unsigned char> everyByte(256 * 3 + 1);
    for (size_t i = 0; i < everyByte.size(); ++i)
        everyByte[i] = static_cast<unsigned char>(i * 7);
    const std::vector<QuizResource> resources = {
        {"PATCH", 104, CodedQuizPayload("Les <script>alert(1)</script> & \"chats\" \xE9t\xE9")},
        {"PATCH", 105, {}},
        {"PATCH", 106, {'h'}},
        {"PATCH", 108, {1, 2}},
        {"IMG", 401, {1, 2, 3}},
        {"IMG", 10490, everyByte},
        {"ICON", 1, {0, 0, 1, 0}},
    };
    std::string page, error;
    ASSERT_TRUE(MakeQuizPage(EMPTY_PAGE, resources, page, error)) << error;
    EXPECT_NE(
        page.find(u8"<title>Les &lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;chats&quot; "
                  u8"été</title>"),
        std::string::npos)
        << page;
    EXPECT_EQ(page.find(PAGE_RESOURCES_MARK), std::string::npos);
    EXPECT_EQ(page.find(PAGE_MEDIA_MARK), std::string::npos);
    // The payloads and the first screen's media before the code, the rest
    // after it.
    const size_t code = page.find("<script>code");
    EXPECT_LT(page.find("data-id=\"108\""), code);
    EXPECT_LT(page.find("data-id=\"401\""), code);
    EXPECT_GT(page.find("data-id=\"10490\""), code);
    EXPECT_GT(page.find("data-type=\"ICON\""), code);
    std::vector<QuizResource> read;
    ASSERT_TRUE(ReadPageResources(page, read, error)) << error;
    EXPECT_EQ(read, resources);

    // A page already made is no empty page.
    std::string again;
    EXPECT_FALSE(MakeQuizPage(page, resources, again, error));
    EXPECT_FALSE(MakeQuizPage("<html></html>", resources, again, error));
    EXPECT_FALSE(MakeQuizPage(EMPTY_PAGE, {{"IMG\"x", 1, {}}}, again, error));
}

// A page cut, edited by hand or of another kind is refused with a French
// message, without reading past its end.
TEST(QuizPage, RefusesADamagedPage)
{
    const std::string element = "<script type=\"application/x-quizz\" data-type=\"IMG\" data-id=\"";
    const struct {
        std::string page;
        const char* error;
    } rows[] = {
        {"<html>rien</html>", u8"aucun quiz"},
        {"", u8"aucun quiz"},
        {element, u8"abîmée"},
        {element + "401", u8"abîmée"},
        {element + "401\">AQID", u8"abîmée"},
        {element + "401\">AQ!D</script>", u8"abîmée"},
        {element + "401\">AQIDA</script>", u8"abîmée"}, // a cut group
        {element + "\">AQID</script>", u8"abîmée"},
        {element + "4x1\">AQID</script>", u8"abîmée"},
        {element + "9999999\">AQID</script>", u8"abîmée"},
        {"<script type=\"application/x-quizz\" data-type=\"img\" data-id=\"1\">AQID</script>",
         u8"abîmée"},
        {"<script type=\"application/x-quizz\" data-type=\"IMG\" data-idx=\"1\">AQID</script>",
         u8"abîmée"},
        {element + "401\">AQID</script>" + element + "401\">AQID</script>", "deux fois"},
    };
    for (const auto& row : rows) {
        std::vector<QuizResource> resources;
        std::string error;
        // A copy of exactly its size, so that a read past it shows under ASan.
        const std::string page(row.page.begin(), row.page.end());
        EXPECT_FALSE(ReadPageResources(page, resources, error)) << row.page;
        EXPECT_NE(error.find(row.error), std::string::npos) << row.page << " : " << error;
        EXPECT_TRUE(resources.empty() || error.find("deux") != std::string::npos);
    }
}
