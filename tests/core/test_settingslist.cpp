// SPDX-License-Identifier: MIT
// The settings store: key matching, in-place replacement, removal and numbers.

#include "core/app/settingslist.h"

#include <QTest>

class TestSettingsList : public QObject {
    Q_OBJECT

private slots:
    void writeRules_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("after");

        QTest::newRow("Width=32 + width:40 -> replaced in place")
            << QStringList{"a=1", "Width=32", "b=2"} << "width"
            << "40" << QStringList{"a=1", "width=40", "b=2"};
        QTest::newRow("absent key -> appended") << QStringList{"a=1"} << "b"
                                                << "2" << QStringList{"a=1", "b=2"};
        QTest::newRow("empty value -> removed") << QStringList{"code=x", "a=1"} << "code"
                                                << "" << QStringList{"a=1"};
        QTest::newRow("empty value, absent key -> nothing") << QStringList{"a=1"} << "code"
                                                            << "" << QStringList{"a=1"};
        QTest::newRow("first match wins") << QStringList{"k=1", "K=2"} << "k"
                                          << "3" << QStringList{"k=3", "K=2"};
        QTest::newRow("line without = never matches") << QStringList{"width", "x=1"} << "width"
                                                      << "9" << QStringList{"width", "x=1", "width=9"};
        QTest::newRow("pasted line breaks -> blanks, one line")
            << QStringList{"a=1"} << "code"
            << "x\nwidth=0\r\ny" << QStringList{"a=1", "code=x width=0  y"};
    }
    void writeRules()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QStringList, after);
        SettingsList s{before};
        s.setValue(key, value);
        QCOMPARE(s.lines, after);
    }

    void readRules_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        QTest::newRow("k=x=y -> x=y") << QStringList{"k=x=y"} << "k"
                                      << "x=y";
        QTest::newRow("case-insensitive") << QStringList{"PLTdb16=abc"} << "pltDB16"
                                          << "abc";
        QTest::newRow("absent -> empty") << QStringList{"a=1"} << "code"
                                         << "";
        QTest::newRow("prefix is not a match") << QStringList{"widths=1"} << "width"
                                               << "";
    }
    void readRules()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(SettingsList{lines}.value(key), value);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<int>("number");
        QTest::newRow("016") << "016" << true << 16;
        QTest::newRow("-3") << "-3" << true << -3;
        QTest::newRow("abc") << "abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("1.5") << "1.5" << false << 0;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(int, number);
        SettingsList s;
        s.setValue("n", text);
        const auto n = s.intValue(u"n");
        QCOMPARE(n.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*n, number);
    }
};

QTEST_GUILESS_MAIN(TestSettingsList)
#include "test_settingslist.moc"
