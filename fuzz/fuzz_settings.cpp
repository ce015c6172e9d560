// SPDX-License-Identifier: MIT
// Fuzzes the settings reader: any bytes read as the settings file start the program's
// settings the way start-up does (repair of the numbers, the keyboard captions of both
// pages, the palette, the size settings), every numeric setting is usable afterwards, and
// the store saved and read again holds the same values.

#include "core/app/settingslist.h"
#include "core/app/settingsrepair.h"
#include "core/commands/dispatcher.h"
#include "core/editor/keylayout.h"
#include "core/sprite/palettes.h"
#include "fuzzsupport.h"
#include "textchecks.h"

#include <algorithm>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr const char* numericKeys[] = {"width", "keyheight", "command", "sprite", "lang", "palette"};

void checkCaptions(const SettingsList& settings)
{
    for (int page = 1; page <= 2; ++page) {
        for (const bool shiftOn : {false, true}) {
            int labelCycle = 0;
            for (int row = 0; row < keyRows; ++row) {
                for (int column = 0; column < keyColumns; ++column) {
                    const QString caption = keyCaption(settings, page, row, column, shiftOn, labelCycle);
                    check(labelCycle >= 0 && labelCycle < 4, "label cycle out of its four turns");
                    check(!caption.contains(u'\r') && !caption.contains(u'\n'),
                          "a caption with a line break");
                    TextModel typed;
                    typed.codeLines.append(QString());
                    typed.codeLines.front() = isCommandCaption(caption) ? QString() : caption;
                    check(textModelProblem(typed, false));
                }
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int keyPanelWidth = input.ConsumeIntegralInRange(0, 4000);
    const std::string name = input.ConsumeRandomLengthString(16);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const TextFile file = decodeText(QByteArray(bytes.data(), qsizetype(bytes.size())));

    SettingsList settings{file.lines};
    const QList<SettingRepair> repairs = repairSettings(settings, keyPanelWidth);
    check(repairs.isEmpty() == repairMessage(repairs).isEmpty(), "a repair without a message");
    for (const char* key : numericKeys) {
        const QString k = QLatin1StringView(key);
        const QString value = settings.value(k);
        if (k == u"sprite" && value.isEmpty())
            continue;
        check(usableSettingValue(k, value).has_value(), "a numeric setting still unusable after repair");
    }
    checkCaptions(settings);
    const int palette = usableSettingValue(u"palette", settings.value(u"palette")).value_or(0);
    const Palette colours = loadPalette(settings, palette);
    check(std::all_of(colours.cbegin(), colours.cend(), [](std::uint32_t c) { return c >> 24 == 0xFF; }),
          "a colour that is not opaque");

    // Close stores the code file's name and writes the store in the encoding it was read in.
    const QString codeName = QString::fromUtf8(name.data(), qsizetype(name.size()));
    settings.setValue(QStringLiteral("code"), codeName);
    if (!keptByTextFileForm(settings.lines, file.encoding))
        return 0;
    const TextFile reread = decodeText(encodeText(settings.lines, file.encoding));
    if (reread.lines != settings.lines)
        check(QStringLiteral("settings %1 read back as %2")
                  .arg(spelledOut(settings.lines), spelledOut(reread.lines)));
    return 0;
}
