// SPDX-License-Identifier: MIT
// Archive: the listed files move into the backup folder; a move that fails is skipped.

#include "core/app/archive.h"
#include "fsfaults.h"
#include "testsupport.h"

#include <QtTest>

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestArchive : public QObject {
    Q_OBJECT

private slots:
    void movesEveryListedFileAndCreatesTheTarget()
    {
        TempHome home;
        const QString source = home.path() + "/ws/prgfiles/";
        const QString target = home.path() + "/ws/deeper/prgfiles_bk/";
        for (const char* name : {"a.js", "b.lua", ".hidden", "kept"})
            QVERIFY(writeBytes(source + name, name));
        const Result<QStringList> moved =
            archiveListedFiles({"a.js", "b.lua", ".hidden", "gone", "../kept"}, source, target);
        // The one listed file that is not there is named; the rest moved.
        QVERIFY(!moved.ok());
        QCOMPARE(moved.message(), "gone was not archived: " + qt_error_string(ENOENT));
        QCOMPARE(filesIn(source), QStringList{"kept"});
        QCOMPARE(filesIn(target), (QStringList{".hidden", "a.js", "b.lua"}));
        QCOMPARE(readBytes(target + "b.lua"), QByteArray("b.lua"));
    }

    void aNameAlreadyArchivedStaysInTheSource()
    {
        TempHome home;
        const QString source = home.path() + "/spfiles/";
        const QString target = home.path() + "/spfiles_bk/";
        QVERIFY(writeBytes(source + "s", "first"));
        const Result<QStringList> first = archiveListedFiles({"s"}, source, target);
        QVERIFY(first.ok());
        QCOMPARE(*first, QStringList{"s"});
        QVERIFY(writeBytes(source + "s", "second"));
        QVERIFY(!archiveListedFiles({"s"}, source, target).ok());
        QCOMPARE(readBytes(source + "s"), QByteArray("second"));
        QCOMPARE(readBytes(target + "s"), QByteArray("first"));
    }

    // Every file that stays behind is named with the cause, so Archive never fails silently.
    void failedMovesAreNamed_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("cause");
        QTest::newRow("the target holds that name")
            << "taken"
            << "a.js was not archived: %1 already holds a file of that name.";
        QTest::newRow("a read-only source folder") << "read-only"
                                                   << "a.js was not archived: ";
        QTest::newRow("a file where the target folder goes")
            << "no target"
            << "The folder %1 cannot be created, so no file was "
               "archived.";
    }
    void failedMovesAreNamed()
    {
        QFETCH(QString, fault);
        QFETCH(QString, cause);
        TempHome home;
        const QString workspace = home.path() + "/ws/";
        const QString source = workspace + "prgfiles/";
        const QString target = workspace + "prgfiles_bk/";
        // Root passes every permission check, so the read-only folder is a tmpfs remounted
        // read-only.
        TmpfsMount disk(fault == "read-only" ? workspace : home.path() + "/unused/", 1 << 20);
        if (fault == "read-only")
            SKIP_UNLESS_MOUNTED(disk);
        QVERIFY(writeBytes(source + "a.js", "mine"));
        QVERIFY(QDir().mkpath(target));
        if (fault == "taken")
            QVERIFY(writeBytes(target + "a.js", "archived before"));
        if (fault == "no target")
            QVERIFY(QDir(target).removeRecursively() && writeBytes(workspace + "prgfiles_bk", "a file"));
        if (fault == "read-only")
            QVERIFY(disk.makeReadOnly());

        const Result<QStringList> archived = archiveListedFiles({"a.js"}, source, target);
        QVERIFY(!archived.ok());
        const QString problem = archived.message();
        const QString expected = cause.contains("%1")
                                     ? cause.arg(target)
                                     : cause + (fault == "read-only" ? qt_error_string(EROFS) : "");
        QCOMPARE(problem, expected);
        QCOMPARE(readBytes(source + "a.js"), QByteArray("mine"));
        QVERIFY(!QFile::exists(target + "a.js") || readBytes(target + "a.js") == "archived before");
    }

    void everyMoveThatWorkedLeavesNoMessage()
    {
        TempHome home;
        QVERIFY(writeBytes(home.path() + "/src/a", "a"));
        const Result<QStringList> archived =
            archiveListedFiles({"a"}, home.path() + "/src/", home.path() + "/bk/");
        QVERIFY(archived.ok());
        QCOMPARE(*archived, QStringList{"a"});
        QCOMPARE(archived.message(), QString());
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "test_archive.moc"
