// Archive: the listed files move into the backup folder; a move that fails is skipped.

#include "app/archive.h"
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
        const QStringList moved =
            archiveListedFiles({"a.js", "b.lua", ".hidden", "gone", "../kept"}, source, target);
        QCOMPARE(moved, (QStringList{"a.js", "b.lua", ".hidden"}));
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
        QCOMPARE(archiveListedFiles({"s"}, source, target), QStringList{"s"});
        QVERIFY(writeBytes(source + "s", "second"));
        QCOMPARE(archiveListedFiles({"s"}, source, target), QStringList{});
        QCOMPARE(readBytes(source + "s"), QByteArray("second"));
        QCOMPARE(readBytes(target + "s"), QByteArray("first"));
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "test_archive.moc"
