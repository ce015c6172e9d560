// SPDX-License-Identifier: MIT
#include "core/editor/codelines.h"

#include <algorithm>
#include <utility>

namespace {

// Room made at once when the gap is full: a share of the whole, so that a run of inserts
// moves the entries after the gap once per that many inserts, not once per insert.
qsizetype roomFor(qsizetype needed, qsizetype lines)
{
    return std::max({needed, lines / 16, qsizetype(64)});
}

} // namespace

const QStringList& CodeLines::toList() const
{
    closeGap();
    return store;
}

void CodeLines::moveGap(qsizetype to) const
{
    if (gapSize == 0) {
        gapStart = to;
        return;
    }
    if (to == gapStart)
        return;
    QString* p = store.data();
    // Every entry of the gap is a null string, so swapping a line into it leaves a null
    // string behind: the gap moves without an allocation.
    if (to < gapStart) {
        for (qsizetype i = gapStart - 1; i >= to; --i)
            p[i].swap(p[i + gapSize]);
    } else {
        for (qsizetype i = gapStart; i < to; ++i)
            p[i].swap(p[i + gapSize]);
    }
    gapStart = to;
}

void CodeLines::closeGap() const
{
    if (gapSize == 0)
        return;
    moveGap(size());
    store.resize(size());
    gapSize = 0;
}

void CodeLines::openGap(qsizetype to, qsizetype n)
{
    moveGap(to);
    if (gapSize >= n)
        return;
    const qsizetype more = roomFor(n, size()) - gapSize;
    store.insert(gapStart + gapSize, more, QString());
    gapSize += more;
}

void CodeLines::insert(qsizetype i, QString&& line)
{
    openGap(i, 1);
    store[gapStart++] = std::move(line);
    --gapSize;
}

void CodeLines::insert(qsizetype i, qsizetype n, const QString& line)
{
    if (n <= 0)
        return;
    openGap(i, n);
    std::fill_n(store.begin() + gapStart, n, line);
    gapStart += n;
    gapSize -= n;
}

void CodeLines::insert(qsizetype i, const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    openGap(i, lines.size());
    std::copy(lines.cbegin(), lines.cend(), store.begin() + gapStart);
    gapStart += lines.size();
    gapSize -= lines.size();
}

void CodeLines::remove(qsizetype i, qsizetype n)
{
    if (n <= 0)
        return;
    moveGap(i);
    std::fill_n(store.begin() + gapStart + gapSize, n, QString());
    gapSize += n;
    // A gap far larger than the text holds memory for nothing.
    if (gapSize > 4096 && gapSize > 2 * size())
        closeGap();
}

QString CodeLines::takeAt(qsizetype i)
{
    QString line = std::move((*this)[i]);
    removeAt(i);
    return line;
}

void CodeLines::clear()
{
    store.clear();
    gapStart = gapSize = 0;
}

QStringList CodeLines::mid(qsizetype pos, qsizetype n) const
{
    const qsizetype total = size();
    pos = std::clamp<qsizetype>(pos, 0, total);
    const qsizetype end = n < 0 ? total : std::min(total, pos + n);
    QStringList part;
    part.reserve(end - pos);
    for (qsizetype i = pos; i < end; ++i)
        part.append((*this)[i]);
    return part;
}

bool operator==(const CodeLines& a, const CodeLines& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

bool operator==(const CodeLines& a, const QStringList& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

QDebug operator<<(QDebug debug, const CodeLines& lines)
{
    return debug << lines.toList();
}
