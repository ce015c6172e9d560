// SPDX-License-Identifier: MIT
#include "core/editor/runexport.h"

#include "core/app/settingslist.h"
#include "core/app/textfile.h"
#include "core/app/workspace.h"
#include "core/editor/codefiles.h"
#include "core/editor/textmodel.h"
#include "core/sprite/sheetexport.h"
#include "core/sprite/tic80project.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <array>
#include <optional>

namespace {

// The bank images of the TIC-80 sprite export, each named after the section of the cart
// it is imported into, in the order they are imported.
constexpr std::array<const char*, 2> tic80Banks{"tiles", "sprites"};

// The TIC-80 program of a run: the setting "runpath" when it names an executable file,
// otherwise tic80 on the PATH when "runpath" is empty. failure tells why a "runpath"
// cannot be used.
QString tic80Program(const SettingsList& settings, QString* failure)
{
    const QString runPath = settings.value(u"runpath");
    if (runPath.isEmpty())
        return QStandardPaths::findExecutable(QStringLiteral("tic80"));
    const QFileInfo info(runPath);
    if (info.isFile() && info.isExecutable())
        return runPath;
    *failure = tic80StartFailure(runPath);
    return {};
}

// One code or prelude line as export lines, straight into sink: the pieces between its own
// line ends (which the editor never makes, but a caller might hand over), the last one ended
// by the CR LF that follows every line.
void putLinesOf(ByteSink& sink, QStringView line)
{
    const qsizetype rest = forEachEndedLine(line.size(), unitFinder(line), [&](qsizetype start, qsizetype length) {
        putExportLine(sink, line.sliced(start, length));
        return true;
    });
    putExportLine(sink, line.sliced(rest));
}

// Writes the exported file: the target's first line, every code line, every prelude line
// and then extra, each in its place (empty ones included), encoding each line as it goes: a
// large program is never joined into one text, split again and held as a second list.
Result<> writeExport(const QString& path, const ConsoleTarget& target, const QStringList& codeLines,
                     const QStringList& preludeLines, const QStringList& extra)
{
    const auto produce = [&](ByteSink& sink) {
        if (target.firstLine)
            putLinesOf(sink, QString::fromLatin1(target.firstLine));
        for (const QStringList* lines : {&codeLines, &preludeLines}) {
            for (const QString& line : *lines) {
                if (sink.failed())
                    return;
                putLinesOf(sink, line);
            }
        }
        for (const QString& line : extra)
            putExportLine(sink, line);
    };
    return writeFileAtomically(path, produce, "Failed to create %1\n%2");
}

} // namespace

QString exportPath(const ConsoleTarget& target, const SettingsList& settings)
{
    return settings.value(QString::fromLatin1(target.exportDirKey)) + QLatin1StringView(target.fileName);
}

QStringList tic80Commands(const ConsoleTarget& target, const QString& folder)
{
    // TIC-80 splits each command at spaces: the fixed file names hold none.
    QStringList commands{QStringLiteral("new ") + QLatin1StringView(target.tic80Lang),
                         QStringLiteral("import code ") + QLatin1StringView(target.fileName).sliced(1)};
    for (const char* bank : tic80Banks) {
        const QString image = QLatin1StringView(bank) + QStringLiteral(".png");
        if (QFileInfo(folder + u'/' + image).isFile())
            commands << QStringLiteral("import ") + QLatin1StringView(bank) + u' ' + image;
    }
    commands << QStringLiteral("run");
    return commands;
}

QStringList tic80Arguments(const QString& folder, const QStringList& commands)
{
    return {QStringLiteral("--skip"), QStringLiteral("--fs=") + folder,
            QStringLiteral("--cmd=") + commands.join(QStringLiteral(" & "))};
}

QString tic80StartFailure(const QString& program)
{
    return QStringLiteral("Cannot start TIC-80 from ") + program +
           QStringLiteral(". The program is exported; the setting \"runpath\" names TIC-80's program "
                          "(empty: tic80 on the PATH).");
}

QString pixilangRuntime(const QString& folder)
{
#ifdef Q_OS_WIN
    return folder + QStringLiteral("\\pixilang_no_opengl.exe");
#else
    return folder + QStringLiteral("/pixilang");
#endif
}

RunResult runProgram(const TextModel& model, const QString& fileName, const Workspace& workspace,
                     const SettingsList& settings, const SpriteSheet& sheet,
                     std::span<const ConsoleTarget> targets)
{
    RunResult result;
    if (!fileName.isEmpty() && model.modified) {
        if (Result<> saved = saveCodeFile(workspace.codeFilesDir, fileName, model); !saved) {
            result.outcome = saved;
            return result;
        }
    }

    const ConsoleTarget* target = consoleTarget(settings.value(u"lang"), targets);
    std::optional<TextFile> prelude;
    QStringList sections;
    QString path;
    QString spritesLeftOut;
    if (target) {
        auto read = readTextFile(workspace.commonFunctionsDir + QLatin1StringView(target->prelude));
        if (!read) {
            result.outcome = Failure{read.message()};
            return result;
        }
        prelude = std::move(*read);
        path = exportPath(*target, settings);
        if (target->comment) {
            // A sheet TIC-80 cannot hold is left out rather than cut; the program itself
            // still goes out, and the message says why the sprites did not.
            const QString fitError = sheetFitError(sheet, target->sheetWidth, target->sheetHeight);
            if (fitError.isEmpty())
                sections = tic80ProjectSections(sheet, QLatin1StringView(target->comment));
            else
                spritesLeftOut = QStringLiteral("The sprites were not written into ") + path +
                                 QStringLiteral(": ") + fitError;
        }
    }
    // An empty export folder would put the file at the root of the file system; it counts
    // as a folder that is not there. Without a target there is no file to write at all.
    const bool noFolder = !target || settings.value(QString::fromLatin1(target->exportDirKey)).isEmpty();
    if (noFolder)
        result.outcome = Failure{QStringLiteral("Failed to create ") + path};
    else if (Result<> written = writeExport(path, *target, model.codeLines, prelude->lines, sections); !written)
        result.outcome = written;
    else if (!spritesLeftOut.isEmpty())
        result.outcome = Failure{spritesLeftOut};

    // The runtime is started even when the export failed: it may still load an earlier
    // "boot.pixi", and the message has told the user.
    if (target && target->runtime == RunRuntime::Pixilang) {
        result.runtimeFolder = settings.value(QString::fromLatin1(target->exportDirKey));
        result.runtime = pixilangRuntime(result.runtimeFolder);
    }

    // TIC-80 would import whatever an earlier run left, so it starts only on a fresh
    // export. Not finding it on the PATH is no error: it may simply not be installed.
    if (target && target->runtime == RunRuntime::Tic80 && result.outcome) {
        QString failure;
        result.runtime = tic80Program(settings, &failure);
        if (!failure.isEmpty())
            result.outcome = Failure{failure};
        if (!result.runtime.isEmpty()) {
            // Absolute, since TIC-80 reads --fs relative to the folder it is started in.
            result.runtimeFolder = QDir::cleanPath(
                QDir(settings.value(QString::fromLatin1(target->exportDirKey))).absolutePath());
            result.runtimeArguments =
                tic80Arguments(result.runtimeFolder, tic80Commands(*target, result.runtimeFolder));
            result.startFailure = tic80StartFailure(result.runtime);
        }
    }
    return result;
}

Result<> startRuntime(const RunResult& result, const ProgramStarter& start)
{
    if (result.runtime.isEmpty() || start(result.runtime, result.runtimeArguments, result.runtimeFolder))
        return {};
    // A runtime whose start failure is no error (Pixilang's) fails quietly.
    if (result.startFailure.isEmpty())
        return {};
    return Failure{result.startFailure};
}

bool startProgram(const QString& program, const QStringList& arguments, const QString& workingDir)
{
    // Started in its own folder, where it finds the file it loads, instead of moving the
    // whole program's current folder there.
    return QProcess::startDetached(program, arguments, workingDir);
}
