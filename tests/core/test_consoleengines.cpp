// SPDX-License-Identifier: MIT
// The programs Run exports, run in the engines of the consoles themselves: QuickJS and
// Duktape for TIC-80's JavaScript, Lua 5.3 for TIC-80's Lua, LuaJIT for LIKO-12, each for
// 60 frames against a stub of the console's API (tests/engines): the default program and
// programs built from the templates, with and without sprite sections. Pixilang has no
// engine in the system's packages, so its programs are not run here.

#include "core/app/defaultdata.h"
#include "core/app/provisioning.h"
#include "core/app/settingslist.h"
#include "core/app/textfile.h"
#include "core/app/workspace.h"
#include "core/commands/spritedata.h"
#include "core/editor/runexport.h"
#include "core/editor/textmodel.h"
#include "core/sprite/palettes.h"
#include "core/sprite/spritesheet.h"
#include "spritesupport.h"
#include "testsupport.h"

#include <QProcess>
#include <QtTest>

namespace {

const QString enginesDir = QStringLiteral(ZK_ENGINES_DIR);
const QString quickJsModules = QStringLiteral(ZK_QUICKJS_MODULES);

// The lines of a default file as the template command inserts them.
QStringList defaultLines(const char* name)
{
    for (const DefaultFile& f : defaultFiles)
        if (qstrcmp(f.name, name) == 0)
            return decodeText(defaultFileBytes(f)).lines;
    qFatal("no default file %s", name);
}

// lines with insert put right after the first line that equals after.
QStringList inserted(QStringList lines, const QString& after, const QStringList& insert)
{
    const qsizetype at = lines.indexOf(after);
    Q_ASSERT(at >= 0);
    for (qsizetype i = 0; i < insert.size(); ++i)
        lines.insert(at + 1 + i, insert[i]);
    return lines;
}

QStringList skeleton(const char* lang)
{
    TextModel m;
    newCodeSkeleton(m, QLatin1StringView(lang));
    return m.codeLines;
}

// Three cells with every colour somewhere, in DB16.
SpriteSheet drawnSheet()
{
    SpriteSheet sheet = makeBlankSheet(16, 16, 3);
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < sheet.cellBytes(); ++i)
            sheet.sheetStore[sheet.cellOffset(k) + i] = char((i * 7 + k) % 16);
    sheet.palette = paletteFromHex(QString::fromLatin1(paletteTable[0].defaultHex));
    return sheet;
}

// The TIC-80 skeleton grown the way a user grows it: objects made with the prelude's sett,
// every JavaScript template in the move function, the sine table and the palette template.
QStringList tic80JsProgram()
{
    QStringList move = defaultLines("tm_yure") + defaultLines("tm_chk") + defaultLines("tm_border") +
                       defaultLines("tm_switch") + defaultLines("tm_out");
    QStringList lines = inserted(defaultLines("tm_temp"), "function move(i){", move);
    return inserted(lines, "cls(0);",
                    QStringList{"var k,wv=[];", "for(k=0;k<8;k++)sett(rand(scx),rand(scy),k%2,1,1+k%3);"} +
                        defaultLines("sin") + defaultLines("palette"));
}

QStringList tic80LuaProgram()
{
    return inserted(skeleton("1"), "function TIC()",
                    defaultLines("palette") +
                        QStringList{" cls(rand(16))", " spr(rand(2.5),rand(240),rand(136),0,1,0,0,2,2)",
                                    " print(upper(mid(\"abc\",1,2))..chr(asc(\"A\"))..len(\"xy\"),0,0,"
                                    "int(sqr(abs(-16))))",
                                    " circ(int(sin(rnd()*6)*10)+120,int(cos(atan2(1,2))*10)+68,4,rand(16))",
                                    " rectb(0,0,rand(240.5),rand(136.5),int(tan(0.5)*4))"});
}

// The LIKO-12 skeleton with its templates, the named palettes and the sheet's images
// written by "Sp" into its image table.
QStringList liko12Program(const SpriteSheet& sheet)
{
    QStringList lines = inserted(defaultLines("ltm_temp"), "mv[1]=function(i)",
                                 defaultLines("ltm_border") + defaultLines("ltm_chk"));
    lines = inserted(lines, " clear(1)", {" palette(\"PICO8\")"});
    lines = inserted(lines, "imd={", spriteDataLines(sheet, QStringLiteral("2")));
    return defaultLines("palette_lk") + lines;
}

struct Engine {
    QString program;
    QStringList args; // "FILE" stands for the exported program
};

Engine engine(const QString& name)
{
    const QString api = enginesDir + "/tic80_api.js";
    const QString frames = enginesDir + "/tic80_frames.js";
    if (name == u"quickjs")
        return {"node", {enginesDir + "/quickjs_run.cjs", quickJsModules, api, "FILE", frames}};
    if (name == u"duktape")
        return {"duk", {api, "FILE", frames}};
    if (name == u"lua5.3")
        return {"lua5.3", {enginesDir + "/tic80.lua", "FILE"}};
    return {"luajit", {enginesDir + "/liko12.lua", "FILE"}};
}

struct Ran {
    bool ok = false;
    QString output;
};

Ran runEngine(const QString& name, const QString& file)
{
    Engine e = engine(name);
    e.args.replaceInStrings(QStringLiteral("FILE"), file);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(e.program, e.args);
    if (!p.waitForStarted())
        return {false, e.program + " is missing: scripts/dev.sh installs it"};
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {false, e.program + " did not finish"};
    }
    return {p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, QString::fromUtf8(p.readAll())};
}

} // namespace

class TestConsoleEngines : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(quickJsModules + "/quickjs-emscripten"),
                 "QuickJS is missing: the quickjs_install test installs it into the build tree");
    }

    void exportedProgramsRun_data();
    void exportedProgramsRun();
    void luaRandGivesTheJavaScriptResults();
};

void TestConsoleEngines::exportedProgramsRun_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QStringList>("code");
    QTest::addColumn<bool>("sprites");
    QTest::addColumn<bool>("oldLuaPrelude"); // a workspace provisioned before rand floored its bound
    QTest::addColumn<QString>("engineName");
    QTest::addColumn<QString>("outcome"); // "ran 60 frames" or what the engine's error says

    const QString ran = QStringLiteral("ran 60 frames");
    for (const char* js : {"quickjs", "duktape"}) {
        const QString e = QLatin1StringView(js);
        QTest::addRow("%s: js default program", js) << "0" << skeleton("0") << false << false << e << ran;
        QTest::addRow("%s: js tm_temp with every template, sprites", js)
            << "0" << tic80JsProgram() << true << false << e << ran;
        QTest::addRow("%s: js [function TIC(){cls(rand(2.5));}]", js)
            << "0" << QStringList{"function TIC(){cls(rand(2.5));}"} << false << false << e << ran;
        // What the Help page used to tell: TIC-80 has no dofile.
        QTest::addRow("%s: js [dofile(\"a.js\")] fails", js)
            << "0" << QStringList{"dofile(\"a.js\");", "function TIC(){}"} << false << false << e << "dofile";
        QTest::addRow("%s: js without TIC fails", js)
            << "0" << QStringList{"var x=1;"} << false << false << e << "'function TIC()...' isn't found";
    }
    QTest::newRow("lua5.3: lua default program") << "1" << skeleton("1") << false << false << "lua5.3" << ran;
    QTest::newRow("lua5.3: lua with the prelude's functions, rand(2.5), sprites")
        << "1" << tic80LuaProgram() << true << false << "lua5.3" << ran;
    QTest::newRow("lua5.3: rand(2.5) with the earlier prelude fails")
        << "1" << tic80LuaProgram() << false << true << "lua5.3"
        << "number has no integer representation";
    QTest::newRow("lua5.3: [spr()] misses its arguments")
        << "1" << QStringList{"function TIC() spr() end"} << false << false << "lua5.3"
        << "spr() needs 3";
    QTest::newRow("luajit: liko default program")
        << "2" << QStringList{""} << false << false << "luajit" << ran;
    QTest::newRow("luajit: liko ltm_temp with its templates, palettes and Sp images")
        << "2" << liko12Program(drawnSheet()) << true << false << "luajit" << ran;
    QTest::newRow("luajit: liko [cls()] is TIC-80's, not LIKO-12's")
        << "2" << QStringList{"function _draw() cls() end"} << false << false << "luajit"
        << "'cls'";
    QTest::newRow("luajit: liko [image(\"x\")] is no GPUIMG")
        << "2" << QStringList{"local i=image(\"x\")"} << false << false << "luajit"
        << "not a GPUIMG text";
}

void TestConsoleEngines::exportedProgramsRun()
{
    QFETCH(QString, lang);
    QFETCH(QStringList, code);
    QFETCH(bool, sprites);
    QFETCH(bool, oldLuaPrelude);
    QFETCH(QString, engineName);
    QFETCH(QString, outcome);
    TempHome home;
    const Workspace ws = Workspace::under(home.workspace());
    SettingsList settings;
    QStringList keywords;
    QCOMPARE(provisionDefaults(ws, settings, keywords, 384).message(), QString());
    if (oldLuaPrelude) {
        QByteArray prelude = readBytes(ws.commonFunctionsDir + "func.lua");
        prelude.replace("return math.floor(math.random()*a) end", "return math.random(0,a-1) end");
        QVERIFY(writeBytes(ws.commonFunctionsDir + "func.lua", prelude));
    }
    settings.setValue(QStringLiteral("lang"), lang);
    const QString out = home.path() + "/out";
    QVERIFY(QDir().mkpath(out));
    for (const char* key : {"exportdir", "exportdir2", "exportdir3"})
        settings.setValue(QLatin1StringView(key), out);
    TextModel m;
    m.codeLines = code;
    const SpriteSheet sheet = sprites ? drawnSheet() : makeBlankSheet(16, 16, 1);
    QCOMPARE(runProgram(m, {}, ws, settings, sheet).outcome.message(), QString());
    const QString file = exportPath(*consoleTarget(lang), settings);
    // The sections ride along as comments wherever TIC-80 gets sprites.
    QCOMPARE(readBytes(file).contains("<TILES>"), sprites && lang != u"2");

    const Ran r = runEngine(engineName, file);
    if (outcome.startsWith(u"ran ")) {
        QVERIFY2(r.ok && r.output.contains(outcome), qPrintable(r.output));
    } else {
        QVERIFY2(!r.ok, qPrintable(r.output));
        QVERIFY2(r.output.contains(outcome), qPrintable(r.output));
    }
}

// The same random numbers give the same rand() in both preludes, for bounds of any kind.
void TestConsoleEngines::luaRandGivesTheJavaScriptResults()
{
    TempHome home;
    QByteArray js;
    QByteArray lua;
    for (const DefaultFile& f : defaultFiles) {
        if (qstrcmp(f.name, "func.js") == 0)
            js = defaultFileBytes(f);
        else if (qstrcmp(f.name, "func.lua") == 0)
            lua = defaultFileBytes(f);
    }
    const char* bounds = "16, 2.5, 1, 0.5, 0, -3, 1000000.5";
    const char* randoms = "0, 0.25, 0.5, 0.999";
    js += QStringLiteral("var out=[],bs=[%1],rs=[%2];"
                         "for(var i=0;i<bs.length;i++)for(var j=0;j<rs.length;j++){"
                         "var r=rs[j];Math.random=function(){return r;};out.push(rand(bs[i]));}"
                         "print(out.join(' '));")
              .arg(QLatin1StringView(bounds), QLatin1StringView(randoms))
              .toLatin1();
    lua += QStringLiteral("local out,bs,rs={},{%1},{%2}\n"
                          "for _,b in ipairs(bs) do for _,r in ipairs(rs) do\n"
                          "math.random=function() return r end out[#out+1]=tostring(rand(b)) end end\n"
                          "io.write(table.concat(out,' '),'\\n')\n")
               .arg(QLatin1StringView(bounds), QLatin1StringView(randoms))
               .toLatin1();
    QVERIFY(writeBytes(home.path() + "/rand.js", js));
    QVERIFY(writeBytes(home.path() + "/rand.lua", lua));
    QProcess duk;
    duk.start("duk", {home.path() + "/rand.js"});
    QProcess lua53;
    lua53.start("lua5.3", {home.path() + "/rand.lua"});
    QVERIFY2(duk.waitForFinished() && lua53.waitForFinished(),
             "duk or lua5.3 is missing: scripts/dev.sh installs them");
    const QString fromJs = QString::fromUtf8(duk.readAllStandardOutput()).trimmed();
    QCOMPARE(QString::fromUtf8(lua53.readAllStandardOutput() + lua53.readAllStandardError()).trimmed(),
             fromJs);
    QCOMPARE(fromJs, "0 4 8 15 0 0 1 2 0 0 0 0 0 0 0 0 0 0 0 0 0 -1 -2 -3 0 250000 500000 999000");
}

QTEST_GUILESS_MAIN(TestConsoleEngines)
#include "test_consoleengines.moc"
