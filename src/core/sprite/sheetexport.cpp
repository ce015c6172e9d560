#include "sprite/sheetexport.h"

#include "app/textfile.h"
#include "image/pngwriter.h"
#include "sprite/spritesheet.h"

namespace {

const char lowerDigits[] = "0123456789abcdef";

std::uint8_t cellPixel(const SpriteSheet& sheet, int cell, int x, int y)
{
    // A sprite file may carry bytes above 15; only the low four bits name a colour.
    return std::uint8_t(sheet.sheetStore[sheet.cellOffset(cell) + y * sheet.cellWidth + x]) & 0x0F;
}

// Where cell k's top-left pixel lands in an image perRow cells wide.
int cellLeft(const SpriteSheet& sheet, int perRow, int cell)
{
    return (cell % perRow) * sheet.cellWidth;
}

int cellTop(const SpriteSheet& sheet, int perRow, int cell)
{
    return (cell / perRow) * sheet.cellHeight;
}

QString nameError(const QString& name)
{
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("The sheet name must be a plain file name, without folders.");
    return {};
}

// The rows top to bottom of an indexed image, as interleaved RGB.
QByteArray rgbRows(const IndexedImage& image, int firstRow, int rowCount)
{
    QByteArray rgb;
    rgb.reserve(qsizetype(3) * image.width * rowCount);
    for (int y = firstRow; y < firstRow + rowCount; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.colours.value(std::uint8_t(image.indices[y * image.width + x]));
            rgb.append(char(c >> 16 & 0xFF));
            rgb.append(char(c >> 8 & 0xFF));
            rgb.append(char(c & 0xFF));
        }
    }
    return rgb;
}

ExportResult failed(const QString& message)
{
    return ExportResult{false, message, QString()};
}

ExportResult exported(const QString& path)
{
    return ExportResult{true, QStringLiteral("Exported.\n") + path, path};
}

ExportResult exportTic80(const SpriteSheet& sheet, const QString& folder)
{
    if (const QString error = sheetFitError(sheet, tic80SheetWidth, tic80SheetHeight); !error.isEmpty())
        return failed(error);
    const QString path = folder + QStringLiteral("/export.gif");
    IndexedImage written;
    QString error;
    if (!writeRgbGif(tic80SheetPlanes(sheet), 4, path, &error, &written))
        return failed(error);
    // Current TIC-80 releases import PNG only, one 128 x 128 bank at a time: the upper half
    // holds the tiles, the lower the sprites, in exactly the colours of the GIF.
    const int half = tic80SheetHeight / 2;
    const struct {
        const char* name;
        int firstRow;
    } banks[] = {{"/tiles.png", 0}, {"/sprites.png", half}};
    for (const auto& bank : banks) {
        const QString bankPath = folder + QLatin1String(bank.name);
        const QByteArray png = encodePng(tic80SheetWidth, half, rgbRows(written, bank.firstRow, half));
        if (png.isEmpty())
            return failed(QStringLiteral("Failed to create %1\nOut of memory").arg(bankPath));
        if (!writeFileAtomically(bankPath, png, &error, "Failed to create %1\n%2"))
            return failed(error);
    }
    return exported(path);
}

ExportResult exportLiko12(const SpriteSheet& sheet, const QString& folder, const QString& name)
{
    if (QString error = nameError(name); !error.isEmpty())
        return failed(error);
    if (QString error = sheetFitError(sheet, gpuimgWidth, gpuimgHeight); !error.isEmpty())
        return failed(error);
    const QString path = folder + u'/' + name + QStringLiteral(".lk12");
    QString error;
    if (!writeLinesCrLf(path, gpuimgLines(sheet), &error))
        return failed(error);
    return exported(path);
}

ExportResult exportPixilang(const SpriteSheet& sheet, const QString& folder, const QString& name)
{
    if (QString error = nameError(name); !error.isEmpty())
        return failed(error);
    if (sheet.cellWidth < 1 || sheet.cellHeight < 1)
        return failed(QStringLiteral("Sprites of %1 x %2 cannot be exported.")
                          .arg(sheet.cellWidth)
                          .arg(sheet.cellHeight));
    const QString stem = folder + u'/' + name;
    for (int k = 0; k < sheet.cellCount; ++k) {
        QString error;
        // One failure is enough to know the folder will not take the rest: stop here
        // rather than show the same message for every cell.
        if (!writeRgbGif(cellPlanes(sheet, k), 4, stem + QString::number(k) + QStringLiteral(".gif"), &error))
            return failed(error);
    }
    return exported(stem + QStringLiteral("*.gif"));
}

} // namespace

ExportTarget exportTarget(const QString& lang)
{
    if (lang == u"2")
        return ExportTarget::Liko12;
    if (lang == u"3")
        return ExportTarget::Pixilang;
    return ExportTarget::Tic80;
}

QString exportFolderKey(ExportTarget target)
{
    switch (target) {
    case ExportTarget::Liko12: return QStringLiteral("exportdir2");
    case ExportTarget::Pixilang: return QStringLiteral("exportdir3");
    case ExportTarget::Tic80: break;
    }
    return QStringLiteral("exportdir");
}

QString sheetFitError(const SpriteSheet& sheet, int imageWidth, int imageHeight)
{
    const int w = sheet.cellWidth;
    const int h = sheet.cellHeight;
    if (w < 1 || h < 1)
        return QStringLiteral("Sprites of %1 x %2 cannot be exported.").arg(w).arg(h);
    if (w > imageWidth || h > imageHeight)
        return QStringLiteral("Sprites of %1 x %2 do not fit the %3 x %4 export image.")
            .arg(w)
            .arg(h)
            .arg(imageWidth)
            .arg(imageHeight);
    const int capacity = (imageWidth / w) * (imageHeight / h);
    if (sheet.cellCount > capacity)
        return QStringLiteral("The %1 x %2 export image holds %3 sprites of %4 x %5; this sheet has %6.")
            .arg(imageWidth)
            .arg(imageHeight)
            .arg(capacity)
            .arg(w)
            .arg(h)
            .arg(sheet.cellCount);
    return {};
}

RgbPlanes tic80SheetPlanes(const SpriteSheet& sheet)
{
    RgbPlanes planes(tic80SheetWidth, tic80SheetHeight);
    for (int y = 0; y < tic80SheetHeight; ++y)
        for (int x = 0; x < tic80SheetWidth; ++x)
            planes.setPixel(x, y, sheet.palette[0]);
    const int perRow = tic80SheetWidth / sheet.cellWidth;
    for (int k = 0; k < sheet.cellCount; ++k) {
        const int left = cellLeft(sheet, perRow, k);
        const int top = cellTop(sheet, perRow, k);
        for (int y = 0; y < sheet.cellHeight; ++y)
            for (int x = 0; x < sheet.cellWidth; ++x)
                planes.setPixel(left + x, top + y, sheet.palette[cellPixel(sheet, k, x, y)]);
    }
    return planes;
}

QStringList gpuimgLines(const SpriteSheet& sheet)
{
    QStringList lines;
    lines.reserve(gpuimgHeight + 1);
    lines.append(QStringLiteral("LK12;GPUIMG;192x128;"));
    for (int y = 0; y < gpuimgHeight; ++y)
        lines.append(QString(gpuimgWidth, u'0'));
    const int perRow = gpuimgWidth / sheet.cellWidth;
    for (int k = 0; k < sheet.cellCount; ++k) {
        const int left = cellLeft(sheet, perRow, k);
        const int top = cellTop(sheet, perRow, k);
        for (int y = 0; y < sheet.cellHeight; ++y) {
            QString& line = lines[top + y + 1];
            for (int x = 0; x < sheet.cellWidth; ++x)
                line[left + x] = QLatin1Char(lowerDigits[cellPixel(sheet, k, x, y)]);
        }
    }
    return lines;
}

RgbPlanes cellPlanes(const SpriteSheet& sheet, int cell)
{
    RgbPlanes planes(sheet.cellWidth, sheet.cellHeight);
    for (int y = 0; y < sheet.cellHeight; ++y)
        for (int x = 0; x < sheet.cellWidth; ++x)
            planes.setPixel(x, y, sheet.palette[cellPixel(sheet, cell, x, y)]);
    return planes;
}

ExportResult exportSheet(const SpriteSheet& sheet, const QString& lang, const QString& folder,
                         const QString& name)
{
    switch (exportTarget(lang)) {
    case ExportTarget::Liko12: return exportLiko12(sheet, folder, name);
    case ExportTarget::Pixilang: return exportPixilang(sheet, folder, name);
    case ExportTarget::Tic80: break;
    }
    return exportTic80(sheet, folder);
}
