#pragma once
// The text file form of the workspace: lines with CR LF after every line, read back with
// CR LF, LF or CR, in the encoding the file was found in, so that opening and saving a
// file never changes its bytes beyond the line ends.

#include "app/atomicfile.h"

#include <QByteArray>
#include <QStringList>

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

// Splits text into lines at CR LF, LF or CR; a line end at the very end adds no empty line.
QStringList splitLines(const QString& text);
// Splits bytes into lines; an empty input gives no lines at all.
TextFile decodeText(const QByteArray& bytes);
// Every line followed by CR LF, with the encoding's byte-order mark in front.
QByteArray encodeText(const QStringList& lines, TextEncoding encoding);
// The same bytes, encoded line by line straight into sink.
void encodeTextInto(ByteSink& sink, const QStringList& lines, TextEncoding encoding);

// Reads a text file; on failure returns nothing and sets error to a message naming the file.
std::optional<TextFile> readTextFile(const QString& path, QString* error);
// Writes through writeFileAtomically, encoding as it goes: a crash or a full disk leaves
// the old file or the new one, never a torn one.
bool writeTextFile(const QString& path, const QStringList& lines, TextEncoding encoding, QString* error);

// The export file form the consoles load: each line as 8-bit text (UTF-8 here) up to its
// first NUL, then CR LF. Written atomically. On failure error is "Failed to create ", the
// path, a line break and the cause.
bool writeLinesCrLf(const QString& path, const QStringList& lines, QString* error);
