// SPDX-License-Identifier: MIT
// The whole program against a file system that fails it: a full or read-only disk under
// every save path keeps the old files whole and says so; pipes, folders and links where a
// file should be give a message (never a hang) and never change anything outside.

#include "core/sprite/sheetexport.h"
#include "fsfaults.h"
#include "uisupport.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <functional>

namespace {

constexpr int smallSize = 13200; // what a buffered writer used to cut to 4,096 bytes
constexpr int largeSize = 24000; // above the 16 KiB the old writer kept in memory

// Code of about bytes bytes once written with CR LF.
QStringList codeOfSize(int bytes)
{
    QStringList lines;
    int size = 0;
    for (int i = 0; size < bytes; ++i) {
        lines.append(QStringLiteral("x%1 = %1 + 1 -- a line of the program").arg(i));
        size += int(lines.last().size()) + 2;
    }
    return lines;
}

// Every file and folder under root with its bytes, one line each: the state a failed
// save must leave exactly as it found it.
QString tree(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString kind = fileKind(path);
        lines.append(path.mid(root.size()) + u' ' + kind +
                     (kind == u"file" ? u' ' + QString::number(qHash(readBytes(path))) : QString()));
    }
    lines.sort();
    return lines.join(u'\n');
}

void pressOn(TfrmMain& w, int page, QPushButton* button)
{
    w.TabControl1->setCurrentIndex(page);
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

void fillWithNoise(SpriteSheet& sheet, int cells)
{
    sheet.cellCount = cells;
    sheet.sheetStore[2] = char(cells & 0xFF);
    quint32 x = 12345;
    for (int k = 0; k < cells; ++k)
        for (int i = 0; i < sheet.cellBytes(); ++i) {
            x = x * 1103515245u + 12345u;
            sheet.sheetStore[sheet.cellOffset(k) + i] = char((x >> 16) & 0x0F);
        }
}

// One save path: what it writes over, the file its message must name, and the press.
struct SavePath {
    QString failedFile;
    std::function<void()> press;
};

} // namespace

class TestBadFiles : public QObject {
    Q_OBJECT

private slots:
    void failedSaveKeepsOldFiles_data();
    void failedSaveKeepsOldFiles();
    void pipeAtStartUp_data();
    void pipeAtStartUp();
    void pipePreludeAtRun();
    void pipeChosenAfterListing_data();
    void pipeChosenAfterListing();
    void linkIsReplacedNotFollowed_data();
    void linkIsReplacedNotFollowed();
    void folderWhereAFileShouldBe_data();
    void folderWhereAFileShouldBe();
};

void TestBadFiles::failedSaveKeepsOldFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("readOnly"); // the disk is read-only instead of full

    const struct {
        const char* name;
        bool large; // a size above 16 KiB applies
        bool small; // a size below it applies
    } paths[] = {
        {"code Save", true, true},
        {"Run: the named code file", true, true},
        {"Run: the export", true, true},
        {"sprite Save", true, true},
        {"Ex: TIC-80 GIF", true, true},
        {"Ex: LIKO-12 GPUIMG", true, false},
        {"Ex: Pixilang GIF", false, true},
        {"Default", false, true},
        {"close: temp.txt and quill.ini", true, true},
    };
    for (const auto& p : paths) {
        if (p.small)
            QTest::addRow("full disk, %s, below 16 KiB", p.name) << p.name << smallSize << false;
        if (p.large)
            QTest::addRow("full disk, %s, above 16 KiB", p.name) << p.name << largeSize << false;
        QTest::addRow("read-only disk, %s", p.name) << p.name << (p.small ? smallSize : largeSize) << true;
    }
}

void TestBadFiles::failedSaveKeepsOldFiles()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QFETCH(bool, readOnly);
    TempHome home;
    const QString ws = home.workspace();
    const QString out = home.path() + "/out";
    const bool inExportFolder = path.startsWith(u"Ex:") || path == u"Run: the export";
    TmpfsMount disk(inExportFolder ? out : ws, 1 << 20);
    SKIP_UNLESS_MOUNTED(disk);
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    QVERIFY2(messages.messages.isEmpty(), qPrintable(messages.messages.join(u'\n')));
    w->settingsList.setValue(QStringLiteral("exportdir"), out);
    w->settingsList.setValue(QStringLiteral("exportdir2"), out);
    w->settingsList.setValue(QStringLiteral("exportdir3"), out);
    QVERIFY(writeBytes(home.path() + "/Documents/a.js", "old export\r\n"));

    SavePath save;
    if (path == u"code Save" || path == u"Run: the named code file") {
        QVERIFY(writeBytes(ws + "prgfiles/prog", "old program\r\n"));
        w->edtFile->setText(QStringLiteral("prog"));
        w->text.codeLines = codeOfSize(size);
        w->text.modified = true;
        w->settingsList.setValue(QStringLiteral("exportdir"), home.path() + "/Documents");
        save = {ws + "prgfiles/prog",
                [&] { pressOn(*w, 0, path == u"code Save" ? w->btTextSave : w->btRun); }};
    } else if (path == u"Run: the export") {
        QVERIFY(writeBytes(out + "/a.js", "old export\r\n"));
        w->text.codeLines = codeOfSize(size - 1100); // the prelude adds its kilobyte
        save = {out + "/a.js", [&] { pressOn(*w, 0, w->btRun); }};
    } else if (path == u"sprite Save") {
        QVERIFY(writeBytes(ws + "spfiles/hero", QByteArray("\x10\x10\x01", 3) + QByteArray(256, '\x05')));
        fillWithNoise(w->sheet, size / 256);
        w->edtGraFile->setText(QStringLiteral("hero"));
        save = {ws + "spfiles/hero", [&] { pressOn(*w, 1, w->btGraSave); }};
    } else if (path.startsWith(u"Ex:")) {
        const char* lang = path.contains(u"TIC-80") ? "0" : path.contains(u"LIKO-12") ? "2" : "3";
        w->settingsList.setValue(QStringLiteral("lang"), QLatin1StringView(lang));
        w->edtGraFile->setText(QStringLiteral("hero"));
        const QStringList files = *lang == '0'   ? QStringList{"export.gif", "tiles.png", "sprites.png"}
                                  : *lang == '2' ? QStringList{"hero.lk12"}
                                                 : QStringList{"hero0.gif"};
        for (const QString& file : files)
            QVERIFY(writeBytes(out + u'/' + file, "old image"));
        if (*lang == '0' && size == largeSize)
            fillWithNoise(w->sheet, 128);
        // The row's size is the size of the file the export writes first.
        const QString scratch = home.path() + "/scratch";
        QDir().mkpath(scratch);
        QVERIFY(exportSheet(w->sheet, QLatin1StringView(lang), scratch, "hero").ok());
        const qint64 written = QFileInfo(scratch + u'/' + files.first()).size();
        QVERIFY2(size == largeSize ? written > 16384 : written < 16384, qPrintable(QString::number(written)));
        save = {out + u'/' + files.first(), [&] { pressOn(*w, 1, w->btGraData); }};
    } else if (path == u"Default") {
        for (const char* file : {"js/func.js", "tempfiles/tm_temp", "keywords.ini"})
            QVERIFY(writeBytes(ws + QLatin1StringView(file), "the user's own version\r\n"));
        save = {ws + "js/func.js", [&] { pressOn(*w, 3, w->btDefault); }};
    } else {
        w->close(); // temp.txt and quill.ini as a first close leaves them
        w = startWindow(messages.sinks());
        w->text.codeLines = codeOfSize(size);
        save = {ws + "temp.txt", [&] { w->close(); }};
    }

    QVERIFY(readOnly ? disk.makeReadOnly() : disk.fill());
    const QString before = tree(home.path());
    messages.messages.clear();
    save.press();

    QCOMPARE(tree(home.path()), before);
    const QString shown = messages.messages.join(u'\n');
    const QString cause =
        readOnly ? QStringLiteral("Read-only file system") : QStringLiteral("No space left on device");
    QVERIFY2(shown.contains(save.failedFile) && shown.contains(cause), qPrintable(shown));
    for (const QString& message : messages.messages)
        QVERIFY2(message != u"Saved." && message != u"Done." && !message.startsWith(u"Exported."),
                 qPrintable(message));
    if (path.startsWith(u"close"))
        QVERIFY2(shown.contains(ws + "quill.ini"), qPrintable(shown));
    if (path == u"code Save" || path == u"Run: the named code file")
        QVERIFY(w->text.modified);
}

void TestBadFiles::pipeAtStartUp_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("atClose"); // the message closing shows; PATH stands for the pipe
    QTest::newRow("temp.txt")
        << "temp.txt"
        << "Cannot write PATH: It is a pipe (FIFO), not a regular file; it was left as it is.";
    QTest::newRow("quill.ini")
        << "quill.ini"
        << "The settings were not saved: PATH could not be read at start-up and is left as "
           "it is.";
    // The keyword file is written by provisioning only, which said so at start-up.
    QTest::newRow("keywords.ini") << "keywords.ini" << QString();
}

// A pipe where a workspace file should be is named and left alone; the program starts and
// closes as with an unreadable file.
void TestBadFiles::pipeAtStartUp()
{
    QFETCH(QString, file);
    QFETCH(QString, atClose);
    TempHome home;
    startWindow()->close();
    // The user's own template and prelude: a start that cannot read its files must not
    // provision the workspace again over them.
    const QString own = home.workspace() + "js/func.js";
    QVERIFY(writeBytes(own, "function mine() {}\r\n"));
    const QString path = home.workspace() + file;
    QFile::remove(path);
    FifoGuard fifo(path);
    QVERIFY(fifo.created());
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    QVERIFY2(!fifo.released(), "start-up blocked on the pipe");
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY2(messages.messages.value(0).startsWith("Cannot read " + path +
                                                   ": It is a pipe (FIFO), not a regular file."),
             qPrintable(messages.messages.join(u'\n')));
    messages.messages.clear();
    w->close();
    QCOMPARE(fileKind(path), "pipe");
    QVERIFY(!fifo.released());
    QCOMPARE(messages.messages,
             atClose.isEmpty() ? QStringList() : QStringList{atClose.replace(QStringLiteral("PATH"), path)});
    QCOMPARE(readBytes(own), QByteArray("function mine() {}\r\n"));
}

void TestBadFiles::pipePreludeAtRun()
{
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QString prelude = home.workspace() + "js/func.js";
    QFile::remove(prelude);
    FifoGuard fifo(prelude);
    QVERIFY(fifo.created());
    w->settingsList.setValue(QStringLiteral("exportdir"), home.path() + "/Documents");
    pressOn(*w, 0, w->btRun);
    QVERIFY2(!fifo.released(), "Run blocked on the pipe");
    QCOMPARE(messages.messages,
             QStringList{"Cannot read " + prelude + ": It is a pipe (FIFO), not a regular file."});
    QVERIFY(!QFile::exists(home.path() + "/Documents/a.js"));
}

void TestBadFiles::pipeChosenAfterListing_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("code Open") << 0;
    QTest::newRow("sprite Open") << 1;
}

// The choosers list regular files only; a file turned into a pipe after the listing is
// refused when picked, and the chooser stays open for another pick.
void TestBadFiles::pipeChosenAfterListing()
{
    QFETCH(int, page);
    TempHome home;
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    const QString path = home.workspace() + (page == 0 ? "prgfiles/" : "spfiles/") + "prog";
    QVERIFY(writeBytes(path, QByteArray("\x10\x10\x01", 3) + QByteArray(256, '\0')));
    pressOn(*w, page, page == 0 ? w->btTextOpen : w->btGraOpen);
    QListWidget* list = page == 0 ? w->lstBasfiles : w->lstGrafiles;
    QCOMPARE(list->count(), 1);
    QFile::remove(path);
    FifoGuard fifo(path);
    QVERIFY(fifo.created());
    list->setCurrentRow(0);
    QTest::mouseClick(page == 0 ? w->btTextOk : w->btGraOk, Qt::LeftButton);
    QVERIFY2(!fifo.released(), "the pick blocked on the pipe");
    QCOMPARE(messages.messages,
             QStringList{"Cannot read " + path + ": It is a pipe (FIFO), not a regular file."});
    QVERIFY(list->isVisible());
}

void TestBadFiles::linkIsReplacedNotFollowed_data()
{
    QTest::addColumn<QString>("link");      // in the workspace
    QTest::addColumn<bool>("targetExists"); // the outside file it points to
    QTest::newRow("prgfiles/x to an outside file, Save") << "prgfiles/x" << true;
    QTest::newRow("prgfiles/x dangling, Save") << "prgfiles/x" << false;
    QTest::newRow("spfiles/x to an outside file, Save") << "spfiles/x" << true;
    QTest::newRow("temp.txt to an outside file, close") << "temp.txt" << true;
    QTest::newRow("temp.txt dangling, close") << "temp.txt" << false;
}

void TestBadFiles::linkIsReplacedNotFollowed()
{
    QFETCH(QString, link);
    QFETCH(bool, targetExists);
    TempHome home;
    startWindow()->close();
    const QString outside = home.path() + "/elsewhere/x";
    QDir().mkpath(home.path() + "/elsewhere");
    if (targetExists)
        QVERIFY(writeBytes(outside, "outside file\r\n"));
    const QString path = home.workspace() + link;
    QFile::remove(path);
    QVERIFY(QFile::link(outside, path));
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    w->text.codeLines = QStringList{"saved code"};
    if (link.startsWith(u"prgfiles")) {
        w->edtFile->setText(QStringLiteral("x"));
        pressOn(*w, 0, w->btTextSave);
    } else if (link.startsWith(u"spfiles")) {
        w->edtGraFile->setText(QStringLiteral("x"));
        pressOn(*w, 1, w->btGraSave);
    } else {
        w->close();
    }
    QCOMPARE(fileKind(path), "file");
    QVERIFY(readBytes(path).size() > 3);
    QCOMPARE(fileKind(outside), targetExists ? "file" : "none");
    if (targetExists)
        QCOMPARE(readBytes(outside), QByteArray("outside file\r\n"));
    QCOMPARE(
        QDir(home.path() + "/elsewhere").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        targetExists ? QStringList{"x"} : QStringList());
    for (const QString& message : messages.messages)
        QVERIFY2(message == u"Saved." || (link == u"temp.txt" && message.startsWith(u"Cannot read")),
                 qPrintable(message));
}

void TestBadFiles::folderWhereAFileShouldBe_data()
{
    QTest::addColumn<QString>("folder");  // under home
    QTest::addColumn<QString>("read");    // the message at start-up, if any
    QTest::addColumn<QString>("written"); // the message of the save
    const QString isFolder = QStringLiteral("It is a folder, not a regular file");
    QTest::newRow("prgfiles/prog, Save")
        << "WS/prgfiles/prog" << QString() << "Cannot write %1: " + isFolder + "; it was left as it is.";
    QTest::newRow("temp.txt, start and close") << "WS/temp.txt"
                                               << "Cannot read %1: " + isFolder + "."
                                               << "Cannot write %1: " + isFolder + "; it was left as it is.";
    QTest::newRow("quill.ini, start and close")
        << "WS/quill.ini"
        << "Cannot read %1: " + isFolder + ".\nZenkodo starts with the defaults and leaves the file as it is."
        << "The settings were not saved: %1 could not be read at start-up and is left as it is.";
    QTest::newRow("a.js in the export folder, Run")
        << "Documents/a.js" << QString() << "Failed to create %1\n" + isFolder + "; it was left as it is.";
}

void TestBadFiles::folderWhereAFileShouldBe()
{
    QFETCH(QString, folder);
    QFETCH(QString, read);
    QFETCH(QString, written);
    TempHome home;
    startWindow()->close();
    const QString path =
        folder.startsWith(u"WS/") ? home.workspace() + folder.mid(3) : home.path() + u'/' + folder;
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path + "/inside"));
    MessageRecorder messages;
    auto w = startWindow(messages.sinks());
    QCOMPARE(messages.messages, read.isEmpty() ? QStringList() : QStringList{read.arg(path)});
    messages.messages.clear();
    w->settingsList.setValue(QStringLiteral("exportdir"), home.path() + "/Documents");
    if (path.endsWith(u"prog")) {
        w->edtFile->setText(QStringLiteral("prog"));
        pressOn(*w, 0, w->btTextSave);
    } else if (path.endsWith(u"a.js")) {
        pressOn(*w, 0, w->btRun);
    } else {
        w->close();
    }
    QCOMPARE(messages.messages, QStringList{written.arg(path)});
    QCOMPARE(fileKind(path), "folder");
    QCOMPARE(QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"inside"});
}

QTEST_MAIN(TestBadFiles)
#include "test_badfiles.moc"
