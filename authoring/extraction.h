// Gives back the source of a packed quiz: its resources (quiz_resources.h)
// become a QuizSource and media files named after their question, which
// WriteQuizSource turns into a file that builds the same resources again.
#pragma once

#include "authoring/quiz_resources.h"
#include "authoring/quiz_source.h"

#include <string>
#include <vector>

struct MediaFile {
    std::string name; // as the source names it: "image01.jpg", "son03.mp3"
    std::vector<unsigned char> data;
};

// False, with the reason in French, when the resources hold no readable quiz
// or one that a source cannot express (a layout outside the four, say).
bool ExtractQuizSource(const std::vector<QuizResource>& resources, QuizSource& source,
                       std::vector<MediaFile>& media, std::string& error);

// The resources of a module that the player reads for its quiz, in the
// order BuildQuizResources makes them: what a rebuild must give again.
std::vector<QuizResource> ResourcesInUse(const std::vector<QuizResource>& resources,
                                         const QuizSource& source);

// The resources with the answers in the quiz payload fixed as a build fixes
// them now (answer_typing.h): what a rebuild gives of a quiz packed before
// that, whose answers may hold typographic apostrophes or special spaces.
std::vector<QuizResource> WithAnswersRetyped(const std::vector<QuizResource>& resources);
