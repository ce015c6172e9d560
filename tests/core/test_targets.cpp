// SPDX-License-Identifier: MIT
// The console-target table: which "lang" texts name a row, and a fifth target added as one
// row taking Run, "Ex" and "Sp" through its own values.

#include "core/app/defaultdata.h"
#include "core/app/settingslist.h"
#include "core/app/targets.h"
#include "core/app/workspace.h"
#include "core/commands/spritedata.h"
#include "core/editor/runexport.h"
#include "core/editor/textmodel.h"
#include "core/sprite/sheetexport.h"
#include "core/sprite/spritesheet.h"
#include "spritesupport.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>
#include <algorithm>

namespace {

// The built-in rows and one more: a made-up console that reads a LIKO-12-style image of its
// own size from its own folder and starts nothing.
constexpr std::array<ConsoleTarget, 5> fiveTargets{{
    consoleTargets[0],
    consoleTargets[1],
    consoleTargets[2],
    consoleTargets[3],
    {4, "Dummy", "func_dummy.lua", "-- dummy", "exportdir4", "/dummy.lua", DefaultFolder::Documents,
     SheetExportKind::GpuimgText, 64, 32, SpriteDataKind::GpuimgStrings, nullptr, "runapp4",
     "org.example.dummy", -1, RunRuntime::None, nullptr, nullptr},
}};
static_assert(rowsAreInListOrder(fiveTargets));

} // namespace

class TestTargets : public QObject {
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void everyPreludeIsProvisioned();
    void fifthTargetRuns();
    void fifthTargetExportsSprites();
};

void TestTargets::lookup_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("row"); // -1: none
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("2") << "2" << 2;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("4: past the list") << "4" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("leading blank") << " 1" << -1;
    QTest::newRow("leading zero") << "01" << -1;
    QTest::newRow("negative") << "-1" << -1;
}

void TestTargets::lookup()
{
    QFETCH(QString, lang);
    QFETCH(int, row);
    const ConsoleTarget* t = consoleTarget(lang);
    QCOMPARE(t ? t->lang : -1, row);
    QCOMPARE(consoleTargetOrFirst(lang).lang, qMax(row, 0));
    if (t)
        QCOMPARE(langValue(*t), lang);
}

// A row whose prelude a new workspace does not get could never run.
void TestTargets::everyPreludeIsProvisioned()
{
    for (const ConsoleTarget& t : consoleTargets) {
        const bool found =
            std::any_of(defaultFiles.cbegin(), defaultFiles.cend(), [&t](const DefaultFile& f) {
                return qstrcmp(f.folder, "js") == 0 && qstrcmp(f.name, t.prelude) == 0;
            });
        QVERIFY2(found, t.prelude);
    }
}

void TestTargets::fifthTargetRuns()
{
    TempHome home;
    const Workspace ws = Workspace::under(home.path() + "/ws/");
    QVERIFY(writeBytes(ws.commonFunctionsDir + "func_dummy.lua", "pre1\npre2\r\n"));
    QVERIFY(QDir().mkpath(home.path() + "/dummy"));
    SettingsList settings;
    settings.setValue(QStringLiteral("exportdir4"), home.path() + "/dummy");
    settings.setValue(QStringLiteral("lang"), QStringLiteral("4"));
    TextModel m;
    m.codeLines = QStringList{"x=1", "", "y=2"};
    const SpriteSheet sheet = makeBlankSheet(16, 16, 1);

    const RunResult r = runProgram(m, QString(), ws, settings, sheet, fiveTargets);
    QCOMPARE(r.outcome.message(), QString());
    QCOMPARE(r.runtime, QString());
    QCOMPARE(readBytes(home.path() + "/dummy/dummy.lua"),
             QByteArray("-- dummy\r\nx=1\r\n\r\ny=2\r\npre1\r\npre2\r\n"));

    // The built-in table has no such row: nothing is written and the run says so.
    QVERIFY(QFile::remove(home.path() + "/dummy/dummy.lua"));
    QCOMPARE(runProgram(m, QString(), ws, settings, sheet).outcome.message(),
             QStringLiteral("Failed to create "));
    QVERIFY(!QFile::exists(home.path() + "/dummy/dummy.lua"));
}

void TestTargets::fifthTargetExportsSprites()
{
    TempHome home;
    const ConsoleTarget& dummy = *consoleTarget(QStringLiteral("4"), fiveTargets);
    SpriteSheet sheet = makeBlankSheet(16, 16, 8); // exactly the 4 x 2 cells the image holds
    sheet.sheetStore[sheet.cellOffset(7) + 15 * 16 + 15] = 0x0C;

    const Result<QString> result = exportSheet(sheet, dummy, home.path(), "hero");
    QCOMPARE(exportMessage(result), "Exported.\n" + home.path() + "/hero.lk12");
    QByteArray expected = "LK12;GPUIMG;64x32;\r\n";
    for (int y = 0; y < 32; ++y)
        expected += QByteArray(64, '0') + "\r\n";
    expected[expected.size() - 3] = 'c'; // the last pixel of the last row
    QCOMPARE(readBytes(home.path() + "/hero.lk12"), expected);

    const SpriteSheet tooMany = makeBlankSheet(16, 16, 9);
    const Result<QString> refused = exportSheet(tooMany, dummy, home.path(), "more");
    QVERIFY(!refused.ok());
    QCOMPARE(exportMessage(refused),
             QStringLiteral("The 64 x 32 export image holds 8 sprites of 16 x 16; this sheet has 9."));
    QVERIFY(!QFile::exists(home.path() + "/more.lk12"));

    // "Sp" takes the row's kind: the same strings as LIKO-12's.
    QCOMPARE(spriteDataLines(sheet, QStringLiteral("4"), fiveTargets),
             spriteDataLines(sheet, QStringLiteral("2")));
    QCOMPARE(spriteDataLines(sheet, QStringLiteral("4")), QStringList());
}

QTEST_GUILESS_MAIN(TestTargets)
#include "test_targets.moc"
