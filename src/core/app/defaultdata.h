// SPDX-License-Identifier: MIT
#pragma once
// The program's built-in data: the default files (every console target's prelude and the
// templates) and the keyword list, embedded byte for byte.

#include "core/app/targets.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <array>
#include <span>

struct DefaultFile {
    const char* name;
    const char* folder; // "js" for the preludes, "tempfiles" for the templates
};

namespace defaultfiles {

// The templates the template command lists, in name order.
inline constexpr std::array<const char*, 17> templates{
    "circle",     "ltm_border", "ltm_chk",     "ltm_temp", "palette", "palette_lk",
    "pix_border", "pix_chk",    "pix_default", "pix_temp", "sin",     "tm_border",
    "tm_chk",     "tm_out",     "tm_switch",   "tm_temp",  "tm_yure"};

// Byte order of two file names, as a constant expression.
constexpr bool nameBefore(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b);
}

constexpr bool sameName(const char* a, const char* b)
{
    return !nameBefore(a, b) && !nameBefore(b, a);
}

// The targets' prelude names, each once, in name order; the first count of them are used.
template <size_t N>
constexpr std::array<const char*, N> preludes(std::span<const ConsoleTarget> table, size_t* count)
{
    std::array<const char*, N> names{};
    size_t n = 0;
    for (const ConsoleTarget& t : table)
        if (std::none_of(names.begin(), names.begin() + n,
                         [&t](const char* s) { return sameName(s, t.prelude); }))
            names[n++] = t.prelude;
    std::sort(names.begin(), names.begin() + n, nameBefore);
    *count = n;
    return names;
}

constexpr size_t preludeCount(std::span<const ConsoleTarget> table)
{
    size_t count = 0;
    preludes<consoleTargets.size()>(table, &count);
    return count;
}

constexpr auto build()
{
    std::array<DefaultFile, preludeCount(consoleTargets) + templates.size()> files{};
    size_t count = 0;
    const auto names = preludes<consoleTargets.size()>(consoleTargets, &count);
    size_t i = 0;
    for (size_t p = 0; p < count; ++p)
        files[i++] = {names[p], "js"};
    for (const char* name : templates)
        files[i++] = {name, "tempfiles"};
    return files;
}

} // namespace defaultfiles

// In the order provisioning writes them: the preludes the console-target table names, then
// the templates, each group in name order. A new target's prelude joins by its row alone.
inline constexpr auto defaultFiles = defaultfiles::build();

// The exact bytes of one default file.
QByteArray defaultFileBytes(const DefaultFile& file);

// The 356 built-in keywords, in order; six of them end with a blank.
QStringList builtinKeywords();
