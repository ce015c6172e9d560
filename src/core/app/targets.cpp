// SPDX-License-Identifier: MIT
#include "core/app/targets.h"

const ConsoleTarget* consoleTarget(const QString& lang, std::span<const ConsoleTarget> table)
{
    // Only the exact text the System page stores names a row: " 1" or "01" name none.
    for (const ConsoleTarget& t : table) {
        if (lang == langValue(t))
            return &t;
    }
    return nullptr;
}

const ConsoleTarget& consoleTargetOrFirst(const QString& lang, std::span<const ConsoleTarget> table)
{
    const ConsoleTarget* t = consoleTarget(lang, table);
    return t ? *t : table.front();
}

const ConsoleTarget& consoleTargetAt(int index)
{
    if (index < 0 || index >= int(consoleTargets.size()))
        return consoleTargets.front();
    return consoleTargets[size_t(index)];
}

QString langValue(const ConsoleTarget& target)
{
    return QString::number(target.lang);
}
