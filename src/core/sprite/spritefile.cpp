// SPDX-License-Identifier: MIT
#include "core/sprite/spritefile.h"

#include "core/app/atomicfile.h"
#include "core/app/filename.h"
#include "core/sprite/spritesheet.h"

#include <QDir>
#include <QFile>

QByteArray spriteFileBytes(const SpriteSheet& sheet)
{
    return sheet.sheetStore.left(SpriteSheet::headerSize + qsizetype(sheet.cellCount) * sheet.cellBytes());
}

QString spriteFileNameProblem(const QString& name)
{
    const FileNameProblem problem = fileNameProblem(name);
    // A name of blanks only is no name, as on the code page.
    if (problem == FileNameProblem::Empty || problem == FileNameProblem::Blank)
        return QStringLiteral("Input file name.");
    if (holdsFolder(problem))
        return QStringLiteral("Invalid file name: %1\nUse a plain name without \"/\", \"\\\" or \"..\".")
            .arg(name);
    return {};
}

Result<> saveSpriteFile(const QString& path, const SpriteSheet& sheet)
{
    return writeFileAtomically(path, spriteFileBytes(sheet), "Failed to create %1\n%2");
}

Result<> saveSprite(const SpriteSheet& sheet, const QString& spriteFilesDir, const QString& name)
{
    if (QString problem = spriteFileNameProblem(name); !problem.isEmpty())
        return Failure{problem};
    // The folder may have been removed since start-up; Save puts it back rather than fail.
    QDir().mkpath(spriteFilesDir);
    return saveSpriteFile(spriteFilesDir + name, sheet);
}

Result<SpriteFileLoad> loadSpriteFile(SpriteSheet& sheet, const QString& path)
{
    QFile file;
    if (const Result<> opened = openRegularFile(file, path); !opened)
        return Failure{opened.message()};
    return loadSpriteFile(sheet, file, path);
}

Result<SpriteFileLoad> loadSpriteFile(SpriteSheet& sheet, QIODevice& device, const QString& name)
{
    const QByteArray header = device.read(SpriteSheet::headerSize);
    if (header.size() < SpriteSheet::headerSize)
        return Failure{
            QStringLiteral("%1 is not a sprite file: it is shorter than its 3-byte header.").arg(name)};
    const int w = std::uint8_t(header[0]);
    const int h = std::uint8_t(header[1]);
    const int countByte = std::uint8_t(header[2]);
    if (w == 0 || h == 0)
        return Failure{
            QStringLiteral("%1 is not a sprite file: its cells are %2 x %3 pixels.").arg(name).arg(w).arg(h)};

    // Read before anything changes, so an unreadable file leaves the sheet as it was. A count
    // of 0 is what a full sheet of 256 cells stores.
    const int cellBytes = w * h;
    const int announced = countByte == 0 ? SpriteSheet::slotCount : countByte;
    const QByteArray pixels = device.read(qint64(announced) * cellBytes);
    int count = announced;
    if (countByte == 0 && pixels.size() < qsizetype(announced) * cellBytes)
        count = qMax(1, int(pixels.size() / cellBytes));

    SpriteFileLoad result;
    sheet.currentCell = 0;
    if (w != sheet.cellWidth || h != sheet.cellHeight) {
        sheet.cellWidth = w;
        sheet.cellHeight = h;
        allocateSheet(sheet);
        result.resized = true;
    }
    sheet.sheetStore[0] = char(w);
    sheet.sheetStore[1] = char(h);
    sheet.sheetStore[2] = char(count & 0xFF);
    sheet.cellCount = count;
    // Every pixel is a palette index; a hand-made byte above 15 keeps its low four bits, so
    // nothing later indexes past the sixteen colours.
    const qsizetype n = qMin<qsizetype>(pixels.size(), qsizetype(count) * cellBytes);
    char* target = sheet.sheetStore.data() + SpriteSheet::headerSize;
    for (qsizetype i = 0; i < n; ++i)
        target[i] = char(pixels[i] & 0x0F);
    return result;
}
