// Run: the exported file of each console, the save-first rule, the failures, and the
// exports of the real preludes checked by the consoles' own language tools.

#include "app/provisioning.h"
#include "app/settingslist.h"
#include "app/workspace.h"
#include "editor/runexport.h"
#include "editor/textmodel.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QProcess>
#include <QtTest>

namespace {

// Every file under root with its bytes (CR and LF shown as \r \n), one per line.
QString filesUnder(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QString bytes = QString::fromUtf8(readBytes(path));
        bytes.replace(QStringLiteral("\r"), QStringLiteral("\\r"))
            .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
        out << QDir(root).relativeFilePath(path) + ": " + bytes;
    }
    out.sort();
    return out.join(u'\n');
}

// A workspace with small preludes of its own under home/ws, and an export folder per
// console under home/out.
struct RunFixture {
    TempHome home;
    Workspace ws = Workspace::under(home.path() + "/ws/");
    SettingsList settings;
    QString out = home.path() + "/out";

    RunFixture()
    {
        QDir().mkpath(ws.codeFilesDir);
        writeBytes(ws.commonFunctionsDir + "func.js", "js1\r\n\r\njs3\r\n");
        writeBytes(ws.commonFunctionsDir + "func.lua", "lua1\nlua2");
        writeBytes(ws.commonFunctionsDir + "func_lk12.lua", "lk1\r\n");
        writeBytes(ws.commonFunctionsDir + "func.pixi", "\xEF\xBB\xBFpx1\r\n");
        for (const char* dir : {"tic", "liko", "pixi"})
            QDir().mkpath(out + "/" + dir);
        settings.setValue(QStringLiteral("exportdir"), out + "/tic");
        settings.setValue(QStringLiteral("exportdir2"), out + "/liko");
        settings.setValue(QStringLiteral("exportdir3"), out + "/pixi");
    }

    RunResult run(const QString& lang, const QStringList& code, const QString& name = {},
                  bool modified = false)
    {
        TextModel m;
        m.codeLines = code;
        m.modified = modified;
        settings.setValue(QStringLiteral("lang"), lang);
        return runProgram(m, name, ws, settings);
    }
};

// Runs a checking tool on a file; fails the test when the tool is missing, since the
// set-up script installs it.
void expectTool(const QString& tool, const QStringList& args, bool accepted)
{
    QProcess p;
    p.start(tool, args);
    QVERIFY2(p.waitForStarted(), qPrintable(tool + " is missing: scripts/dev.sh installs it"));
    QVERIFY(p.waitForFinished());
    const QString said = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    QVERIFY2((p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) == accepted,
             qPrintable(tool + " " + args.join(u' ') + ": " + said));
}

} // namespace

class TestRunExport : public QObject {
    Q_OBJECT

private slots:
    void exportedFile_data();
    void exportedFile();
    void failures_data();
    void failures();
    void saveFirst_data();
    void saveFirst();
    void pixilangRuntimeInItsFolder();
    void realPreludesParse_data();
    void realPreludesParse();
};

void TestRunExport::exportedFile_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("code");
    QTest::addColumn<QString>("files");

    const QStringList tic{"function TIC(){", "}"};
    QTest::newRow("0: js [function TIC(){|}]")
        << "0" << tic << R"(tic/a.js: // script: js\r\nfunction TIC(){\r\n}\r\njs1\r\n\r\njs3\r\n)";
    QTest::newRow("0: js skeleton [|function TIC(){|}|]")
        << "0" << QStringList{"", "function TIC(){", "}", ""}
        << R"(tic/a.js: // script: js\r\n\r\nfunction TIC(){\r\n}\r\n\r\njs1\r\n\r\njs3\r\n)";
    QTest::newRow("1: lua [x=1]") << "1" << QStringList{"x=1"}
                                  << R"(tic/a.lua: -- script: lua\r\nx=1\r\nlua1\r\nlua2\r\n)";
    QTest::newRow("2: liko [x=1]") << "2" << QStringList{"x=1"} << R"(liko/a.lua: x=1\r\nlk1\r\n)";
    QTest::newRow("3: pixi [x=1], prelude with a mark")
        << "3" << QStringList{"x=1"} << R"(pixi/boot.pixi: x=1\r\npx1\r\n)";
    QTest::newRow("2: liko [] one empty line") << "2" << QStringList{""} << R"(liko/a.lua: \r\nlk1\r\n)";
    QTest::newRow("2: liko [s=\"ü→\"] kept as UTF-8")
        << "2" << QStringList{"s=\"ü→\""} << R"(liko/a.lua: s="ü→"\r\nlk1\r\n)";
    QTest::newRow("2: liko [a\\0b] cut at the zero")
        << "2" << QStringList{QString::fromUtf16(u"a\0b", 3)} << R"(liko/a.lua: a\r\nlk1\r\n)";
}

void TestRunExport::exportedFile()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, code);
    QFETCH(QString, files);
    RunFixture f;
    writeBytes(f.out + "/tic/a.js", "an older export, replaced");
    if (lang != u"0")
        QFile::remove(f.out + "/tic/a.js");
    const RunResult r = f.run(lang, code);
    QCOMPARE(r.message, QString());
    QCOMPARE(filesUnder(f.out), files);
}

void TestRunExport::failures_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("dirKey");
    QTest::addColumn<QString>("dir"); // "missing", "empty" or "" (kept)
    QTest::addColumn<QString>("message");

    QTest::newRow("0: no export folder") << "0"
                                         << "exportdir"
                                         << "missing"
                                         << "Failed to create OUT/none/a.js\nNo such file or directory";
    QTest::newRow("2: no export folder") << "2"
                                         << "exportdir2"
                                         << "missing"
                                         << "Failed to create OUT/none/a.lua\nNo such file or directory";
    QTest::newRow("3: no export folder") << "3"
                                         << "exportdir3"
                                         << "missing"
                                         << "Failed to create OUT/none/boot.pixi\nNo such file or directory";
    QTest::newRow("1: empty export folder") << "1"
                                            << "exportdir"
                                            << "empty"
                                            << "Failed to create /a.lua";
    QTest::newRow("lang 4") << "4"
                            << ""
                            << ""
                            << "Failed to create ";
    QTest::newRow("lang []") << ""
                             << ""
                             << ""
                             << "Failed to create ";
    QTest::newRow("lang [ 0]") << " 0"
                               << ""
                               << ""
                               << "Failed to create ";
    QTest::newRow("1: prelude missing") << "1"
                                        << "prelude"
                                        << ""
                                        << "Cannot read WS/js/func.lua";
    QTest::newRow("3: prelude missing") << "3"
                                        << "prelude"
                                        << ""
                                        << "Cannot read WS/js/func.pixi";
}

void TestRunExport::failures()
{
    QFETCH(QString, lang);
    QFETCH(QString, dirKey);
    QFETCH(QString, dir);
    QFETCH(QString, message);
    RunFixture f;
    if (dirKey == u"prelude") {
        QFile::remove(f.ws.commonFunctionsDir + (lang == u"1" ? "func.lua" : "func.pixi"));
    } else if (!dirKey.isEmpty()) {
        f.settings.setValue(dirKey, dir == u"missing" ? f.out + "/none" : QString());
    }
    const RunResult r = f.run(lang, {QStringLiteral("x=1")});
    QVERIFY2(r.message.startsWith(QString(message)
                                      .replace(QStringLiteral("OUT"), f.out)
                                      .replace(QStringLiteral("WS/"), f.ws.workspaceDir)),
             qPrintable(r.message));
    if (dirKey != u"prelude")
        QCOMPARE(r.message, QString(message).replace(QStringLiteral("OUT"), f.out));
    QCOMPARE(filesUnder(f.out), QString());
    QVERIFY(!QFile::exists(QStringLiteral("/a.lua")));
    // Pixilang's runtime is still started after a failed export, but never after a
    // failed read of the prelude.
    const bool starts = lang == u"3" && dirKey != u"prelude";
    QCOMPARE(r.runtime.isEmpty(), !starts);
}

void TestRunExport::saveFirst_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("codeFolder");
    QTest::addColumn<QString>("message"); // its start
    QTest::addColumn<QString>("files");   // under home

    const QString exported = R"(out/liko/a.lua: x=1\r\nlk1\r\n)";
    QTest::newRow("[] modified: exported unsaved") << "" << true << true << "" << exported;
    QTest::newRow("prog unmodified: not saved") << "prog" << false << true << "" << exported;
    QTest::newRow("prog modified: saved silently")
        << "prog" << true << true << "" << exported + "\n" + R"(ws/prgfiles/prog: x=1\r\n)";
    QTest::newRow("../prog modified: refused, nothing written")
        << "../prog" << true << true << "\"../prog\" is not a file name"
        << "";
    QTest::newRow("[  ] modified: refused") << "  " << true << true << "Input file name."
                                            << "";
    QTest::newRow("prog modified, no code folder: stops") << "prog" << true << false << "Cannot write "
                                                          << "";
    QTest::newRow("../prog unmodified: exported") << "../prog" << false << true << "" << exported;
}

void TestRunExport::saveFirst()
{
    QFETCH(QString, name);
    QFETCH(bool, modified);
    QFETCH(bool, codeFolder);
    QFETCH(QString, message);
    QFETCH(QString, files);
    RunFixture f;
    if (!codeFolder)
        QDir(f.ws.codeFilesDir).removeRecursively();
    const RunResult r = f.run(QStringLiteral("2"), {QStringLiteral("x=1")}, name, modified);
    QVERIFY2(message.isEmpty() ? r.message.isEmpty() : r.message.startsWith(message), qPrintable(r.message));
    QStringList all = filesUnder(f.home.path()).split(u'\n');
    all.removeIf([](const QString& l) { return l.startsWith(u"ws/js/"); });
    QCOMPARE(all.join(u'\n'), files);
}

void TestRunExport::pixilangRuntimeInItsFolder()
{
    RunFixture f;
    const RunResult r = f.run(QStringLiteral("3"), {QStringLiteral("x=1")});
    QCOMPARE(r.message, QString());
    QCOMPARE(r.runtime, f.out + "/pixi/pixilang");
    QCOMPARE(r.runtimeFolder, f.out + "/pixi");
    QCOMPARE(f.run(QStringLiteral("0"), {}).runtime, QString());

    QStringList started;
    setProgramStarter([&](const QString& program, const QString& dir) { started << program + " in " + dir; });
    startProgram(r.runtime, r.runtimeFolder);
    setProgramStarter({});
    QCOMPARE(started, QStringList{f.out + "/pixi/pixilang in " + f.out + "/pixi"});
}

void TestRunExport::realPreludesParse_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("code");
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("accepted");

    const QStringList js{"", "var s=\"ü\";", "function TIC(){", " cls(rand(16));", "}", ""};
    const QStringList lua{"", "s=\"ü\"", "function TIC()", " cls(rand(16))", "end", ""};
    const QStringList es5{"--ecma5", "--silent"};
    QTest::newRow("0: js, ECMAScript 5") << "0" << js << "acorn" << es5 << true;
    QTest::newRow("0: js skeleton, ECMAScript 5")
        << "0" << QStringList{"", "function TIC(){", "}", ""} << "acorn" << es5 << true;
    QTest::newRow("0: js [let f=()=>1] is no ECMAScript 5")
        << "0" << QStringList{"let f=()=>1;"} << "acorn" << es5 << false;
    QTest::newRow("1: lua, Lua 5.3") << "1" << lua << "luac5.3" << QStringList{"-p"} << true;
    QTest::newRow("1: lua [function TIC(] broken")
        << "1" << QStringList{"function TIC("} << "luac5.3" << QStringList{"-p"} << false;
    QTest::newRow("2: liko, Lua 5.1") << "2" << lua << "luac5.1" << QStringList{"-p"} << true;
    QTest::newRow("2: liko [x=1//2] is no Lua 5.1")
        << "2" << QStringList{"x=1//2"} << "luac5.1" << QStringList{"-p"} << false;
}

void TestRunExport::realPreludesParse()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, code);
    QFETCH(QString, tool);
    QFETCH(QStringList, args);
    QFETCH(bool, accepted);
    TempHome home;
    const Workspace ws = Workspace::under(home.workspace());
    SettingsList settings;
    QStringList keywords;
    QCOMPARE(provisionDefaults(ws, settings, keywords, 384), QStringList());
    settings.setValue(QStringLiteral("lang"), lang);
    settings.setValue(QStringLiteral("exportdir2"), home.path() + "/Documents");
    TextModel m;
    m.codeLines = code;
    QCOMPARE(runProgram(m, {}, ws, settings).message, QString());
    const QString file = home.path() + (lang == u"0" ? "/Documents/a.js" : "/Documents/a.lua");
    QVERIFY(QFile::exists(file));
    expectTool(tool, args + QStringList{file}, accepted);
}

QTEST_GUILESS_MAIN(TestRunExport)
#include "test_runexport.moc"
