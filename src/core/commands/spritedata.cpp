// SPDX-License-Identifier: MIT
#include "core/commands/spritedata.h"

#include "core/sprite/spritesheet.h"

namespace {

// One upper-case hex digit per pixel, row by row.
QString cellDigits(const SpriteSheet& sheet, int cell)
{
    static const char digits[] = "0123456789ABCDEF";
    const int n = sheet.cellBytes();
    const char* pixels = sheet.sheetStore.constData() + sheet.cellOffset(cell);
    QString text(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        text[i] = QLatin1Char(digits[pixels[i] & 0x0F]);
    return text;
}

} // namespace

QStringList spriteDataLines(const SpriteSheet& sheet, const QString& lang,
                            std::span<const ConsoleTarget> targets)
{
    QStringList lines;
    const ConsoleTarget* target = consoleTarget(lang, targets);
    const SpriteDataKind kind = target ? target->spriteData : SpriteDataKind::None;
    const int count = sheet.cellCount;
    const QString w = QString::number(sheet.cellWidth);
    const QString h = QString::number(sheet.cellHeight);
    if (kind == SpriteDataKind::GpuimgStrings) {
        for (int i = 0; i < count; ++i)
            lines.append(u'"' + QStringLiteral("LK12;GPUIMG;") + w + u'x' + h + u';' + cellDigits(sheet, i) +
                         u'"' + (i < count - 1 ? QStringLiteral(",") : QString()));
    } else if (kind == SpriteDataKind::PixilangSprites) {
        lines.append(QStringLiteral("img=new(%1)").arg(count));
        for (int j = 0; j < count; ++j)
            lines.append(
                QStringLiteral("img[%1]=sprite(%2,%3,\"%4\")").arg(j).arg(w, h, cellDigits(sheet, j)));
    }
    return lines;
}
