// SPDX-License-Identifier: MIT
#pragma once
// The text file form of the workspace: lines with CR LF after every line, read back with
// CR LF, LF or CR, in the encoding the file was found in, so that opening and saving a
// file never changes its bytes beyond the line ends.

#include "core/app/atomicfile.h"
#include "core/app/result.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <optional>

enum class TextEncoding {
    Utf8,   // no mark, valid UTF-8: the platform's own 8-bit text
    Latin1, // no mark and not valid UTF-8: kept byte for byte
    Utf8Bom,
    Utf16LeBom,
    Utf16BeBom,
};

struct TextFile {
    QStringList lines;
    TextEncoding encoding = TextEncoding::Utf8;
};

// The one rule for where lines end: at CR LF, LF or CR. For a text of n units,
// take(start, length) is called for every piece a line end closes and may return false to
// stop; find(c, from) is the index of the next unit c at or after from, n when there is
// none, so each text form brings its own fast search. Each of CR and LF is searched for
// again only once the walk has passed the last one found, so a text without CR is scanned
// for it once. Returns where the rest after the last line end begins, or -1 when take
// stopped the walk.
template <typename Find, typename Take> qsizetype forEachEndedLine(qsizetype n, Find find, Take take)
{
    qsizetype nextCr = find('\r', 0);
    qsizetype nextLf = find('\n', 0);
    qsizetype start = 0;
    while (true) {
        const qsizetype end = std::min(nextCr, nextLf);
        if (end == n)
            return start;
        if (!take(start, end - start))
            return -1;
        start = end + 1;
        if (end == nextCr && nextLf == end + 1)
            ++start; // CR LF is one line end
        if (nextCr < start)
            nextCr = find('\r', start);
        if (nextLf < start)
            nextLf = find('\n', start);
    }
}

// find for forEachEndedLine over UTF-16 text: Qt's search, many units at a time.
inline auto unitFinder(QStringView text)
{
    return [text](char c, qsizetype from) {
        const qsizetype at = text.indexOf(QChar(c), from);
        return at < 0 ? text.size() : at;
    };
}

// Splits text into lines at CR LF, LF or CR; a line end at the very end adds no empty line.
QStringList splitLines(const QString& text);
// Splits bytes into lines; an empty input gives no lines at all. Without known, the
// encoding is told from a byte-order mark, else UTF-8 when the bytes are valid UTF-8, else
// Latin-1. A known encoding (remembered from when the bytes were written) is used instead
// of that guess, so Latin-1 bytes that happen to begin like a mark or to be valid UTF-8
// read back as they were written; bytes that do not fit it (not valid UTF-8, a missing
// mark) are guessed after all. A U+FEFF after the mark is text and is kept.
TextFile decodeText(const QByteArray& bytes, std::optional<TextEncoding> known = std::nullopt);
// Every line followed by CR LF, in writtenEncoding(lines, encoding), with its mark in front.
QByteArray encodeText(const QStringList& lines, TextEncoding encoding);
// The same bytes, encoded line by line straight into sink.
void encodeTextInto(ByteSink& sink, const QStringList& lines, TextEncoding encoding);
// The encoding encodeText really writes: Latin-1 text holding a character Latin-1 has no
// byte for is written as UTF-8, which keeps every character.
TextEncoding writtenEncoding(const QStringList& lines, TextEncoding encoding);

// Names of the encodings as the settings store them ("utf8", "latin1", "utf8bom",
// "utf16le", "utf16be"), and back; a name that is none of these gives nothing.
QString encodingName(TextEncoding encoding);
std::optional<TextEncoding> encodingFromName(const QString& name);

// Reads a text file; a failure's message names the file.
Result<TextFile> readTextFile(const QString& path);
// Writes through writeFileAtomically, encoding as it goes: a crash or a full disk leaves
// the old file or the new one, never a torn one.
Result<> writeTextFile(const QString& path, const QStringList& lines, TextEncoding encoding);

// The export file form the consoles load: each line as 8-bit text (UTF-8 here) up to its
// first NUL, then CR LF. Written atomically. A failure's message is "Failed to create ",
// the path, a line break and the cause.
Result<> writeLinesCrLf(const QString& path, const QStringList& lines);
// One line of that form into sink, for writers that stream their lines.
void putExportLine(ByteSink& sink, QStringView line);
