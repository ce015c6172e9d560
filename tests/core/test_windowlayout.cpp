// SPDX-License-Identifier: MIT
// The layout pass without a window: the designed figures, the narrow, landscape, large and
// minimum pages, every control inside its parent and clear of the others, and the window's
// first size on screens of every kind.

#include "core/app/settingslist.h"
#include "core/app/windowlayout.h"
#include "core/editor/keylayout.h"

#include <QTest>

namespace {

// The default keyboard rows, the only settings the key rectangles depend on.
SettingsList defaultRows()
{
    SettingsList settings;
    for (const KeyRowDefault& row : defaultKeyRows)
        settings.setValue(QLatin1StringView(row.key), QLatin1StringView(row.row));
    return settings;
}

LayoutInput input(QSize page, int sprite, int keyHeight = 30)
{
    LayoutInput in = layoutInput(defaultRows(), page, sprite, sprite, false);
    in.toolHeight = 26;
    in.keyHeight = keyHeight;
    in.codeColumns = 32;
    return in;
}

QString r(const QRect& rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// The figures of one layout in one line per page, for one comparison.
QString figures(const WindowLayout& L)
{
    return QStringList{
        QStringLiteral("menu %1: edtFile %2 lblLine %3 btRun %4")
            .arg(L.menuStep)
            .arg(r(L.edtFile))
            .arg(L.lblLine.x())
            .arg(r(L.btRun)),
        QStringLiteral("code: pntProg %1 pnlKeys %2 key %3 Rt %4 space %5")
            .arg(r(L.pntProg), r(L.pnlKeys), r(L.keys[0]), r(L.keys[59]), r(L.keys[74])),
        QStringLiteral("sprite %1: pntMain %2 pixel %3 tools %4 strip %5 view %6 Ad %7 Pn %8 Rt %9 Ex %10")
            .arg(L.spritePortrait ? "portrait" : "short")
            .arg(r(L.pntMain))
            .arg(L.pixelSize)
            .arg(r(L.pnlGraTools), r(L.pntColor), r(L.pntView), r(L.firstToolRow[0]), r(L.firstToolRow[6]),
                 r(L.secondToolRow[0]), r(L.secondToolRow[7])),
        QStringLiteral("select %1 lstSelect %2; chooser %3; edtOpenmsxdir %4 btApply %5 btQuit %6")
            .arg(r(L.pnlSelect))
            .arg(L.lstSelect.width())
            .arg(L.lstBasfiles.width())
            .arg(L.system.edtOpenmsxdir.width())
            .arg(r(L.system.btApply), r(L.system.btQuit)),
    }
        .join(u'\n');
}

void addPages()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("sprite");
    QTest::addColumn<int>("keyHeight");
    QTest::addColumn<QString>("expected");

    QTest::newRow("384 x 518 designed")
        << QSize(384, 518) << 16 << 30
        << "menu 54: edtFile 162,4 114x32 lblLine 277 btRun 330,0 54x43\n"
           "code: pntProg 0,43 384x235 pnlKeys 0,278 384x240 key 0,0 36x27 Rt 342,150 36x57 space 152,210 "
           "74x27\n"
           "sprite portrait: pntMain 0,43 384x384 pixel 24 tools 0,427 384x91 strip 0,0 384x24 view 0,24 "
           "32x32 "
           "Ad 49,37 46x26 Pn 337,37 46x26 Rt 1,65 46x26 Ex 337,65 46x26\n"
           "select 32,16 320x518 lstSelect 277; chooser 217; edtOpenmsxdir 368 btApply 208,308 145x44 "
           "btQuit 209,457 145x44";
    // Every step truncates; Run still ends flush with the right edge.
    QTest::newRow("390 x 518")
        << QSize(390, 518) << 16 << 30
        << "menu 55: edtFile 165,4 115x32 lblLine 281 btRun 335,0 55x43\n"
           "code: pntProg 0,43 390x235 pnlKeys 0,278 390x240 key 0,0 37x27 Rt 351,150 37x57 space 156,210 "
           "76x27\n"
           "sprite portrait: pntMain 0,43 390x390 pixel 24 tools 0,433 390x85 strip 0,0 390x24 view 0,24 "
           "32x32 "
           "Ad 49,31 46x26 Pn 337,31 46x26 Rt 1,59 46x26 Ex 337,59 46x26\n"
           "select 32,16 326x518 lstSelect 283; chooser 217; edtOpenmsxdir 374 btApply 208,308 145x44 "
           "btQuit 209,457 145x44";
    // Landscape: the canvas beside the tools is larger than one above them (400).
    QTest::newRow("800 x 551 landscape")
        << QSize(800, 551) << 16 << 30
        << "menu 114: edtFile 342,4 230x32 lblLine 573 btRun 686,0 114x43\n"
           "code: pntProg 0,43 800x268 pnlKeys 0,311 800x240 key 0,0 78x27 Rt 720,150 78x57 space 320,210 "
           "158x27\n"
           "sprite short: pntMain 0,43 480x480 pixel 30 tools 480,43 320x508 strip 0,0 320x20 view 0,20 "
           "32x32 "
           "Ad 41,454 38x26 Pn 281,454 38x26 Rt 1,482 38x26 Ex 281,482 38x26\n"
           "select 32,16 736x551 lstSelect 693; chooser 217; edtOpenmsxdir 784 btApply 208,308 145x44 "
           "btQuit 209,457 145x44";
    // A preview wider than its slot goes above the first tool row.
    QTest::newRow("800 x 551 sprite 64")
        << QSize(800, 551) << 64 << 30
        << "menu 114: edtFile 342,4 230x32 lblLine 573 btRun 686,0 114x43\n"
           "code: pntProg 0,43 800x268 pnlKeys 0,311 800x240 key 0,0 78x27 Rt 720,150 78x57 space 320,210 "
           "158x27\n"
           "sprite short: pntMain 0,43 480x480 pixel 7 tools 480,43 320x508 strip 0,0 320x20 view 0,20 "
           "128x128 "
           "Ad 41,454 38x26 Pn 281,454 38x26 Rt 1,482 38x26 Ex 281,482 38x26\n"
           "select 32,16 736x551 lstSelect 693; chooser 217; edtOpenmsxdir 784 btApply 208,308 145x44 "
           "btQuit 209,457 145x44";
    QTest::newRow("1280 x 800")
        << QSize(1280, 800) << 16 << 30
        << "menu 182: edtFile 546,4 370x32 lblLine 917 btRun 1098,0 182x43\n"
           "code: pntProg 0,43 1280x517 pnlKeys 0,560 1280x240 key 0,0 126x27 Rt 1152,150 126x57 space "
           "512,210 254x27\n"
           "sprite short: pntMain 0,43 757x757 pixel 47 tools 757,43 523x757 strip 0,0 523x32 view 0,32 "
           "32x32 "
           "Ad 66,703 63x26 Pn 456,703 63x26 Rt 1,731 63x26 Ex 456,731 63x26\n"
           "select 32,16 1216x800 lstSelect 1173; chooser 217; edtOpenmsxdir 1264 btApply 208,308 145x44 "
           "btQuit 209,457 145x44";
    // The keyboard and four code rows of 50 would not fit: the keys shrink to 23.
    QTest::newRow("1600 x 431 wide and short")
        << QSize(1600, 431) << 16 << 30
        << "menu 228: edtFile 684,4 460x32 lblLine 1145 btRun 1372,0 228x43\n"
           "code: pntProg 0,43 1600x204 pnlKeys 0,247 1600x184 key 0,0 158x20 Rt 1440,115 158x43 space "
           "640,161 318x20\n"
           "sprite short: pntMain 0,43 388x388 pixel 24 tools 388,43 1212x388 strip 0,0 1212x75 view 0,75 "
           "32x32 "
           "Ad 152,334 149x26 Pn 1058,334 149x26 Rt 1,362 149x26 Ex 1058,362 149x26\n"
           "select 32,16 1536x431 lstSelect 1493; chooser 217; edtOpenmsxdir 1584 btApply 208,290 145x44 "
           "btQuit 209,386 145x44";
    // The page of the smallest window: too short for the designed sprite page, too narrow
    // for tools beside the canvas, and the System page's buttons move in.
    QTest::newRow("320 x 431 minimum")
        << QSize(minimumClientSize.width(), minimumClientSize.height() - tabStripHeight) << 16 << 30
        << "menu 45: edtFile 135,4 95x32 lblLine 231 btRun 275,0 45x43\n"
           "code: pntProg 0,43 320x148 pnlKeys 0,191 320x240 key 0,0 30x27 Rt 288,150 30x57 space 128,210 "
           "62x27\n"
           "sprite short: pntMain 5,43 310x310 pixel 19 tools 0,353 320x78 strip 0,0 320x20 view 0,20 32x32 "
           "Ad 41,24 38x26 Pn 281,24 38x26 Rt 1,52 38x26 Ex 281,52 38x26\n"
           "select 32,16 256x431 lstSelect 213; chooser 184; edtOpenmsxdir 304 btApply 174,290 145x44 "
           "btQuit 175,386 145x44";
}

// An empty rectangle shows nothing; any other lies inside a parent of this size.
bool inside(const QRect& rect, QSize parent)
{
    return rect.isEmpty() || QRect(QPoint(0, 0), parent).contains(rect);
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void figuresOfEachPage_data() { addPages(); }
    void figuresOfEachPage()
    {
        QFETCH(QSize, page);
        QFETCH(int, sprite);
        QFETCH(int, keyHeight);
        QFETCH(QString, expected);
        QCOMPARE(figures(layoutWindow(input(page, sprite, keyHeight))), expected);
    }

    // Whatever the page, every control lies inside its parent, the tools, strip and preview
    // are clear of each other and of the canvas, and every canvas pixel is on the canvas.
    void nothingIsCutOff_data() { addPages(); }
    void nothingIsCutOff()
    {
        QFETCH(QSize, page);
        QFETCH(int, sprite);
        QFETCH(int, keyHeight);
        const LayoutInput in = input(page, sprite, keyHeight);
        const WindowLayout L = layoutWindow(in);
        const QSize P = page;
        QCOMPARE(L.page, QRect(QPoint(0, tabStripHeight), P));

        // Code page.
        for (const QRect& c : {L.btTextNew, L.btTextOpen, L.btTextSave, L.edtFile, L.lblLine, L.btRun})
            QVERIFY2(inside(c, L.pnlBasMenu.size()), qPrintable(r(c)));
        for (const QRect& c : {L.pnlBasMenu, L.pntProg, L.pnlKeys, L.pnlBasfiles})
            QVERIFY2(inside(c, P), qPrintable(r(c)));
        QVERIFY(!L.pntProg.intersects(L.pnlKeys));
        QVERIFY(L.pntProg.height() >= 4 * (P.width() / in.codeColumns));
        for (size_t k = 0; k < L.keys.size(); ++k) {
            if (!L.keyVisible[k])
                continue;
            QVERIFY2(inside(L.keys[k], L.pnlKeys.size()), qPrintable(r(L.keys[k])));
            for (size_t j = k + 1; j < L.keys.size(); ++j)
                QVERIFY(!L.keyVisible[j] || !L.keys[k].intersects(L.keys[j]));
        }
        for (const QRect& c : {L.lstBasfiles, L.pnlBasfilesBt})
            QVERIFY(inside(c, L.pnlBasfiles.size()));
        for (const QRect& c : {L.btTextOk, L.btTextCancel, L.btTextArchive})
            QVERIFY2(inside(c, L.pnlBasfilesBt.size()), qPrintable(r(c)));

        // Sprite page.
        QCOMPARE(L.pntMain.width(), L.pntMain.height());
        QVERIFY(inside(L.pntMain, P) && inside(L.pnlGraTools, P));
        QVERIFY(!L.pntMain.intersects(L.pnlGraTools));
        QVERIFY(L.pntMain.top() >= L.pnlGraMenu.bottom());
        QVERIFY(L.pixelSize * in.cellWidth <= L.pntMain.width());
        QList<QRect> tools{L.pntColor, L.pntView};
        tools.append(QList<QRect>(L.firstToolRow.begin(), L.firstToolRow.end()));
        tools.append(QList<QRect>(L.secondToolRow.begin(), L.secondToolRow.end()));
        for (qsizetype i = 0; i < tools.size(); ++i) {
            QVERIFY2(inside(tools[i], L.pnlGraTools.size()), qPrintable(r(tools[i])));
            QVERIFY(!tools[i].isEmpty());
            for (qsizetype j = i + 1; j < tools.size(); ++j)
                QVERIFY2(!tools[i].intersects(tools[j]), qPrintable(r(tools[i]) + " / " + r(tools[j])));
        }
        QVERIFY(inside(L.lstGrafiles, L.pnlGraFiles.size()) && inside(L.pnlGrafileBt, L.pnlGraFiles.size()));

        // System page: every shown control inside the page, no field or button over another.
        // (The designed boxes of the labels "Language" and "Color" reach under their combo
        // boxes; their text does not.)
        const SystemPageLayout& s = L.system;
        for (const QRect& c : {s.Label1, s.Label2, s.Label3, s.Label4, s.Label5, s.Label6, s.Label7})
            QVERIFY2(inside(c, P), qPrintable(r(c)));
        const QList<QRect> fields{s.edtWidth,      s.edtKeyHeight, s.edtCommand,  s.edtSpriteSize,
                                  s.edtOpenmsxdir, s.cmbLang,      s.cmbColor,    s.btDefault,
                                  s.btApply,       s.btWebsite,    s.btExportAll, s.btQuit};
        for (qsizetype i = 0; i < fields.size(); ++i) {
            QVERIFY2(inside(fields[i], P), qPrintable(r(fields[i])));
            for (qsizetype j = i + 1; j < fields.size(); ++j)
                QVERIFY2(!fields[i].intersects(fields[j]), qPrintable(r(fields[i]) + " / " + r(fields[j])));
        }

        QVERIFY(inside(L.pnlSelect, QSize(P.width(), P.height() + tabStripHeight)));
        QVERIFY(inside(L.lstSelect, L.pnlSelect.size()) && inside(L.btnSelCancel, L.pnlSelButton.size()));
    }

    // A sprite too large for any preview to fit still gets a canvas of one unit per pixel,
    // the preview partly covered as on the designed page.
    void largestSpriteKeepsACanvas()
    {
        const WindowLayout L = layoutWindow(input(QSize(800, 551), 255));
        QCOMPARE(L.pixelSize, 1);
        QVERIFY(L.pntMain.width() >= 255);
        QCOMPARE(L.pntView.size(), QSize(510, 510));
    }

    void firstWindowGeometry_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("client");
        QTest::newRow("800 x 600, no frame: as designed, top edge 32")
            << QRect(0, 0, 800, 600) << QMargins() << QRect(0, 32, 384, 567);
        QTest::newRow("1920 x 1040 with a title bar: the frame's top edge at 32")
            << QRect(0, 0, 1920, 1040) << QMargins(0, 32, 0, 0) << QRect(0, 64, 384, 567);
        QTest::newRow("1280 x 1024 at scale 2 is 640 x 512: smaller, same proportion")
            << QRect(0, 0, 640, 512) << QMargins(0, 32, 0, 0) << QRect(0, 32, 325, 480);
        QTest::newRow("a panel above: placed below it")
            << QRect(0, 27, 1366, 741) << QMargins(4, 30, 4, 4) << QRect(4, 89, 384, 567);
        QTest::newRow("a second screen to the right")
            << QRect(1920, 0, 1080, 1920) << QMargins() << QRect(1920, 32, 384, 567);
        QTest::newRow("a narrow screen: the width decides")
            << QRect(0, 0, 340, 700) << QMargins() << QRect(0, 32, 340, 502);
        QTest::newRow("smaller than the minimum: the minimum, at the top left")
            << QRect(0, 0, 300, 400) << QMargins() << QRect(0, 0, 320, 480);
    }
    void firstWindowGeometry()
    {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QFETCH(QRect, client);
        QCOMPARE(::firstWindowGeometry(available, frame), client);
    }
};

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "test_windowlayout.moc"
