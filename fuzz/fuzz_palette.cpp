// SPDX-License-Identifier: MIT
// Fuzzes the palette parser: any text of a "plt" setting gives sixteen opaque colours, and
// every group of digits reads as a plain digit-by-digit reading says it must.

#include "core/app/settingslist.h"
#include "core/sprite/palettes.h"
#include "fuzzsupport.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// The rule, spelt out slowly: a hex digit of either case counts as itself; anything else
// counts as the digit before it, 0 at the start.
std::uint32_t slowHexColour(QStringView group)
{
    std::uint32_t value = 0;
    int last = 0;
    for (const QChar c : group) {
        bool ok = false;
        const int digit = QString(c).toInt(&ok, 16);
        if (ok && c.unicode() < 128)
            last = digit;
        value = value * 16 + std::uint32_t(last);
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto paletteIndex = input.ConsumeIntegralInRange<int>(0, int(paletteTable.size()) - 1);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    // Half the inputs as UTF-16 code units, so characters beyond Latin-1 are met too.
    const QString text =
        bytes.size() % 2 == 0
            ? QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data()), qsizetype(bytes.size() / 2))
            : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));

    for (qsizetype start = 0; start < text.size(); start += 6) {
        const QStringView group = QStringView(text).mid(start, 6);
        const std::uint32_t value = parseHexColour(group);
        if (value != slowHexColour(group))
            check(QStringLiteral("group %1 reads as %2, the rule gives %3")
                      .arg(group.toString())
                      .arg(value, 0, 16)
                      .arg(slowHexColour(group), 0, 16));
        check(value <= 0xFFFFFFu, "six digits read as more than 24 bits");
    }

    SettingsList settings;
    const QString key = QStringLiteral("plt") + QLatin1StringView(paletteTable.at(paletteIndex).name);
    settings.setValue(key, text);
    const Palette palette = loadPalette(settings, paletteIndex);
    // setValue blanks line breaks; the palette reads what the store holds. A palette added
    // after the first release has no row in older settings files: empty, it is its defaults.
    QString stored = settings.value(key);
    if (stored.isEmpty() && paletteIndex >= firstReleasePaletteCount)
        stored = QString::fromLatin1(paletteTable.at(paletteIndex).defaultHex);
    for (int i = 0; i < 16; ++i) {
        check((palette[i] >> 24) == 0xFF, "a palette colour that is not opaque");
        const QStringView group = QStringView(stored).mid(qMin<qsizetype>(6 * i, stored.size()), 6);
        check((palette[i] & 0xFFFFFFu) == (slowHexColour(group) & 0xFFFFFFu),
              "a colour not read from its group");
    }
    return 0;
}
