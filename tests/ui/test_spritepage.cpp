// SPDX-License-Identifier: MIT
// The Sprite page driven through its real controls: drawing by pointer with colours from
// the strip, the painted canvas, strip and preview, the tool and cell buttons with the cell
// label, and New, Open, OK, Cancel and Save with the bytes they write and read.

#include "core/sprite/spritefile.h"
#include "spritesupport.h"
#include "uisupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

std::unique_ptr<TfrmMain> startOnSpritePage(WindowSinks sinks = desktopSinks())
{
    auto w = startWindow(std::move(sinks));
    w->TabControl1->setCurrentIndex(1);
    if (!QTest::qWaitForWindowExposed(w.get()))
        qFatal("window not exposed");
    return w;
}

QPushButton* button(TfrmMain& w, const QString& caption)
{
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible())
            return b;
    qFatal("no button %s", qPrintable(caption));
}

void click(TfrmMain& w, const QString& captions)
{
    for (const QString& caption : captions.split(u' ', Qt::SkipEmptyParts))
        QTest::mouseClick(button(w, caption), Qt::LeftButton);
}

// Picks colour c from the strip (0 from the preview) and presses the centre of pixel (x, y).
void pickColour(TfrmMain& w, int c)
{
    if (c == 0)
        QTest::mouseClick(w.pntView, Qt::LeftButton, {}, QPoint(3, 3));
    else
        QTest::mouseClick(w.pntColor, Qt::LeftButton, {}, QPoint(c * w.stripHeight + 5, 5));
}

QPoint pixelCentre(const TfrmMain& w, int x, int y)
{
    const int z = w.sheet.pixelSize;
    return {x * z + z / 2, y * z + z / 2};
}

void draw(TfrmMain& w, int c, int x, int y)
{
    pickColour(w, c);
    QTest::mouseClick(w.pntMain, Qt::LeftButton, {}, pixelCentre(w, x, y));
}

QColor colourAt(QWidget* surface, int x, int y)
{
    return surface->grab().toImage().pixelColor(x, y);
}

QString spriteFile(const TempHome& home, const QString& name)
{
    return home.workspace() + "spfiles/" + name;
}

QByteArray header(int w, int h, int n)
{
    return QByteArray(1, char(w)) + char(h) + char(n);
}

} // namespace

class TestSpritePage : public QObject {
    Q_OBJECT

private slots:
    void startShowsAFreshSheet()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        QCOMPARE(w->lblCel->text(), "0/0");
        QCOMPARE(w->sheet.pixelSize, 24);
        QCOMPARE(w->sheet.currentColour, std::uint8_t(2));
        QCOMPARE(w->btGraPaint->text(), "Pn");
        QCOMPARE(w->btGraShiftR->text(), "U");
        QVERIFY(messages.messages.isEmpty());
    }

    void drawnPixelsAreSavedByteForByte()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());

        draw(*w, 4, 1, 0);
        // A drag sets every pixel it passes over; a press on the left edge itself draws nothing.
        pickColour(*w, 9);
        QTest::mousePress(w->pntMain, Qt::LeftButton, {}, pixelCentre(*w, 0, 2));
        QTest::mouseMove(w->pntMain, pixelCentre(*w, 1, 2));
        QTest::mouseMove(w->pntMain, pixelCentre(*w, 3, 2));
        QTest::mouseRelease(w->pntMain, Qt::LeftButton, {}, pixelCentre(*w, 3, 2));
        QTest::mouseMove(w->pntMain, pixelCentre(*w, 5, 5)); // no button: nothing
        QTest::mouseClick(w->pntMain, Qt::LeftButton, {}, QPoint(0, 200));
        w->edtGraFile->setText("hero");
        click(*w, "Save");
        QCOMPARE(messages.messages, QStringList{"Saved."});

        QByteArray expected = header(16, 16, 1) + QByteArray(256, '\0');
        expected[3 + 1] = 4;
        expected[3 + 2 * 16 + 0] = 9;
        expected[3 + 2 * 16 + 1] = 9;
        expected[3 + 2 * 16 + 3] = 9;
        QCOMPARE(readBytes(spriteFile(home, "hero")), expected);

        // A second cell, drawn and saved: two cells after the header 10 10 02.
        click(*w, "Ad");
        QCOMPARE(w->lblCel->text(), "1/1");
        draw(*w, 15, 15, 15);
        click(*w, "Save");
        expected = header(16, 16, 2) + expected.mid(3) + QByteArray(256, '\0');
        expected[3 + 256 + 255] = 15;
        QCOMPARE(readBytes(spriteFile(home, "hero")), expected);
        QCOMPARE(messages.messages, QStringList({"Saved.", "Saved."}));
    }

    void canvasStripAndPreviewShowTheCell()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        draw(*w, 5, 1, 0);
        const QColor five = QColor::fromRgb(w->sheet.palette[5]);
        const QColor zero = QColor::fromRgb(w->sheet.palette[0]);

        // Pixel (1, 0) of colour 5: a square from (24, 0) up to (46, 22).
        QCOMPARE(colourAt(w->pntMain, 24, 0), five);
        QCOMPARE(colourAt(w->pntMain, 45, 21), five);
        QVERIFY(colourAt(w->pntMain, 46, 10) != five);
        QVERIFY(colourAt(w->pntMain, 30, 22) != five);
        // Transparent pixel (0, 0): the checker with a one-unit gap between its quarters.
        const QColor dark(0x33, 0x33, 0x33);
        const QColor light(0x66, 0x66, 0x66);
        QCOMPARE(colourAt(w->pntMain, 0, 0), dark);
        QCOMPARE(colourAt(w->pntMain, 10, 10), dark);
        QCOMPARE(colourAt(w->pntMain, 12, 12), dark);
        QCOMPARE(colourAt(w->pntMain, 21, 21), dark);
        QCOMPARE(colourAt(w->pntMain, 12, 0), light);
        QCOMPARE(colourAt(w->pntMain, 0, 12), light);
        QVERIFY(colourAt(w->pntMain, 11, 5) != dark && colourAt(w->pntMain, 11, 5) != light);
        // The centre cross at 191, in the gap after pixel 7.
        const QColor grey(0x77, 0x77, 0x77);
        QCOMPARE(colourAt(w->pntMain, 191, 100), grey);
        QCOMPARE(colourAt(w->pntMain, 100, 191), grey);
        QCOMPARE(colourAt(w->pntMain, 191, 383), grey);
        QVERIFY(colourAt(w->pntMain, 192, 100) != grey);

        // The strip: the current colour 5 the larger swatch, colour 4 inset by 2.
        const QColor four = QColor::fromRgb(w->sheet.palette[4]);
        QCOMPARE(colourAt(w->pntColor, 120, 0), five);
        QCOMPARE(colourAt(w->pntColor, 141, 21), five);
        QVERIFY(colourAt(w->pntColor, 97, 3) != four);
        QCOMPARE(colourAt(w->pntColor, 98, 2), four);
        QCOMPARE(colourAt(w->pntColor, 115, 19), four);
        QCOMPARE(colourAt(w->pntColor, 2, 2), dark);
        QVERIFY(colourAt(w->pntColor, 0, 0) != dark);
        pickColour(*w, 0); // selected, swatch 0 covers its whole square
        QCOMPARE(colourAt(w->pntColor, 0, 0), dark);
        QCOMPARE(colourAt(w->pntColor, 23, 0), light);
        QCOMPARE(w->sheet.currentColour, std::uint8_t(0));

        // The preview: 2 x 2 units per pixel, colour 0 in its true colour.
        QCOMPARE(w->pntView->size(), QSize(32, 32));
        QCOMPARE(colourAt(w->pntView, 0, 0), zero);
        QCOMPARE(colourAt(w->pntView, 2, 0), five);
        QCOMPARE(colourAt(w->pntView, 3, 1), five);
        QCOMPARE(colourAt(w->pntView, 4, 0), zero);
        QCOMPARE(colourAt(w->pntView, 3, 2), zero);
    }

    void fillReplaceAndTheFallBackToPen()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        click(*w, "Pn");
        QCOMPARE(w->btGraPaint->text(), "Fl");
        draw(*w, 3, 4, 4);
        QCOMPARE(w->btGraPaint->text(), "Pn");
        QCOMPARE(cellDigits(w->sheet, 0), QString(256, u'3'));

        draw(*w, 7, 0, 0);
        draw(*w, 7, 9, 12);
        pickColour(*w, 9);
        click(*w, "Pn Fl");
        QCOMPARE(w->btGraPaint->text(), "Rp");
        QTest::mouseClick(w->pntMain, Qt::LeftButton, {}, pixelCentre(*w, 9, 12));
        QCOMPARE(w->btGraPaint->text(), "Pn");
        QString expected(256, u'3');
        expected[0] = u'9';
        expected[12 * 16 + 9] = u'9';
        QCOMPARE(cellDigits(w->sheet, 0), expected);

        // Replace on a pixel of the current colour changes nothing but still falls back.
        click(*w, "Pn Fl");
        QTest::mouseClick(w->pntMain, Qt::LeftButton, {}, pixelCentre(*w, 0, 0));
        QCOMPARE(w->btGraPaint->text(), "Pn");
        QCOMPARE(cellDigits(w->sheet, 0), expected);
        QCOMPARE(w->lblCel->text(), "0/0");
        QVERIFY(messages.messages.isEmpty());
    }

    void stripPastTheLastSwatchSelectsNothing()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        w->resize(390, 567);
        QCOMPARE(w->pntColor->width(), 390);
        QCOMPARE(w->stripHeight, 24);
        QTest::mouseClick(w->pntColor, Qt::LeftButton, {}, QPoint(100, 5));
        QCOMPARE(w->sheet.currentColour, std::uint8_t(4));
        QTest::mouseClick(w->pntColor, Qt::LeftButton, {}, QPoint(386, 5));
        QCOMPARE(w->sheet.currentColour, std::uint8_t(4));
        QTest::mouseClick(w->pntColor, Qt::LeftButton, {}, QPoint(23, 5));
        QCOMPARE(w->sheet.currentColour, std::uint8_t(0));
    }

    void cellButtons_data()
    {
        QTest::addColumn<QString>("script"); // button captions; "=c,x,y" draws
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("cells"); // the pixels of cells in use, 1 and 2 only

        QTest::newRow("Ad") << "Ad"
                            << "1/1"
                            << "- -";
        QTest::newRow("Ad Dl") << "Ad Dl"
                               << "0/0"
                               << "-";
        QTest::newRow("Ad draw Dl Ad: the pixels come back") << "Ad =6,1,1 Dl Ad"
                                                             << "1/1"
                                                             << "- 1,1:6";
        QTest::newRow("3 cells, Dl the middle") << "=1,0,0 Ad =2,0,0 Ad =3,0,0 <- Dl"
                                                << "1/1"
                                                << "0,0:1 0,0:3";
        QTest::newRow("<- from the first") << "Ad Ad -> <-"
                                           << "2/2"
                                           << "- - -";
        QTest::newRow("-> from the last") << "Ad Ad ->"
                                          << "0/2"
                                          << "- - -";
        QTest::newRow("Cp -> Ps") << "=5,2,3 Cp Ad Ps"
                                  << "1/1"
                                  << "2,3:5 2,3:5";
        QTest::newRow("Cp -> Ps Un") << "=5,2,3 Cp Ad =6,0,0 Ps Un"
                                     << "1/1"
                                     << "2,3:5 0,0:6";
        QTest::newRow("Rt") << "=5,15,0"
                            << "0/0"
                            << "15,0:5";
        QTest::newRow("Rt: top-right to top-left") << "=5,15,0 Rt"
                                                   << "0/0"
                                                   << "0,0:5";
        QTest::newRow("Fv") << "=5,15,0 Fv"
                            << "0/0"
                            << "0,0:5";
        QTest::newRow("Fh") << "=5,15,0 Fh"
                            << "0/0"
                            << "15,15:5";
        QTest::newRow("Sh up") << "=5,4,0 Sh"
                               << "0/0"
                               << "4,15:5";
        QTest::newRow("U Sh: right") << "=5,15,4 U Sh"
                                     << "0/0"
                                     << "0,4:5";
        QTest::newRow("U U Sh: down") << "=5,4,15 U U Sh"
                                      << "0/0"
                                      << "4,0:5";
        QTest::newRow("R D L Sh: left") << "=5,0,4 U U U Sh"
                                        << "0/0"
                                        << "15,4:5";
        QTest::newRow("Er") << "=5,4,4 Er"
                            << "0/0"
                            << "-";
        QTest::newRow("Er Un") << "=5,4,4 Er Un"
                               << "0/0"
                               << "4,4:5";
        QTest::newRow("draw Rt Un: both taken back") << "=5,15,0 =6,1,1 Rt Un"
                                                     << "0/0"
                                                     << "15,0:5";
        QTest::newRow("Un Un") << "=5,1,1 =6,2,2 Un Un"
                               << "0/0"
                               << "1,1:5";
        QTest::newRow("New Un") << "Ad =5,1,1 =6,2,2 New Un"
                                << "1/1"
                                << "- 1,1:5";
    }

    void cellButtons()
    {
        QFETCH(QString, script);
        QFETCH(QString, label);
        QFETCH(QString, cells);
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        for (const QString& step : script.split(u' ')) {
            if (step.startsWith(u'=')) {
                const QStringList n = step.mid(1).split(u',');
                draw(*w, n[0].toInt(), n[1].toInt(), n[2].toInt());
            } else if (step == u"U") {
                QTest::mouseClick(w->btGraShiftR, Qt::LeftButton);
            } else {
                click(*w, step);
            }
        }
        QCOMPARE(w->lblCel->text(), label);
        QStringList shown;
        for (int k = 0; k < w->sheet.cellCount; ++k) {
            QStringList set;
            for (int i = 0; i < 256; ++i)
                if (const int v = w->sheet.sheetStore[w->sheet.cellOffset(k) + i])
                    set.append(QStringLiteral("%1,%2:%3").arg(i % 16).arg(i / 16).arg(v));
            shown.append(set.isEmpty() ? QStringLiteral("-") : set.join(u';'));
        }
        QCOMPARE(shown.join(u' '), cells);
        QVERIFY(messages.messages.isEmpty());
    }

    void toolAndDirectionCaptionsCycle()
    {
        TempHome home;
        auto w = startOnSpritePage();
        QStringList tools;
        QStringList directions;
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(w->btGraPaint, Qt::LeftButton);
            tools.append(w->btGraPaint->text());
            QTest::mouseClick(w->btGraShiftR, Qt::LeftButton);
            directions.append(w->btGraShiftR->text());
        }
        QCOMPARE(tools.join(u' '), "Fl Rp Pn Fl");
        QCOMPARE(directions.join(u' '), "R D L U");
    }

    void openAnEightByEightFile()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        QByteArray file = header(8, 8, 3) + QByteArray(3 * 64, '\0');
        file[3 + 64 + 9] = 12; // cell 1, pixel (1, 1)
        QVERIFY(writeBytes(spriteFile(home, "eight"), file));
        QVERIFY(writeBytes(spriteFile(home, "Zebra"), header(16, 16, 1) + QByteArray(256, '\0')));
        QVERIFY(writeBytes(spriteFile(home, "apple.txt"), "x"));
        QDir().mkpath(spriteFile(home, "folder"));
        draw(*w, 5, 1, 1);

        click(*w, "Open");
        QVERIFY(w->pnlGraFiles->isVisible());
        QVERIFY(!w->pntMain->isVisible());
        QVERIFY(!w->pnlGraTools->isVisible());
        QStringList names;
        for (int i = 0; i < w->lstGrafiles->count(); ++i)
            names.append(w->lstGrafiles->item(i)->text());
        QCOMPARE(names, QStringList({"Zebra", "apple.txt", "eight"}));

        click(*w, "OK"); // nothing selected: the chooser stays
        QVERIFY(w->pnlGraFiles->isVisible());
        w->lstGrafiles->setCurrentRow(2);
        click(*w, "OK");
        QVERIFY(!w->pnlGraFiles->isVisible());
        QVERIFY(w->pntMain->isVisible());
        QCOMPARE(w->lblCel->text(), "0/2");
        QCOMPARE(w->edtGraFile->text(), "eight");
        QCOMPARE(w->sheet.pixelSize, 48);
        QCOMPARE(w->pntView->size(), QSize(16, 16));
        QCOMPARE(w->settingsList.value(u"sprite"), "16");
        QCOMPARE(w->edtSpriteSize->text(), "16");
        click(*w, "->");
        QCOMPARE(colourAt(w->pntMain, 48, 48), QColor::fromRgb(w->sheet.palette[12]));
        QCOMPARE(colourAt(w->pntMain, 48 + 45, 48 + 45), QColor::fromRgb(w->sheet.palette[12]));
        // Opening gave up the undo snapshot of the drawing before it.
        click(*w, "Un");
        QCOMPARE(w->lblCel->text(), "1/2");
        QCOMPARE(spriteFileBytes(w->sheet), file);
        QVERIFY(messages.messages.isEmpty());
    }

    // A cell wider than a third of the page still gets whole pixels to draw on and see.
    void largeCellsStayDrawable()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        QVERIFY(writeBytes(spriteFile(home, "big"), header(255, 255, 1) + QByteArray(255 * 255, '\0')));
        click(*w, "Open");
        w->lstGrafiles->setCurrentRow(0);
        click(*w, "OK");
        QCOMPARE(w->sheet.pixelSize, 1);
        QCOMPARE(w->pntView->size(), QSize(510, 510));
        draw(*w, 5, 254, 254);
        draw(*w, 6, 0, 1);
        QCOMPARE(w->sheet.pixel(254, 254), std::uint8_t(5));
        QCOMPARE(w->sheet.pixel(0, 1), std::uint8_t(6));
        QCOMPARE(colourAt(w->pntMain, 254, 254), QColor::fromRgb(w->sheet.palette[5]));
        QCOMPARE(colourAt(w->pntMain, 0, 1), QColor::fromRgb(w->sheet.palette[6]));
        QCOMPARE(colourAt(w->pntMain, 3, 3), QColor(0x33, 0x33, 0x33));
        click(*w, "Pn");
        pickColour(*w, 2);
        QTest::mouseClick(w->pntMain, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(w->sheet.pixel(200, 3), std::uint8_t(2));
        QCOMPARE(w->sheet.pixel(254, 254), std::uint8_t(5));
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("label"); // after OK
        QTest::addColumn<bool>("refused");

        QTest::newRow("count 0, whole sheet")
            << (header(16, 16, 0) + QByteArray(256 * 256, '\1')) << "0/255" << false;
        QTest::newRow("count 0, two cells") << (header(16, 16, 0) + QByteArray(600, '\1')) << "0/1" << false;
        QTest::newRow("count 0, header only") << header(16, 16, 0) << "0/0" << false;
        QTest::newRow("fewer bytes than announced")
            << (header(16, 16, 3) + QByteArray(300, '\1')) << "0/2" << false;
        QTest::newRow("width 0") << (header(0, 16, 1) + QByteArray(256, '\1')) << "1/1" << true;
        QTest::newRow("height 0") << (header(16, 0, 1) + QByteArray(256, '\1')) << "1/1" << true;
        QTest::newRow("two bytes") << QByteArray(2, '\x10') << "1/1" << true;
    }

    void brokenFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, label);
        QFETCH(bool, refused);
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        draw(*w, 5, 1, 1);
        click(*w, "Ad");
        w->edtGraFile->setText("mine");
        const QByteArray before = w->sheet.sheetStore;
        QVERIFY(writeBytes(spriteFile(home, "broken"), file));

        click(*w, "Open");
        w->lstGrafiles->setCurrentRow(0);
        click(*w, "OK");
        QCOMPARE(w->lblCel->text(), label);
        if (refused) {
            QCOMPARE(messages.messages.size(), 1);
            QVERIFY2(messages.messages[0].startsWith(spriteFile(home, "broken") + " is not a sprite file"),
                     qPrintable(messages.messages[0]));
            QCOMPARE(w->sheet.sheetStore, before);
            QCOMPARE(w->edtGraFile->text(), "mine");
            QVERIFY(w->pnlGraFiles->isVisible());
            click(*w, "Cancel");
            QVERIFY(w->pntMain->isVisible());
            return;
        }
        QVERIFY(messages.messages.isEmpty());
        QCOMPARE(w->edtGraFile->text(), "broken");
        QCOMPARE(std::uint8_t(w->sheet.sheetStore[2]), std::uint8_t(w->sheet.cellCount & 0xFF));
        // Every cell in use can be shown and edited.
        click(*w, "<-");
        draw(*w, 7, 15, 15);
        QCOMPARE(w->sheet.pixel(15, 15), std::uint8_t(7));
    }

    void fileThatWentAwayIsReported()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        QVERIFY(writeBytes(spriteFile(home, "gone"), header(8, 8, 1) + QByteArray(64, '\0')));
        click(*w, "Open");
        QFile::remove(spriteFile(home, "gone"));
        w->lstGrafiles->setCurrentRow(0);
        click(*w, "OK");
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages[0].startsWith("Cannot read " + spriteFile(home, "gone")),
                 qPrintable(messages.messages[0]));
        QCOMPARE(w->sheet.cellWidth, 16);
        QCOMPARE(w->edtGraFile->text(), QString());
    }

    void openThenCancel()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        draw(*w, 5, 1, 1);
        click(*w, "Open");
        QVERIFY(w->pnlGraFiles->isVisible());
        click(*w, "Cancel");
        QVERIFY(!w->pnlGraFiles->isVisible());
        QVERIFY(w->pntMain->isVisible());
        QVERIFY(w->pnlGraTools->isVisible());
        click(*w, "Un");
        QCOMPARE(w->sheet.pixel(1, 1), std::uint8_t(5));
        QVERIFY(messages.messages.isEmpty());
    }

    void newEmptiesTheNameAndTheSheet()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        w->edtGraFile->setText("hero");
        draw(*w, 5, 1, 1);
        click(*w, "Ad Ad");
        click(*w, "New");
        QCOMPARE(w->edtGraFile->text(), QString());
        QCOMPARE(w->lblCel->text(), "0/0");
        QCOMPARE(dumpSheet(w->sheet).section(u' ', 0, 0), "*" + QString(256, u'0'));
    }

    void saveRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");

        QTest::newRow("empty") << ""
                               << "Input file name.";
        QTest::newRow("one blank") << " "
                                   << "Input file name.";
        QTest::newRow("blanks and a tab") << " \t "
                                          << "Input file name.";
        QTest::newRow("../hero")
            << "../hero"
            << "Invalid file name: ../hero\nUse a plain name without \"/\", \"\\\" or \"..\".";
        QTest::newRow("a\\b") << "a\\b"
                              << "Invalid file name: a\\b\nUse a plain name without \"/\", \"\\\" or \"..\".";
        QTest::newRow("a folder of that name")
            << "folder"
            << "Failed to create %1\nIt is a folder, not a regular file; it was "
               "left as it is.";
    }

    void saveRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        QDir().mkpath(spriteFile(home, "folder"));
        const QStringList before = QDir(home.workspace()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QStringList spritesBefore =
            QDir(spriteFile(home, "")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        w->edtGraFile->setText(name);
        click(*w, "Save");
        const QString shown = message.contains(u"%1") ? message.arg(spriteFile(home, name)) : message;
        QCOMPARE(messages.messages, QStringList{shown});
        QCOMPARE(QDir(home.workspace()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(QDir(spriteFile(home, "")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 spritesBefore);
    }

    void saveRecreatesAMissingFolder()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startOnSpritePage(messages.sinks());
        QDir(spriteFile(home, "")).removeRecursively();
        w->edtGraFile->setText("hero");
        click(*w, "Save");
        QCOMPARE(messages.messages, QStringList{"Saved."});
        QCOMPARE(readBytes(spriteFile(home, "hero")).size(), 259);
    }
};

QTEST_MAIN(TestSpritePage)
#include "test_spritepage.moc"
