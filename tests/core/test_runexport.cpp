// SPDX-License-Identifier: MIT
// Run: the exported file of each console, the save-first rule, the failures, the start
// of Pixilang and TIC-80, and the exports of the real preludes checked by the consoles'
// own language tools.

#include "core/app/provisioning.h"
#include "core/app/settingslist.h"
#include "core/app/workspace.h"
#include "core/editor/runexport.h"
#include "core/editor/textmodel.h"
#include "core/sprite/spritesheet.h"
#include "spritesupport.h"
#include "testsupport.h"

#include <QProcess>
#include <QtTest>

namespace {

// Points PATH at one folder for its lifetime, so TIC-80 is found on it exactly when a test
// puts one there, whatever the machine has installed.
class PathOverride {
public:
    explicit PathOverride(const QString& folder) : saved(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(folder));
    }
    ~PathOverride() { qputenv("PATH", saved); }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;

private:
    QByteArray saved;
};

// A stand-in for TIC-80: writes the folder it was started in and its arguments, one per
// line, to "args.txt" beside itself, and ends.
void writeTic80Stub(const QString& path)
{
    QVERIFY(writeBytes(
        path, "#!/bin/sh\n"
              "PATH=/usr/bin:/bin\n"
              "d=$(dirname \"$0\")\n"
              "{ pwd; printf '%s\\n' \"$@\"; } > \"$d/args.tmp\" && mv \"$d/args.tmp\" \"$d/args.txt\"\n"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// TIC-80's own reading of --cmd: the text cut at every " & " in turn, then each command
// cut at spaces with the empty pieces dropped; here each command's pieces joined by "|".
QStringList tic80ConsoleCommands(const QString& cmd)
{
    QStringList commands;
    for (const QString& command : cmd.split(QStringLiteral(" & ")))
        commands << command.split(u' ', Qt::SkipEmptyParts).join(u'|');
    return commands;
}

// A workspace with small preludes of its own under home/ws, an export folder per console
// under home/out, and PATH pointing at the empty folder home/bin.
struct RunFixture {
    TempHome home;
    Workspace ws = Workspace::under(home.path() + "/ws/");
    SettingsList settings;
    QString out = home.path() + "/out";
    QString bin = home.path() + "/bin";
    PathOverride path{bin};
    SpriteSheet sheet = makeBlankSheet(16, 16, 1); // nothing drawn: no TIC-80 sections

    RunFixture()
    {
        QDir().mkpath(ws.codeFilesDir);
        QDir().mkpath(bin);
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
        return runProgram(m, name, ws, settings, sheet);
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
    void tic80Start_data();
    void tic80Start();
    void tic80StubGetsTheCommands_data();
    void tic80StubGetsTheCommands();
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
    QTest::newRow("2: liko [a\\rb|c\\r\\n|d\\n|e\\r] line ends inside lines")
        << "2" << QStringList{"a\rb", "c\r\n", "d\n", "e\r"}
        << R"(liko/a.lua: a\r\nb\r\nc\r\n\r\nd\r\n\r\ne\r\n\r\nlk1\r\n)";
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
    QCOMPARE(r.outcome.message(), QString());
    QCOMPARE(filesUnder(f.out, ShownBytes::Text), files);
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
    QVERIFY2(r.outcome.message().startsWith(QString(message)
                                                .replace(QStringLiteral("OUT"), f.out)
                                                .replace(QStringLiteral("WS/"), f.ws.workspaceDir)),
             qPrintable(r.outcome.message()));
    if (dirKey != u"prelude")
        QCOMPARE(r.outcome.message(), QString(message).replace(QStringLiteral("OUT"), f.out));
    QCOMPARE(filesUnder(f.out, ShownBytes::Text), QString());
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
    QVERIFY2(message.isEmpty() ? r.outcome.message().isEmpty() : r.outcome.message().startsWith(message),
             qPrintable(r.outcome.message()));
    QStringList all = filesUnder(f.home.path(), ShownBytes::Text).split(u'\n');
    all.removeIf([](const QString& l) { return l.startsWith(u"ws/js/"); });
    QCOMPARE(all.join(u'\n'), files);
}

void TestRunExport::pixilangRuntimeInItsFolder()
{
    RunFixture f;
    const RunResult r = f.run(QStringLiteral("3"), {QStringLiteral("x=1")});
    QCOMPARE(r.outcome.message(), QString());
    QCOMPARE(r.runtime, f.out + "/pixi/pixilang");
    QCOMPARE(r.runtimeFolder, f.out + "/pixi");
    QCOMPARE(f.run(QStringLiteral("0"), {}).runtime, QString());

    QStringList started;
    (void)startRuntime(r, [&](const QString& program, const QStringList& args, const QString& dir) {
        started << program + " " + args.join(u' ') + "in " + dir;
        return true;
    });
    QCOMPARE(started, QStringList{f.out + "/pixi/pixilang in " + f.out + "/pixi"});
}

void TestRunExport::tic80Start_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("files");   // put into the TIC-80 export folder first
    QTest::addColumn<bool>("onPath");         // a TIC-80 stub in the PATH folder BIN
    QTest::addColumn<QString>("runpath");     // APPS/tic80 is another stub, APPS/notes.txt no program
    QTest::addColumn<QString>("exportDir");   // "": OUT/tic
    QTest::addColumn<bool>("starts");         // what the start reports
    QTest::addColumn<QStringList>("started"); // program, arguments, "in" working folder
    QTest::addColumn<QStringList>("messages");

    const QString cannot = "Cannot start TIC-80 from %1. The program is exported; the setting "
                           "\"runpath\" names TIC-80's program (empty: tic80 on the PATH).";
    const auto tic80 = [](const QString& program, const QString& cmd) {
        return QStringList{program, "--skip", "--fs=OUT/tic", "--cmd=" + cmd, "in OUT/tic"};
    };
    const QStringList none;

    QTest::newRow("0: js, tic80 on the PATH")
        << "0" << none << true << ""
        << "" << true << tic80("BIN/tic80", "new js & import code a.js & run") << none;
    QTest::newRow("1: lua, tic80 on the PATH, tiles.png and sprites.png")
        << "1" << QStringList{"tiles.png", "sprites.png"} << true << ""
        << "" << true
        << tic80("BIN/tic80",
                 "new lua & import code a.lua & import tiles tiles.png & import sprites sprites.png & run")
        << none;
    QTest::newRow("0: js, tiles.png only") << "0" << QStringList{"tiles.png"} << true << ""
                                           << "" << true
                                           << tic80("BIN/tic80", "new js & import code a.js & import tiles "
                                                                 "tiles.png & run")
                                           << none;
    QTest::newRow("1: lua, sprites.png only")
        << "1" << QStringList{"sprites.png"} << true << ""
        << "" << true << tic80("BIN/tic80", "new lua & import code a.lua & import sprites sprites.png & run")
        << none;
    QTest::newRow("0: js, export.gif alone imports no bank")
        << "0" << QStringList{"export.gif"} << true << ""
        << "" << true << tic80("BIN/tic80", "new js & import code a.js & run") << none;
    QTest::newRow("0: js, runpath before the PATH")
        << "0" << QStringList{"tiles.png", "sprites.png"} << true << "APPS/tic80"
        << "" << true
        << tic80("APPS/tic80",
                 "new js & import code a.js & import tiles tiles.png & import sprites sprites.png & run")
        << none;
    QTest::newRow("1: lua, runpath nowhere: one message, nothing started")
        << "1" << none << true << "OUT/none/tic80"
        << "" << true << none << QStringList{cannot.arg("OUT/none/tic80")};
    QTest::newRow("0: js, runpath a folder") << "0" << none << false << "OUT/tic"
                                             << "" << true << none << QStringList{cannot.arg("OUT/tic")};
    QTest::newRow("0: js, runpath a file that is no program")
        << "0" << none << false << "APPS/notes.txt"
        << "" << true << none << QStringList{cannot.arg("APPS/notes.txt")};
    QTest::newRow("0: js, no TIC-80 at all: as before") << "0" << QStringList{"tiles.png"} << false << ""
                                                        << "" << true << none << none;
    QTest::newRow("0: js, tic80 on the PATH does not start: one message")
        << "0" << none << true << ""
        << "" << false << tic80("BIN/tic80", "new js & import code a.js & run")
        << QStringList{cannot.arg("BIN/tic80")};
    QTest::newRow("0: js, export failed: TIC-80 not started")
        << "0" << none << true << ""
        << "OUT/none" << true << none
        << QStringList{"Failed to create OUT/none/a.js\nNo such file or directory"};
    QTest::newRow("2: liko, tic80 on the PATH: not started") << "2" << none << true << "APPS/tic80"
                                                             << "" << true << none << none;
    QTest::newRow("3: pixilang, tic80 on the PATH: pixilang")
        << "3" << none << true << ""
        << "" << true << QStringList{"OUT/pixi/pixilang", "in OUT/pixi"} << none;
    QTest::newRow("3: pixilang that does not start: still no message")
        << "3" << none << true << ""
        << "" << false << QStringList{"OUT/pixi/pixilang", "in OUT/pixi"} << none;
}

void TestRunExport::tic80Start()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, files);
    QFETCH(bool, onPath);
    QFETCH(QString, runpath);
    QFETCH(QString, exportDir);
    QFETCH(bool, starts);
    QFETCH(QStringList, started);
    QFETCH(QStringList, messages);
    RunFixture f;
    const QString apps = f.home.path() + "/apps";
    const auto place = [&](QString text) {
        return text.replace(QStringLiteral("BIN"), f.bin)
            .replace(QStringLiteral("APPS"), apps)
            .replace(QStringLiteral("OUT"), f.out);
    };
    writeTic80Stub(apps + "/tic80");
    QVERIFY(writeBytes(apps + "/notes.txt", "not a program"));
    if (onPath)
        writeTic80Stub(f.bin + "/tic80");
    for (const QString& file : files)
        QVERIFY(writeBytes(f.out + "/tic/" + file, "image"));
    if (!runpath.isEmpty())
        f.settings.setValue(QStringLiteral("runpath"), place(runpath));
    if (!exportDir.isEmpty())
        f.settings.setValue(QStringLiteral("exportdir"), place(exportDir));

    QStringList calls;
    const ProgramStarter recordStart = [&](const QString& program, const QStringList& args,
                                           const QString& dir) {
        calls << program << args << "in " + dir;
        return starts;
    };
    const RunResult r = f.run(lang, {QStringLiteral("x=1")});
    QStringList shown;
    if (!r.outcome.message().isEmpty())
        shown << r.outcome.message();
    if (const Result<> startedUp = startRuntime(r, recordStart); !startedUp)
        shown << startedUp.message();

    for (QString& s : started)
        s = place(s);
    for (QString& m : messages)
        m = place(m);
    QCOMPARE(calls, started);
    QCOMPARE(shown, messages);
    // Whatever happens to the start, a written export stays.
    if (exportDir.isEmpty())
        QVERIFY(QFile::exists(exportPath(*consoleTarget(lang), f.settings)));
}

void TestRunExport::tic80StubGetsTheCommands_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("commands");

    QTest::newRow("0: js with both banks")
        << "0" << QStringList{"tiles.png", "sprites.png"}
        << QStringList{"new|js", "import|code|a.js", "import|tiles|tiles.png", "import|sprites|sprites.png",
                       "run"};
    QTest::newRow("1: lua without banks")
        << "1" << QStringList{} << QStringList{"new|lua", "import|code|a.lua", "run"};
}

// The real start: a stub on the PATH is started detached and records what TIC-80 would
// be handed.
void TestRunExport::tic80StubGetsTheCommands()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, files);
    QFETCH(QStringList, commands);
    RunFixture f;
    writeTic80Stub(f.bin + "/tic80");
    for (const QString& file : files)
        QVERIFY(writeBytes(f.out + "/tic/" + file, "image"));
    const RunResult r = f.run(lang, {QStringLiteral("x=1")});
    QCOMPARE(r.outcome.message(), QString());
    QCOMPARE(startRuntime(r, startProgram).message(), QString());

    const QString recorded = f.bin + "/args.txt";
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(recorded), 10000);
    const QStringList lines = QString::fromUtf8(readBytes(recorded)).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.mid(0, 3), (QStringList{f.out + "/tic", "--skip", "--fs=" + f.out + "/tic"}));
    QVERIFY2(lines[3].startsWith(QStringLiteral("--cmd=")), qPrintable(lines[3]));
    QCOMPARE(tic80ConsoleCommands(lines[3].sliced(6)), commands);
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
    QCOMPARE(provisionDefaults(ws, settings, keywords, 384).message(), QString());
    settings.setValue(QStringLiteral("lang"), lang);
    settings.setValue(QStringLiteral("exportdir"), home.path() + "/Documents");
    settings.setValue(QStringLiteral("exportdir2"), home.path() + "/Documents");
    TextModel m;
    m.codeLines = code;
    QCOMPARE(runProgram(m, {}, ws, settings, makeBlankSheet(16, 16, 1)).outcome.message(), QString());
    const QString file = home.path() + (lang == u"0" ? "/Documents/a.js" : "/Documents/a.lua");
    QVERIFY(QFile::exists(file));
    expectTool(tool, args + QStringList{file}, accepted);
}

QTEST_GUILESS_MAIN(TestRunExport)
#include "test_runexport.moc"
