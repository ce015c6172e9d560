// SPDX-License-Identifier: MIT
// Backup archives checked by an independent ZIP reader (Info-ZIP's unzip and zipinfo).

#include "core/app/backup.h"
#include "core/app/workspace.h"
#include "fsfaults.h"
#include "testsupport.h"

#include <QDateTime>
#include <QProcess>
#include <QStringDecoder>
#include <QtEndian>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
};

Run run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
}

// zipinfo's listing with sortable dates, one "method date name" line per entry, in the
// order of the central directory.
QStringList listing(const QString& archive)
{
    QStringList rows;
    for (const QString& line : run("zipinfo", {"-T", archive}).out.split(u'\n')) {
        const QStringList f = line.split(u' ', Qt::SkipEmptyParts);
        if (f.size() == 8 && (f[0].startsWith(u'-') || f[0].startsWith(u'd')))
            rows.append(f[5] + u' ' + f[6] + u' ' + f[7]);
    }
    return rows;
}

// A name as bytes for a comparison: UTF-8 as it is, anything else as \x escapes.
QString shownName(const QByteArray& name)
{
    QStringDecoder decode(QStringConverter::Utf8);
    const QString text = decode(name);
    return decode.hasError() ? QString::fromLatin1(name.toPercentEncoding("/.").replace('%', "\\x")) : text;
}

// Files and folders whose names are bytes, as the POSIX calls take them.
bool writeRaw(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok;
}
QByteArray readRaw(const QByteArray& path)
{
    QFile f;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0 || !f.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle))
        return "(cannot read " + path + ")";
    return f.readAll();
}

// The general purpose flags of each entry as the central directory and the local header
// give them, read straight from the bytes. A field outside the bytes reads as zero, so a
// broken archive gives wrong rows rather than a read past its end.
QStringList nameFlags(const QByteArray& zip)
{
    const auto field = [&zip]<typename T>(qsizetype at, T) -> T {
        if (at < 0 || at > zip.size() - qsizetype(sizeof(T)))
            return 0;
        return qFromLittleEndian<T>(zip.constData() + at);
    };
    const auto u16 = [&](qsizetype at) { return field(at, quint16()); };
    const auto u32 = [&](qsizetype at) { return field(at, quint32()); };
    if (zip.size() < 22)
        return {QStringLiteral("(not a ZIP)")};
    const qsizetype end = zip.size() - 22;
    QStringList rows;
    qsizetype at = u32(end + 16);
    for (int k = 0; k < u16(end + 10); ++k) {
        const int nameLength = u16(at + 28);
        const QString name = shownName(zip.mid(at + 46, nameLength));
        const qsizetype local = u32(at + 42);
        rows.append(QStringLiteral("%1 %2 %3")
                        .arg(name)
                        .arg(u16(at + 8) & 0x0800 ? "utf8" : "-")
                        .arg(u16(local + 6) & 0x0800 ? "utf8" : "-"));
        at += 46 + nameLength + u16(at + 30) + u16(at + 32);
    }
    return rows;
}

void writeFileDated(const QString& path, const QByteArray& bytes, const QDateTime& modified)
{
    QVERIFY(writeBytes(path, bytes));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT

private slots:
    void archiveName_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("name");
        QTest::newRow("5 Oct 2018") << QDate(2018, 10, 5) << "quill181005.zip";
        QTest::newRow("31 Dec 2099") << QDate(2099, 12, 31) << "quill991231.zip";
        QTest::newRow("1 Jan 2000") << QDate(2000, 1, 1) << "quill000101.zip";
    }
    void archiveName()
    {
        QFETCH(QDate, date);
        QFETCH(QString, name);
        QCOMPARE(backupArchiveName(date), name);
    }

    void entriesInOrderDeflatedDatedAndMarkedUtf8()
    {
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        const QString exportDir = home.path() + "/export";
        QDir().mkpath(exportDir);
        const QDateTime t1(QDate(2021, 3, 4), QTime(5, 6, 8));
        const QDateTime t2(QDate(2019, 12, 31), QTime(23, 59, 58));
        const QByteArray program = QByteArray("function TIC()\r\n  cls(0)\r\nend\r\n").repeated(50);
        writeFileDated(ws.codeFilesDir + "b.js", program, t1);
        writeFileDated(ws.codeFilesDir + "a.js", "print(1)\r\n", t2);
        writeFileDated(ws.codeFilesDir + ".hidden", "h", t1);
        writeFileDated(ws.codeFilesDir + QString::fromUtf8("\xc3\xa4pfel"), "x", t1);
        writeFileDated(ws.codeFilesDir + "sub/inner.js", "no", t1); // a folder is skipped
        writeFileDated(ws.spriteFilesDir + "a.js", QByteArray(3 + 256 * 256, '\1'), t2);

        const Result<BackupDone> backup = writeBackup(ws, exportDir, QDate(2018, 10, 5));
        QVERIFY2(backup, qPrintable(backup.message()));
        const QString path = backup->archivePath;
        QCOMPARE(path, exportDir + "/quill181005.zip");

        const Run test = run("unzip", {"-t", path});
        QVERIFY2(test.exitCode == 0 && test.out.contains("No errors detected"), qPrintable(test.out));
        QCOMPARE(listing(path), (QStringList{
                                    "defN 20210304.050608 prgfiles/.hidden",
                                    "defN 20191231.235958 prgfiles/a.js",
                                    "defN 20210304.050608 prgfiles/b.js",
                                    QString::fromUtf8("defN 20210304.050608 prgfiles/\xc3\xa4pfel"),
                                    "defN 20191231.235958 spfiles/a.js",
                                }));
        QCOMPARE(nameFlags(readBytes(path)), (QStringList{
                                                 "prgfiles/.hidden utf8 utf8",
                                                 "prgfiles/a.js utf8 utf8",
                                                 "prgfiles/b.js utf8 utf8",
                                                 QString::fromUtf8("prgfiles/\xc3\xa4pfel utf8 utf8"),
                                                 "spfiles/a.js utf8 utf8",
                                             }));
        QCOMPARE(run("unzip", {"-p", path, "prgfiles/b.js"}).out.toUtf8(), program);
        QVERIFY(!QFile::exists(path + ".part"));
    }

    // A name that is not UTF-8 is stored as the bytes the folder holds, without the UTF-8
    // mark; an unpacker gives the file back under that very name.
    void namesThatAreNotUtf8AreKeptAsTheirBytes()
    {
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QVERIFY(QDir().mkpath(ws.codeFilesDir) && QDir().mkpath(ws.spriteFilesDir));
        const QByteArray code = QFile::encodeName(ws.codeFilesDir);
        QVERIFY(writeRaw(code + "caf\xE9.js", "latin-1 name"));
        QVERIFY(writeRaw(code + "ok.js", "ascii name"));
        QVERIFY(writeRaw(code + "\xC3\xA4pfel", "utf-8 name"));
        QVERIFY(writeRaw(QFile::encodeName(ws.spriteFilesDir) + "\xE4rger", "sprite"));

        const Result<BackupDone> backup = writeBackup(ws, home.path(), QDate(2024, 5, 6));
        QVERIFY2(backup, qPrintable(backup.message()));
        const QString path = backup->archivePath;
        const QStringList leftOut = backup->leftOut;
        QCOMPARE(leftOut, QStringList{});
        QCOMPARE(nameFlags(readBytes(path)), (QStringList{
                                                 "prgfiles/caf\\xE9.js - -",
                                                 "prgfiles/ok.js utf8 utf8",
                                                 QString::fromUtf8("prgfiles/\xc3\xa4pfel utf8 utf8"),
                                                 "spfiles/\\xE4rger - -",
                                             }));
        const Run test = run("unzip", {"-t", path});
        QVERIFY2(test.exitCode == 0 && test.out.contains("No errors detected"), qPrintable(test.out));
        const QString out = home.path() + "/unpacked";
        QCOMPARE(run("unzip", {"-q", "-d", out, path}).exitCode, 0);
        const QByteArray unpacked = QFile::encodeName(out);
        QCOMPARE(readRaw(unpacked + "/prgfiles/caf\xE9.js"), QByteArray("latin-1 name"));
        QCOMPARE(readRaw(unpacked + "/prgfiles/\xC3\xA4pfel"), QByteArray("utf-8 name"));
        QCOMPARE(readRaw(unpacked + "/spfiles/\xE4rger"), QByteArray("sprite"));
    }

    // Only regular files are stored: not what a link points to, nor a pipe; each one left
    // out is named, and the message still ends as a backup that worked does.
    void whatIsNotARegularFileIsLeftOutAndNamed()
    {
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QVERIFY(writeBytes(ws.codeFilesDir + "a.js", "mine"));
        QVERIFY(writeBytes(ws.spriteFilesDir + "s", "sprite"));
        QVERIFY(writeBytes(home.path() + "/outside/secret", "not the user's code"));
        QVERIFY(QFile::link(home.path() + "/outside/secret", ws.codeFilesDir + "link"));
        QVERIFY(QFile::link(home.path() + "/nowhere", ws.codeFilesDir + "dangling"));
        QVERIFY(QFile::link(home.path() + "/outside", ws.spriteFilesDir + "folder link"));
        QCOMPARE(::mkfifo(QFile::encodeName(ws.codeFilesDir + "pipe").constData(), 0644), 0);
        const QByteArray latinLink = QFile::encodeName(ws.codeFilesDir) + "l\xE9nk";
        QCOMPARE(::symlink("a.js", latinLink.constData()), 0);
        QVERIFY(writeBytes(ws.codeFilesDir + "sub/inner.js", "a folder is skipped without a word"));

        const Result<BackupDone> backup = writeBackup(ws, home.path(), QDate(2024, 5, 6));
        QVERIFY2(backup, qPrintable(backup.message()));
        const QString path = backup->archivePath;
        const QStringList leftOut = backup->leftOut;
        QCOMPARE(run("zipinfo", {"-1", path}).out, QString("prgfiles/a.js\nspfiles/s\n"));
        QVERIFY(!readBytes(path).contains("secret"));
        QCOMPARE(backupMessage(leftOut),
                 QStringList({
                                 "prgfiles/dangling was left out: it is a symbolic link, not a file.",
                                 "prgfiles/link was left out: it is a symbolic link, not a file.",
                                 "prgfiles/l\\xE9nk was left out: it is a symbolic link, not a file.",
                                 "prgfiles/pipe was left out: it is a pipe, socket or device, not a file.",
                                 "spfiles/folder link was left out: it is a symbolic link, not a file.",
                                 "Completed.",
                             })
                     .join(u'\n'));
    }

    void aFileThatCannotBeReadIsLeftOutAndNamed()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every file, so no file here is unreadable");
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QVERIFY(writeBytes(ws.codeFilesDir + "a.js", "mine"));
        QVERIFY(writeBytes(ws.codeFilesDir + "locked", "x"));
        QVERIFY(QFile::setPermissions(ws.codeFilesDir + "locked", {}));
        const Result<BackupDone> backup = writeBackup(ws, home.path(), QDate(2024, 5, 6));
        QVERIFY2(backup, qPrintable(backup.message()));
        const QString path = backup->archivePath;
        const QStringList leftOut = backup->leftOut;
        QCOMPARE(run("zipinfo", {"-1", path}).out, QString("prgfiles/a.js\n"));
        QCOMPARE(leftOut, QStringList{"prgfiles/locked was left out: " + qt_error_string(EACCES)});
    }

    void noFilesGiveAValidEmptyArchive()
    {
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/"); // folders not even created
        const Result<BackupDone> backup = writeBackup(ws, home.path(), QDate(2024, 2, 29));
        QVERIFY2(backup, qPrintable(backup.message()));
        const QString path = backup->archivePath;
        QCOMPARE(readBytes(path), QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
        const Run info = run("zipinfo", {path});
        QVERIFY2(info.out.contains("number of entries: 0") && info.out.contains("Empty zipfile."),
                 qPrintable(info.out));
        // unzip lists nothing and warns (its exit code 1) rather than calling the archive broken.
        QProcess list;
        list.setProcessChannelMode(QProcess::MergedChannels);
        list.start("unzip", {"-l", path});
        QVERIFY(list.waitForFinished(-1));
        const QString listed = QString::fromUtf8(list.readAll());
        QVERIFY2(list.exitCode() == 1 && listed.contains("zipfile is empty"), qPrintable(listed));
    }

    void secondBackupOfTheDayReplacesTheFirst()
    {
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QVERIFY(writeBytes(ws.codeFilesDir + "old.js", "1"));
        QVERIFY(writeBackup(ws, home.path(), QDate(2020, 1, 2)));
        QVERIFY(QFile::remove(ws.codeFilesDir + "old.js"));
        QVERIFY(writeBytes(ws.spriteFilesDir + "new", "2"));
        const Result<BackupDone> second = writeBackup(ws, home.path(), QDate(2020, 1, 2));
        QVERIFY(second);
        QCOMPARE(run("zipinfo", {"-1", second->archivePath}).out, QString("spfiles/new\n"));
    }

    void failureKeepsTheEarlierArchiveAndSaysWhy_data()
    {
        QTest::addColumn<QString>("exportSubdir");
        QTest::addColumn<QString>("cause");
        QTest::newRow("export folder empty") << ""
                                             << "not set";
        QTest::newRow("export folder missing") << "/missing"
                                               << "does not exist";
        QTest::newRow("archive cannot be written") << "/export"
                                                   << "Cannot create";
    }
    void failureKeepsTheEarlierArchiveAndSaysWhy()
    {
        QFETCH(QString, exportSubdir);
        QFETCH(QString, cause);
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QVERIFY(writeBytes(ws.codeFilesDir + "a.js", "a"));
        const QString exportDir = home.path() + "/export";
        const QString archive = exportDir + "/quill200102.zip";
        QVERIFY(writeBytes(archive, "earlier archive"));
        // A folder where the temporary archive goes: the archive cannot be written.
        QVERIFY(QDir().mkpath(archive + ".part"));

        const QString dir = exportSubdir.isEmpty() ? QString() : home.path() + exportSubdir;
        const Result<BackupDone> backup = writeBackup(ws, dir, QDate(2020, 1, 2));
        QVERIFY(!backup);
        QVERIFY2(backup.message().contains(cause), qPrintable(backup.message()));
        QCOMPARE(readBytes(archive), QByteArray("earlier archive"));
    }

    // A disk that fills up while the archive is written: the earlier archive stays whole
    // and no part of the new one is left behind.
    void aFullDiskKeepsTheEarlierArchive()
    {
        TempHome home;
        const QString exportDir = home.path() + "/export";
        TmpfsMount disk(exportDir, 256 * 1024);
        if (!disk.mounted())
            QSKIP(qPrintable(disk.skipReason()));
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        for (qsizetype k = 0; k < noise.size(); ++k)
            noise[k] = char((k * 7919 + (k >> 3) * 104729) % 251);
        QVERIFY(writeBytes(ws.codeFilesDir + "a.js", noise));
        const QString archive = exportDir + "/quill200102.zip";
        QVERIFY(writeBytes(archive, "earlier archive"));
        QVERIFY(disk.fill());

        const Result<BackupDone> backup = writeBackup(ws, exportDir, QDate(2020, 1, 2));
        QVERIFY(!backup);
        const QString error = backup.message();
        QVERIFY2(error.contains(qt_error_string(ENOSPC)), qPrintable(error));
        QCOMPARE(readBytes(archive), QByteArray("earlier archive"));
        QVERIFY(!QFile::exists(archive + ".part"));
    }

    void aFailedRenameLeavesNoTemporaryArchive()
    {
        TempHome home;
        const Workspace ws = Workspace::under(home.path() + "/ws/");
        QVERIFY(writeBytes(ws.codeFilesDir + "a.js", "a"));
        // A folder of the archive's name takes the finished archive's place.
        QVERIFY(writeBytes(home.path() + "/quill200102.zip/keep", "k"));
        const Result<BackupDone> backup = writeBackup(ws, home.path(), QDate(2020, 1, 2));
        QVERIFY(!backup);
        const QString error = backup.message();
        QVERIFY2(error.startsWith("Cannot write " + home.path() + "/quill200102.zip: "), qPrintable(error));
        QVERIFY(!QFile::exists(home.path() + "/quill200102.zip.part"));
        QCOMPARE(readBytes(home.path() + "/quill200102.zip/keep"), QByteArray("k"));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
