// Reading a quiz source whose one line is long: the atelier reads the source
// again after every change, so this must grow with the line's length, not
// with its square. A 400 KB line of short strings, as a pasted list makes.
#include "authoring/source/source_reader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A question whose texte is one line of about bytes bytes: ["a\\b", "mot", ...].
std::string SourceWithLongLine(size_t bytes)
{
    std::string text = "titre = \"long\"\n[[question]]\nreponse = \"oui\"\ntexte = [";
    for (int i = 0; text.size() < bytes; ++i)
        text += i % 3 ? "\"mot\", " : "\"a\\\\b\", ";
    text += "\"fin\"]\n";
    return text;
}

void BM_ReadSource_Line400K(benchmark::State& state)
{
    const std::string text = SourceWithLongLine(400 * 1000);
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores): the library's loop
        QuizSource source;
        std::vector<Problem> problems;
        benchmark::DoNotOptimize(ReadQuizSource(text, source, problems));
    }
}

} // namespace

BENCHMARK(BM_ReadSource_Line400K)->Unit(benchmark::kMillisecond)->Iterations(1);
