#include "app/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <utility>

QStringList splitLines(const QString& text)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
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

bool fitsLatin1(const QStringList& lines)
{
    return std::all_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
    });
}

} // namespace

TextFile decodeText(const QByteArray& bytes, std::optional<TextEncoding> known)
{
    TextFile file;
    const QByteArrayView view(bytes);
    if (known == TextEncoding::Latin1) {
        file.encoding = TextEncoding::Latin1;
        file.lines = splitLines(QString::fromLatin1(bytes));
        return file;
    }
    if (known == TextEncoding::Utf8) {
        bool invalid = false;
        QString text = decodeKeepingMarks(QStringConverter::Utf8, view, &invalid);
        if (!invalid) {
            file.lines = splitLines(text);
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
    } else {
        // Decoding a file that is not UTF-8 as UTF-8 would replace its bytes on the next
        // save, so such a file is kept byte for byte as Latin-1.
        bool invalid = false;
        QString text = decodeKeepingMarks(QStringConverter::Utf8, view, &invalid);
        if (invalid) {
            file.encoding = TextEncoding::Latin1;
            text = QString::fromLatin1(bytes);
        }
        file.lines = splitLines(text);
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

QByteArray encodeText(const QStringList& lines, TextEncoding encoding)
{
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    switch (writtenEncoding(lines, encoding)) {
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::Latin1: return text.toLatin1();
    case TextEncoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case TextEncoding::Utf16LeBom: {
        QStringEncoder encode(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        return encode(text);
    }
    case TextEncoding::Utf16BeBom: {
        QStringEncoder encode(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
        return encode(text);
    }
    }
    return text.toUtf8();
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

std::optional<QByteArray> readWholeFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<TextFile> readTextFile(const QString& path, QString* error)
{
    const auto bytes = readWholeFile(path, error);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool writeTextFile(const QString& path, const QStringList& lines, TextEncoding encoding, QString* error)
{
    return writeFileAtomically(path, encodeText(lines, encoding), error);
}

bool writeLinesCrLf(const QString& path, const QStringList& lines, QString* error)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        QByteArray encoded = line.toUtf8();
        if (const qsizetype nul = encoded.indexOf('\0'); nul >= 0)
            encoded.truncate(nul);
        bytes += encoded;
        bytes += "\r\n";
    }
    if (writeFileAtomically(path, bytes, nullptr))
        return true;
    if (error)
        *error = QStringLiteral("Failed to create ") + path;
    return false;
}
