// SPDX-License-Identifier: MIT
// Run of a 1,000,000-line program for TIC-80 (JavaScript), beside its floor: reading the
// prelude, encoding code and prelude into UTF-8 with CR LF after every line, writing and
// syncing the file.

#include "benchsupport.h"

#include "core/app/provisioning.h"
#include "core/app/settingslist.h"
#include "core/app/workspace.h"
#include "core/editor/runexport.h"
#include "core/editor/textmodel.h"
#include "core/sprite/spritesheet.h"

#include <QStringEncoder>

namespace {

constexpr int programLines = 1000000;

struct RunSetup {
    Workspace workspace = Workspace::under(bench::folder() + QStringLiteral("/workspace/"));
    SettingsList settings;
    QStringList keywords;
    TextModel text;
    SpriteSheet sheet; // blank: no sprite sections

    RunSetup()
    {
        (void)provisionDefaults(workspace, settings, keywords, 400);
        settings.setValue(QStringLiteral("lang"), QStringLiteral("0"));
        settings.setValue(QStringLiteral("exportdir"), bench::folder());
        text.codeLines = bench::program(programLines);
        allocateSheet(sheet);
    }
};

RunSetup& setup()
{
    static RunSetup s;
    return s;
}

void run(benchmark::State& s)
{
    RunSetup& r = setup();
    for (auto _ : s) {
        const RunResult result = runProgram(r.text, QString(), r.workspace, r.settings, r.sheet);
        if (!result.outcome)
            s.SkipWithError(qPrintable(result.outcome.message()));
    }
}

void floorRun(benchmark::State& s)
{
    RunSetup& r = setup();
    const QString path = bench::folder() + QStringLiteral("/floor.js");
    const QString preludePath = r.workspace.commonFunctionsDir + QStringLiteral("func.js");
    for (auto _ : s) {
        QFile preludeFile(preludePath);
        preludeFile.open(QIODevice::ReadOnly);
        const QByteArray prelude = preludeFile.readAll();
        qsizetype chars = 0;
        for (const QString& line : r.text.codeLines)
            chars += line.size() + 2;
        QByteArray out(chars * 3 + prelude.size(), Qt::Uninitialized);
        QStringEncoder encoder(QStringEncoder::Utf8);
        char* at = out.data();
        for (const QString& line : r.text.codeLines) {
            at = encoder.appendToBuffer(at, line);
            *at++ = '\r';
            *at++ = '\n';
        }
        at = std::copy(prelude.cbegin(), prelude.cend(), at);
        QFile::remove(path);
        bench::writeAndSync(path, out.constData(), at - out.constData());
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("Floor/EncodeCrLfWriteSync/1000000", floorRun)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Run/Tic80Js/1000000", run)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0)
        ->UseRealTime();
    return true;
}();

} // namespace

ZENKODO_BENCH_MAIN()
