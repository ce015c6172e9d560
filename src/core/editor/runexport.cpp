#include "editor/runexport.h"

#include "app/settingslist.h"
#include "app/textfile.h"
#include "app/workspace.h"
#include "editor/codefiles.h"
#include "editor/textmodel.h"

#include <QProcess>
#include <array>

namespace {

constexpr std::array<RunTarget, 4> targets{{
    {"0", "// script: js", "func.js", "exportdir", "/a.js"},
    {"1", "-- script: lua", "func.lua", "exportdir", "/a.lua"},
    {"2", nullptr, "func_lk12.lua", "exportdir2", "/a.lua"},
    {"3", nullptr, "func.pixi", "exportdir3", "/boot.pixi"},
}};

std::function<void(const QString&, const QString&)>& programStarter()
{
    static std::function<void(const QString&, const QString&)> starter;
    return starter;
}

} // namespace

std::span<const RunTarget> runTargets()
{
    return targets;
}

const RunTarget* runTarget(const QString& lang)
{
    for (const RunTarget& t : targets) {
        if (lang == QLatin1StringView(t.lang))
            return &t;
    }
    return nullptr;
}

QStringList exportLines(const RunTarget& target, const QStringList& codeLines,
                        const QStringList& preludeLines)
{
    // One text split again at every line end, so a line end inside a line (which the
    // editor never makes, but a caller might hand over) still gives whole lines.
    QString text;
    qsizetype size = 0;
    for (const QStringList* lines : {&codeLines, &preludeLines}) {
        for (const QString& line : *lines)
            size += line.size() + 2;
    }
    text.reserve(size + 16);
    if (target.firstLine) {
        text += QLatin1StringView(target.firstLine);
        text += u'\n';
    }
    for (const QStringList* lines : {&codeLines, &preludeLines}) {
        for (const QString& line : *lines) {
            text += line;
            text += u"\r\n";
        }
    }
    return splitLines(text);
}

QString exportPath(const RunTarget& target, const SettingsList& settings)
{
    return settings.value(QString::fromLatin1(target.exportDirKey)) + QLatin1StringView(target.fileName);
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
                     const SettingsList& settings)
{
    RunResult result;
    if (!fileName.isEmpty() && model.modified) {
        if (!saveCodeFile(workspace.codeFilesDir, fileName, model, &result.message))
            return result;
    }

    const QString lang = settings.value(u"lang");
    const RunTarget* target = runTarget(lang);
    QStringList lines;
    QString path;
    if (target) {
        const auto prelude =
            readTextFile(workspace.commonFunctionsDir + QLatin1StringView(target->prelude), &result.message);
        if (!prelude)
            return result;
        lines = exportLines(*target, model.codeLines, prelude->lines);
        path = exportPath(*target, settings);
    }
    // An empty export folder would put the file at the root of the file system; it counts
    // as a folder that is not there. Without a target there is no file to write at all.
    const bool noFolder = !target || settings.value(QString::fromLatin1(target->exportDirKey)).isEmpty();
    if (noFolder)
        result.message = QStringLiteral("Failed to create ") + path;
    else
        writeLinesCrLf(path, lines, &result.message);

    // The runtime is started even when the export failed: it may still load an earlier
    // "boot.pixi", and the message has told the user.
    if (lang == u"3") {
        result.runtimeFolder = settings.value(u"exportdir3");
        result.runtime = pixilangRuntime(result.runtimeFolder);
    }
    return result;
}

void startProgram(const QString& program, const QString& workingDir)
{
    if (programStarter()) {
        programStarter()(program, workingDir);
        return;
    }
    // Started in its own folder, where it finds the file it loads, instead of moving the
    // whole program's current folder there.
    QProcess::startDetached(program, {}, workingDir);
}

void setProgramStarter(std::function<void(const QString& program, const QString& workingDir)> starter)
{
    programStarter() = std::move(starter);
}
