// SPDX-License-Identifier: MIT
#pragma once
// The numeric settings that the layout and the editors cannot work without, and how a
// value that is not usable is replaced by the default instead of breaking the program.

#include <QList>
#include <QString>

#include <optional>

struct SettingsList;

struct SettingRepair {
    QString key;
    QString badValue;
    QString defaultValue;
};

// The usable integer of a numeric setting's text, or nothing: "width", "keyheight" and
// "command" need 1 to 10000, "sprite" 1 to 255, "lang" an index of the Language list,
// "palette" an index of the palette table. Text that is not a decimal integer is never usable.
std::optional<int> usableSettingValue(QStringView key, const QString& text);

// Whether a keyboard layout row ("BtnKey11".."BtnKey28") can be used: exactly 10
// printable characters, one per key.
bool usableLayoutRow(const QString& row);

// Replaces every unusable numeric setting and every missing or unusable layout row by its
// default in settings and lists what it replaced. An empty "sprite" stays empty (it means 16). keyPanelWidth
// gives the default key height the way provisioning derives it.
QList<SettingRepair> repairSettings(SettingsList& settings, int keyPanelWidth);

// One message naming every repaired key, its value and the default now used; the layout
// rows are named together in one line.
QString repairMessage(const QList<SettingRepair>& repairs);
