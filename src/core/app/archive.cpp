#include "app/archive.h"

#include <QDir>
#include <QFile>

QStringList archiveListedFiles(const QStringList& names, const QString& sourceDir, const QString& targetDir)
{
    QDir().mkpath(targetDir);
    QStringList moved;
    for (const QString& name : names) {
        if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == u"." || name == u"..")
            continue;
        // QFile::rename never replaces an existing file, so an earlier archived file of
        // the same name is kept and this one stays in the source folder.
        if (QFile::rename(sourceDir + name, targetDir + name))
            moved.append(name);
    }
    return moved;
}
