// SPDX-License-Identifier: MIT
#include "core/app/defaultdata.h"

#include <QFile>

const std::array<DefaultFile, 21> defaultFiles = {{
    {"func.js", "js", 1006},           {"func.lua", "js", 664},         {"func.pixi", "js", 917},
    {"func_lk12.lua", "js", 664},      {"circle", "tempfiles", 67},     {"ltm_border", "tempfiles", 119},
    {"ltm_chk", "tempfiles", 203},     {"ltm_temp", "tempfiles", 1415}, {"palette", "tempfiles", 47},
    {"palette_lk", "tempfiles", 2083}, {"pix_border", "tempfiles", 98}, {"pix_chk", "tempfiles", 145},
    {"pix_default", "tempfiles", 157}, {"pix_temp", "tempfiles", 1089}, {"sin", "tempfiles", 36},
    {"tm_border", "tempfiles", 93},    {"tm_chk", "tempfiles", 148},    {"tm_out", "tempfiles", 52},
    {"tm_switch", "tempfiles", 33},    {"tm_temp", "tempfiles", 744},   {"tm_yure", "tempfiles", 198},
}};

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
