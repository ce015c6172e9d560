// SPDX-License-Identifier: MIT
// "Fi" and "Fn" finding nothing, "Rn" replacing nothing and "Jp" with its list shown, on
// 1,000,000 lines through the window's dispatchKey with the repaint, beside their floor: a
// plain scan of the same lines for the same text with Qt's QStringMatcher (for "Jp", for the function
// headers).

#include "benchsupport.h"
#include "ui/editor/selectlist.h"

#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QStringMatcher>

namespace {

constexpr int programLines = 1000000;
const QString needle = QStringLiteral("never there");

TfrmMain& windowWithProgram()
{
    TfrmMain& w = bench::window();
    if (w.text.codeLines.size() != programLines) {
        w.text = TextModel{};
        w.text.codeLines = bench::program(programLines);
        w.text.viewRows = 19;
        w.text.cellSize = 12;
    }
    w.text.cursorRow = w.text.cursorCol = w.text.topRow = 0;
    return w;
}

void repaint(TfrmMain& w, QImage& target)
{
    QPainter p(&target);
    w.pntProgPaint(p);
}

void floorScan(benchmark::State& s)
{
    const QStringList lines = bench::program(programLines);
    const QStringMatcher matcher(needle);
    for (auto _ : s) {
        qsizetype found = -1;
        for (qsizetype i = 0; i < lines.size() && found < 0; ++i)
            if (matcher.indexIn(lines[i]) >= 0)
                found = i;
        benchmark::DoNotOptimize(found);
    }
}

void floorScanFunctions(benchmark::State& s)
{
    const QStringList lines = bench::program(programLines);
    const QString header = QStringLiteral("function ");
    for (auto _ : s) {
        QStringList names;
        for (const QString& l : lines)
            if (l.startsWith(header))
                names.append(l);
        benchmark::DoNotOptimize(names.data());
    }
}

// "Fi" cuts the typed "{never there}" from the cursor line, then finds nothing below it.
void findTyped(benchmark::State& s)
{
    TfrmMain& w = windowWithProgram();
    QImage target(w.pntProg->size(), QImage::Format_RGB32);
    const QString typed = QLatin1Char('{') + needle + QLatin1Char('}');
    const QString fi = QStringLiteral("Fi");
    for (auto _ : s) {
        s.PauseTiming();
        w.text.codeLines[0].insert(0, typed);
        w.text.cursorRow = 0;
        w.text.cursorCol = int(typed.size());
        s.ResumeTiming();
        w.dispatchKey(fi);
        repaint(w, target);
    }
}

void again(benchmark::State& s, const char* caption)
{
    TfrmMain& w = windowWithProgram();
    QImage target(w.pntProg->size(), QImage::Format_RGB32);
    w.commands.findText = needle;
    w.commands.replaceText = QStringLiteral("x");
    const QString key = QString::fromLatin1(caption);
    for (auto _ : s) {
        w.dispatchKey(key);
        repaint(w, target);
    }
}

// "Jp" fills the list of the 20,000 functions and shows it; the events it posts (layout,
// paint of the list) are handled before the time stops.
void jumpList(benchmark::State& s)
{
    TfrmMain& w = windowWithProgram();
    QImage target(w.pntProg->size(), QImage::Format_RGB32);
    const QString jp = QStringLiteral("Jp");
    for (auto _ : s) {
        w.dispatchKey(jp);
        repaint(w, target);
        QApplication::processEvents();
        s.PauseTiming();
        w.hideSelectList();
        QApplication::processEvents();
        s.ResumeTiming();
    }
    s.counters["items"] = double(w.lstSelect->count());
}

const bool registered = [] {
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("Floor/ScanLines/1000000", floorScan)->Unit(ms)->MinTime(0.3);
    benchmark::RegisterBenchmark("Search/Fi/1000000", findTyped)->Unit(ms)->MinTime(0.3);
    benchmark::RegisterBenchmark("Search/Fn/1000000", again, "Fn")->Unit(ms)->MinTime(0.3);
    benchmark::RegisterBenchmark("Search/Rn/1000000", again, "Rn")->Unit(ms)->MinTime(0.3);
    benchmark::RegisterBenchmark("Floor/ScanFunctions/1000000", floorScanFunctions)->Unit(ms)->MinTime(0.3);
    benchmark::RegisterBenchmark("Search/JpListShown/1000000", jumpList)->Unit(ms)->MinTime(0.5);
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
