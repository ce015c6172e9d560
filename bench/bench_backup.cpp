// SPDX-License-Identifier: MIT
// Backup of 1,000 code files totalling 50 MB, beside its floor: zlib deflating the same
// bytes at the same level (6, zlib's default) in memory, file by file.

#include "benchsupport.h"

#include "core/app/backup.h"
#include "core/app/workspace.h"

#include <QDate>

#include <zlib.h>

#include <vector>

namespace {

constexpr int fileCount = 1000;
constexpr qsizetype fileBytes = 50 * 1024 * 1024 / fileCount;

struct BackupSetup {
    Workspace workspace = Workspace::under(bench::folder() + QStringLiteral("/backup/"));
    QString exportDir = bench::folder() + QStringLiteral("/backup-export");
    std::vector<QByteArray> contents;

    BackupSetup()
    {
        QDir().mkpath(workspace.codeFilesDir);
        QDir().mkpath(workspace.spriteFilesDir);
        QDir().mkpath(exportDir);
        int line = 0;
        for (int f = 0; f < fileCount; ++f) {
            QByteArray bytes;
            bytes.reserve(fileBytes + 64);
            while (bytes.size() < fileBytes)
                bytes += bench::programLine(line++).toUtf8() + "\r\n";
            bytes.truncate(fileBytes);
            QFile out(workspace.codeFilesDir + QStringLiteral("prog%1").arg(f, 4, 10, QLatin1Char('0')));
            out.open(QIODevice::WriteOnly);
            out.write(bytes);
            contents.push_back(bytes);
        }
    }
};

BackupSetup& setup()
{
    static BackupSetup s;
    return s;
}

void backup(benchmark::State& s)
{
    BackupSetup& b = setup();
    for (auto _ : s) {
        if (const Result<BackupDone> done = writeBackup(b.workspace, b.exportDir, QDate(2024, 1, 1)); !done)
            s.SkipWithError(qPrintable(done.message()));
    }
    s.SetBytesProcessed(qint64(s.iterations()) * fileCount * fileBytes);
}

// Raw deflate (as in a ZIP entry) of every file's bytes into one reused buffer.
void floorDeflate(benchmark::State& s)
{
    BackupSetup& b = setup();
    std::vector<unsigned char> out(size_t(compressBound(uLong(fileBytes))) + 64);
    for (auto _ : s) {
        uLong total = 0;
        for (const QByteArray& bytes : b.contents) {
            z_stream z{};
            deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
            z.avail_in = uInt(bytes.size());
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, Z_FINISH);
            total += z.total_out;
            deflateEnd(&z);
        }
        benchmark::DoNotOptimize(total);
    }
    s.SetBytesProcessed(qint64(s.iterations()) * fileCount * fileBytes);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("Floor/Deflate6/1000files50MB", floorDeflate)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Backup/1000files50MB", backup)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0)
        ->UseRealTime();
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
