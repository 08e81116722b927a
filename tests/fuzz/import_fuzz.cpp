// Any bytes as a spreadsheet table, a GIFT file, Moodle XML and a workbook:
// the readers stay within bounds, and whatever they import writes a source
// that the source reader takes back with the same questions.
#include "authoring/import/import_report.h"
#include "authoring/import/quiz_import.h"
#include "authoring/source/source_reader.h"
#include "authoring/source/source_writer.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Every layout, asked for or chosen, from the size.
    const int layout = static_cast<int>(size % 5) - 1;
    for (const char* name :
         {"cours/fuzz.csv", "cours/fuzz.gift", "cours/fuzz.xml", "cours/fuzz.xlsx"}) {
        ImportedQuiz quiz;
        std::string error;
        if (!ImportQuiz(name, bytes, {layout, name, "quiz/fuzz.toml"}, quiz, error))
            continue;
        QuizSource again;
        std::vector<Problem> problems;
        if (!ReadQuizSource(WriteQuizSource(quiz.source, "fuzz.toml"), again, problems) ||
            again.questions.size() != quiz.source.questions.size())
            __builtin_trap();
        for (size_t i = 0; i < again.questions.size(); ++i)
            if (again.questions[i].answer.value != quiz.source.questions[i].answer.value ||
                again.questions[i].questionText.value !=
                    quiz.source.questions[i].questionText.value)
                __builtin_trap();
        // A picture a bank carries is written in its folder beside the
        // source, never elsewhere.
        for (const ImportedFile& file : quiz.files)
            if (file.path.rfind("images/", 0) != 0 || file.path.find("..") != std::string::npos ||
                file.path.find_first_of("\\:") != std::string::npos)
                __builtin_trap();
        std::string out, err;
        TellImport(quiz, name, "quiz/fuzz.toml", problems, out, err);
    }
    return 0;
}
