#include "app/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

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

TextFile decodeText(const QByteArray& bytes)
{
    TextFile file;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        file.encoding = TextEncoding::Utf8Bom;
        file.lines = splitLines(QString::fromUtf8(bytes.mid(3)));
    } else if (bytes.startsWith("\xFF\xFE")) {
        file.encoding = TextEncoding::Utf16LeBom;
        QStringDecoder decode(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        file.lines = splitLines(decode(bytes.mid(2)));
    } else if (bytes.startsWith("\xFE\xFF")) {
        file.encoding = TextEncoding::Utf16BeBom;
        QStringDecoder decode(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        file.lines = splitLines(decode(bytes.mid(2)));
    } else {
        // Decoding a file that is not UTF-8 as UTF-8 would replace its bytes on the next
        // save, so such a file is kept byte for byte as Latin-1.
        QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decode(bytes);
        if (decode.hasError()) {
            file.encoding = TextEncoding::Latin1;
            text = QString::fromLatin1(bytes);
        }
        file.lines = splitLines(text);
    }
    return file;
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
    switch (encoding) {
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::Latin1: {
        // A character typed into such a file that Latin-1 cannot hold would become "?";
        // the text is written as UTF-8 then, which keeps every character, and is read
        // back as UTF-8.
        const bool fits =
            std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
        return fits ? text.toLatin1() : text.toUtf8();
    }
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
