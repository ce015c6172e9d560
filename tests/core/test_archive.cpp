// SPDX-License-Identifier: MIT
// Archive: the listed files move into the backup folder; a move that fails is skipped.

#include "core/app/archive.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

namespace {

// A folder whose whole tree cannot be changed once sealed. Root passes every permission
// check, so as root it is a tmpfs mounted there and remounted read-only; otherwise its
// folders lose their write permission.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : path(folder), native(QFile::encodeName(folder))
    {
        QDir().mkpath(path);
        if (::geteuid() == 0) {
            mounted = ::mount("tmpfs", native.constData(), "tmpfs", 0, "size=1m") == 0;
            if (!mounted)
                why = QStringLiteral("cannot mount a tmpfs: %1").arg(qt_error_string(errno));
        }
    }
    ~ReadOnlyFolder()
    {
        if (mounted)
            ::umount2(native.constData(), MNT_DETACH);
        else
            setFolderPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Empty when the folder can be made read-only here.
    QString why;
    // What a change inside says once sealed.
    QString refusal() const { return qt_error_string(mounted ? EROFS : EACCES); }
    bool seal()
    {
        if (mounted)
            return ::mount("tmpfs", native.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m") == 0;
        return setFolderPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }

private:
    bool setFolderPermissions(QFile::Permissions permissions) const
    {
        bool ok = QFile::setPermissions(path, permissions);
        QDirIterator it(path, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            ok = QFile::setPermissions(it.next(), permissions) && ok;
        return ok;
    }

    QString path;
    QByteArray native;
    bool mounted = false;
};

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
        ReadOnlyFolder readOnly(fault == "read-only" ? workspace : home.path() + "/unused/");
        if (fault == "read-only" && !readOnly.why.isEmpty())
            QSKIP(qPrintable(readOnly.why));
        QVERIFY(writeBytes(source + "a.js", "mine"));
        QVERIFY(QDir().mkpath(target));
        if (fault == "taken")
            QVERIFY(writeBytes(target + "a.js", "archived before"));
        if (fault == "no target")
            QVERIFY(QDir(target).removeRecursively() && writeBytes(workspace + "prgfiles_bk", "a file"));
        if (fault == "read-only")
            QVERIFY(readOnly.seal());

        QString problem;
        QCOMPARE(archiveListedFiles({"a.js"}, source, target, &problem), QStringList{});
        const QString expected = cause.contains("%1")
                                     ? cause.arg(target)
                                     : cause + (fault == "read-only" ? readOnly.refusal() : "");
        QCOMPARE(problem, expected);
        QCOMPARE(readBytes(source + "a.js"), QByteArray("mine"));
        QVERIFY(!QFile::exists(target + "a.js") || readBytes(target + "a.js") == "archived before");
    }

    void everyMoveThatWorkedLeavesNoMessage()
    {
        TempHome home;
        QVERIFY(writeBytes(home.path() + "/src/a", "a"));
        QString problem = "unset";
        QCOMPARE(archiveListedFiles({"a"}, home.path() + "/src/", home.path() + "/bk/", &problem),
                 QStringList{"a"});
        QCOMPARE(problem, QString());
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "test_archive.moc"
