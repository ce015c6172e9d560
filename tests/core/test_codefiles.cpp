// SPDX-License-Identifier: MIT
// Code file names, Save and Open on the text model, in a private home.

#include "core/editor/codefiles.h"
#include "core/editor/textmodel.h"
#include "testsupport.h"

#include <QtTest>

namespace {

QString modelState(const TextModel& m)
{
    return QStringLiteral("[%1] cursor %2,%3 view %4,%5 modified %6 backup \"%7\"@%8")
        .arg(m.codeLines.join(u'|'))
        .arg(m.cursorRow)
        .arg(m.cursorCol)
        .arg(m.topRow)
        .arg(m.leftCol)
        .arg(int(m.modified))
        .arg(m.lineBackup)
        .arg(m.lineBackupCol);
}

TextModel editedModel()
{
    TextModel m;
    m.codeLines = {QStringLiteral("old one"), QStringLiteral("old two")};
    m.cursorRow = 1;
    m.cursorCol = 3;
    m.topRow = 1;
    m.leftCol = 2;
    m.modified = true;
    m.lineBackup = QStringLiteral("before");
    m.lineBackupCol = 4;
    return m;
}

} // namespace

class TestCodeFiles : public QObject {
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void saveWritesTheLinesWithCrLf_data();
    void saveWritesTheLinesWithCrLf();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void openLoadsAndResets();
    void failedOpenKeepsTheText_data();
    void failedOpenKeepsTheText();
    void aBinaryFileKeepsEveryByteButItsLineEnds();
};

void TestCodeFiles::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // the path under the folder, or the message

    const QString folder = QStringLiteral("a file name cannot hold a folder");
    QTest::newRow("prog") << "prog"
                          << "dir/prog";
    QTest::newRow("prog.js") << "prog.js"
                             << "dir/prog.js";
    QTest::newRow(".hidden") << ".hidden"
                             << "dir/.hidden";
    QTest::newRow("a..b") << "a..b"
                          << "dir/a..b";
    QTest::newRow("[ spaced ]") << " spaced "
                                << "dir/ spaced ";
    QTest::newRow("[]") << ""
                        << "Input file name.";
    QTest::newRow("[   ]") << "   "
                           << "Input file name.";
    QTest::newRow("../prog") << "../prog" << folder;
    QTest::newRow("sub/prog") << "sub/prog" << folder;
    QTest::newRow("sub\\prog") << "sub\\prog" << folder;
    QTest::newRow("/etc/passwd") << "/etc/passwd" << folder;
    QTest::newRow("..") << ".." << folder;
    QTest::newRow(".") << "." << folder;
    QTest::newRow("[a\\nb] pasted line break") << "a\nb"
                                               << "A file name cannot hold a line break.";
}

void TestCodeFiles::names()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const auto path = codeFilePath(QStringLiteral("dir/"), name);
    const QString error = path.message();
    QString got = path ? *path : error;
    if (!path && error.contains(QStringLiteral("a code file name cannot hold a folder"))) {
        QVERIFY2(error.startsWith(u'"' + name + u'"'), qPrintable(error)); // names what was typed
        got = QStringLiteral("a file name cannot hold a folder");
    }
    QCOMPARE(got, expected);
}

void TestCodeFiles::saveWritesTheLinesWithCrLf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("files");

    QTest::newRow("[a||ü] utf8") << QStringList{"a", "", "ü"} << int(TextEncoding::Utf8)
                                 << "prgfiles/prog: 61 0d 0a 0d 0a c3 bc 0d 0a";
    QTest::newRow("[] one empty line")
        << QStringList{""} << int(TextEncoding::Utf8) << "prgfiles/prog: 0d 0a";
    QTest::newRow("[é] latin1 kept") << QStringList{"é"} << int(TextEncoding::Latin1)
                                     << "prgfiles/prog: e9 0d 0a";
    QTest::newRow("[a] utf8 mark") << QStringList{"a"} << int(TextEncoding::Utf8Bom)
                                   << "prgfiles/prog: ef bb bf 61 0d 0a";
}

void TestCodeFiles::saveWritesTheLinesWithCrLf()
{
    QFETCH(QStringList, lines);
    QFETCH(int, encoding);
    QFETCH(QString, files);
    TempHome home;
    const QString dir = home.path() + "/prgfiles/";
    QDir().mkpath(dir);
    writeBytes(dir + "prog", "an older text that is replaced without asking\r\n");

    TextModel m;
    m.codeLines = lines;
    m.encoding = TextEncoding(encoding);
    m.modified = true;
    QCOMPARE(saveCode(m, dir, QStringLiteral("prog")).message(), QString());
    QCOMPARE(filesUnder(home.path(), ShownBytes::Hex), files);
    QVERIFY(!m.modified);
}

void TestCodeFiles::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("makeFolder");
    QTest::addColumn<QString>("message"); // its start

    QTest::newRow("[] no name") << "" << true << "Input file name.";
    QTest::newRow("[  ] blank") << "  " << true << "Input file name.";
    QTest::newRow("../outside") << "../outside" << true << "\"../outside\" is not a file name";
    QTest::newRow("sub/inside") << "sub/inside" << true << "\"sub/inside\" is not a file name";
    QTest::newRow("prog, no code folder") << "prog" << false << "Cannot write ";
    QTest::newRow("keep, a folder of that name") << "keep" << true << "Cannot write ";
}

void TestCodeFiles::failedSaveKeepsEverything()
{
    QFETCH(QString, name);
    QFETCH(bool, makeFolder);
    QFETCH(QString, message);
    TempHome home;
    const QString dir = home.path() + "/prgfiles/";
    if (makeFolder) {
        QDir().mkpath(dir + "sub");
        QDir().mkpath(dir + "keep");
        writeBytes(dir + "keep/file", "x");
    }
    const QString before = filesUnder(home.path(), ShownBytes::Hex);

    TextModel m = editedModel();
    const QString state = modelState(m);
    const Result<> saved = saveCode(m, dir, name);
    QVERIFY(!saved);
    const QString got = saved.message();
    QVERIFY2(got.startsWith(message), qPrintable(got));
    QCOMPARE(filesUnder(home.path(), ShownBytes::Hex), before);
    QCOMPARE(modelState(m), state); // still modified, text untouched
}

void TestCodeFiles::openLoadsAndResets()
{
    TempHome home;
    const QString dir = home.path() + "/prgfiles/";
    writeBytes(dir + "b", "first\r\nsecond\nthird\r");
    writeBytes(dir + "empty", "");
    TextModel m = editedModel();

    QVERIFY(openCode(m, dir, QStringLiteral("b")));
    QCOMPARE(modelState(m),
             QStringLiteral("[first|second|third] cursor 0,0 view 0,0 modified 0 backup \"first\"@0"));

    m = editedModel();
    QVERIFY(openCode(m, dir, QStringLiteral("empty")));
    QCOMPARE(modelState(m), QStringLiteral("[] cursor 0,0 view 0,0 modified 0 backup \"\"@0"));
    QCOMPARE(m.lineCount(), 1);

    // The encoding found on opening is the one the next save writes.
    writeBytes(dir + "latin", "caf\xe9\r\n");
    QVERIFY(openCode(m, dir, QStringLiteral("latin")));
    QCOMPARE(saveCode(m, dir, QStringLiteral("latin")).message(), QString());
    QCOMPARE(readBytes(dir + "latin"), QByteArray("caf\xe9\r\n"));
}

void TestCodeFiles::failedOpenKeepsTheText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message"); // its start

    QTest::newRow("missing") << "missing"
                             << "Cannot read ";
    QTest::newRow("sub (a folder)") << "sub"
                                    << "Cannot read ";
    QTest::newRow("../secret") << "../secret"
                               << "\"../secret\" is not a file name";
    QTest::newRow("[]") << ""
                        << "Input file name.";
}

void TestCodeFiles::failedOpenKeepsTheText()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    TempHome home;
    const QString dir = home.path() + "/prgfiles/";
    QDir().mkpath(dir + "sub");
    writeBytes(home.path() + "/secret", "not a code file\r\n");

    TextModel m = editedModel();
    const QString state = modelState(m);
    const Result<> opened = openCode(m, dir, name);
    QVERIFY(!opened);
    QVERIFY2(opened.message().startsWith(message), qPrintable(opened.message()));
    QCOMPARE(modelState(m), state);
}

// Bytes that are no text at all (every value, NUL included) open as one character each
// and Save writes them back; only the line ends become CR LF.
void TestCodeFiles::aBinaryFileKeepsEveryByteButItsLineEnds()
{
    QByteArray bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += char((b * 7 + round) % 256);
    QByteArray expected = bytes;
    expected.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    if (!expected.endsWith("\r\n"))
        expected += "\r\n";

    TempHome home;
    const QString dir = home.path() + "/prgfiles/";
    QVERIFY(writeBytes(dir + "blob", bytes));
    TextModel m;
    const Result<> opened = openCode(m, dir, QStringLiteral("blob"));
    QVERIFY2(opened, qPrintable(opened.message()));
    QCOMPARE(m.encoding, TextEncoding::Latin1);
    QCOMPARE(saveCode(m, dir, QStringLiteral("blob")).message(), QString());
    QCOMPARE(readBytes(dir + "blob"), expected);
}

QTEST_GUILESS_MAIN(TestCodeFiles)
#include "test_codefiles.moc"
