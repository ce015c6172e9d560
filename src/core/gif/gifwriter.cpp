#include "gif/gifwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <gif_lib.h>
#include <memory>
#include <system_error>

namespace {

const QString allocationFailed = QStringLiteral("Failed to allocate memory required, aborted3.");
const QString createFailed = QStringLiteral("Failed to create file.");

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Closes the handle after a failed step; the partial file is the caller's to remove, and
// the close's own code would only hide the one that matters.
void abandon(GifFileType* gif)
{
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
}

// Writes the GIF stream itself into path; the handle is released on every path.
bool writeGifStream(const QByteArray& indexBuffer, int width, int height, int colourBits,
                    const ColorMapObject* colourMap, const QString& path, QString* error)
{
    int openError = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &openError);
    if (!gif) {
        setError(error, createFailed);
        return false;
    }
    if (EGifPutScreenDesc(gif, width, height, colourBits, 0, colourMap) == GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR) {
        setError(error, QString::number(gif->Error));
        abandon(gif);
        return false;
    }
    // GIFLIB takes rows as non-const although it only reads them.
    QByteArray rows = indexBuffer;
    auto* pixels = reinterpret_cast<GifPixelType*>(rows.data());
    for (int y = 0; y < height; ++y) {
        if (EGifPutLine(gif, pixels + qsizetype(y) * width, width) == GIF_ERROR) {
            setError(error, QString::number(gif->Error));
            abandon(gif);
            return false;
        }
    }
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) == GIF_ERROR) {
        setError(error, QString::number(closeError));
        return false;
    }
    return true;
}

} // namespace

bool saveIndexedGif(const QByteArray& indexBuffer, int width, int height, int colourBits,
                    const ColorMapObject* colourMap, const QString& exportPath, QString* error)
{
    // GIFLIB opens files by name only, so the stream goes to a fresh name beside the target
    // and replaces it in one rename: an export that fails half-way never leaves a torn GIF
    // where the console would load it.
    const QFileInfo target(exportPath);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!temp.open()) {
        setError(error, createFailed);
        return false;
    }
    const QString tempPath = temp.fileName();
    temp.close();
    if (!writeGifStream(indexBuffer, width, height, colourBits, colourMap, tempPath, error))
        return false; // the temporary file removes itself
    // A temporary file is private to its owner; the export is an ordinary file.
    const QFileDevice::Permissions ordinary = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadUser | QFileDevice::WriteUser |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(tempPath, target.exists() ? QFile::permissions(exportPath) : ordinary);
    std::error_code renameError;
    std::filesystem::rename(QFile::encodeName(tempPath).toStdString(),
                            QFile::encodeName(exportPath).toStdString(), renameError);
    if (renameError) {
        setError(error, createFailed);
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

bool writeRgbGif(const RgbPlanes& rgbPlanes, int colourBits, const QString& exportPath, QString* error,
                 IndexedImage* written)
{
    const int width = rgbPlanes.width;
    const int height = rgbPlanes.height;
    const qsizetype plane = qsizetype(width) * height;
    if (width <= 0 || height <= 0 || colourBits < 1 || colourBits > 8 ||
        rgbPlanes.bytes.size() != 3 * plane) {
        setError(error, allocationFailed);
        return false;
    }
    const int size = 1 << colourBits;
    MapPtr colourMap(GifMakeMapObject(size, nullptr));
    QByteArray indexBuffer(plane, '\0');
    if (!colourMap || indexBuffer.size() != plane) {
        setError(error, allocationFailed);
        return false;
    }
    // The quantizer reads its planes through non-const pointers; it gets its own copy.
    QByteArray planes = rgbPlanes.bytes;
    auto* red = reinterpret_cast<GifByteType*>(planes.data());
    int coloursUsed = size;
    if (GifQuantizeBuffer(unsigned(width), unsigned(height), &coloursUsed, red, red + plane, red + 2 * plane,
                          reinterpret_cast<GifByteType*>(indexBuffer.data()),
                          colourMap->Colors) == GIF_ERROR) {
        // The quantizer fails only when it cannot get its working memory.
        setError(error, allocationFailed);
        return false;
    }
    if (!saveIndexedGif(indexBuffer, width, height, colourBits, colourMap.get(), exportPath, error))
        return false;
    if (written) {
        written->width = width;
        written->height = height;
        written->indices = indexBuffer;
        written->colours.clear();
        for (int i = 0; i < colourMap->ColorCount; ++i) {
            const GifColorType& c = colourMap->Colors[i];
            written->colours.append(std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue);
        }
    }
    return true;
}
