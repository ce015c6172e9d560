// SPDX-License-Identifier: MIT
#include "core/editor/codefiles.h"

#include "core/app/filename.h"
#include "core/editor/textmodel.h"

std::optional<QString> codeFilePath(const QString& codeFilesDir, const QString& name, QString* error)
{
    const auto fail = [error](const QString& message) -> std::optional<QString> {
        if (error)
            *error = message;
        return std::nullopt;
    };
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

bool saveCodeFile(const QString& codeFilesDir, const QString& name, const TextModel& model, QString* error)
{
    const auto path = codeFilePath(codeFilesDir, name, error);
    return path && writeTextFile(*path, model.codeLines, model.encoding, error);
}

QString saveCode(TextModel& model, const QString& codeFilesDir, const QString& name)
{
    QString error;
    if (!saveCodeFile(codeFilesDir, name, model, &error))
        return error;
    model.modified = false;
    return QStringLiteral("Saved.");
}

bool openCode(TextModel& model, const QString& codeFilesDir, const QString& name, QString* error)
{
    const auto path = codeFilePath(codeFilesDir, name, error);
    if (!path)
        return false;
    const auto file = readTextFile(*path, error);
    if (!file)
        return false;
    setCodeLines(model, *file);
    resetCursor(model);
    model.modified = false;
    takeLineBackup(model);
    return true;
}
