// The text file form: any line end reads, CR LF writes, and the encoding a file was
// found in is the one it is written back in, so its bytes survive a round trip.

#include "app/textfile.h"
#include "testsupport.h"

#include <QTest>

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
        QString error;
        const auto file = readTextFile(path, &error);
        QVERIFY(file);
        QVERIFY(writeTextFile(path, file->lines, file->encoding, &error));
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

    void failuresNameTheFile()
    {
        TempHome home;
        QString error;
        QVERIFY(!readTextFile(home.path() + "/missing.txt", &error));
        QVERIFY(error.contains("missing.txt"));
        QVERIFY(!writeTextFile(home.path() + "/no/such/dir/f.txt", {"x"}, TextEncoding::Utf8, &error));
        QVERIFY(error.contains("f.txt"));
    }

    void exportLines()
    {
        TempHome home;
        const QString path = home.path() + "/a.js";
        QString error;
        QVERIFY(writeLinesCrLf(path, {"// script: js", QString("a") + QChar(0) + "b", ""}, &error));
        QCOMPARE(readBytes(path), QByteArray("// script: js\r\na\r\n\r\n"));
        const QString bad = home.path() + "/missing/a.js";
        QVERIFY(!writeLinesCrLf(bad, {"x"}, &error));
        QCOMPARE(error, "Failed to create " + bad);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
