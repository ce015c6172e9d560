// SPDX-License-Identifier: MIT
// First-run provisioning: the folders, the default settings in their order, the 21 default
// files byte for byte and the keyword file.

#include "core/app/defaultdata.h"
#include "core/app/provisioning.h"
#include "core/app/settingslist.h"
#include "core/app/settingsrepair.h"
#include "core/app/workspace.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QTest>

namespace {

enum LineEnds { CrLf, Lf, NoEnd };

struct Expected {
    const char* name;
    int length;
    const char* sha1;
    LineEnds ends;
    bool endsWithLineEnd;
    const char* firstLine;
};

// The exact bytes are pinned by their hashes; the line-end rules say why they matter.
const Expected expectedFiles[] = {
    {"func.js", 1006, "3e4fff913cee7d039a4f32dbac6fb837a4c7bc49", CrLf, true,
     "function rand(a){return Math.floor(Math.random()*a);}"},
    {"func.lua", 664, "be4cfd2d29b7ed0d9fc668decfc01b089aca7fe0", CrLf, true,
     "function rand(a) return math.floor(math.random()*a) end"},
    {"func.pixi", 917, "358db5f76abc3ab75379141abbcb8751e5e6817b", CrLf, true, "fn sprite($x,$y,$d){"},
    {"func_lk12.lua", 664, "be4cfd2d29b7ed0d9fc668decfc01b089aca7fe0", CrLf, true,
     "function rand(a) return math.floor(math.random()*a) end"},
    {"circle", 67, "5be117d1191a5a1b46c0b0fb615b75f024b57376", Lf, true, nullptr},
    {"ltm_border", 119, "f6a2c6813611d1b9aca7677e5a37e6c8d999bfa1", Lf, true, nullptr},
    {"ltm_chk", 203, "b727ed0bf0178c55ebe8b5a6e4f1db2dc9c0b642", CrLf, true, nullptr},
    {"ltm_temp", 1415, "8dca439fd0cd899673b940b38beeca719224eeae", CrLf, true, nullptr},
    {"palette", 47, "324267d39d978eb368cd0d2c6650bc79e9b463cd", CrLf, true, nullptr},
    {"palette_lk", 2083, "0e94e02189201935d469fc5dca4e9a91ccf6844a", CrLf, true, nullptr},
    {"pix_border", 98, "87fcd49d7899e124c2a32a424b8077ceecc3a056", CrLf, true, nullptr},
    {"pix_chk", 145, "369515e15d5eeee8472097afab5da95027148493", CrLf, true, nullptr},
    {"pix_default", 157, "42146ac8950fb382b969fcc03d153a8fd930deea", CrLf, true, nullptr},
    {"pix_temp", 1089, "fa355623870752e945fe8b9528a8eb540d73b50c", CrLf, true, nullptr},
    {"sin", 36, "a0f2dccf72984cfa12eed60bfa9c94f09b9ad07d", NoEnd, false, nullptr},
    {"tm_border", 93, "270aed38322339844b7c1f366d8fbdff5b361c4c", Lf, false, nullptr},
    {"tm_chk", 148, "a12456f63d34ea496d92852ebb1a37c3a15af244", Lf, false, nullptr},
    {"tm_out", 52, "13fa2c872baf6d72f7019f4b77f85b93d1b60745", CrLf, false, nullptr},
    {"tm_switch", 33, "fea9730d700f74fb41ac2c15e61e1884852e2472", Lf, false, nullptr},
    {"tm_temp", 744, "c7f5136697742ed29136ecb32a81eb0ccba72fd3", CrLf, true, "var scx=182,scy=136,sz=2,l=0;"},
    {"tm_yure", 198, "d1126556a4186e87c72750f51e5d826f64c721c7", Lf, false, "if(rand(10)==0){"},
};

QStringList keysOf(const SettingsList& s)
{
    QStringList keys;
    for (const QString& line : s.lines)
        keys.append(line.section(u'=', 0, 0));
    return keys;
}

} // namespace

class TestProvisioning : public QObject {
    Q_OBJECT

private slots:
    void embeddedFilesAreExact()
    {
        int total = 0;
        QCOMPARE(defaultFiles.size(), std::size(expectedFiles));
        for (size_t i = 0; i < defaultFiles.size(); ++i) {
            const DefaultFile& f = defaultFiles[i];
            const Expected& e = expectedFiles[i];
            const QByteArray bytes = defaultFileBytes(f);
            QCOMPARE(QByteArray(f.name), QByteArray(e.name));
            QCOMPARE(bytes.size(), qsizetype(e.length));
            QCOMPARE(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex(), QByteArray(e.sha1));
            const qsizetype lfs = bytes.count('\n');
            const qsizetype crlfs = bytes.count("\r\n");
            const qsizetype crs = bytes.count('\r');
            if (e.ends == CrLf)
                QVERIFY2(lfs == crlfs && crs == crlfs && crlfs > 0, e.name);
            else if (e.ends == Lf)
                QVERIFY2(crs == 0 && lfs > 0, e.name);
            else
                QVERIFY2(crs == 0 && lfs == 0, e.name);
            QCOMPARE(bytes.endsWith('\n'), e.endsWithLineEnd);
            if (e.firstLine)
                QCOMPARE(bytes.left(bytes.indexOf('\r') >= 0 ? bytes.indexOf('\r') : bytes.indexOf('\n')),
                         QByteArray(e.firstLine));
            total += int(bytes.size());
        }
        QCOMPARE(total, 9978);
    }

    void keywords()
    {
        const QStringList k = builtinKeywords();
        QCOMPARE(k.size(), 356);
        QCOMPARE(k.first(), "BLACK");
        QCOMPARE(k.last(), "zlib_unpack(");
        for (const char* blank : {"case ", "fn ", "function ", "local ", "then ", "var "})
            QVERIFY2(k.contains(QString::fromLatin1(blank)), blank);
        QCOMPARE(k.indexOf("_draw()"), k.indexOf("YELLOW") + 1);
        QCOMPARE(k.indexOf("abs("), k.indexOf("_update()") + 1);
        QStringList sorted = k;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, k);
    }

    void firstProvisioning()
    {
        TempHome home;
        const Workspace ws = platformWorkspace();
        QCOMPARE(ws.workspaceDir, home.workspace());
        SettingsList settings;
        QStringList keywords;
        QCOMPARE(provisionDefaults(ws, settings, keywords, 384).message(), QString());

        for (const QString& dir :
             {ws.codeFilesDir, ws.spriteFilesDir, ws.templatesDir, ws.commonFunctionsDir})
            QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
        QCOMPARE(QDir(ws.commonFunctionsDir).entryList(QDir::Files).size(), 4);
        QCOMPARE(QDir(ws.templatesDir).entryList(QDir::Files).size(), 17);
        for (const DefaultFile& f : defaultFiles)
            QCOMPARE(readBytes(ws.workspaceDir + f.folder + "/" + f.name), defaultFileBytes(f));

        QCOMPARE(readBytes(ws.keywordsPath), builtinKeywords().join("\r\n").toLatin1() + "\r\n");
        QCOMPARE(keywords, builtinKeywords());

        const QStringList expectedKeys = {
            "exportdir", "exportdir2", "exportdir3", "runapp",    "runapp2",   "runapp3",      "width",
            "BtnKey11",  "BtnKey12",   "BtnKey13",   "BtnKey14",  "BtnKey15",  "BtnKey16",     "BtnKey17",
            "BtnKey18",  "BtnKey21",   "BtnKey22",   "BtnKey23",  "BtnKey24",  "BtnKey25",     "BtnKey26",
            "BtnKey27",  "BtnKey28",   "pltMSX",     "pltDB16",   "pltPICO-8", "pltARNE16",    "pltEDG16",
            "pltA64",    "pltC64",     "pltVIC20",   "pltCGA",    "pltSLIFE",  "pltJMP",       "pltCGARNE",
            "pltPSYG",   "pltEROGE",   "pltEISLAND", "pltBARNES", "pltVV16",   "pltSWEETIE16", "palette",
            "command",   "web",        "keyheight",  "sprite",    "lang"};
        QCOMPARE(keysOf(settings), expectedKeys);
        // TIC-80 and LIKO-12 get the folders the consoles read; TIC-80's is made at once.
        QCOMPARE(settings.value(u"exportdir"), home.path() + "/.local/share/com.nesbox.tic/TIC-80");
        QVERIFY(QFileInfo(settings.value(u"exportdir")).isDir());
        QCOMPARE(settings.value(u"exportdir2"), home.path() + "/.local/share/love/LIKO-12/Drives/D");
        QCOMPARE(settings.value(u"exportdir3"), home.path() + "/Documents");
        QCOMPARE(settings.value(u"palette"), "17");
        QCOMPARE(settings.value(u"pltSWEETIE16"),
                 "1a1c2c5d275db13e53ef7d57ffcd75a7f07038b76425717929366f3b5dc941"
                 "a6f673eff7f4f4f494b0c2566c86333c57");
        QCOMPARE(settings.value(u"keyheight"), "30");
        QCOMPARE(settings.value(u"command"), "26");
        QCOMPARE(settings.value(u"BtnKey12"), "!\"#$%&'()X");
        QCOMPARE(settings.value(u"BtnKey14"), ",./\\<>?[]|");
        QCOMPARE(settings.value(u"pltDB16"), "140c1c44243430346d4e4a4e854c30346524d04648757161597dced27d2c859"
                                             "5a16daa2cd2aa996dc2cadad45edeeed6");
        QVERIFY(repairSettings(settings, 384).isEmpty());
    }

    // LIKO-12 run on its runtime keeps its drives under "love"; a fused build keeps them
    // directly in the data folder. The fused one is taken only where it alone is there.
    void liko12FolderIsTheOneThere_data()
    {
        QTest::addColumn<QStringList>("existing"); // under $XDG_DATA_HOME
        QTest::addColumn<QString>("chosen");
        const QString onRuntime = "love/LIKO-12/Drives/D";
        const QString fused = "LIKO-12/Drives/D";
        QTest::newRow("neither: the runtime's") << QStringList{} << onRuntime;
        QTest::newRow("the runtime's") << QStringList{onRuntime} << onRuntime;
        QTest::newRow("the fused one alone") << QStringList{fused} << fused;
        QTest::newRow("both: the runtime's") << QStringList{onRuntime, fused} << onRuntime;
        QTest::newRow("old identity liko12 only: the runtime's")
            << QStringList{"love/liko12/drives/D"} << onRuntime;
    }
    void liko12FolderIsTheOneThere()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, chosen);
        TempHome home;
        const QString data = home.path() + "/.local/share/";
        for (const QString& dir : existing)
            QVERIFY(QDir().mkpath(data + dir));
        SettingsList settings;
        QStringList keywords;
        QVERIFY(provisionDefaults(platformWorkspace(), settings, keywords, 384).ok());
        QCOMPARE(settings.value(u"exportdir2"), data + chosen);
        // Only TIC-80's folder is made; LIKO-12 makes its own drives at its first start.
        QCOMPARE(QFileInfo(data + "love/LIKO-12").exists(), existing.join(u' ').contains("love/LIKO-12"));
    }

    void keyHeightFollowsThePanel_data()
    {
        QTest::addColumn<int>("panelWidth");
        QTest::addColumn<QString>("keyheight");
        QTest::newRow("384 -> 47 -> 30") << 384 << "30";
        QTest::newRow("500 -> 59 -> 38") << 500 << "38";
    }
    void keyHeightFollowsThePanel()
    {
        QFETCH(int, panelWidth);
        QFETCH(QString, keyheight);
        TempHome home;
        SettingsList settings;
        QStringList keywords;
        QVERIFY(provisionDefaults(platformWorkspace(), settings, keywords, panelWidth).ok());
        QCOMPARE(settings.value(u"keyheight"), keyheight);
    }

    // Default runs provisioning again: templates come back, other keys stay, nothing shrinks.
    void secondProvisioning()
    {
        TempHome home;
        const Workspace ws = platformWorkspace();
        SettingsList settings;
        QStringList keywords;
        QVERIFY(provisionDefaults(ws, settings, keywords, 384).ok());
        const SettingsList first = settings;
        QVERIFY(writeBytes(ws.templatesDir + "tm_temp", "edited"));
        settings.setValue("code", "game.js");
        settings.setValue("width", "40");
        settings.lines.append("own=1");

        QVERIFY(provisionDefaults(ws, settings, keywords, 384).ok());
        QCOMPARE(readBytes(ws.templatesDir + "tm_temp").size(), 744);
        QCOMPARE(settings.value(u"code"), "game.js");
        QCOMPARE(settings.value(u"own"), "1");
        settings.setValue("code", "");
        settings.setValue("own", "");
        QCOMPARE(settings.lines, first.lines);
    }

    // A file that cannot be written is reported and skipped; the rest is still written.
    void unwritableFileIsSkipped()
    {
        TempHome home;
        const Workspace ws = platformWorkspace();
        QDir().mkpath(ws.templatesDir + "tm_temp"); // a folder where the file should be
        SettingsList settings;
        QStringList keywords;
        const Result<> provisioned = provisionDefaults(ws, settings, keywords, 384);
        QVERIFY(!provisioned.ok());
        QCOMPARE(provisioned.message().count(u'\n'), 0); // one line: one file
        QVERIFY(provisioned.message().contains("tm_temp"));
        QCOMPARE(readBytes(ws.templatesDir + "tm_yure").size(), 198);
        QVERIFY(QFile::exists(ws.keywordsPath));
    }
};

QTEST_GUILESS_MAIN(TestProvisioning)
#include "test_provisioning.moc"
