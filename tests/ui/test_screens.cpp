// SPDX-License-Identifier: MIT
// The window on screens other than the designed one and for fingers: the first size and the
// minimum, the Sprite page in landscape driven through the window as a pointer would, the
// touch sizes of the lists and the message box, the latched "Sh" key, and the light and
// dark looks.

#include "ui/app/look.h"
#include "ui/editor/selectlist.h"
#include "uisupport.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTabBar>
#include <QTimer>

#include <cmath>

namespace {

// A control's rectangle in the window's coordinates.
QRect inWindow(const QWidget* control, const QWidget* window)
{
    return {control->mapTo(window, QPoint(0, 0)), control->size()};
}

// Clicks at a point of the window, so the click goes to whatever control is on top there.
void clickWindowAt(TfrmMain& w, QPoint point)
{
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, point);
}

double relativeLuminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int itemHeight(const QListView* list, int row)
{
    return list->visualRect(list->model()->index(row, 0)).height();
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { applyLook(LookScheme::Light); }

    // The offscreen screen (800 x 600) holds the designed window with its frame; nothing goes
    // below the minimum size, where the System page still shows every button.
    void firstSizeAndMinimum()
    {
        TempHome home;
        auto w = startWindow();
        QCOMPARE(w->size(), QSize(384, 567));
        QVERIFY2(w->screen()->availableGeometry().contains(w->frameGeometry()),
                 qPrintable(
                     QStringLiteral("%1,%2").arg(w->frameGeometry().bottom()).arg(w->frameGeometry().top())));
        QCOMPARE(w->minimumSize(), QSize(320, 480));
        w->resize(240, 320);
        QCOMPARE(w->size(), QSize(320, 480));
        w->TabControl1->setCurrentIndex(3);
        for (QPushButton* b : {w->btDefault, w->btApply, w->btExportAll, w->btWebsite, w->btQuit})
            QVERIFY2(w->rect().contains(inWindow(b, w.get())), qPrintable(b->text()));
    }

    void landscapeSpritePageReachesEveryPixelAndTool()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startWindow(messages.sinks());
        w->resize(800, 600);
        w->TabControl1->setCurrentIndex(1);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int z = w->sheet.pixelSize;
        QCOMPARE(z, 30);
        QVERIFY(w->rect().contains(inWindow(w->pntMain, w.get())));
        QCOMPARE(w->pntMain->width(), w->pntMain->height());

        // Colour 5 from the strip, then the canvas's last unit of the last column and row.
        const QPoint swatch(5 * w->stripHeight + w->stripHeight / 2, w->stripHeight / 2);
        clickWindowAt(*w, w->pntColor->mapTo(w.get(), swatch));
        QCOMPARE(w->sheet.currentColour, std::uint8_t(5));
        clickWindowAt(*w, w->pntMain->mapTo(w.get(), QPoint(16 * z - 1, 16 * z - 1)));
        QCOMPARE(w->sheet.pixel(15, 15), std::uint8_t(5));
        QCOMPARE(w->pntMain->grab().toImage().pixelColor(15 * z, 15 * z),
                 QColor::fromRgb(w->sheet.palette[5]));

        // Each tool button lies wholly in the window, uncovered, and takes a click there.
        const QList<QPushButton*> tools{w->btGraAdd,    w->btGraDel,    w->btGraBack,   w->btGraNext,
                                        w->btGraCopy,   w->btGraPaste,  w->btGraPaint,  w->btGraRotate,
                                        w->btGraFlipV,  w->btGraFlipH,  w->btGraShiftU, w->btGraShiftR,
                                        w->btGraShiftD, w->btGraShiftL, w->btGraData};
        for (QPushButton* b : tools) {
            const QRect r = inWindow(b, w.get());
            QVERIFY2(w->rect().contains(r), qPrintable(b->text()));
            QCOMPARE(w->childAt(r.center()), b);
            QSignalSpy clicked(b, &QPushButton::clicked);
            clickWindowAt(*w, r.center());
            QVERIFY2(clicked.count() == 1, qPrintable(b->text()));
        }
        QCOMPARE(w->btGraPaint->text(), "Fl");
        QCOMPARE(w->btGraShiftR->text(), "R");
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages.first().startsWith("Exported."), qPrintable(messages.messages.first()));
    }

    void listsAreFingerSized()
    {
        TempHome home;
        MessageRecorder messages;
        auto w = startWindow(messages.sinks());
        for (const char* name : {"prgfiles/a.js", "prgfiles/b.lua", "spfiles/hero", "spfiles/tiles"})
            QVERIFY(
                writeBytes(home.workspace() + name, QByteArray(3 + 256, '\0').replace(0, 3, "\x10\x10\x01")));

        clickKeys(*w, {"c", "i", "r", "c", "Ky"});
        QVERIFY(w->pnlSelect->isVisible());
        QCOMPARE(w->lstSelect->count(), 3);
        QTest::mouseClick(w->btTextOpen, Qt::LeftButton);
        QCOMPARE(w->lstBasfiles->count(), 2);
        w->TabControl1->setCurrentIndex(1);
        QTest::mouseClick(w->btGraOpen, Qt::LeftButton);
        QCOMPARE(w->lstGrafiles->count(), 2);
        for (const QListView* list :
             std::initializer_list<const QListView*>{w->lstSelect, w->lstBasfiles, w->lstGrafiles}) {
            for (int row = 0; row < list->model()->rowCount(); ++row)
                QVERIFY2(itemHeight(list, row) >= touchTarget,
                         qPrintable(QString::number(itemHeight(list, row))));
            QVERIFY(QFontInfo(list->font()).pixelSize() >= 16);
        }
        QVERIFY(messages.messages.isEmpty());
    }

    // The one message function shows our own box: readable text, an OK button a finger
    // can hit, centred over the window.
    void messageBoxIsFingerSized()
    {
        TempHome home;
        auto w = startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        bool shown = false;
        QString text;
        int okHeight = 0;
        int textPixels = 0;
        QPoint offCentre;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = true;
            const auto* label = box->findChild<QLabel*>();
            text = label ? label->text() : QString();
            textPixels = label ? QFontInfo(label->font()).pixelSize() : 0;
            offCentre = box->frameGeometry().center() - w->frameGeometry().center();
            for (QPushButton* b : box->findChildren<QPushButton*>()) {
                if (b->text() == u"OK") {
                    okHeight = b->height();
                    QTest::mouseClick(b, Qt::LeftButton);
                }
            }
            if (box->isVisible())
                box->reject();
        });
        w->showMessage(QStringLiteral("Saved."));
        QVERIFY(shown);
        QCOMPARE(text, "Saved.");
        QVERIFY2(okHeight >= touchTarget, qPrintable(QString::number(okHeight)));
        QVERIFY(textPixels >= 16);
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void shiftKeyLooksPressedOnPageTwo()
    {
        TempHome home;
        auto w = startWindow();
        QPushButton* sh = keyWithCaption(*w, "Sh");
        QVERIFY(sh && !sh->isChecked());
        QTest::mouseClick(sh, Qt::LeftButton);
        QVERIFY(w->shiftOn);
        QVERIFY(sh->isChecked());
        QCOMPARE(sh->palette().color(QPalette::Button), w->palette().color(QPalette::Highlight));
        QTest::mouseClick(sh, Qt::LeftButton);
        QVERIFY(!w->shiftOn);
        QVERIFY(!sh->isChecked());
        QCOMPARE(sh->palette().color(QPalette::Button), w->palette().color(QPalette::Button));
        // A resize brings back page 1, and the key lets go with it.
        QTest::mouseClick(sh, Qt::LeftButton);
        w->resize(400, 600);
        QVERIFY(!w->shiftOn);
        QVERIFY(!sh->isChecked());
    }

    void looksKeepTheCanvasCellsApart_data()
    {
        QTest::addColumn<LookScheme>("scheme");
        QTest::newRow("light") << LookScheme::Light;
        QTest::newRow("dark") << LookScheme::Dark;
    }
    void looksKeepTheCanvasCellsApart()
    {
        QFETCH(LookScheme, scheme);
        TempHome home;
        auto w = startWindow();
        applyLook(scheme);
        QCOMPARE(QApplication::style()->name(), "fusion");
        QCOMPARE(isDarkPalette(w->palette()), scheme == LookScheme::Dark);
        const QPalette p = w->palette();
        QVERIFY(contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)) >= 7);
        QVERIFY(contrast(p.color(QPalette::ButtonText), p.color(QPalette::Button)) >= 7);
        QVERIFY(contrast(p.color(QPalette::Text), p.color(QPalette::Base)) >= 7);

        // The gaps between the squares show the ground, apart from both checker greys and
        // the centre cross.
        const QColor ground = canvasGround(p);
        for (const QColor grey :
             {QColor(0x33, 0x33, 0x33), QColor(0x66, 0x66, 0x66), QColor(0x77, 0x77, 0x77)})
            QVERIFY2(contrast(ground, grey) >= 1.5, qPrintable(grey.name()));
        w->TabControl1->setCurrentIndex(1);
        const QImage canvas = w->pntMain->grab().toImage();
        QCOMPARE(canvas.pixelColor(22, 5), ground);
        QCOMPARE(canvas.pixelColor(5, 22), ground);
        QCOMPARE(canvas.pixelColor(5, 5), QColor(0x33, 0x33, 0x33));
    }
};

QTEST_MAIN(TestScreens)
#include "test_screens.moc"
