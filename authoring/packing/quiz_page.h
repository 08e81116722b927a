// A quiz as one web page: the empty page that stands beside the tools
// (quizz.html, the web player: its styles, its code and the grading core,
// made in web/) with the quiz's resources written in, each as the program
// carries it, so that the page reads the same payloads with the same code
// and extraction reads them back:
//   <script type="application/x-quizz" data-type="PATCH" data-id="104">BASE64</script>
// one element per resource, in the order given: the payloads and the media
// of the first screen where the empty page holds PAGE_RESOURCES_MARK, before
// the page's code, the other media at PAGE_MEDIA_MARK, after it, so that
// the browser runs the code and shows the first screen before it has read
// the rest; the page's <title> becomes the quiz's. A script of that type is
// data: the browser runs nothing of it.
#pragma once

#include "authoring/packing/quiz_resources.h"

#include <string>
#include <vector>

// The empty page, which stands beside the authoring tools as the player does.
constexpr const char* PAGE_FILE_NAME = "quizz.html";
constexpr const char* PAGE_RESOURCES_MARK = "<!--quizz:ressources-->";
constexpr const char* PAGE_MEDIA_MARK = "<!--quizz:medias-->"; // after the code; optional
// The questions whose media come before the code: a PC's first screen.
constexpr int FIRST_SCREEN_QUESTIONS = 12;

std::string DefaultPage(const std::string& toolDirectory);

// Whether a file is named as a web page (.html, .htm, in either case).
bool IsPageName(const std::string& path);

// The page of a quiz: emptyPage with resources written in. false with a
// French error when emptyPage is no empty page of this version.
bool MakeQuizPage(const std::string& emptyPage, const std::vector<QuizResource>& resources,
                  std::string& page, std::string& error);

// The resources a quiz page carries, in its order; false with a French error
// when the text is no quiz page or a resource is damaged. Reads nothing past
// the text and takes no resource twice.
bool ReadPageResources(const std::string& page, std::vector<QuizResource>& resources,
                       std::string& error);
