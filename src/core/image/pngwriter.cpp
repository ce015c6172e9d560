#include "image/pngwriter.h"

#include <cstdint>
#include <zlib.h>

namespace {

void appendBigEndian(QByteArray& out, std::uint32_t value)
{
    out.append(char(value >> 24 & 0xFF));
    out.append(char(value >> 16 & 0xFF));
    out.append(char(value >> 8 & 0xFF));
    out.append(char(value & 0xFF));
}

// Length, type, data and the CRC over type and data.
void appendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    appendBigEndian(out, std::uint32_t(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* crcBytes = reinterpret_cast<const Bytef*>(out.constData() + start);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), crcBytes, uInt(out.size() - start));
    appendBigEndian(out, std::uint32_t(crc));
}

} // namespace

QByteArray encodePng(int width, int height, const QByteArray& rgb)
{
    const qsizetype rowBytes = qsizetype(width) * 3;
    Q_ASSERT(rgb.size() == rowBytes * height);

    QByteArray header;
    appendBigEndian(header, std::uint32_t(width));
    appendBigEndian(header, std::uint32_t(height));
    header.append(char(8)); // bits per channel
    header.append(char(2)); // colour type: RGB
    header.append(char(0)); // deflate
    header.append(char(0)); // adaptive filtering, every row with filter 0 (none)
    header.append(char(0)); // not interlaced

    QByteArray raw;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.append(char(0));
        raw.append(rgb.constData() + y * rowBytes, rowBytes);
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    QByteArray packed(qsizetype(packedSize), '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        return {};
    packed.truncate(qsizetype(packedSize));

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", QByteArray());
    return png;
}
