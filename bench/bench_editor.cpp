// One keystroke, one paint and a scroll must cost the same on a short and a huge program.

#include "commands/dispatcher.h"
#include "editor/coderenderer.h"
#include "editor/fontatlas.h"
#include "sprite/spritesheet.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

struct Editor {
    TextModel text;
    CommandState state;
    QStringList clipLines;
    QStringList keywords;
    SpriteSheet sheet;

    explicit Editor(int lines)
    {
        for (int i = 0; i < lines; ++i)
            text.codeLines.append(QStringLiteral("    local value%1 = value%1 + 1 -- a comment").arg(i));
        text.viewRows = 19;
        text.viewCols = 32;
        text.cellSize = 12;
        text.cursorRow = lines / 2;
        text.cursorCol = 10;
    }

    CommandEffects press(const QString& caption)
    {
        CommandContext ctx{text, state, clipLines, keywords, sheet, QStringLiteral("1"), QString(), {}};
        return runCaption(ctx, caption);
    }
};

void BM_Keystroke(benchmark::State& s)
{
    Editor e(int(s.range(0)));
    const QString x = QStringLiteral("x");
    const QString bs = QStringLiteral("Bs");
    for (auto _ : s) {
        e.press(x);
        e.press(bs);
    }
}
BENCHMARK(BM_Keystroke)->Arg(10)->Arg(1000000);

// Breaking and joining a line in the middle shifts the entries of the line list after it:
// a memory move, not a copy of the text.
void BM_LineBreakAndJoin(benchmark::State& s)
{
    Editor e(int(s.range(0)));
    const QString rt = QStringLiteral("Rt");
    const QString hm = QStringLiteral("Hm");
    const QString bs = QStringLiteral("Bs");
    for (auto _ : s) {
        e.press(rt);
        e.press(hm);
        e.press(bs); // joins again, so the program keeps its length
    }
}
BENCHMARK(BM_LineBreakAndJoin)->Arg(10)->Arg(1000000);

void BM_Paint(benchmark::State& s)
{
    Editor e(int(s.range(0)));
    const QImage fonts = buildFontAtlas();
    QImage target(384, 235, QImage::Format_RGB32);
    e.press(QStringLiteral("vv"));
    for (auto _ : s) {
        QPainter p(&target);
        paintCode(p, e.text, fonts, target.size());
    }
}
BENCHMARK(BM_Paint)->Arg(10)->Arg(1000000);

void BM_ScrollWholeProgram(benchmark::State& s)
{
    Editor e(int(s.range(0)));
    const QString end = QStringLiteral("Ft");
    const QString start = QStringLiteral("Hd");
    for (auto _ : s) {
        e.press(end);
        e.press(start);
    }
}
BENCHMARK(BM_ScrollWholeProgram)->Arg(10)->Arg(1000000);

} // namespace

BENCHMARK_MAIN();
