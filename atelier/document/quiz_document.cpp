#include "atelier/document/quiz_document.h"

#include "authoring/packing/file_set.h"
#include "authoring/packing/stored_source.h"
#include "authoring/source/quiz_field_table.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"
#include "quiz/quiz_record.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

const char* const UNTITLED_NAME = "Sans titre";

namespace {

// The value as saving writes it: present exactly when it is not empty.
SourceText Optional(const SourceText& text)
{
    SourceText written;
    written.value = text.value;
    written.present = !text.value.empty();
    return written;
}

// Present even when empty, where the quiz needs it: the check then says so.
SourceText Required(const SourceText& text)
{
    SourceText written;
    written.value = text.value;
    written.present = true;
    return written;
}

// The values as the atelier holds them: no value is absent, only empty.
void HoldValues(QuizSource& source)
{
    for (const QuizFieldRow& row : QUIZ_FIELDS)
        if (row.text)
            source.*row.text = Required(source.*row.text);
    for (SourceText& code : source.codes)
        code = Required(code);
    for (SourceQuestion& question : source.questions) {
        SourceText* const values[] = {&question.answer,       &question.secondAnswer,
                                      &question.questionText, &question.revealText,
                                      &question.picture,      &question.sound,
                                      &question.film,         &question.revealPicture};
        for (SourceText* text : values)
            *text = Required(*text);
        question.place = {};
    }
}

bool IsAbsolutePath(const std::filesystem::path& path)
{
    return path.is_absolute() || path.has_root_name() || path.has_root_directory();
}

std::string FolderOf(const std::string& path)
{
    return std::filesystem::u8path(path).parent_path().u8string();
}

} // namespace

std::string AsSourcePath(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string MediumFile(const std::string& folder, const std::string& value)
{
    const std::filesystem::path path = std::filesystem::u8path(AsSourcePath(value));
    const std::filesystem::path file =
        IsAbsolutePath(path) ? path : std::filesystem::u8path(folder) / path;
    return file.lexically_normal().generic_u8string();
}

std::string MediumValue(const std::string& folder, const std::string& file)
{
    const std::filesystem::path whole = std::filesystem::u8path(MediumFile(folder, file));
    const std::filesystem::path inside =
        whole.lexically_relative(std::filesystem::u8path(folder).lexically_normal());
    if (inside.empty() || *inside.begin() == "..")
        return whole.generic_u8string();
    return inside.generic_u8string();
}

bool IsRelativeValue(const std::string& value)
{
    return !IsAbsolutePath(std::filesystem::u8path(value));
}

void SetValue(SourceText& text, const std::string& value)
{
    text.value = value;
    text.present = true;
    text.wrongType = false;
}

void NewDocument(int layoutKind, const std::string& folder, QuizDocument& document)
{
    document = QuizDocument();
    document.source.layoutKind = layoutKind;
    document.source.questions.emplace_back();
    HoldValues(document.source);
    document.folder = folder;
    // Nothing to lose until the teacher writes something.
    document.cleanText = DocumentText(document);
}

bool OpenDocument(const std::string& path, const std::string& text, QuizDocument& document,
                  std::vector<Problem>& problems)
{
    QuizSource source;
    if (!ReadQuizSource(text, source, problems))
        return false;
    document = QuizDocument();
    document.twoAnswers = AnswerCount(source) == 2;
    HoldValues(source);
    // A layout the reader did not know: the atelier shows the text one,
    // and the file keeps its own until it is saved.
    if (source.layoutKind < 0)
        source.layoutKind = LAYOUT_TEXT;
    document.source = std::move(source);
    document.path = path;
    document.folder = FolderOf(path);
    document.savedText = text;
    document.cleanText = DocumentText(document);
    document.handWritten = document.cleanText != text;
    return true;
}

void ImportedDocument(const ImportedQuiz& quiz, const std::string& importedFile,
                      QuizDocument& document)
{
    document = QuizDocument();
    document.source = quiz.source;
    document.twoAnswers = AnswerCount(quiz.source) == 2;
    HoldValues(document.source);
    if (document.source.layoutKind < 0)
        document.source.layoutKind = LAYOUT_TEXT;
    document.folder = FolderOf(importedFile);
    document.nameHint = FileStem(importedFile) + ".toml";
}

QuizSource AppliedSource(const QuizDocument& document)
{
    const QuizSource& held = document.source;
    QuizSource source;
    for (const QuizFieldRow& row : QUIZ_FIELDS) {
        if (row.text)
            source.*row.text = row.optional ? Optional(held.*row.text) : Required(held.*row.text);
        if (row.flag)
            source.*row.flag = {(held.*row.flag).value, {}, (held.*row.flag).present};
    }
    source.layoutKind = held.layoutKind;
    source.revealMode = held.revealMode;
    source.colour = held.colour;
    for (const SourceText& code : held.codes)
        source.codes.push_back(Required(code));
    bool keptSecondAnswers = false;
    for (const SourceQuestion& question : held.questions) {
        // Every value given stays, what the layout shows or not: the check
        // names what the quiz needs, and the writer marks what it keeps.
        SourceQuestion written;
        written.answer = Required(question.answer);
        written.secondAnswer =
            document.twoAnswers ? Required(question.secondAnswer) : Optional(question.secondAnswer);
        keptSecondAnswers =
            keptSecondAnswers || (!document.twoAnswers && written.secondAnswer.present);
        written.questionText = Optional(question.questionText);
        written.picture = Optional(question.picture);
        written.sound = Optional(question.sound);
        written.film = Optional(question.film);
        written.revealPicture = Optional(question.revealPicture);
        written.revealText = Optional(question.revealText);
        written.otherAnswers = question.otherAnswers;
        written.otherSecondAnswers = question.otherSecondAnswers;
        written.comments = question.comments;
        source.questions.push_back(written);
    }
    // Second answers kept while the quiz asks for one: the file says so.
    if (keptSecondAnswers)
        source.answersPerQuestion = 1;
    return source;
}

std::string AlternativesText(const std::vector<SourceText>& alternatives)
{
    std::string text;
    for (const SourceText& alternative : alternatives)
        text += (text.empty() ? "" : "\r\n") + alternative.value;
    return text;
}

void SetAlternatives(std::vector<SourceText>& alternatives, const std::string& typed)
{
    alternatives.clear();
    for (size_t at = 0; at <= typed.size();) {
        size_t end = typed.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = typed.size();
        // A line left blank while typing is no spelling.
        if (typed.find_first_not_of(' ', at) < end) {
            alternatives.emplace_back();
            SetValue(alternatives.back(), typed.substr(at, end - at));
        }
        at = end + 1;
    }
}

std::string DocumentText(const QuizDocument& document)
{
    return WriteQuizSource(AppliedSource(document), DocumentName(document));
}

bool IsModified(const QuizDocument& document)
{
    return DocumentText(document) != document.cleanText;
}

std::string DocumentName(const QuizDocument& document)
{
    if (!document.path.empty())
        return FileName(document.path);
    return document.nameHint.empty() ? UNTITLED_NAME : document.nameHint;
}

std::string OfferedFileName(const QuizDocument& document)
{
    if (!document.nameHint.empty())
        return document.nameHint;
    // Room left in a path of Windows' usual 260 characters.
    constexpr size_t MOST = 80;
    std::string name;
    for (const char c : document.source.title.value) {
        const bool forbidden = static_cast<unsigned char>(c) < 0x20 ||
                               std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
        if (!forbidden && c != ' ')
            name += c;
        else if (!name.empty() && name.back() != ' ')
            name += ' ';
    }
    if (name.size() > MOST) {
        // Cut before a letter, not inside one.
        size_t end = MOST;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            --end;
        name.resize(end);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return IsSafeMediaName(name) ? name + ".toml" : "mon quiz.toml";
}

std::string MediaBase(const QuizDocument& document)
{
    const std::string name = document.path.empty() ? "quiz.toml" : FileName(document.path);
    return (std::filesystem::u8path(document.folder) / std::filesystem::u8path(name)).u8string();
}
