// SPDX-License-Identifier: MIT
#include "core/app/settingsrepair.h"

#include "core/app/settingslist.h"
#include "core/app/targets.h"
#include "core/editor/keylayout.h"
#include "core/sprite/palettes.h"

#include <algorithm>

namespace {

struct NumericSetting {
    const char* key;
    int min;
    int max;
};

// The upper bounds of the sizes lie far beyond any screen; they only keep the layout's
// products (eight key rows, a cell times its pixels) from overflowing an int.
constexpr NumericSetting numericSettings[] = {
    {"width", 1, 10000},
    {"keyheight", 1, 10000},
    {"command", 1, 10000},
    {"sprite", 1, 255},
    {"lang", 0, int(consoleTargets.size()) - 1},
    {"palette", 0, int(paletteTable.size()) - 1},
};

QString defaultOf(QStringView key, int keyPanelWidth)
{
    if (key == u"width")
        return QStringLiteral("32");
    if (key == u"keyheight")
        return QString::number((keyPanelWidth / 10 + 9) / 3 * 2);
    if (key == u"command")
        return QStringLiteral("26");
    if (key == u"sprite")
        return QStringLiteral("16");
    if (key == u"palette")
        return QString::number(consoleTargets.front().defaultPalette);
    if (key == u"lang")
        return langValue(consoleTargets.front());
    return QStringLiteral("0");
}

bool isLayoutKey(const QString& key)
{
    return key.startsWith(QLatin1StringView("BtnKey"), Qt::CaseInsensitive);
}

} // namespace

bool usableLayoutRow(const QString& row)
{
    const QList<uint> characters = row.toUcs4();
    return characters.size() == keyColumns && std::all_of(characters.cbegin(), characters.cend(),
                                                          [](uint c) { return QChar::isPrint(char32_t(c)); });
}

std::optional<int> usableSettingValue(QStringView key, const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    for (const NumericSetting& s : numericSettings)
        if (key.compare(QLatin1StringView(s.key), Qt::CaseInsensitive) == 0)
            return (n >= s.min && n <= s.max) ? std::optional<int>(n) : std::nullopt;
    return n;
}

QList<SettingRepair> repairSettings(SettingsList& settings, int keyPanelWidth)
{
    QList<SettingRepair> repairs;
    for (const NumericSetting& s : numericSettings) {
        const QString key = QLatin1StringView(s.key);
        const QString text = settings.value(key);
        if (key == u"sprite" && text.isEmpty())
            continue;
        if (usableSettingValue(key, text))
            continue;
        const QString fallback = defaultOf(key, keyPanelWidth);
        repairs.append({key, text, fallback});
        settings.setValue(key, fallback);
    }
    // Without its layout rows the keyboard would have no keys at all.
    for (const KeyRowDefault& row : defaultKeyRows) {
        const QString key = QLatin1StringView(row.key);
        const QString text = settings.value(key);
        if (usableLayoutRow(text))
            continue;
        const QString fallback = QLatin1StringView(row.row);
        repairs.append({key, text, fallback});
        settings.setValue(key, fallback);
    }
    return repairs;
}

QString repairMessage(const QList<SettingRepair>& repairs)
{
    QStringList lines;
    QStringList layoutKeys;
    for (const SettingRepair& r : repairs) {
        // Sixteen rows of garbage would make a message no one reads: the rows go in one line.
        if (isLayoutKey(r.key)) {
            layoutKeys.append(u'"' + r.key + u'"');
            continue;
        }
        lines.append(
            QStringLiteral("The setting \"%1\" holds \"%2\", which cannot be used; the default \"%3\" "
                           "is used instead.")
                .arg(r.key, r.badValue, r.defaultValue));
    }
    if (!layoutKeys.isEmpty())
        lines.append(
            QStringLiteral("The keyboard layout rows %1 were missing or not 10 printable characters; "
                           "their default rows are used instead.")
                .arg(layoutKeys.join(QLatin1StringView(", "))));
    return lines.join(u'\n');
}
