// SPDX-License-Identifier: MIT
// One keystroke through the window's dispatchKey, with its closing steps and the repaint,
// a full paint and a scroll by drag must cost the same on a short and a huge program; a
// paste must cost what the pasted lines cost, whatever the program's length.
// The floor of each is the same work on the short program; "Floor/Repaint" is the repaint
// alone, the part of every keystroke that is not the edit.

#include "benchsupport.h"

#include "ui/app/paintsurface.h"
#include "ui/editor/coderenderer.h"
#include "ui/editor/fontatlas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <map>

namespace {

// Every keystroke benchmark shows ten rows, so that the ten-line program fills the view
// as the long ones do.
constexpr int visibleRows = 10;

struct CodeView {
    TfrmMain& w = bench::window();
    QImage target;

    explicit CodeView(int lines)
    {
        w.text = TextModel{};
        static std::map<int, QStringList> programs; // made once per size, shared until edited
        QStringList& code = programs[lines];
        if (code.isEmpty())
            code = bench::program(lines);
        w.text.codeLines = code;
        w.text.cellSize = 12;
        w.text.viewCols = w.pntProg->width() / w.text.cellSize;
        w.text.viewRows = visibleRows;
        w.text.cursorRow = lines / 2;
        w.text.cursorCol = 10;
        w.text.lineBackup = w.text.cursorLine();
        scrollToCursor(w.text);
        target = QImage(w.pntProg->width(), visibleRows * w.text.cellSize, QImage::Format_RGB32);
    }

    // The repaint the closing step asks for, into an offscreen image of the view.
    void repaint()
    {
        QPainter p(&target);
        w.pntProgPaint(p);
    }

    void key(const QString& caption)
    {
        w.dispatchKey(caption);
        repaint();
    }

    // Steps that put the program back as it was, outside the measured time.
    void untimed(benchmark::State& s, std::initializer_list<QString> captions)
    {
        s.PauseTiming();
        for (const QString& c : captions)
            w.dispatchKey(c);
        s.ResumeTiming();
    }
};

const QString kX = QStringLiteral("x");
const QString kRt = QStringLiteral("Rt");
const QString kBs = QStringLiteral("Bs");
const QString kHm = QStringLiteral("Hm");
const QString kDown = QStringLiteral("vv");
const QString kUp = QStringLiteral("^^");
const QString kFt = QStringLiteral("Ft");
const QString kHd = QStringLiteral("Hd");

void repaintOnly(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    for (auto _ : s)
        v.repaint();
}

void insertChar(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    for (auto _ : s) {
        v.key(kX);
        v.untimed(s, {kBs});
    }
}

void lineBreak(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    for (auto _ : s) {
        v.key(kRt);
        v.untimed(s, {kHm, kBs});
    }
}

// "Bs" at a line start joins the line to the one above.
void joinLines(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    for (auto _ : s) {
        v.untimed(s, {kRt, kHm});
        v.key(kBs);
    }
}

void lineDown(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    for (auto _ : s) {
        v.key(kDown);
        v.untimed(s, {kUp});
    }
}

// "Ft" to the end of the program, then "Hd" back to its start: two keystrokes, two repaints.
void endThenHome(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    for (auto _ : s) {
        v.key(kFt);
        v.key(kHd);
    }
}

// A drag that scrolls two rows down, then two rows up, each move repainted. Thirty lines is
// the short program here: ten would leave rows empty once the view has moved.
void scrollByDrag(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    v.w.text.topRow = int(s.range(0)) / 2;
    const QPointF start(100, 60);
    auto move = [&](QPointF at) {
        QMouseEvent e(QEvent::MouseMove, at, v.w.pntProg->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        v.w.pntProgMouseMove(&e);
    };
    move(start); // the press point the drag scrolls from
    for (auto _ : s) {
        move(start - QPointF(0, 24));
        v.repaint();
        move(start + QPointF(0, 24));
        v.repaint();
    }
    QMouseEvent up(QEvent::MouseButtonRelease, start, start, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    v.w.pntProgMouseUp(&up);
}

// A full paint of the code view at a width of `columns`, with every row and column of the
// view holding text: the short program is just one screen of 19 rows.
void fullPaint(benchmark::State& s, int columns)
{
    TextModel text;
    text.cellSize = 12;
    text.viewRows = 19;
    text.viewCols = columns;
    const int lines = int(s.range(0));
    text.codeLines.reserve(lines);
    const QString tail = QStringLiteral(" -- and a comment that runs past the right edge").repeated(3);
    for (int i = 0; i < lines; ++i)
        text.codeLines.append(bench::programLine(i) + tail);
    text.cursorRow = text.topRow = lines / 2 - text.viewRows / 2 > 0 ? lines / 2 - text.viewRows / 2 : 0;
    text.cursorCol = 5;
    const QImage fonts = buildFontAtlas();
    QImage target(columns * text.cellSize, text.viewRows * text.cellSize, QImage::Format_RGB32);
    for (auto _ : s) {
        QPainter p(&target);
        paintCode(p, text, fonts, target.size());
    }
    s.counters["glyphs"] = double(columns * text.viewRows);
}

// "Ps" of 100,000 lines from the clipboard into the middle of the program, through the
// window; the lines are taken out again outside the measured time. Floor: splitting the same
// clipboard text into a new list of lines.
constexpr int pastedLines = 100000;

QString clipboardText()
{
    return bench::program(pastedLines).join(u'\n');
}

void paste(benchmark::State& s)
{
    CodeView v(int(s.range(0)));
    QGuiApplication::clipboard()->setText(clipboardText());
    const QString ps = QStringLiteral("Ps");
    for (auto _ : s) {
        const int at = v.w.text.cursorRow;
        v.key(ps);
        s.PauseTiming();
        if (v.w.text.codeLines.size() != s.range(0) + pastedLines)
            s.SkipWithError("the paste did not go in");
        v.w.text.codeLines.remove(at + 1, pastedLines);
        v.w.text.cursorRow = at;
        v.w.text.cursorCol = 0;
        scrollToCursor(v.w.text);
        s.ResumeTiming();
    }
}

void floorSplitLines(benchmark::State& s)
{
    const QString text = clipboardText();
    for (auto _ : s) {
        const QStringList lines = text.split(u'\n');
        benchmark::DoNotOptimize(lines.data());
    }
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10)->Arg(10000)->Arg(1000000)->MinTime(0.1);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("Floor/Repaint", repaintOnly)->Apply(sizes);
    benchmark::RegisterBenchmark("Keystroke/InsertChar", insertChar)->Apply(sizes);
    benchmark::RegisterBenchmark("Keystroke/Rt", lineBreak)->Apply(sizes);
    benchmark::RegisterBenchmark("Keystroke/BsAtLineStart", joinLines)->Apply(sizes);
    benchmark::RegisterBenchmark("Keystroke/vv", lineDown)->Apply(sizes);
    benchmark::RegisterBenchmark("Keystroke/FtThenHd", endThenHome)->Apply(sizes);
    benchmark::RegisterBenchmark("Scroll/Drag", scrollByDrag)->Arg(30)->Arg(1000000)->MinTime(0.2);
    benchmark::RegisterBenchmark("Paint/Cols32", fullPaint, 32)->Arg(19)->Arg(1000000)->MinTime(0.2);
    benchmark::RegisterBenchmark("Paint/Cols120", fullPaint, 120)->Arg(19)->Arg(1000000)->MinTime(0.2);
    benchmark::RegisterBenchmark("Floor/SplitLines/100000", floorSplitLines)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2);
    benchmark::RegisterBenchmark("Paste/100000Into", paste)
        ->Arg(1000)
        ->Arg(1000000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
