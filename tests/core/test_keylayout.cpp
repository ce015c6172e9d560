// SPDX-License-Identifier: MIT
// Key captions from the layout rows: the fixed letters, the shared cycle of the letters
// that take turns, and short or missing rows.

#include "core/app/settingslist.h"
#include "core/editor/keylayout.h"

#include <QTest>

class TestKeyLayout : public QObject {
    Q_OBJECT

private slots:
    void captionPass_data();
    void captionPass();
};

void TestKeyLayout::captionPass_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("shiftOn");
    QTest::addColumn<QString>("captions");
    QTest::newRow("AAAAAFFFFF carries the cycle") << "AAAAAFFFFF" << false << "Sl Cp Ps Ct Sl Lc Ly Lz Ld Lc";
    QTest::newRow("VWP share the toggle") << "VWPVVWWPPO" << false << "Rp Fi Hd Rn Rp Fi Fn Ft Hd -";
    QTest::newRow("fixed letters") << "LURDHESKNX" << false << "<- ^^ -> vv Hm En Sh Ky Rt Bs";
    QTest::newRow("more fixed letters") << "OTIQYCMZ&a" << false << "- Dl Tm Jp Sp Jn Wn Un && a";
    QTest::newRow("shift upper-cases other characters") << "ab1;AzqXG " << true << "A B 1 ; Sl Z Q Bs G  ";
    QTest::newRow("short row") << "ab" << false << "a b - - - - - - - -";
    QTest::newRow("long row") << "abcdefghijKL" << false << "a b c d e f g h i j";
    QTest::newRow("a character outside 16 bits is one key")
        << "a😀bcdefghiX" << false << "a 😀 b c d e f g h i";
    QTest::newRow("shift upper-cases U+10428 whole")
        << "\U00010428x" << true << "\U00010400 X - - - - - - - -";
}

void TestKeyLayout::captionPass()
{
    QFETCH(QString, row);
    QFETCH(bool, shiftOn);
    QFETCH(QString, captions);
    SettingsList settings;
    settings.setValue("BtnKey13", row);
    int labelCycle = 0;
    QStringList got;
    for (int column = 0; column < keyColumns; ++column) {
        const QString c = keyCaption(settings, 1, 2, column, shiftOn, labelCycle);
        got << (c.isEmpty() ? "-" : c);
    }
    QCOMPARE(got.join(u' '), captions);
}

QTEST_GUILESS_MAIN(TestKeyLayout)
#include "test_keylayout.moc"
