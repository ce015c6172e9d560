#include "editor/codefiles.h"

#include "editor/textmodel.h"

std::optional<QString> codeFilePath(const QString& codeFilesDir, const QString& name, QString* error)
{
    const auto fail = [error](const QString& message) -> std::optional<QString> {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (name.trimmed().isEmpty())
        return fail(QStringLiteral("Input file name."));
    // Both separators are refused on every platform: a name is a file in the code folder,
    // and a file written from one system is often opened on the other.
    bool folderPart = name.contains(u'/') || name.contains(u'\\') || name == u"." || name == u"..";
#ifdef Q_OS_WIN
    folderPart = folderPart || name.contains(u':'); // "C:name" names another drive
#endif
    if (folderPart)
        return fail(QStringLiteral("\"%1\" is not a file name: a code file name cannot hold a folder "
                                   "(\"/\", \"\\\", \".\" or \"..\").")
                        .arg(name));
    if (name.contains(QChar(0)))
        return fail(QStringLiteral("A file name cannot hold a zero character."));
    // A pasted line break: such a name could not be kept under "code", a line of the
    // settings file, and no one means it.
    if (name.contains(u'\r') || name.contains(u'\n'))
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
