#include "authoring/results/results_page.h"

#include "results_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <algorithm>
#include <iterator>

#include <string>
#include <vector>

namespace {

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

// A pupil's name, answers and file names, and the quiz's own texts, show as
// text and never as markup; nothing is fetched and nothing runs; both charts
// are there, labelled.
TEST(ClassResultsPage, EscapesEveryTextAndHoldsItsCharts)
{
    QuizRecord quiz;
    MakeQuiz(quiz, "Balises <b>", 1, {{"<i>", ""}, {"Rome", ""}});
    const std::string title = "Balises <b>";
    const std::vector<HandedIn> handed = {
        {"a.txt", Work(title, "<script>alert(1)</script>", "2026-12-08 10:00",
                       {"<img src=x onerror=alert(1)>", "Rome"})},
        {"b.txt", Work(title, "Lou \"&\" Kim", "<style>", {"<i>", "<a href='https://x'>"})},
        {"<iframe src=x>.txt", "damaged"},
    };
    const ClassResults results = GradeClass(quiz, QuizRules{}, handed);
    const std::string page = ClassResultsPage(quiz, results);

    // Every tag is one the page writes itself: none has an address to fetch.
    const std::string tags[] = {"!DOCTYPE", "html",  "head",  "meta",  "title",   "style", "body",
                                "h1",       "h2",    "h3",    "p",     "section", "ul",    "li",
                                "div",      "table", "thead", "tbody", "tr",      "th",    "td",
                                "span",     "br",    "svg",   "line",  "rect",    "text",  "desc"};
    for (size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        const size_t start = at + (page[at + 1] == '/' ? 2 : 1);
        const std::string tag = page.substr(start, page.find_first_of(" >", start) - start);
        EXPECT_NE(std::find(std::begin(tags), std::end(tags), tag), std::end(tags))
            << page.substr(at, 40);
    }
    for (const char* fetch : {"src=\"", "href=\"", "url(", "@import"})
        EXPECT_EQ(page.find(fetch), std::string::npos) << fetch;
    for (const char* text :
         {"&lt;script&gt;alert(1)&lt;/script&gt;", "&lt;img src=x onerror=alert(1)&gt;",
          "Lou &quot;&amp;&quot; Kim", "&lt;iframe src=x&gt;.txt", "Balises &lt;b&gt;"})
        EXPECT_NE(page.find(text), std::string::npos) << text;
    EXPECT_EQ(Count(page, "<svg"), 2u);
    EXPECT_EQ(Count(page, "<title>"), 3u); // the page's and each chart's
    EXPECT_NE(page.find(u8"<title>Réussite par question</title>"), std::string::npos);
    EXPECT_NE(page.find("<title>Scores de la classe</title>"), std::string::npos);
    // The verdicts in the player's colours: BRAVO green, FAUX red.
    for (const char* shown :
         {".v0 { background: #00ff00; color: #000; }", ".v9 { background: #ff0000; color: #000; }",
          "<td class=\"box v0\"><span class=\"verdict\">BRAVO</span>Rome</td>",
          "<td class=\"box v9\"><span class=\"verdict\">FAUX</span>&lt;img"})
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
}
