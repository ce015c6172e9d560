// SPDX-License-Identifier: MIT
#pragma once
// The settings store: an ordered list of "key=value" lines, the only place settings live.

#include <QStringList>

#include <optional>

struct SettingsList {
    QStringList lines;

    // The value after the first "=" of the first line whose key matches without regard
    // to letter case; the empty text when no line matches.
    QString value(QStringView key) const;
    // Replaces the key's line in place or appends it; an empty value removes the line.
    // A line break in the value is stored as a blank.
    void setValue(const QString& key, const QString& value);
    // The value as a decimal integer; nothing when it is absent or not an integer.
    std::optional<int> intValue(QStringView key) const;

private:
    qsizetype indexOf(QStringView key) const;
};
