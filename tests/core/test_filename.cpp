// SPDX-License-Identifier: MIT
// The one check of a file name the user gives, and how each caller reads its answer.

#include "core/app/filename.h"

#include <QTest>

class TestFileName : public QObject {
    Q_OBJECT

private slots:
    void firstProblem_data();
    void firstProblem();
};

void TestFileName::firstProblem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("problem");
    QTest::addColumn<bool>("folder");
    const auto row = [](const char* title, const QString& name, FileNameProblem problem) {
        QTest::newRow(title) << name << int(problem) << holdsFolder(problem);
    };
    row("[hero] plain", "hero", FileNameProblem::None);
    row("[.hidden] a dot in front is a plain name", ".hidden", FileNameProblem::None);
    row("[a b] a blank inside", "a b", FileNameProblem::None);
    row("[] empty", "", FileNameProblem::Empty);
    row("[   ] blanks", "   ", FileNameProblem::Blank);
    row("[\\n] a line break alone is blank", "\n", FileNameProblem::Blank);
    row("[a/b] slash", "a/b", FileNameProblem::Separator);
    row("[a\\b] backslash", "a\\b", FileNameProblem::Separator);
    row("[ /] blank and slash: the folder counts", " /", FileNameProblem::Separator);
    row("[.]", ".", FileNameProblem::DotName);
    row("[..]", "..", FileNameProblem::DotName);
    row("[...] three dots are a plain name", "...", FileNameProblem::None);
    row("[a\\0b] zero", QString("a") + QChar(0) + "b", FileNameProblem::ZeroChar);
    row("[a\\0/b] the folder comes first", QString("a") + QChar(0) + "/b", FileNameProblem::Separator);
    row("[a\\nb] line feed", "a\nb", FileNameProblem::LineBreak);
    row("[a\\rb] carriage return", "a\rb", FileNameProblem::LineBreak);
#ifdef Q_OS_WIN
    row("[C:x] another drive", "C:x", FileNameProblem::Separator);
#else
    row("[C:x] a colon is a plain character here", "C:x", FileNameProblem::None);
#endif
}

void TestFileName::firstProblem()
{
    QFETCH(QString, name);
    QFETCH(int, problem);
    QFETCH(bool, folder);
    QCOMPARE(int(fileNameProblem(name)), problem);
    QCOMPARE(holdsFolder(fileNameProblem(name)), folder);
}

QTEST_GUILESS_MAIN(TestFileName)
#include "test_filename.moc"
