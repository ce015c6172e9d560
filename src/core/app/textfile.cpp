// SPDX-License-Identifier: MIT
#include "core/app/textfile.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype rest = forEachEndedLine(text.size(), unitFinder(text), [&](qsizetype start, qsizetype length) {
        lines.append(text.mid(start, length));
        return true;
    });
    if (rest < text.size())
        lines.append(text.mid(rest));
    return lines;
}

namespace {

// A decoder that keeps a leading U+FEFF: the mark of the file is cut off before decoding,
// so whatever U+FEFF is left belongs to the text.
QString decodeKeepingMarks(QStringConverter::Encoding encoding, QByteArrayView bytes, bool* error = nullptr)
{
    QStringDecoder decode(encoding,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decode(bytes);
    if (error)
        *error = decode.hasError();
    return text;
}

#ifdef __SSE2__
// Whether none of the eight code units at at has a bit of mask set.
bool eightUnitsClear(const char16_t* at, __m128i mask)
{
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, mask), _mm_setzero_si128())) == 0xFFFF;
}

// The eight code units at from, each below 0x100, as eight bytes at to.
void packEightUnits(const char16_t* from, char* to)
{
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(to), _mm_packus_epi16(units, units));
}
#endif

bool lineFitsLatin1(QStringView line)
{
    const char16_t* p = line.utf16();
    const char16_t* const end = p + line.size();
#ifdef __SSE2__
    const __m128i high = _mm_set1_epi16(short(0xFF00));
    const auto fits = [&high](const char16_t* at) { return eightUnitsClear(at, high); };
    if (end - p >= 8) {
        for (; end - p >= 8; p += 8)
            if (!fits(p))
                return false;
        // The short rest: the last eight units again, some of them looked at already.
        return p == end || fits(end - 8);
    }
#endif
    return std::all_of(p, end, [](char16_t c) { return c <= 0xFF; });
}

bool fitsLatin1(const QStringList& lines)
{
    return std::all_of(lines.cbegin(), lines.cend(),
                       [](const QString& line) { return lineFitsLatin1(line); });
}

} // namespace

namespace {

// Calls take(start, length) for every line of 8-bit text, split as splitLines splits. CR and
// LF never occur inside a UTF-8 sequence, so the lines of the bytes are the lines of the
// decoded text.
template <typename Take> void forEachByteLine(QByteArrayView bytes, Take take)
{
    // memchr scans many bytes at a time.
    const char* const p = bytes.data();
    const qsizetype n = bytes.size();
    const auto find = [p, n](char c, qsizetype from) {
        const void* at = from < n ? std::memchr(p + from, c, size_t(n - from)) : nullptr;
        return at ? static_cast<const char*>(at) - p : n;
    };
    const qsizetype rest = forEachEndedLine(n, find, take);
    if (rest >= 0 && rest < n)
        take(rest, n - rest);
}

qsizetype byteLineCount(QByteArrayView bytes)
{
    qsizetype count = 0;
    forEachByteLine(bytes, [&count](qsizetype, qsizetype) { return ++count, true; });
    return count;
}

// Decodes line by line straight into the list, one string per line and no whole text.
QStringList latin1Lines(QByteArrayView bytes)
{
    QStringList lines;
    lines.reserve(byteLineCount(bytes));
    forEachByteLine(bytes, [&](qsizetype start, qsizetype length) {
        lines.append(QString::fromLatin1(bytes.sliced(start, length)));
        return true;
    });
    return lines;
}

bool isAscii(QByteArrayView bytes)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
#ifdef __SSE2__
    if (end - p >= 16) {
        const auto ascii16 = [](const char* at) {
            return _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at))) == 0;
        };
        for (; end - p >= 16; p += 16)
            if (!ascii16(p))
                return false;
        // The short rest: the last sixteen bytes again, some of them looked at already.
        return p == end || ascii16(end - 16);
    }
#endif
    return std::all_of(p, end, [](char c) { return quint8(c) < 0x80; });
}

// The same for UTF-8, with the decoder and flags a whole-text decode uses; nothing when
// the bytes are not valid UTF-8.
std::optional<QStringList> utf8Lines(QByteArrayView bytes)
{
    QStringDecoder decode(QStringConverter::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QStringList lines;
    lines.reserve(byteLineCount(bytes));
    bool invalid = false;
    forEachByteLine(bytes, [&](qsizetype start, qsizetype length) {
        const QByteArrayView bytesOfLine = bytes.sliced(start, length);
        // Most lines of a program are ASCII, which decodes as Latin-1 does, without the
        // decoder's work per call.
        if (isAscii(bytesOfLine)) {
            lines.append(QString::fromLatin1(bytesOfLine));
            return true;
        }
        // Straight into the line's own string: one allocation, no decoded copy.
        QString line(decode.requiredSpace(length), Qt::Uninitialized);
        const QChar* end = decode.appendToBuffer(line.data(), bytesOfLine);
        line.truncate(end - line.constData());
        lines.append(std::move(line));
        invalid = decode.hasError();
        return !invalid;
    });
    if (invalid)
        return std::nullopt;
    return lines;
}

} // namespace

TextFile decodeText(const QByteArray& bytes, std::optional<TextEncoding> known)
{
    TextFile file;
    const QByteArrayView view(bytes);
    if (known == TextEncoding::Latin1) {
        file.encoding = TextEncoding::Latin1;
        file.lines = latin1Lines(view);
        return file;
    }
    if (known == TextEncoding::Utf8) {
        if (std::optional<QStringList> lines = utf8Lines(view)) {
            file.lines = std::move(*lines);
            return file;
        }
    }
    // The marked encodings need nothing remembered: their mark says them.
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        file.encoding = TextEncoding::Utf8Bom;
        file.lines = splitLines(decodeKeepingMarks(QStringConverter::Utf8, view.sliced(3)));
    } else if (bytes.startsWith("\xFF\xFE")) {
        file.encoding = TextEncoding::Utf16LeBom;
        file.lines = splitLines(decodeKeepingMarks(QStringConverter::Utf16LE, view.sliced(2)));
    } else if (bytes.startsWith("\xFE\xFF")) {
        file.encoding = TextEncoding::Utf16BeBom;
        file.lines = splitLines(decodeKeepingMarks(QStringConverter::Utf16BE, view.sliced(2)));
    } else if (std::optional<QStringList> lines = utf8Lines(view)) {
        file.lines = std::move(*lines);
    } else {
        // Decoding a file that is not UTF-8 as UTF-8 would replace its bytes on the next
        // save, so such a file is kept byte for byte as Latin-1.
        file.encoding = TextEncoding::Latin1;
        file.lines = latin1Lines(view);
    }
    return file;
}

TextEncoding writtenEncoding(const QStringList& lines, TextEncoding encoding)
{
    // A character typed into a Latin-1 file that Latin-1 cannot hold would become "?".
    if (encoding == TextEncoding::Latin1 && !fitsLatin1(lines))
        return TextEncoding::Utf8;
    return encoding;
}

namespace {

// UTF-8 of one piece of text into out, which has room for 3 bytes per code unit. A
// surrogate without its partner becomes "?", as QString::toUtf8 makes it, so that a text
// encoded here has the bytes it always had.
char* appendUtf8(char* out, QStringView text)
{
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
#ifdef __SSE2__
        // Program text is mostly ASCII: eight code units at a time while they all are.
        const __m128i high = _mm_set1_epi16(short(0xFF80));
        const char16_t* const runStart = p;
        while (end - p >= 8 && eightUnitsClear(p, high)) {
            packEightUnits(p, out);
            p += 8;
            out += 8;
        }
        // The short rest of an ASCII run of eight or more: the last eight units again,
        // overlapping bytes already written with the same values.
        if (p < end && end - p < 8 && end - runStart >= 8 && eightUnitsClear(end - 8, high)) {
            packEightUnits(end - 8, out - (8 - (end - p)));
            out += end - p;
            p = end;
        }
        if (p == end)
            break;
#endif
        const char16_t c = *p++;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (!QChar::isSurrogate(c)) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p)) {
            const char32_t u = QChar::surrogateToUcs4(c, *p++);
            *out++ = char(0xF0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3F));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            *out++ = '?';
        }
    }
    return out;
}

// One reserve for a line and its end: the lines of a program are short, so the work per
// call counts as much as the work per character.
void putUtf8CrLf(ByteSink& sink, QStringView text)
{
    char* out = appendUtf8(sink.reserve(3 * text.size() + 2), text);
    *out++ = '\r';
    *out++ = '\n';
    sink.commit(out);
}

void putLatin1CrLf(ByteSink& sink, QStringView text)
{
    char* out = sink.reserve(text.size() + 2);
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
#ifdef __SSE2__
    // Every unit is below 0x100 here (writtenEncoding checked it), so packing keeps it.
    if (end - p >= 8) {
        for (; end - p >= 8; p += 8, out += 8)
            packEightUnits(p, out);
        // The short rest: the last eight units again, over bytes already written with
        // the same values.
        if (p < end) {
            packEightUnits(end - 8, out - (8 - (end - p)));
            out += end - p;
            p = end;
        }
    }
#endif
    while (p < end)
        *out++ = char(*p++);
    *out++ = '\r';
    *out++ = '\n';
    sink.commit(out);
}


void putUtf16Le(ByteSink& sink, QStringView text)
{
    if (text.isEmpty())
        return; // an empty view may have no data at all
    char* out = sink.reserve(2 * text.size());
    qToLittleEndian<char16_t>(text.utf16(), text.size(), out);
    sink.commit(out + 2 * text.size());
}

void putUtf16Be(ByteSink& sink, QStringView text)
{
    if (text.isEmpty())
        return; // an empty view may have no data at all
    char* out = sink.reserve(2 * text.size());
    qToBigEndian<char16_t>(text.utf16(), text.size(), out);
    sink.commit(out + 2 * text.size());
}

} // namespace

void encodeTextInto(ByteSink& sink, const QStringList& lines, TextEncoding encoding)
{
    // A loop of its own for each encoding, so that the encoder of a line is inlined into it
    // rather than called through a pointer once per line.
    const auto putLines = [&sink, &lines](auto putLine) {
        for (const QString& line : lines) {
            // Once the disk is full there is no point in encoding the rest.
            if (sink.failed())
                return;
            putLine(sink, line);
        }
    };
    const QStringView lineEnd = u"\r\n";
    switch (writtenEncoding(lines, encoding)) {
    case TextEncoding::Utf8Bom:
        sink.append("\xEF\xBB\xBF", 3);
        [[fallthrough]];
    case TextEncoding::Utf8:
        putLines([](ByteSink& to, QStringView line) { putUtf8CrLf(to, line); });
        return;
    case TextEncoding::Latin1:
        putLines([](ByteSink& to, QStringView line) { putLatin1CrLf(to, line); });
        return;
    case TextEncoding::Utf16LeBom:
        sink.append("\xFF\xFE", 2);
        putLines([lineEnd](ByteSink& to, QStringView line) {
            putUtf16Le(to, line);
            putUtf16Le(to, lineEnd);
        });
        return;
    case TextEncoding::Utf16BeBom:
        sink.append("\xFE\xFF", 2);
        putLines([lineEnd](ByteSink& to, QStringView line) {
            putUtf16Be(to, line);
            putUtf16Be(to, lineEnd);
        });
        return;
    }
}

QByteArray encodeText(const QStringList& lines, TextEncoding encoding)
{
    QByteArray bytes;
    ByteSink sink([&bytes](const char* data, qsizetype size) {
        bytes.append(data, size);
        return true;
    });
    encodeTextInto(sink, lines, encoding);
    sink.flush();
    return bytes;
}

namespace {

constexpr std::pair<TextEncoding, const char*> encodingNames[] = {
    {TextEncoding::Utf8, "utf8"},          {TextEncoding::Latin1, "latin1"},
    {TextEncoding::Utf8Bom, "utf8bom"},    {TextEncoding::Utf16LeBom, "utf16le"},
    {TextEncoding::Utf16BeBom, "utf16be"},
};

} // namespace

QString encodingName(TextEncoding encoding)
{
    for (const auto& [e, name] : encodingNames)
        if (e == encoding)
            return QLatin1StringView(name);
    return QStringLiteral("utf8");
}

std::optional<TextEncoding> encodingFromName(const QString& name)
{
    for (const auto& [e, n] : encodingNames)
        if (name == QLatin1StringView(n))
            return e;
    return std::nullopt;
}

Result<TextFile> readTextFile(const QString& path)
{
    const auto bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.message()};
    return decodeText(*bytes);
}

Result<> writeTextFile(const QString& path, const QStringList& lines, TextEncoding encoding)
{
    return writeFileAtomically(path, [&](ByteSink& sink) { encodeTextInto(sink, lines, encoding); });
}

void putExportLine(ByteSink& sink, QStringView line)
{
    // The consoles read C strings: a line ends at its first zero character.
    const qsizetype nul = line.indexOf(QChar(0));
    putUtf8CrLf(sink, nul < 0 ? line : line.left(nul));
}

Result<> writeLinesCrLf(const QString& path, const QStringList& lines)
{
    const auto produce = [&lines](ByteSink& sink) {
        for (const QString& line : lines) {
            if (sink.failed())
                return;
            putExportLine(sink, line);
        }
    };
    return writeFileAtomically(path, produce, "Failed to create %1\n%2");
}
