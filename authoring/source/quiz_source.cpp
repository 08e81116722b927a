#include "authoring/source/quiz_source.h"

#include "quiz/quiz_record.h"

const char* const LAYOUT_NAMES[4] = {"texte", "image", "son", "video"};
const char* const REVEAL_NAMES[3] = {"aucune", "image", "texte"};

int LayoutFromName(const std::string& name)
{
    for (int i = 0; i < 4; ++i)
        if (name == LAYOUT_NAMES[i])
            return i;
    // The accented spelling is what a French maker will often type.
    if (name == u8"vidéo")
        return LAYOUT_VIDEO;
    return -1;
}

int RevealFromName(const std::string& name)
{
    for (int i = 0; i < 3; ++i)
        if (name == REVEAL_NAMES[i])
            return i;
    return -1;
}

SourceText* QuestionMedium(SourceQuestion& question, int layoutKind)
{
    switch (layoutKind) {
    case LAYOUT_PICTURE:
        return &question.picture;
    case LAYOUT_AUDIO:
        return &question.sound;
    case LAYOUT_VIDEO:
        return &question.film;
    default:
        return nullptr;
    }
}

const SourceText* QuestionMedium(const SourceQuestion& question, int layoutKind)
{
    return QuestionMedium(const_cast<SourceQuestion&>(question), layoutKind);
}

const char* MediumKey(int layoutKind)
{
    switch (layoutKind) {
    case LAYOUT_PICTURE:
        return "image";
    case LAYOUT_AUDIO:
        return "son";
    case LAYOUT_VIDEO:
        return "video";
    default:
        return nullptr;
    }
}

int AnswerCount(const QuizSource& source)
{
    if (source.answersPerQuestion == 1 || source.answersPerQuestion == 2)
        return source.answersPerQuestion;
    for (const SourceQuestion& question : source.questions)
        if (question.secondAnswer.present)
            return 2;
    return 1;
}

int ShownRevealMode(const QuizSource& source)
{
    return source.layoutKind == LAYOUT_PICTURE ? source.revealMode : REVEAL_NONE;
}
