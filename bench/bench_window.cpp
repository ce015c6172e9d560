// SPDX-License-Identifier: MIT
// Saving and closing the window with a 100 MB program (6.5 million lines of 16 bytes, the
// buffer users had) must keep it busy no longer than the write itself: the floor writes the
// same lines with writeTextFile, temporary file, syncs and rename included.

#include "benchsupport.h"

#include "core/app/textfile.h"

#include <QLineEdit>

namespace {

constexpr qsizetype programBytes = qsizetype(100) << 20;

// Fresh strings every time: a close must free the program's own lines, not drop references
// to a copy the benchmark keeps.
QStringList bigProgram()
{
    QStringList lines;
    lines.reserve(programBytes / 16 + 1);
    for (qsizetype size = 0, i = 0; size < programBytes; ++i) {
        lines.append(QStringLiteral("a%1=b%1+c").arg(i % 100000, 5, 10, QLatin1Char('0')));
        size += lines.back().size() + 2;
    }
    return lines;
}

std::unique_ptr<TfrmMain> windowWith(QStringList lines)
{
    WindowSinks sinks = desktopSinks();
    sinks.message = [](QWidget*, const QString&) {};
    auto w = std::make_unique<TfrmMain>(std::move(sinks));
    w->show();
    QApplication::processEvents();
    w->text.codeLines = std::move(lines);
    w->text.modified = true;
    w->edtFile->setText(QStringLiteral("big"));
    return w;
}

// "Save" on the code page: the file under the workspace's code folder.
void save(benchmark::State& s)
{
    std::unique_ptr<TfrmMain> w = windowWith(bigProgram());
    for (auto _ : s)
        w->btTextSaveClick();
}

// Closing the window: the code buffer and the settings are written and the window is
// hidden. The program is freed afterwards, once the event loop has ended, with no window
// left on the screen to freeze; "Window/Free" is that part.
void close(benchmark::State& s)
{
    for (auto _ : s) {
        s.PauseTiming();
        std::unique_ptr<TfrmMain> w = windowWith(bigProgram());
        s.ResumeTiming();
        w->close();
        s.PauseTiming();
        w.reset();
        s.ResumeTiming();
    }
}

void freeWindow(benchmark::State& s)
{
    for (auto _ : s) {
        s.PauseTiming();
        std::unique_ptr<TfrmMain> w = windowWith(bigProgram());
        w->close();
        s.ResumeTiming();
        w.reset();
    }
}

void floorWrite(benchmark::State& s)
{
    const QStringList lines = bigProgram();
    const QString path = bench::folder() + QStringLiteral("/floor-big.txt");
    for (auto _ : s) {
        if (const Result<> written = writeTextFile(path, lines, TextEncoding::Utf8); !written)
            s.SkipWithError(qPrintable(written.message()));
    }
}

} // namespace

BENCHMARK(floorWrite)->Name("Floor/WriteTextFile/100")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(save)->Name("Window/Save/100")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(close)->Name("Window/Close/100")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(freeWindow)->Name("Window/Free/100")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

ZENKODO_BENCH_MAIN()
