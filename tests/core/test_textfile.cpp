// SPDX-License-Identifier: MIT
// The text file form: any line end reads, CR LF writes, and the encoding a file was
// found in is the one it is written back in, so its bytes survive a round trip.

#include "core/app/textfile.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

namespace {

// The bytes as they were made before the encoders streamed: the whole text joined, then
// converted at once. The streamed bytes must be these, byte for byte.
QByteArray joinedEncoding(const QStringList& lines, TextEncoding encoding)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    switch (encoding) {
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::Latin1: {
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
    return {};
}

// The export form as it was made: each line's UTF-8 up to its first zero byte, then CR LF.
QByteArray joinedExport(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        QByteArray encoded = line.toUtf8();
        if (const qsizetype nul = encoded.indexOf('\0'); nul >= 0)
            encoded.truncate(nul);
        bytes += encoded + "\r\n";
    }
    return bytes;
}

constexpr TextEncoding allEncodings[] = {TextEncoding::Utf8, TextEncoding::Latin1, TextEncoding::Utf8Bom,
                                         TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom};

// Random lines drawn mostly from the code units that make encoders differ: surrogates
// alone and in pairs, NUL, Latin-1 and wider characters.
QStringList randomLines(QRandomGenerator& random)
{
    static const char16_t units[] = {u'a',   u' ',   0x00,   0xE9,   0xFF,   0x100,  0x2192,
                                     0xFEFF, 0xFFFD, 0xD83D, 0xDE00, 0xD800, 0xDBFF, 0xDC00,
                                     0xDFFF, 0x7F,   0x80,   0x7FF,  0x800};
    QStringList lines;
    const int lineCount = random.bounded(5);
    for (int l = 0; l < lineCount; ++l) {
        QString line;
        const int length = random.bounded(8);
        for (int i = 0; i < length; ++i)
            line += QChar(units[random.bounded(int(std::size(units)))]);
        lines.append(line);
    }
    return lines;
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("encoding");

        const int utf8 = int(TextEncoding::Utf8);
        QTest::newRow("a CRLF b LF c CR d")
            << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"} << utf8;
        QTest::newRow("trailing CRLF adds no line") << QByteArray("a\r\n") << QStringList{"a"} << utf8;
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"} << utf8;
        QTest::newRow("empty file -> no lines") << QByteArray() << QStringList{} << utf8;
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF\xC3\xA9\r\n") << QStringList{"\u00e9"}
                                    << int(TextEncoding::Utf8Bom);
        QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE"
                                                      "a\0\r\0\n\0b\0",
                                                      10)
                                        << QStringList{"a", "b"} << int(TextEncoding::Utf16LeBom);
        QTest::newRow("UTF-16 BE mark")
            << QByteArray("\xFE\xFF\0a\0\n", 6) << QStringList{"a"} << int(TextEncoding::Utf16BeBom);
        QTest::newRow("not UTF-8 -> Latin-1")
            << QByteArray("caf\xE9") << QStringList{"caf\u00e9"} << int(TextEncoding::Latin1);
        // A U+FEFF right after the mark is the text's first character, not a second mark.
        QTest::newRow("UTF-8 mark, then U+FEFF")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                          "a")
            << QStringList{QStringLiteral("\uFEFFa")} << int(TextEncoding::Utf8Bom);
        QTest::newRow("UTF-16 LE mark, then U+FEFF")
            << QByteArray("\xFF\xFE\xFF\xFE"
                          "a\0",
                          6)
            << QStringList{QStringLiteral("\uFEFFa")} << int(TextEncoding::Utf16LeBom);
        QTest::newRow("UTF-16 BE mark, then U+FEFF")
            << QByteArray("\xFE\xFF\xFE\xFF\0a", 6) << QStringList{QStringLiteral("\uFEFFa")}
            << int(TextEncoding::Utf16BeBom);
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(int, encoding);
        const TextFile file = decodeText(bytes);
        QCOMPARE(file.lines, lines);
        QCOMPARE(int(file.encoding), encoding);
    }

    // A remembered encoding is used instead of a guess, as long as the bytes fit it.
    void decodeKnown_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("known");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("encoding");
        const int latin1 = int(TextEncoding::Latin1);
        const int utf8 = int(TextEncoding::Utf8);
        QTest::newRow("Latin-1 beginning like a UTF-16 mark")
            << QByteArray("\xFE\xFFprint(1)\r\n") << latin1 << QStringList{"\u00FE\u00FFprint(1)"} << latin1;
        QTest::newRow("Latin-1 that is valid UTF-8")
            << QByteArray("caf\xC3\xA9") << latin1 << QStringList{"caf\u00C3\u00A9"} << latin1;
        QTest::newRow("UTF-8 beginning with U+FEFF")
            << QByteArray("\xEF\xBB\xBF"
                          "a")
            << utf8 << QStringList{QStringLiteral("\uFEFFa")} << utf8;
        QTest::newRow("UTF-8 remembered, bytes are not: Latin-1")
            << QByteArray("caf\xE9") << utf8 << QStringList{"caf\u00E9"} << latin1;
        QTest::newRow("a mark remembered, none there: UTF-8")
            << QByteArray("a") << int(TextEncoding::Utf16LeBom) << QStringList{"a"} << utf8;
    }
    void decodeKnown()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, known);
        QFETCH(QStringList, lines);
        QFETCH(int, encoding);
        const TextFile file = decodeText(bytes, TextEncoding(known));
        QCOMPARE(file.lines, lines);
        QCOMPARE(int(file.encoding), encoding);
    }

    void encodingNames()
    {
        for (const TextEncoding e : {TextEncoding::Utf8, TextEncoding::Latin1, TextEncoding::Utf8Bom,
                                     TextEncoding::Utf16LeBom, TextEncoding::Utf16BeBom})
            QCOMPARE(encodingFromName(encodingName(e)), std::optional<TextEncoding>(e));
        QCOMPARE(encodingName(TextEncoding::Latin1), QString("latin1"));
        QCOMPARE(encodingFromName("UTF8"), std::nullopt);
        QCOMPARE(encodingFromName(""), std::nullopt);
    }

    // A file already in the written form comes back byte for byte, whatever its encoding.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF"
                                                       "\xE6\x9C\x88\r\nx\r\n");
        QTest::newRow("UTF-16 LE with mark") << QByteArray("\xFF\xFE"
                                                           "a\0\r\0\n\0",
                                                           8);
        QTest::newRow("Latin-1 bytes") << QByteArray("\xE9\xFF\x80\r\n\x81\r\n");
        QTest::newRow("plain UTF-8") << QByteArray("print(\"\xC3\xA9\")\r\n");
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        TempHome home;
        const QString path = home.path() + "/f.txt";
        QVERIFY(writeBytes(path, bytes));
        const auto file = readTextFile(path);
        QVERIFY(file);
        QVERIFY(writeTextFile(path, file->lines, file->encoding));
        QCOMPARE(readBytes(path), bytes);
    }

    void encode_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("[é] Latin-1") << QStringList{"é"} << int(TextEncoding::Latin1)
                                     << QByteArray("\xE9\r\n");
        QTest::newRow("[é|→] Latin-1 cannot hold →: UTF-8")
            << QStringList{"é", "→"} << int(TextEncoding::Latin1)
            << QByteArray("\xC3\xA9\r\n\xE2\x86\x92\r\n");
        QTest::newRow("[\\uFEFFa] UTF-8 mark")
            << QStringList{QStringLiteral("\uFEFFa")} << int(TextEncoding::Utf8Bom)
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                          "a\r\n");
        QTest::newRow("[\\uFEFFa] UTF-16 LE mark")
            << QStringList{QStringLiteral("\uFEFFa")} << int(TextEncoding::Utf16LeBom)
            << QByteArray("\xFF\xFE\xFF\xFE"
                          "a\0\r\0\n\0",
                          10);
        QTest::newRow("[\\uFEFFa] UTF-16 BE mark")
            << QStringList{QStringLiteral("\uFEFFa")} << int(TextEncoding::Utf16BeBom)
            << QByteArray("\xFE\xFF\xFE\xFF\0a\0\r\0\n", 10);
    }
    void encode()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, encoding);
        QFETCH(QByteArray, bytes);
        const QByteArray encoded = encodeText(lines, TextEncoding(encoding));
        QCOMPARE(encoded, bytes);
        QCOMPARE(decodeText(encoded).lines, lines);
    }

    void streamedEqualsJoined_data()
    {
        QTest::addColumn<QStringList>("lines");
        const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("no lines") << QStringList{};
        QTest::newRow("[] one empty line") << QStringList{""};
        QTest::newRow("[print(1)|]") << QStringList{"print(1)", ""};
        QTest::newRow("[caf\u00e9|\u00ff]") << QStringList{"caf\u00e9", "\u00ff"};
        QTest::newRow("[\u00e9|\u2192] Latin-1 cannot hold it") << QStringList{"\u00e9", "\u2192"};
        QTest::newRow("[ab + surrogate pair]") << QStringList{"ab" + pair};
        QTest::newRow("[lone high surrogate at the end|lone low at the start]")
            << QStringList{QString("a") + QChar(0xD83D), QString(QChar(0xDE00)) + "b"};
        QTest::newRow("[high surrogate before NUL]") << QStringList{QString("a") + QChar(0xD800) + QChar(0)};
        QTest::newRow("[U+FEFF first]") << QStringList{QString(QChar(0xFEFF)) + "x"};
    }
    void streamedEqualsJoined()
    {
        QFETCH(QStringList, lines);
        for (const TextEncoding encoding : allEncodings)
            QCOMPARE(encodeText(lines, encoding), joinedEncoding(lines, encoding));
        TempHome home;
        const QString path = home.path() + "/a.js";
        const Result<> written = writeLinesCrLf(path, lines);
        QVERIFY2(written, qPrintable(written.message()));
        QCOMPARE(readBytes(path), joinedExport(lines));
    }

    // Many random texts: a failure prints the seed that gives it.
    void streamedEqualsJoinedRandomly()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int round = 0; round < 3000; ++round) {
            const QStringList lines = randomLines(random);
            for (const TextEncoding encoding : allEncodings)
                QVERIFY2(encodeText(lines, encoding) == joinedEncoding(lines, encoding),
                         qPrintable(QStringLiteral("seed %1, round %2, encoding %3")
                                        .arg(seed)
                                        .arg(round)
                                        .arg(int(encoding))));
        }
    }

    // A buffer of many megabytes goes through the writer's buffer many times over and
    // comes back line for line.
    void largeBufferRoundTrip()
    {
        QStringList lines;
        for (int i = 0; i < 300000; ++i)
            lines.append(QStringLiteral("    local v%1 = v%1 + 1 -- \u00e9\u2192").arg(i));
        TempHome home;
        const QString path = home.path() + "/temp.txt";
        const Result<> written = writeTextFile(path, lines, TextEncoding::Utf8);
        QVERIFY2(written, qPrintable(written.message()));
        const QByteArray bytes = readBytes(path);
        QVERIFY(bytes.size() > 10 << 20);
        QCOMPARE(bytes, joinedEncoding(lines, TextEncoding::Utf8));
        const auto file = readTextFile(path);
        QVERIFY(file);
        QCOMPARE(file->lines, lines);
    }

    void failuresNameTheFile()
    {
        TempHome home;
        const auto read = readTextFile(home.path() + "/missing.txt");
        QVERIFY(!read);
        QVERIFY(read.message().contains("missing.txt"));
        const Result<> written = writeTextFile(home.path() + "/no/such/dir/f.txt", {"x"}, TextEncoding::Utf8);
        QVERIFY(!written);
        QVERIFY(written.message().contains("f.txt"));
    }

    void exportLines()
    {
        TempHome home;
        const QString path = home.path() + "/a.js";
        QVERIFY(writeLinesCrLf(path, {"// script: js", QString("a") + QChar(0) + "b", ""}));
        QCOMPARE(readBytes(path), QByteArray("// script: js\r\na\r\n\r\n"));
        const QString bad = home.path() + "/missing/a.js";
        const Result<> written = writeLinesCrLf(bad, {"x"});
        QVERIFY(!written);
        QCOMPARE(written.message(), "Failed to create " + bad + "\nNo such file or directory");
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
