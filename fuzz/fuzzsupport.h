// SPDX-License-Identifier: MIT
#pragma once
// What every fuzz target shares: a failed check reports what went wrong and aborts, which
// libFuzzer records as a crash with the input that caused it.

#include <QString>

#include <cstdio>
#include <cstdlib>

inline void check(const QString& problem)
{
    if (problem.isEmpty())
        return;
    std::fprintf(stderr, "check failed: %s\n", problem.toUtf8().constData());
    std::abort();
}

inline void check(bool ok, const char* what)
{
    if (!ok)
        check(QString::fromUtf8(what));
}
