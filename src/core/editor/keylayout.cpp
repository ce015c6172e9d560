// SPDX-License-Identifier: MIT
#include "core/editor/keylayout.h"

const std::array<KeyRowDefault, 16> defaultKeyRows = {{
    {"BtnKey11", "1234567890"},
    {"BtnKey12", "!\"#$%&'()X"},
    {"BtnKey13", "@{}_;:+-*="},
    {"BtnKey14", ",./\\<>?[]|"},
    {"BtnKey15", "qwertyuiop"},
    {"BtnKey16", "asdfghjklN"},
    {"BtnKey17", "zxcvbnmTUO"},
    {"BtnKey18", "SHEI OKLDR"},
    {"BtnKey21", "AAAAOFFFFZ"},
    {"BtnKey22", "WWVVOYOOOX"},
    {"BtnKey23", "OOOOOOOOOM"},
    {"BtnKey24", "^~`OOOCQPP"},
    {"BtnKey25", "qwertyuiop"},
    {"BtnKey26", "asdfghjklN"},
    {"BtnKey27", "zxcvbnmTUO"},
    {"BtnKey28", "SHEI OKLDR"},
}};

#include "core/app/settingslist.h"

namespace {

// A fixed mapping for the letters whose caption never changes.
QString fixedCaption(QChar c)
{
    switch (c.unicode()) {
    case u'&': return QStringLiteral("&&");
    case u'L': return QStringLiteral("<-");
    case u'U': return QStringLiteral("^^");
    case u'D': return QStringLiteral("vv");
    case u'R': return QStringLiteral("->");
    case u'H': return QStringLiteral("Hm");
    case u'E': return QStringLiteral("En");
    case u'S': return QStringLiteral("Sh");
    case u'K': return QStringLiteral("Ky");
    case u'N': return QStringLiteral("Rt");
    case u'X': return QStringLiteral("Bs");
    case u'O': return QStringLiteral("");
    case u'T': return QStringLiteral("Dl");
    case u'I': return QStringLiteral("Tm");
    case u'Q': return QStringLiteral("Jp");
    case u'Y': return QStringLiteral("Sp");
    case u'C': return QStringLiteral("Jn");
    case u'M': return QStringLiteral("Wn");
    case u'Z': return QStringLiteral("Un");
    default: return QString(); // null: not a fixed letter
    }
}

// "V", "W" and "P" share one two-way toggle with the four-way cycle of "A" and "F".
QString toggled(const char* first, const char* second, int& labelCycle)
{
    const bool isFirst = labelCycle == 0;
    labelCycle = isFirst ? 1 : 0;
    return QLatin1StringView(isFirst ? first : second);
}

} // namespace

QString keyCaption(const SettingsList& settings, int page, int row, int column, bool shiftOn, int& labelCycle)
{
    const QString layout = settings.value(QStringLiteral("BtnKey%1%2").arg(page).arg(row + 1));
    // One key per character, so a character outside the 16-bit range is one key too.
    const QList<uint> characters = layout.toUcs4();
    if (column < 0 || column >= characters.size())
        return QString();
    const char32_t code = characters[column];
    if (code > 0xFFFF) {
        const QString character = QString::fromUcs4(&code, 1);
        return shiftOn ? character.toUpper() : character;
    }
    const QChar c{char16_t(code)};
    if (const QString fixed = fixedCaption(c); !fixed.isNull())
        return fixed;
    static const char* const selectCycle[] = {"Sl", "Cp", "Ps", "Ct"};
    static const char* const lineCycle[] = {"Ld", "Lc", "Ly", "Lz"};
    switch (c.unicode()) {
    case u'A': {
        const QString caption = QLatin1StringView(selectCycle[labelCycle % 4]);
        labelCycle = (labelCycle + 1) % 4;
        return caption;
    }
    case u'F': {
        const QString caption = QLatin1StringView(lineCycle[labelCycle % 4]);
        labelCycle = (labelCycle + 1) % 4;
        return caption;
    }
    case u'V': return toggled("Rp", "Rn", labelCycle);
    case u'W': return toggled("Fn", "Fi", labelCycle);
    case u'P': return toggled("Hd", "Ft", labelCycle);
    default: return shiftOn ? QString(c).toUpper() : QString(c);
    }
}
