// Saving a 100 MB code buffer (6.2 million lines) through the atomic writer, beside its
// floor: the same bytes, already encoded, written and synced to a file on the same disk,
// and the encoding alone.
// "extra_MB" is how far the peak memory rose above what the process held before the save.

#include "app/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int lineCount = 6'200'000;

// About 100 MB once written: 6.2 million short lines of a program.
const QStringList& bigBuffer()
{
    static const QStringList lines = [] {
        QStringList l;
        l.reserve(lineCount);
        for (int i = 0; i < lineCount; ++i)
            l.append(QStringLiteral("a%1=b%1+c").arg(i % 100000, 5, 10, QLatin1Char('0')));
        return l;
    }();
    return lines;
}

const QByteArray& bigBufferBytes()
{
    static const QByteArray bytes = encodeText(bigBuffer(), TextEncoding::Utf8);
    return bytes;
}

// A folder on the disk the benchmark runs from (a tmpfs would make every sync free).
QString folder()
{
    static QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench_save-XXXXXX"));
    return dir.path();
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

void reportPeak(benchmark::State& state, long startKb)
{
    state.counters["extra_MB"] = double(statusKb("VmHWM:") - startKb) / 1024.0;
    state.SetBytesProcessed(qint64(state.iterations()) * bigBufferBytes().size());
}

// The floor: bytes already encoded, written in large pieces and synced.
void writeAndSync(const QString& path, const QByteArray& bytes)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 20)));
        if (n <= 0)
            break;
        p += n;
        left -= n;
    }
    ::fsync(fd);
    ::close(fd);
}

void BM_Floor_WriteEncodedBytesAndSync(benchmark::State& state)
{
    const QByteArray& bytes = bigBufferBytes();
    const QString path = folder() + QStringLiteral("/floor.txt");
    const long start = resetPeakKb();
    for (auto _ : state) {
        QFile::remove(path);
        writeAndSync(path, bytes);
    }
    reportPeak(state, start);
}
BENCHMARK(BM_Floor_WriteEncodedBytesAndSync)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The other half of the floor: encoding the lines into a buffer that is thrown away.
void BM_Floor_EncodeOnly(benchmark::State& state)
{
    const QStringList& lines = bigBuffer();
    bigBufferBytes();
    const long start = resetPeakKb();
    for (auto _ : state) {
        ByteSink sink([](const char* data, qsizetype) {
            benchmark::DoNotOptimize(data);
            return true;
        });
        encodeTextInto(sink, lines, TextEncoding::Utf8);
        sink.flush();
    }
    reportPeak(state, start);
}
BENCHMARK(BM_Floor_EncodeOnly)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// What Save and close do now: encode line by line into the writer, sync, rename.
void BM_SaveBuffer(benchmark::State& state)
{
    const QStringList& lines = bigBuffer();
    bigBufferBytes(); // built before the peak is reset
    const QString path = folder() + QStringLiteral("/temp.txt");
    const TextEncoding encoding = TextEncoding(state.range(0));
    const long start = resetPeakKb();
    for (auto _ : state) {
        QString error;
        if (!writeTextFile(path, lines, encoding, &error))
            state.SkipWithError(qPrintable(error));
    }
    reportPeak(state, start);
}
BENCHMARK(BM_SaveBuffer)
    ->ArgName("encoding")
    ->Arg(int(TextEncoding::Utf8))
    ->Arg(int(TextEncoding::Latin1))
    ->Arg(int(TextEncoding::Utf16LeBom))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

// For comparison, the way it was done before: the joined text, then its bytes, then the
// write.
void BM_JoinEncodeThenWrite(benchmark::State& state)
{
    const QStringList& lines = bigBuffer();
    bigBufferBytes();
    const QString path = folder() + QStringLiteral("/joined.txt");
    const long start = resetPeakKb();
    for (auto _ : state) {
        QString text;
        qsizetype size = 0;
        for (const QString& line : lines)
            size += line.size() + 2;
        text.reserve(size);
        for (const QString& line : lines) {
            text += line;
            text += u"\r\n";
        }
        writeAndSync(path, text.toUtf8());
    }
    reportPeak(state, start);
}
BENCHMARK(BM_JoinEncodeThenWrite)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
