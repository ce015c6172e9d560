// Settings that no layout or editor can work with are replaced by their defaults.

#include "app/settingslist.h"
#include "app/settingsrepair.h"

#include <QTest>

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
        SettingsList s{{"width=32", "keyheight=30", "command=26", "sprite=16", "lang=0", "palette=0"}};
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
};

QTEST_GUILESS_MAIN(TestSettingsRepair)
#include "test_settingsrepair.moc"
