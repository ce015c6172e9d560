#include "app/workspace.h"

#include <QDir>
#include <QStandardPaths>

Workspace Workspace::under(const QString& baseDir)
{
    Workspace w;
    w.workspaceDir = baseDir;
    w.settingsPath = baseDir + QStringLiteral("quill.ini");
    w.codeBufferPath = baseDir + QStringLiteral("temp.txt");
    w.keywordsPath = baseDir + QStringLiteral("keywords.ini");
    w.codeFilesDir = baseDir + QStringLiteral("prgfiles/");
    w.spriteFilesDir = baseDir + QStringLiteral("spfiles/");
    w.templatesDir = baseDir + QStringLiteral("tempfiles/");
    w.commonFunctionsDir = baseDir + QStringLiteral("js/");
    w.audioDir = baseDir + QStringLiteral("audio/");
    return w;
}

Workspace platformWorkspace()
{
#ifdef Q_OS_WIN
    // The common application data folder, as the platform spells it (back slashes).
    const QString base = QDir::toNativeSeparators(qEnvironmentVariable("ProgramData")) + u'/';
#else
    const QString base =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zenkodo/");
#endif
    return Workspace::under(base);
}

QString documentsFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    while (dir.size() > 1 && (dir.endsWith(u'/') || dir.endsWith(u'\\')))
        dir.chop(1);
    return QDir::toNativeSeparators(dir);
}

QString defaultLiko12Folder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Users\\_\\AppData\\Roaming\\liko12\\drives\\D");
#else
    // The console's save folder is named after its identity "liko12", under the runtime's
    // own "love" folder; the names are matched with their case on this platform.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/love/liko12/drives/D");
#endif
}
