// SPDX-License-Identifier: MIT
#include "core/app/defaultdata.h"

#include <QFile>

namespace {

QByteArray resourceBytes(const QString& path)
{
    QFile file(path);
    // The resources are compiled into the program; failing to open one is a build fault.
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing embedded resource %s", qPrintable(path));
    return file.readAll();
}

} // namespace

QByteArray defaultFileBytes(const DefaultFile& file)
{
    return resourceBytes(QStringLiteral(":/assets/defaults/%1/%2")
                             .arg(QLatin1StringView(file.folder), QLatin1StringView(file.name)));
}

QStringList builtinKeywords()
{
    const QString text = QString::fromLatin1(resourceBytes(QStringLiteral(":/assets/keywords.txt")));
    QStringList keywords = text.split(u'\n');
    if (!keywords.isEmpty() && keywords.last().isEmpty())
        keywords.removeLast();
    return keywords;
}
