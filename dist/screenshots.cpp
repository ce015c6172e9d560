// SPDX-License-Identifier: MIT
// Renders the four pages of the real window, with a short program and two sprites in it,
// into PNG files for the README and the metainfo (scripts/screenshots.sh runs it offscreen).

#include "ui/app/mainwindow.h"
#include "ui/app/paintsurface.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabBar>

#include <cstdio>

namespace {

// A small TIC-80 program of our own, as a user might have typed it.
const char* const demoProgram[] = {
    "// a bouncing ball",
    "var x=120,y=68,dx=1,dy=1;",
    "",
    "function TIC(){",
    " cls(0);",
    " x+=dx;y+=dy;",
    " if(x<4||x>236)dx=-dx;",
    " if(y<4||y>132)dy=-dy;",
    " circ(x,y,4,6);",
    " print(\"HELLO\",96,8,12);",
    "}",
};

// Two 8 x 8 drawings, each pixel drawn 2 x 2 into a 16 x 16 cell; the digits and letters are
// colours of the default palette (0 black, 5 dark green, b green, f white, 6 red, c pink).
const char* const slime[] = {
    "000bb000", "00bbbb00", "0bbbbbb0", "0b0bb0b0", "bb0bb0bb", "bfbbbbbb", "bfbbbbbb", "05555550",
};
const char* const heart[] = {
    "00000000", "06600660", "6cc66666", "6c666666", "66666666", "06666660", "00666600", "00066000",
};

void drawCell(TfrmMain& w, int cell, const char* const (&rows)[8])
{
    w.sheet.currentCell = cell;
    for (int y = 0; y < 8; ++y) {
        const QByteArray row(rows[y]);
        for (int x = 0; x < 8; ++x) {
            const auto colour = std::uint8_t(QByteArray(1, row[x]).toInt(nullptr, 16));
            for (int d = 0; d < 4; ++d)
                w.sheet.setPixel(2 * x + d % 2, 2 * y + d / 2, colour);
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zenkodo_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    TfrmMain w(desktopSinks());
    w.show();

    // The script's private home is a new temporary folder each run; shown as a usual home, it
    // keeps the pictures the same from one run to the next.
    const QString home = QDir::homePath();
    const QString shownHome = QStringLiteral("/home/user");
    w.Memo1->setPlainText(w.Memo1->toPlainText().replace(home, shownHome));
    w.edtOpenmsxdir->setText(w.edtOpenmsxdir->text().replace(home, shownHome));

    w.text.codeLines.clear();
    for (const char* line : demoProgram)
        w.text.codeLines.append(QString::fromLatin1(line));
    w.text.cursorRow = 5;
    w.text.cursorCol = 13;
    w.edtFile->setText(QStringLiteral("bounce"));
    // The text was set by hand: close it as an edit that leaves the view where it is.
    EditClose close;
    close.entryRow = w.text.cursorRow;
    close.followCursor = false;
    w.applyEditEffects(finishEdit(w.text, close));

    if (w.sheet.cellWidth == 16 && w.sheet.cellHeight == 16) {
        drawCell(w, 1, heart);
        drawCell(w, 0, slime);
        w.sheet.cellCount = 2;
        w.refreshCellLabel();
    }

    const char* const names[] = {"code", "sprite", "help", "system"};
    for (int page = 0; page < 4; ++page) {
        w.TabControl1->setCurrentIndex(page);
        QApplication::processEvents();
        const QString path = outDir + QLatin1Char('/') + QLatin1String(names[page]) + ".png";
        if (!w.grab().toImage().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
