// SPDX-License-Identifier: MIT
// Opening and saving code files of 1, 10 and 100 MB, in UTF-8 and in Latin-1, beside their
// floors: for loading, reading the bytes and decoding them into one text; for saving,
// encoding one text into bytes and writing and syncing them. "extra_MB" is how far the
// peak memory rose above what the process held before the first run, against the file's
// own size in "file_MB".

#include "benchsupport.h"

#include "core/app/textfile.h"

#include <QFileInfo>

#include <map>
#include <utility>

namespace {

// A line of about 16 bytes, the size of the lines of the 100 MB buffer users had; Latin-1
// files carry an e acute, which makes their bytes invalid UTF-8.
QStringList linesOf(int megabytes, TextEncoding encoding)
{
    const qsizetype target = qsizetype(megabytes) << 20;
    QStringList l;
    l.reserve(qsizetype(target / 16 + 1));
    const QString accent = encoding == TextEncoding::Latin1 ? QStringLiteral("\u00e9") : QStringLiteral("e");
    qsizetype size = 0;
    for (int i = 0; size < target; ++i) {
        l.append(QStringLiteral("a%1=b%2+c").arg(i % 100000, 5, 10, QLatin1Char('0')).arg(accent));
        size += l.back().size() + 2;
    }
    return l;
}

struct Sample {
    QStringList lines;
    QString joined; // the floor's one text, CR LF after every line
    QString path;   // the file as Save writes it
};

const Sample& sample(int megabytes, TextEncoding encoding)
{
    static std::map<std::pair<int, int>, Sample> made;
    Sample& s = made[{megabytes, int(encoding)}];
    if (s.lines.isEmpty()) {
        s.lines = linesOf(megabytes, encoding);
        s.joined = s.lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        s.path = bench::folder() + QStringLiteral("/in-%1-%2.txt").arg(megabytes).arg(int(encoding));
        (void)writeTextFile(s.path, s.lines, encoding);
    }
    return s;
}

long statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Resets the peak to what is held now (Linux: "5" to clear_refs), so the peak after the
// run is this run's own.
long resetPeakKb()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
    return statusKb("VmRSS:");
}

void report(benchmark::State& state, long startKb, const Sample& s)
{
    const qint64 bytes = QFileInfo(s.path).size();
    state.counters["extra_MB"] = double(statusKb("VmHWM:") - startKb) / 1024.0;
    state.counters["file_MB"] = double(bytes) / double(1 << 20);
    state.SetBytesProcessed(qint64(state.iterations()) * bytes);
}

TextEncoding encodingOf(benchmark::State& state)
{
    return TextEncoding(state.range(1));
}

void load(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)), encodingOf(state));
    const long start = resetPeakKb();
    for (auto _ : state) {
        Result<TextFile> file = readTextFile(s.path);
        if (!file || file->lines.size() != s.lines.size())
            state.SkipWithError("the file did not read back");
        benchmark::DoNotOptimize(file);
    }
    report(state, start, s);
}

void floorLoad(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)), encodingOf(state));
    const bool utf8 = encodingOf(state) == TextEncoding::Utf8;
    const long start = resetPeakKb();
    for (auto _ : state) {
        QFile f(s.path);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        const QString text = utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
        benchmark::DoNotOptimize(text.constData());
    }
    report(state, start, s);
}

void save(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)), encodingOf(state));
    const QString path = bench::folder() + QStringLiteral("/saved.txt");
    const long start = resetPeakKb();
    for (auto _ : state) {
        if (const Result<> written = writeTextFile(path, s.lines, encodingOf(state)); !written)
            state.SkipWithError(qPrintable(written.message()));
    }
    report(state, start, s);
}

void floorSave(benchmark::State& state)
{
    const Sample& s = sample(int(state.range(0)), encodingOf(state));
    const bool utf8 = encodingOf(state) == TextEncoding::Utf8;
    const QString path = bench::folder() + QStringLiteral("/floor.txt");
    const long start = resetPeakKb();
    for (auto _ : state) {
        QFile::remove(path);
        bench::writeAndSync(path, utf8 ? s.joined.toUtf8() : s.joined.toLatin1());
    }
    report(state, start, s);
}

void small(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"MB", "latin1"});
    for (int mb : {1, 10})
        for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Latin1})
            b->Args({mb, int(e)});
    b->Unit(benchmark::kMillisecond)->MinTime(0.3)->UseRealTime();
}

// A 100 MB run takes seconds: three of them, not one.
void large(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"MB", "latin1"});
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Latin1})
        b->Args({100, int(e)});
    b->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
}

const bool registered = [] {
    for (auto sizes : {small, large}) {
        benchmark::RegisterBenchmark("Floor/ReadAndDecode", floorLoad)->Apply(sizes);
        benchmark::RegisterBenchmark("Load", load)->Apply(sizes);
        benchmark::RegisterBenchmark("Floor/EncodeWriteSync", floorSave)->Apply(sizes);
        benchmark::RegisterBenchmark("Save", save)->Apply(sizes);
    }
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
