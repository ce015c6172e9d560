// SPDX-License-Identifier: MIT
// The choosers' folder listing: plain files only, hidden ones too, sorted by name.

#include "core/app/filelist.h"
#include "testsupport.h"

#include <QTest>

#include <sys/stat.h>

class TestFileList : public QObject {
    Q_OBJECT

private slots:
    void plainFilesOnly()
    {
        TempHome home;
        const QString dir = home.path() + "/prg/";
        QVERIFY(writeBytes(dir + "b.js", "x"));
        QVERIFY(writeBytes(dir + ".hidden", "x"));
        QVERIFY(writeBytes(dir + "a", "x"));
        QVERIFY(writeBytes(dir + "sub/inner.js", "x"));
        // A pipe would hang whoever opens it from a chooser.
        QCOMPARE(mkfifo(QFile::encodeName(dir + "pipe").constData(), 0600), 0);
        QCOMPARE(listFiles(dir), (QStringList{".hidden", "a", "b.js"}));
        QCOMPARE(listFiles(home.path() + "/missing/"), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestFileList)
#include "test_filelist.moc"
