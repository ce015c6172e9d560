// SPDX-License-Identifier: MIT
#include "core/sprite/palettes.h"

#include "core/app/settingslist.h"

const std::array<PaletteEntry, 18> paletteTable = {{
    {"DB16",
     "140c1c44243430346d4e4a4e854c30346524d04648757161597dced27d2c8595a16daa2cd2aa996dc2cadad45edeeed6"},
    {"PICO-8",
     "0000001d2b537e2553008751ab52365f574fc2c3c7fff1e8ff004dffa300ffec2700e43629adff83769cff77a8ffccaa"},
    {"ARNE16",
     "0000001b2632005784493c2ba4642244891abe26332f484e31a2f2eb89319d9d9da3ce27e06f8bb2dceff7e26bffffff"},
    {"EDG16",
     "193d3f3f2832743f399e2835b86f50327345e53b444f67810484d1fb922bafbfd263c64de4a6722ce8f4ffe762ffffff"},
    {"A64",
     "0000004c3435313a9148545492562b509450b148638080787655a28385cf9cabb19ccc47cd93738fbfd5bbc840ede6c8"},
    {"C64",
     "00000057420040318d5050508b542955a0498839327878788b3f967869c49f9f9f94e089b8696267b6bdbfce72ffffff"},
    {"VIC20",
     "000000772d2642348ba85fb4b668627e70caa8734a559e4ae99df5e9b287bdcc7185d4dc92df87c5ffffffffb0ffffff"},
    {"CGA",
     "000000aa00000000aa555555aa550000aa00ff5555aaaaaa5555ffaa00aa00aaaa55ff55ff55ff55ffffffff55ffffff"},
    {"SLIFE",
     "0000001226153f28117a2222513155d13b27286fb85d853acc8218e07f8a9b8bff68c127c7b581b3e868a8e4d4ffffff"},
    {"JMP",
     "000000191028833129453e78216c4bdc534b7664fed365c846af45e18d79afaab9d6b97b9ec2e8a1d685e9d8a1f5f4eb"},
    {"CGARNE",
     "0000002234d15c2e788a36225e606e0c7e45e23d69aa5c3d4c81fb44aacceb8a60b5b5b56cd9477be2f9ffd93fffffff"},
    {"PSYG",
     "0000001b1e29003308362747084a3c443f41a2324e52524c546a0073615064647c516cbf77785be08b799ea4a7cbe8f7"},
    {"EROGE",
     "0d080d2a23494f2b247d384032535f825b314180a0c16c5bc591547bb24e74adbbe89973bebbb2f0bd77fbdf9bfff9e4"},
    {"EISLAND",
     "051625794765686086567864ca657e8686918184abcc8d867ea78839d4b98dbcd29dc085edc38de6d1d1f5e17af6f6bf"},
    {"BARNES",
     "0000004e1b56133347402e042045b1a52f08185c25656764699321708cffd28243a6a8a5b8d06ae6bdb3b1cff2ececec"},
    {"VV16",
     "111111554488556622999999884433cc77aacc9944ffccbb3333337766aa778844bbbbbbaa6655ee99cceebb66ffeedd"},
    {"MSX",
     "00000000000025da256cff6c2125ff4770fcb723234dd8ffff2521ff6c6cdbda26ddd993269126d74bb6b6b6b6ffffff"},
    {"SWEETIE16",
     "1a1c2c5d275db13e53ef7d57ffcd75a7f07038b76425717929366f3b5dc941a6f673eff7f4f4f494b0c2566c86333c57"},
}};

std::uint32_t parseHexColour(QStringView group)
{
    // "0"-"9" and "a"-"f" are the digits the program writes; "A"-"F" are read the same way,
    // since a hand-edited "FF0000" means red. Anything else repeats the digit before it
    // (0 at the start), so a damaged value never reads undefined memory.
    std::uint32_t value = 0;
    std::uint32_t digit = 0;
    for (const QChar c : group) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        value = value * 16 + digit;
    }
    return value;
}

Palette loadPalette(const SettingsList& settings, int paletteIndex)
{
    const PaletteEntry& entry = paletteTable.at(paletteIndex);
    const QString key = QStringLiteral("plt") + QLatin1StringView(entry.name);
    const QString text = settings.value(key);
    if (text.isEmpty() && paletteIndex >= firstReleasePaletteCount)
        return paletteFromHex(QString::fromLatin1(entry.defaultHex));
    return paletteFromHex(text);
}

Palette paletteFromHex(QStringView text)
{
    Palette palette{};
    for (int i = 0; i < 16; ++i) {
        const QStringView group = text.mid(qMin<qsizetype>(6 * i, text.size()), 6);
        palette[i] = 0xFF000000u | (parseHexColour(group) & 0xFFFFFFu);
    }
    return palette;
}
