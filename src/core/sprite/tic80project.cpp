// SPDX-License-Identifier: MIT
#include "core/sprite/tic80project.h"

#include "core/sprite/sheetexport.h"
#include "core/sprite/spritesheet.h"

namespace {

constexpr int tileSide = 8;
constexpr int tilesPerRow = tic80SheetWidth / tileSide;         // 16
constexpr int tilesPerBank = tilesPerRow * tic80BankHeight / 8; // 256

const char lowerDigits[] = "0123456789abcdef";

// The 64 pixels of one 8 x 8 tile of a bank, one digit each, row by row: TIC-80 stores two
// pixels per byte, the left one in the low nibble, and writes each byte with its nibbles
// swapped, which puts the digits in pixel order.
QString tileDigits(const QByteArray& indices, int bankTop, int tile)
{
    QString digits;
    digits.reserve(tileSide * tileSide);
    const int left = (tile % tilesPerRow) * tileSide;
    const int top = bankTop + (tile / tilesPerRow) * tileSide;
    for (int y = 0; y < tileSide; ++y)
        for (int x = 0; x < tileSide; ++x)
            digits += QLatin1Char(lowerDigits[std::uint8_t(indices[(top + y) * tic80SheetWidth + left + x])]);
    return digits;
}

// "NNN:" with the index in three decimal digits, as TIC-80 numbers the lines of a section.
QString lineStart(const QString& comment, int index)
{
    return comment + QStringLiteral(" %1:").arg(index, 3, 10, QLatin1Char('0'));
}

// One bank as a section; only tiles with a drawn pixel get a line, and a bank without any
// gives no section.
QStringList bankSection(const QByteArray& indices, int bankTop, const QString& comment, const char* tag)
{
    QStringList lines;
    for (int tile = 0; tile < tilesPerBank; ++tile) {
        const QString digits = tileDigits(indices, bankTop, tile);
        if (digits.count(u'0') != digits.size())
            lines.append(lineStart(comment, tile) + digits);
    }
    if (lines.isEmpty())
        return {};
    const QString name = QLatin1StringView(tag);
    lines.prepend(comment + QStringLiteral(" <") + name + u'>');
    lines.append(comment + QStringLiteral(" </") + name + u'>');
    lines.append(QString());
    return lines;
}

} // namespace

QStringList tic80ProjectSections(const SpriteSheet& sheet, const QString& comment)
{
    const QByteArray indices = tic80SheetIndices(sheet);
    QStringList lines = bankSection(indices, 0, comment, "TILES");
    lines += bankSection(indices, tic80BankHeight, comment, "SPRITES");
    if (lines.isEmpty())
        return {};
    // The colours the sheet is drawn in, as the cart's first palette: red, green and blue
    // of each colour in two digits.
    QString colours;
    for (const std::uint32_t c : sheet.palette)
        colours += QStringLiteral("%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
    lines << comment + QStringLiteral(" <PALETTE>") << lineStart(comment, 0) + colours
          << comment + QStringLiteral(" </PALETTE>") << QString();
    return lines;
}
