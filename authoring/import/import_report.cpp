#include "authoring/import/import_report.h"

#include "quiz/quiz_record.h"

namespace {

// A path as it is typed after a command: quoted when it holds a space.
std::string Typed(const std::string& path)
{
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

} // namespace

void TellImport(const ImportedQuiz& quiz, const std::string& importedFile,
                const std::string& sourceFile, const std::vector<Problem>& problems,
                std::string& out, std::string& err)
{
    const QuizSource& source = quiz.source;
    const size_t count = source.questions.size();
    out += Quoted(sourceFile) + u8" écrit : " + std::to_string(count) +
           (count > 1 ? " questions" : " question") + " de " + Quoted(importedFile) + " (" +
           quiz.origin + u8").\nDisposition « " + LAYOUT_NAMES[source.layoutKind] + u8" », " +
           quiz.layoutReason + ".\n";
    if (!quiz.files.empty())
        out += std::to_string(quiz.files.size()) +
               (quiz.files.size() > 1 ? u8" images jointes écrites à côté : "
                                      : u8" image jointe écrite à côté : ") +
               Quoted(quiz.files[0].path) + (quiz.files.size() > 1 ? "...\n" : ".\n");
    if (!quiz.notes.empty()) {
        out += u8"Laissé de côté ou changé :\n";
        for (const std::string& note : quiz.notes)
            out += "  " + note + "\n";
    }

    out += u8"À faire ensuite, dans " + Quoted(sourceFile) + " :\n";
    if (source.title.value == TITLE_PLACEHOLDER)
        out += u8"  - remplacez le titre provisoire " + Quoted(TITLE_PLACEHOLDER) + " ;\n";
    out += u8"  - ajoutez si vous voulez un auteur, une explication et les codes à gagner ;\n";
    if (!source.questions.empty() && source.questions[0].secondAnswer.present)
        out += u8"  - donnez les légendes des deux cases (legende_reponse, "
               u8"legende_seconde_reponse) ;\n";
    const size_t errors = CountErrors(problems);
    if (errors > 0)
        out +=
            u8"  - corrigez " +
            (errors > 1 ? "les " + std::to_string(errors) + " erreurs" : std::string("l'erreur")) +
            u8" ci-dessous (quizzpack check " + Typed(sourceFile) +
            (errors > 1 ? " les redit) ;\n" : " la redit) ;\n");
    out += "  - puis construisez le quiz : quizzpack build " + Typed(sourceFile) + "\n";

    for (const Problem& problem : problems)
        err += FormatProblem(sourceFile, problem) + "\n";
    if (errors > 0)
        err += sourceFile + " : " + std::to_string(errors) + (errors > 1 ? " erreurs" : " erreur") +
               u8" à corriger avant de construire.\n";
}
