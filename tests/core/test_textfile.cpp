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
        QCOMPARE(error, "Failed to create " + bad + "\nNo such file or directory");
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_textfile.moc"
