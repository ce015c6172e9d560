// SPDX-License-Identifier: MIT
#include "core/app/archive.h"

#include "core/app/filename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#endif

namespace {

enum class Move { Done, Taken, Failed };

// Moves a file without ever replacing one of the target's name; on failure why says the
// cause. The system's own rename says it best ("Read-only file system"); QFile's copies
// across file systems, which a plain rename cannot.
Move moveWithoutReplacing(const QString& from, const QString& to, QString* why)
{
#ifndef Q_OS_WIN
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD,
                    QFile::encodeName(to).constData(), RENAME_NOREPLACE) == 0)
        return Move::Done;
    if (errno == EEXIST)
        return Move::Taken;
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return Move::Failed;
    }
#endif
    const QFileInfo existing(to);
    if (existing.exists() || existing.isSymLink())
        return Move::Taken;
    QFile file(from);
    if (file.rename(to))
        return Move::Done;
    *why = file.errorString();
    return Move::Failed;
}

} // namespace

Result<QStringList> archiveListedFiles(const QStringList& names, const QString& sourceDir,
                                       const QString& targetDir)
{
    QStringList moved;
    QStringList problems;
    if (!QDir().mkpath(targetDir)) {
        problems.append(
            QStringLiteral("The folder %1 cannot be created, so no file was archived.").arg(targetDir));
    } else {
        for (const QString& name : names) {
            const FileNameProblem nameProblem = fileNameProblem(name);
            if (nameProblem == FileNameProblem::Empty || holdsFolder(nameProblem))
                continue;
            // An earlier archived file of the same name is kept, and this one stays in the
            // source folder.
            QString why;
            switch (moveWithoutReplacing(sourceDir + name, targetDir + name, &why)) {
            case Move::Done: moved.append(name); break;
            case Move::Taken:
                problems.append(QStringLiteral("%1 was not archived: %2 already holds a file of that name.")
                                    .arg(name, targetDir));
                break;
            case Move::Failed:
                problems.append(QStringLiteral("%1 was not archived: %2").arg(name, why));
                break;
            }
        }
    }
    if (!problems.isEmpty())
        return Failure{problems.join(u'\n')};
    return moved;
}
