// A search that finds nothing and the function list of "Jp" on a short and a huge program.

#include "commands/dispatcher.h"
#include "commands/search.h"
#include "sprite/spritesheet.h"

#include <benchmark/benchmark.h>

namespace {

QStringList program(int lines)
{
    QStringList code;
    for (int i = 0; i < lines; ++i)
        code.append(i % 50 == 0 ? QStringLiteral("function f%1(a, b)").arg(i)
                                : QStringLiteral("    local value%1 = value%1 + 1 -- a comment").arg(i));
    return code;
}

void BM_FindNothing(benchmark::State& s)
{
    TextModel text;
    text.codeLines = program(int(s.range(0)));
    CommandState state;
    state.findText = QStringLiteral("never there");
    for (auto _ : s) {
        findNext(text, state);
        benchmark::DoNotOptimize(text.cursorRow);
    }
}
BENCHMARK(BM_FindNothing)->Arg(10)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_FunctionListCommand(benchmark::State& s)
{
    TextModel text;
    text.codeLines = program(int(s.range(0)));
    CommandState state;
    QStringList clipLines;
    const QStringList keywords;
    const SpriteSheet sheet;
    const QString jp = QStringLiteral("Jp");
    for (auto _ : s) {
        CommandContext ctx{text, state, clipLines, keywords, sheet, QStringLiteral("1"), QString(), {}};
        benchmark::DoNotOptimize(runCaption(ctx, jp));
    }
}
BENCHMARK(BM_FunctionListCommand)->Arg(10)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
