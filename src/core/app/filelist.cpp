#include "app/filelist.h"

#include <QDir>

QStringList listFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
