// SPDX-License-Identifier: MIT
#include "core/editor/codefiles.h"

#include "core/app/filename.h"
#include "core/editor/textmodel.h"

Result<QString> codeFilePath(const QString& codeFilesDir, const QString& name)
{
    const auto fail = [](const QString& message) -> Result<QString> { return Failure{message}; };
    const FileNameProblem problem = fileNameProblem(name);
    if (problem == FileNameProblem::Empty || problem == FileNameProblem::Blank)
        return fail(QStringLiteral("Input file name."));
    if (holdsFolder(problem))
        return fail(QStringLiteral("\"%1\" is not a file name: a code file name cannot hold a folder "
                                   "(\"/\", \"\\\", \".\" or \"..\").")
                        .arg(name));
    if (problem == FileNameProblem::ZeroChar)
        return fail(QStringLiteral("A file name cannot hold a zero character."));
    // A pasted line break: such a name could not be kept under "code", a line of the
    // settings file, and no one means it.
    if (problem == FileNameProblem::LineBreak)
        return fail(QStringLiteral("A file name cannot hold a line break."));
    return codeFilesDir + name;
}

Result<> saveCodeFile(const QString& codeFilesDir, const QString& name, const TextModel& model)
{
    const auto path = codeFilePath(codeFilesDir, name);
    if (!path)
        return Failure{path.message()};
    return writeTextFile(*path, model.codeLines, model.encoding);
}

Result<> saveCode(TextModel& model, const QString& codeFilesDir, const QString& name)
{
    Result<> saved = saveCodeFile(codeFilesDir, name, model);
    if (saved)
        model.modified = false;
    return saved;
}

Result<> openCode(TextModel& model, const QString& codeFilesDir, const QString& name)
{
    const auto path = codeFilePath(codeFilesDir, name);
    if (!path)
        return Failure{path.message()};
    const auto file = readTextFile(*path);
    if (!file)
        return Failure{file.message()};
    setCodeLines(model, *file);
    resetCursor(model);
    model.modified = false;
    takeLineBackup(model);
    return {};
}
