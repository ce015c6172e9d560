// SPDX-License-Identifier: MIT
#include "core/app/settingslist.h"

qsizetype SettingsList::indexOf(QStringView key) const
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && QStringView(line).left(eq).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString SettingsList::value(QStringView key) const
{
    const qsizetype i = indexOf(key);
    if (i < 0)
        return {};
    const QString& line = lines[i];
    return line.mid(line.indexOf(u'=') + 1);
}

void SettingsList::setValue(const QString& key, const QString& value)
{
    const qsizetype i = indexOf(key);
    if (value.isEmpty()) {
        if (i >= 0)
            lines.removeAt(i);
        return;
    }
    // The store is saved line by line: a line break pasted into a value would split it
    // into a second, foreign line of the settings file, so each becomes a blank.
    QString line = key + u'=' + value;
    for (QChar& c : line)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    if (i >= 0)
        lines[i] = line;
    else
        lines.append(line);
}

std::optional<int> SettingsList::intValue(QStringView key) const
{
    bool ok = false;
    const int n = value(key).toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}
