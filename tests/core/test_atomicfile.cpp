// SPDX-License-Identifier: MIT
// The one writer: a write reaches the disk whole or leaves the old file as it was (full
// disk, read-only folder), links are replaced rather than followed, special files are
// refused, and reading never blocks on a pipe.

#include "core/app/atomicfile.h"
#include "fsfaults.h"
#include "testsupport.h"

#include <QTest>

namespace {

// Every entry of folder, hidden ones and special files included.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QByteArray pattern(qsizetype size, char seed)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(seed + i % 61);
    return bytes;
}

const QString refused =
    QStringLiteral("Cannot write %1: It is %2, not a regular file; it was left as it is.");

// The kinds of file that are not regular, with the words a refusal names them by.
void addSpecialKindRows()
{
    QTest::newRow("folder") << "folder"
                            << "a folder";
    QTest::newRow("pipe") << "pipe"
                          << "a pipe (FIFO)";
    QTest::newRow("socket") << "socket"
                            << "a socket";
    QTest::newRow("device") << "device"
                            << "a device";
}

} // namespace

class TestAtomicFile : public QObject {
    Q_OBJECT

private slots:
    void replacesAndKeepsMode_data()
    {
        QTest::addColumn<int>("oldMode"); // -1: no file before
        QTest::newRow("new file: the umask's mode") << -1;
        QTest::newRow("0640 file keeps 0640") << 0640;
        QTest::newRow("0755 file keeps 0755") << 0755;
    }
    void replacesAndKeepsMode()
    {
        QFETCH(int, oldMode);
        TempHome home;
        const QString folder = home.path() + "/w";
        const QString path = folder + "/f";
        QDir().mkpath(folder);
        if (oldMode >= 0) {
            QVERIFY(writeBytes(path, "old"));
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(oldMode)) == 0);
        }
        const Result<> written = writeFileAtomically(path, QByteArray("new bytes"));
        QVERIFY2(written, qPrintable(written.message()));
        QCOMPARE(readBytes(path), QByteArray("new bytes"));
        QCOMPARE(fileMode(path), oldMode >= 0 ? oldMode : newFileMode());
        QCOMPARE(entries(folder), QStringList{"f"}); // no temporary file left
    }

    // A producer's pieces, one of them larger than the writer's buffer, arrive in order.
    void streamsPieces()
    {
        TempHome home;
        const QString path = home.path() + "/f";
        const QList<QByteArray> pieces{"a", pattern(3 << 20, 'x'), "", pattern(70000, 'b'), "z"};
        const Result<> written = writeFileAtomically(path, [&](ByteSink& sink) {
            for (const QByteArray& piece : pieces)
                sink.append(piece);
        });
        QVERIFY2(written, qPrintable(written.message()));
        QCOMPARE(readBytes(path), pieces.join());
    }

    // Writing over a link replaces the link itself by the new file; what it pointed to,
    // there or not, stays exactly as it was.
    void linkIsReplacedNotFollowed_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("link to an outside file") << true;
        QTest::newRow("dangling link") << false;
    }
    void linkIsReplacedNotFollowed()
    {
        QFETCH(bool, targetExists);
        TempHome home;
        const QString outside = home.path() + "/elsewhere/x";
        QDir().mkpath(home.path() + "/elsewhere");
        if (targetExists)
            QVERIFY(writeBytes(outside, "outside file"));
        const QString path = home.path() + "/prgfiles/x";
        QDir().mkpath(home.path() + "/prgfiles");
        QVERIFY(QFile::link(outside, path));
        const Result<> written = writeFileAtomically(path, QByteArray("saved"));
        QVERIFY2(written, qPrintable(written.message()));
        QCOMPARE(fileKind(path), "file");
        QCOMPARE(readBytes(path), QByteArray("saved"));
        QCOMPARE(fileKind(outside), targetExists ? "file" : "none");
        if (targetExists)
            QCOMPARE(readBytes(outside), QByteArray("outside file"));
        QCOMPARE(entries(home.path() + "/elsewhere"), targetExists ? QStringList{"x"} : QStringList());
        QCOMPARE(entries(home.path() + "/prgfiles"), QStringList{"x"});
    }

    void specialFileIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("words");
        addSpecialKindRows();
    }
    void specialFileIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, words);
        TempHome home;
        const QString folder = home.path() + "/w";
        const QString path = folder + "/target";
        QDir().mkpath(folder);
        std::unique_ptr<FifoGuard> fifo;
        std::unique_ptr<SocketFile> socket;
        if (kind == u"folder") {
            QVERIFY(QDir().mkpath(path + "/inside"));
        } else if (kind == u"pipe") {
            fifo = std::make_unique<FifoGuard>(path);
            QVERIFY(fifo->created());
        } else if (kind == u"socket") {
            socket = std::make_unique<SocketFile>(path);
            QVERIFY(socket->created());
        } else if (!makeDevice(path)) {
            QSKIP("making a device file needs root");
        }
        const Result<> written = writeFileAtomically(path, QByteArray("x"));
        QVERIFY(!written);
        QCOMPARE(written.message(), refused.arg(path, words));
        QCOMPARE(fileKind(path), kind);
        QCOMPARE(entries(folder), QStringList{"target"});
        if (kind == u"folder")
            QCOMPARE(entries(path), QStringList{"inside"});
        // The last step alone refuses it too and removes the finished file it was given.
        QVERIFY(writeBytes(folder + "/done.part", "finished"));
        const Result<> committed = commitTemporaryFile(folder + "/done.part", path);
        QVERIFY(!committed);
        QCOMPARE(committed.message(), refused.arg(path, words));
        QCOMPARE(entries(folder), QStringList{"target"});
        if (fifo)
            QVERIFY(!fifo->released());
    }

    // The sizes around 16 KiB are where a buffered writer used to lose the error.
    void fullDiskKeepsOldFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("stream"); // written by a producer in many pieces
        for (const int size : {1, 4096, 13200, 16384, 16385, 24000, 300000}) {
            QTest::addRow("%d bytes", size) << size << false;
            QTest::addRow("%d bytes in pieces", size) << size << true;
        }
    }
    void fullDiskKeepsOldFile()
    {
        QFETCH(int, size);
        QFETCH(bool, stream);
        TempHome home;
        const QString folder = home.path() + "/disk";
        TmpfsMount disk(folder, 256 * 1024);
        SKIP_UNLESS_MOUNTED(disk);
        const QString path = folder + "/prog";
        const QByteArray old = pattern(13200, 'o');
        QVERIFY(writeBytes(path, old));
        QVERIFY(disk.fill());
        const QByteArray bytes = pattern(size, 'n');
        const Result<> written =
            stream ? writeFileAtomically(path,
                                         [&](ByteSink& sink) {
                                             for (qsizetype at = 0; at < bytes.size(); at += 1000)
                                                 sink.append(bytes.mid(at, 1000));
                                         })
                   : writeFileAtomically(path, bytes);
        QVERIFY(!written);
        QCOMPARE(written.message(), "Cannot write " + path + ": No space left on device");
        QCOMPARE(readBytes(path), old);
        QCOMPARE(entries(folder), (QStringList{".filler", "prog"}));
    }

    // Root writes into a folder whatever its permission bits say; a read-only mount stops
    // root too.
    void readOnlyFolderKeepsOldFile()
    {
        TempHome home;
        const QString folder = home.path() + "/disk";
        std::unique_ptr<TmpfsMount> disk;
        QString cause = QStringLiteral("Permission denied");
        if (::geteuid() == 0) {
            disk = std::make_unique<TmpfsMount>(folder, 64 * 1024);
            SKIP_UNLESS_MOUNTED(*disk);
            cause = QStringLiteral("Read-only file system");
        }
        const QString path = folder + "/prog";
        QVERIFY(writeBytes(path, "old"));
        if (disk)
            QVERIFY(disk->makeReadOnly());
        else
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const Result<> written = writeFileAtomically(path, QByteArray("new"));
        QVERIFY(!written);
        QCOMPARE(written.message(), "Cannot write " + path + ": " + cause);
        QCOMPARE(readBytes(path), QByteArray("old"));
        QCOMPARE(entries(folder), QStringList{"prog"});
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void commitsFinishedFile()
    {
        TempHome home;
        const QString folder = home.path() + "/w";
        const QString path = folder + "/quill200102.zip";
        const QString part = path + ".part";
        QVERIFY(writeBytes(path, "old archive"));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        QVERIFY(writeBytes(part, "new archive"));
        const Result<> committed = commitTemporaryFile(part, path);
        QVERIFY2(committed, qPrintable(committed.message()));
        QCOMPARE(readBytes(path), QByteArray("new archive"));
        QCOMPARE(fileMode(path), 0640);
        QCOMPARE(entries(folder), QStringList{"quill200102.zip"});
        // A finished file that went away is a failure that names the target.
        const Result<> gone = commitTemporaryFile(part, path);
        QVERIFY(!gone);
        QCOMPARE(gone.message(), "Cannot write " + path + ": No such file or directory");
        QCOMPARE(readBytes(path), QByteArray("new archive"));
    }

    // A run of writes that leaves its folder syncs to the end: each file is in place, whole,
    // as soon as its write returns, a failure in the run keeps what came before it, and the
    // folders are synced once at the end.
    void runSyncsFoldersAtTheEnd()
    {
        TempHome home;
        const QString one = home.path() + "/one";
        const QString two = home.path() + "/two";
        QDir().mkpath(one);
        QDir().mkpath(two);
        QVERIFY(writeBytes(one + "/a", "old a"));
        FolderSyncs folderSyncs;
        QVERIFY(writeFileAtomically(one + "/a", QByteArray("new a"), cannotWriteFormat, &folderSyncs));
        QCOMPARE(readBytes(one + "/a"), QByteArray("new a"));
        QVERIFY(writeFileAtomically(one + "/b", QByteArray("new b"), cannotWriteFormat, &folderSyncs));
        QVERIFY(writeFileAtomically(two + "/c", QByteArray("new c"), cannotWriteFormat, &folderSyncs));
        const Result<> missing =
            writeFileAtomically(home.path() + "/missing/d", QByteArray("d"), cannotWriteFormat, &folderSyncs);
        QVERIFY(!missing);
        QCOMPARE(missing.message(), "Cannot write " + home.path() + "/missing/d: No such file or directory");
        QCOMPARE(entries(one), (QStringList{"a", "b"}));
        QCOMPARE(entries(two), QStringList{"c"});
        QCOMPARE(readBytes(two + "/c"), QByteArray("new c"));
        const Result<> synced = folderSyncs.sync();
        QVERIFY2(synced, qPrintable(synced.message()));
        QVERIFY(folderSyncs.sync()); // nothing is owed twice
    }

    void missingFolderIsNamed()
    {
        TempHome home;
        const QString path = home.path() + "/missing/f";
        const Result<> written = writeFileAtomically(path, QByteArray("x"), "Failed to create %1\n%2");
        QVERIFY(!written);
        QCOMPARE(written.message(), "Failed to create " + path + "\nNo such file or directory");
    }

    // Reading refuses what is not a regular file at once, without waiting on a pipe.
    void readsRegularFilesOnly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("words"); // empty: read
        QTest::newRow("file") << "file" << QString();
        QTest::newRow("link to a file") << "link" << QString();
        addSpecialKindRows();
    }
    void readsRegularFilesOnly()
    {
        QFETCH(QString, kind);
        QFETCH(QString, words);
        TempHome home;
        QString path = home.path() + "/source";
        std::unique_ptr<FifoGuard> fifo;
        std::unique_ptr<SocketFile> socket;
        if (kind == u"file") {
            QVERIFY(writeBytes(path, "text"));
        } else if (kind == u"link") {
            QVERIFY(writeBytes(home.path() + "/real", "text"));
            QVERIFY(QFile::link(home.path() + "/real", path));
        } else if (kind == u"folder") {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == u"pipe") {
            fifo = std::make_unique<FifoGuard>(path);
            QVERIFY(fifo->created());
        } else if (kind == u"socket") {
            socket = std::make_unique<SocketFile>(path);
            QVERIFY(socket->created());
        } else {
            path = QStringLiteral("/dev/null");
        }
        const Result<QByteArray> bytes = readWholeFile(path);
        const QString error = bytes.message();
        if (fifo)
            QVERIFY2(!fifo->released(), "the read blocked on the pipe");
        if (words.isEmpty()) {
            QVERIFY2(bytes, qPrintable(error));
            QCOMPARE(*bytes, QByteArray("text"));
            return;
        }
        QVERIFY(!bytes);
        QCOMPARE(error, "Cannot read " + path + ": It is " + words + ", not a regular file.");
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomicfile.moc"
