#include "atelier/document/question_editing.h"

#include "authoring/media/media_conversion.h"
#include "authoring/packing/file_set.h"
#include "authoring/packing/quiz_page.h"
#include "authoring/source/problem.h"
#include "quiz/media_format.h"
#include "quiz/quiz_record.h"

#include <algorithm>
#include <filesystem>

namespace {

// A question the teacher has not written anything in yet.
bool IsBlank(const SourceQuestion& question)
{
    for (const SourceText* text :
         {&question.answer, &question.secondAnswer, &question.questionText, &question.revealText,
          &question.picture, &question.sound, &question.film, &question.revealPicture})
        if (!text->value.empty())
            return false;
    return question.otherAnswers.empty() && question.otherSecondAnswers.empty();
}

} // namespace

int AddQuestion(QuizDocument& document, int after)
{
    auto& questions = document.source.questions;
    const int at = after < 0 || after >= static_cast<int>(questions.size())
                       ? static_cast<int>(questions.size())
                       : after + 1;
    SourceQuestion question;
    SetValue(question.answer, "");
    questions.insert(questions.begin() + at, question);
    return at;
}

void DeleteQuestion(QuizDocument& document, int index)
{
    auto& questions = document.source.questions;
    if (index >= 0 && index < static_cast<int>(questions.size()))
        questions.erase(questions.begin() + index);
}

bool MoveQuestion(QuizDocument& document, int index, int offset)
{
    auto& questions = document.source.questions;
    const int other = index + offset;
    const int count = static_cast<int>(questions.size());
    if (index < 0 || index >= count || other < 0 || other >= count)
        return false;
    std::swap(questions[index], questions[other]);
    return true;
}

FileKind KindOfFile(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    const MediaFormat format = MediaFormatOfExtension(extension);
    if (IsTaken(format, MediaKind::Picture))
        return FileKind::Picture;
    if (IsTaken(format, MediaKind::Sound))
        return FileKind::Sound;
    if (IsTaken(format, MediaKind::Film))
        return FileKind::Film;
    static const char* const TABLES[] = {".csv",  ".tsv",  ".tab", ".txt",
                                         ".gift", ".xlsx", ".ods", ".xml"};
    if (std::find(std::begin(TABLES), std::end(TABLES), extension) != std::end(TABLES))
        return FileKind::Table;
    if (extension == ".toml")
        return FileKind::Source;
    if (extension == ".exe" || IsPageName(path))
        return FileKind::Program;
    return FileKind::Other;
}

FileKind LayoutFileKind(int layoutKind)
{
    switch (layoutKind) {
    case LAYOUT_PICTURE:
        return FileKind::Picture;
    case LAYOUT_AUDIO:
        return FileKind::Sound;
    case LAYOUT_VIDEO:
        return FileKind::Film;
    default:
        return FileKind::Other;
    }
}

std::string AnswerFromFileName(const std::string& path)
{
    const std::string stem = FileStem(path);
    if (stem.find_first_of("0123456789") != std::string::npos)
        return "";
    std::string answer;
    for (char c : stem) {
        const bool separator = c == '_' || c == ' ' || c == '.';
        if (!separator)
            answer += c;
        else if (!answer.empty() && answer.back() != ' ')
            answer += ' ';
    }
    while (!answer.empty() && answer.back() == ' ')
        answer.pop_back();
    return answer;
}

int AddQuestionsForFiles(QuizDocument& document, int after, const std::vector<std::string>& files,
                         std::vector<std::string>& refused)
{
    const int layout = document.source.layoutKind;
    const FileKind wanted = LayoutFileKind(layout);
    // A new quiz's one question, still blank, would stay above the files'
    // questions as two errors to clear: they take its place.
    auto& questions = document.source.questions;
    const bool replacesBlank = questions.size() == 1 && IsBlank(questions[0]);
    int first = -1;
    for (const std::string& file : files) {
        if (wanted == FileKind::Other || KindOfFile(file) != wanted) {
            refused.push_back(file);
            continue;
        }
        after = AddQuestion(document, after);
        SourceQuestion& question = questions[after];
        SetValue(question.answer, AnswerFromFileName(file));
        SetValue(*QuestionMedium(question, layout), file);
        if (first < 0)
            first = after;
    }
    if (first >= 0 && replacesBlank) {
        questions.erase(questions.begin());
        first = 0;
    }
    return first;
}

std::string UnplayedMediaAdvice(const std::vector<std::string>& files)
{
    const struct {
        MediaKind kind;
        const char* what;
        std::string how;
    } kinds[] = {
        {MediaKind::Sound, u8"Sons que le lecteur ne joue pas : ",
         u8"Il ne joue que les sons MP3 : convertissez-les " + std::string(TO_MP3) +
             u8", puis ajoutez les fichiers convertis."},
        {MediaKind::Film, u8"Vidéos que le lecteur ne joue pas : ",
         u8"Il ne joue que les vidéos AVI : convertissez-les " + std::string(TO_AVI) +
             u8", puis ajoutez les fichiers convertis."},
    };
    std::string advice;
    for (const auto& kind : kinds) {
        std::string named;
        for (const std::string& file : files) {
            const MediaFormat format = MediaFormatOfExtension(LowerExtension(file));
            if (MediaFormatRow(format).kind == kind.kind && !IsTaken(format, kind.kind))
                named += (named.empty() ? "" : ", ") + Quoted(FileName(file)) + " (" +
                         MediaFormatName(format) + ")";
        }
        if (!named.empty())
            advice += (advice.empty() ? "" : "\n\n") + (kind.what + named) + ". " + kind.how;
    }
    return advice;
}

std::string AnswersOf(const QuizDocument& document, int index)
{
    const SourceQuestion& question = document.source.questions.at(index);
    if (!document.twoAnswers)
        return question.answer.value;
    return question.answer.value + " / " + question.secondAnswer.value;
}

std::string ShownOf(const QuizDocument& document, int index)
{
    const SourceQuestion& question = document.source.questions.at(index);
    const int layout = document.source.layoutKind;
    if (layout <= LAYOUT_TEXT)
        return question.questionText.value;
    const std::string& path = QuestionMedium(question, layout)->value;
    return path.empty() ? "" : FileName(path);
}
