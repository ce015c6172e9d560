// SPDX-License-Identifier: MIT
// Settings that no layout or editor can work with are replaced by their defaults.

#include "core/app/settingslist.h"
#include "core/app/settingsrepair.h"
#include "core/editor/keylayout.h"

#include <QTest>

namespace {

// Settings every repair leaves alone: the numbers in range and the sixteen default rows.
SettingsList usableSettings()
{
    SettingsList s{{"width=32", "keyheight=30", "command=26", "sprite=16", "lang=0", "palette=0"}};
    for (const KeyRowDefault& row : defaultKeyRows)
        s.setValue(QLatin1StringView(row.key), QLatin1StringView(row.row));
    return s;
}

} // namespace

class TestSettingsRepair : public QObject {
    Q_OBJECT

private slots:
    void repairs_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("repaired"); // empty: kept as it is

        QTest::newRow("sprite=abc") << "sprite"
                                    << "abc"
                                    << "16";
        QTest::newRow("sprite=0") << "sprite"
                                  << "0"
                                  << "16";
        QTest::newRow("sprite=256") << "sprite"
                                    << "256"
                                    << "16";
        QTest::newRow("sprite=255 kept") << "sprite"
                                         << "255"
                                         << "";
        QTest::newRow("sprite empty kept (means 16)") << "sprite"
                                                      << ""
                                                      << "";
        QTest::newRow("width=0") << "width"
                                 << "0"
                                 << "32";
        QTest::newRow("width=-4") << "width"
                                  << "-4"
                                  << "32";
        QTest::newRow("width=016 kept") << "width"
                                        << "016"
                                        << "";
        QTest::newRow("width absent") << "width"
                                      << ""
                                      << "32";
        QTest::newRow("keyheight=x") << "keyheight"
                                     << "x"
                                     << "30";
        QTest::newRow("command=0") << "command"
                                   << "0"
                                   << "26";
        QTest::newRow("lang=4") << "lang"
                                << "4"
                                << "0";
        QTest::newRow("lang=3 kept") << "lang"
                                     << "3"
                                     << "";
        QTest::newRow("palette=18: SWEETIE16, the default of a new workspace") << "palette"
                                                                               << "18"
                                                                               << "17";
        QTest::newRow("palette=17 kept") << "palette"
                                         << "17"
                                         << "";
    }
    void repairs()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, repaired);
        SettingsList s = usableSettings();
        s.setValue(key, value);
        const QList<SettingRepair> r = repairSettings(s, 384);
        if (repaired.isEmpty()) {
            QVERIFY(r.isEmpty());
            QCOMPARE(s.value(key), value);
            return;
        }
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.first().key, key);
        QCOMPARE(s.value(key), repaired);
        const QString message = repairMessage(r);
        QVERIFY2(message.contains('"' + key + '"') && message.contains('"' + value + '"') &&
                     message.contains('"' + repaired + '"'),
                 qPrintable(message));
    }

    // A layout row is exactly 10 printable characters; anything else is put back to its
    // default row, and the message names the rows together.
    void layoutRows_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("BtnKey11 absent") << "BtnKey11"
                                         << "" << true;
        QTest::newRow("BtnKey18 of 9 characters") << "BtnKey18"
                                                  << "SHEI OKLD" << true;
        QTest::newRow("BtnKey25 of 11 characters") << "BtnKey25"
                                                   << "qwertyuiopx" << true;
        QTest::newRow("BtnKey21 with a control character") << "BtnKey21"
                                                           << "AAAA\x01"
                                                              "FFFFZ"
                                                           << true;
        QTest::newRow("BtnKey22 with Latin-1 garbage")
            << "BtnKey22" << QString::fromLatin1("\x85\x9f\x81xxxxxxx") << true;
        QTest::newRow("BtnKey15 own letters kept") << "BtnKey15"
                                                   << "azertyuiop" << false;
        QTest::newRow("BtnKey16 with 😀 kept (10 characters)") << "BtnKey16"
                                                              << "😀sdfghjklN" << false;
        QTest::newRow("BtnKey17 all blank keys kept") << "BtnKey17"
                                                      << "OOOOOOOOOO" << false;
    }
    void layoutRows()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, repaired);
        SettingsList s = usableSettings();
        s.setValue(key, value);
        const QList<SettingRepair> r = repairSettings(s, 384);
        if (!repaired) {
            QVERIFY(r.isEmpty());
            QCOMPARE(s.value(key), value);
            return;
        }
        QCOMPARE(r.size(), 1);
        QCOMPARE(s.value(key), usableSettings().value(key));
        QCOMPARE(repairMessage(r),
                 QStringLiteral("The keyboard layout rows \"%1\" were missing or not 10 "
                                "printable characters; their default rows are used instead.")
                     .arg(key));
    }

    void garbageNamesEveryRowInOneLine()
    {
        SettingsList s{{"\x01\x02garbage", "width=32", "keyheight=30", "command=26", "lang=0", "palette=0"}};
        const QList<SettingRepair> r = repairSettings(s, 384);
        QCOMPARE(r.size(), 16);
        for (const KeyRowDefault& row : defaultKeyRows)
            QCOMPARE(s.value(QString::fromLatin1(row.key)), QString::fromLatin1(row.row));
        const QStringList lines = repairMessage(r).split(u'\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].contains("\"BtnKey11\", \"BtnKey12\"") && lines[0].contains("\"BtnKey28\""),
                 qPrintable(lines[0]));
    }
};

QTEST_GUILESS_MAIN(TestSettingsRepair)
#include "test_settingsrepair.moc"
