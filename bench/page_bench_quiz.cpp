// The quiz pages the page benchmark loads, made as quizzpack page makes
// them: a 90-question picture quiz with two boxes a question (180 boxes for
// F1) from 90 photos, and a 3-question text quiz; prints what each weighs against the pictures it
// carries.
//   page_bench_quiz EMPTY_PAGE PHOTO_FOLDER OUTPUT_FOLDER
// PHOTO_FOLDER holds photo1.jpg to photo90.jpg.
#include "authoring/media/media_lookup.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_build.h"
#include "authoring/packing/quiz_page.h"
#include "tests/support/test_pictures.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string PictureQuiz(int questions)
{
    std::string text = "titre = \"Photos\"\ndisposition = \"image\"\n";
    for (int i = 1; i <= questions; ++i)
        text += "[[question]]\nreponse = \"photo " + std::to_string(i) +
                "\"\nseconde_reponse = \"image " + std::to_string(i) + "\"\nimage = \"photo" +
                std::to_string(i) + ".jpg\"\n";
    return text;
}

const char* const TEXT_QUIZ = "titre = \"Capitales\"\ndisposition = \"texte\"\n"
                              "[[question]]\nreponse = \"Paris\"\ntexte = \"France\"\n"
                              "[[question]]\nreponse = \"Rome\"\ntexte = \"Italie\"\n"
                              "[[question]]\nreponse = \"Madrid\"\ntexte = \"Espagne\"\n";

bool MakePage(const std::string& emptyPage, const std::string& text, const std::string& media,
              const std::string& output)
{
    QuizSource source;
    std::vector<QuizResource> resources;
    std::vector<Problem> problems;
    if (!BuildQuizFromText(text, MediaBesideSource(media + "/quiz.toml"), DecodeTestPicture, source,
                           resources, problems, nullptr, QuizTarget::Page)) {
        for (const Problem& problem : problems)
            fprintf(stderr, "%s\n", FormatProblem(output, problem).c_str());
        return false;
    }
    std::string page, error;
    if (!MakeQuizPage(emptyPage, resources, page, error) ||
        !ReplaceWholeFile(output, {page.begin(), page.end()}, error)) {
        fprintf(stderr, "%s: %s\n", output.c_str(), error.c_str());
        return false;
    }
    size_t pictures = 0;
    for (const QuizResource& resource : resources)
        if (resource.type == MEDIA_RESOURCE_TYPE)
            pictures += resource.data.size();
    printf("%-16s %9zu bytes", FileName(output).c_str(), page.size());
    if (pictures > 0)
        printf(", its stored pictures %zu bytes: %.3f x", pictures,
               static_cast<double>(page.size()) / static_cast<double>(pictures));
    printf("\n");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "page_bench_quiz EMPTY_PAGE PHOTO_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    std::vector<unsigned char> empty;
    std::string error;
    if (!ReadWholeFile(argv[1], empty, error)) {
        fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::string emptyPage(empty.begin(), empty.end());
    const std::string output = argv[3];
    printf("%-16s %9zu bytes (the grading core and the page's code)\n", "quizz.html", empty.size());
    const bool made = MakePage(emptyPage, TEXT_QUIZ, argv[2], output + "/text3.html") &&
                      MakePage(emptyPage, PictureQuiz(90), argv[2], output + "/pictures90.html");
    return made ? 0 : 1;
}
