// SPDX-License-Identifier: MIT
#include "core/app/workspace.h"

#include <QDir>
#include <QFileInfo>
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

QString defaultTic80Folder()
{
#ifdef Q_OS_WIN
    return documentsFolder();
#else
    // The console's preference folder for its organisation "com.nesbox.tic" and name
    // "TIC-80", which on Linux lies in $XDG_DATA_HOME (or ~/.local/share).
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/com.nesbox.tic/TIC-80");
#endif
}

QString defaultLiko12Folder()
{
#ifdef Q_OS_WIN
    // The released console is a fused program, whose save folder is named after its
    // identity directly in the user's roaming application data.
    const QString roaming = qEnvironmentVariable("APPDATA");
    if (roaming.isEmpty())
        return {};
    return QDir::toNativeSeparators(roaming) + QStringLiteral("\\LIKO-12\\Drives\\D");
#else
    // Run on the runtime the save folder lies in its "love" folder; a fused build keeps it
    // directly in the shared data folder. The names are matched with their case here.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString onRuntime = base + QStringLiteral("/love/LIKO-12/Drives/D");
    const QString fused = base + QStringLiteral("/LIKO-12/Drives/D");
    if (QFileInfo(fused).isDir() && !QFileInfo(onRuntime).isDir())
        return fused;
    return onRuntime;
#endif
}
