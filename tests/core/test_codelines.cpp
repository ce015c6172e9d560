// SPDX-License-Identifier: MIT
// The gap line store against a plain QStringList: the same random edits must leave the same
// lines, wherever the gap happens to be.

#include "core/editor/codelines.h"

#include <QRandomGenerator>
#include <QTest>

class TestCodeLines : public QObject {
    Q_OBJECT

private slots:
    void randomEditsMatchAList_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("startLines");
        QTest::newRow("empty start") << 1u << 0;
        QTest::newRow("10 lines") << 2u << 10;
        QTest::newRow("1000 lines, gap regrown") << 3u << 1000;
        QTest::newRow("5000 lines, large removals close the gap") << 4u << 5000;
    }

    void randomEditsMatchAList()
    {
        QFETCH(quint32, seed);
        QFETCH(int, startLines);
        QRandomGenerator random(seed);
        QStringList expected;
        for (int i = 0; i < startLines; ++i)
            expected.append(QString::number(i));
        CodeLines lines = expected;
        int made = startLines;
        auto fresh = [&made] { return QStringLiteral("n%1").arg(made++); };
        for (int step = 0; step < 3000; ++step) {
            const qsizetype n = expected.size();
            const qsizetype at = qsizetype(random.bounded(quint32(n + 1)));
            const int op = int(random.bounded(9u));
            QString did;
            if (op == 0 || n == 0) {
                const QString line = fresh();
                expected.insert(at, line);
                lines.insert(at, line);
                did = QStringLiteral("insert");
            } else if (op == 1) {
                QStringList block;
                for (quint32 k = random.bounded(300u); k > 0; --k)
                    block.append(fresh());
                expected = expected.mid(0, at) + block + expected.mid(at);
                lines.insert(at, block);
                did = QStringLiteral("insert list");
            } else if (op == 2) {
                const qsizetype count = random.bounded(5u);
                expected.insert(at, count, QStringLiteral("same"));
                lines.insert(at, count, QStringLiteral("same"));
                did = QStringLiteral("insert copies");
            } else if (op == 3 && at < n) {
                expected.removeAt(at);
                lines.removeAt(at);
                did = QStringLiteral("removeAt");
            } else if (op == 4 && at < n) {
                const qsizetype count = std::min<qsizetype>(n - at, random.bounded(400u));
                expected.remove(at, count);
                lines.remove(at, count);
                did = QStringLiteral("remove");
            } else if (op == 5 && at < n) {
                QCOMPARE(lines.takeAt(at), expected.takeAt(at));
                did = QStringLiteral("takeAt");
            } else if (op == 6 && at < n) {
                expected[at] += u'+';
                lines[at] += u'+';
                did = QStringLiteral("edit");
            } else if (op == 7) {
                const QStringList whole = lines; // closes the gap
                QCOMPARE(whole, expected);
                did = QStringLiteral("to list");
            } else {
                const QString line = fresh();
                expected.append(line);
                lines << line;
                did = QStringLiteral("append");
            }
            if (lines != expected)
                QFAIL(qPrintable(QStringLiteral("step %1 (%2 at %3)").arg(step).arg(did).arg(at)));
        }
        QCOMPARE(lines.size(), expected.size());
        QCOMPARE(lines.mid(3, 7), expected.mid(3, 7));
        QCOMPARE(lines.join(u'|'), expected.join(u'|'));
        QStringList iterated;
        for (const QString& line : lines)
            iterated.append(line);
        QCOMPARE(iterated, expected);
        for (qsizetype i = 0; i < expected.size(); i += 97)
            QCOMPARE(lines.value(i), expected.value(i));
        QCOMPARE(lines.value(-1), QString());
        QCOMPARE(lines.value(expected.size()), QString());
        lines.clear();
        QVERIFY(lines.isEmpty());
    }

    // A copy taken as a list stays as it was when the lines change after it.
    void aListTakenStaysAsItWas()
    {
        CodeLines lines = QStringList{"a", "b", "c"};
        lines.insert(1, QStringLiteral("x"));
        const QStringList before = lines;
        lines.removeAt(0);
        lines[0] = QStringLiteral("y");
        QCOMPARE(before, (QStringList{"a", "x", "b", "c"}));
        QCOMPARE(lines, (QStringList{"y", "b", "c"}));
    }
};

QTEST_GUILESS_MAIN(TestCodeLines)
#include "test_codelines.moc"
