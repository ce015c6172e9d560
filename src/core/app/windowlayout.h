// SPDX-License-Identifier: MIT
#pragma once
// The layout pass as a function: from the page size, the menu row and tab strip heights and
// the size settings to the rectangle of every control of the window, keys included, and the
// window's first size and place on a screen. The window only applies what this returns.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

struct SettingsList;

// The window as designed for a phone held upright, and the smallest one the layout keeps
// whole: below it the System page and the file choosers would be cut off.
inline constexpr QSize designedClientSize{384, 567};
inline constexpr QSize minimumClientSize{320, 480};
inline constexpr int tabStripHeight = 49;
inline constexpr int menuRowHeight = 43;

struct LayoutInput {
    QSize page; // W x H: the area below the tab strip that every page fills
    int menuHeight = menuRowHeight;
    int tabHeight = tabStripHeight;
    int toolHeight = 26;  // "command": height of a sprite tool button
    int keyHeight = 30;   // "keyheight": height of a key row
    int codeColumns = 32; // "width": columns of the code view
    int cellWidth = 16;
    int cellHeight = 16;
    std::array<QString, 80> keyCaptions; // the first keyboard page, row by row
};

// The input of the pass from the settings as they are now; a value that is not a usable
// number gives the default, so the pass never divides by zero.
LayoutInput layoutInput(const SettingsList& settings, QSize page, int cellWidth, int cellHeight,
                        bool shiftOn);

// The System page's controls, designed at fixed places; on a narrow or short page the right
// column and the button rows move in so that nothing is cut off.
struct SystemPageLayout {
    QRect Label2, edtWidth, Label4, edtKeyHeight, Label5, edtCommand, Label3, edtSpriteSize;
    QRect Label1, edtOpenmsxdir, Label6, cmbLang, chkGfx9000, Label7, cmbColor;
    QRect btDefault, btApply, btWebsite, btExportAll, btExport, btQuit;
};

// Each rectangle is in the coordinates of the control's parent: pages and the selection panel
// in the window's, menu buttons in their menu row's, keys in the key panel's, tool buttons,
// strip and preview in the tools panel's.
struct WindowLayout {
    int pageWidth = 0;
    int pageHeight = 0;
    int stripHeight = 0; // palette strip height, the swatch size
    int toolStep = 0;    // width of one tool button slot
    int toolHeight = 0;
    int menuStep = 0;
    int pixelSize = 1; // canvas units per sprite pixel
    int keyWidth = 0;
    int keyHeight = 0;
    // The sprite page as designed: canvas W x W with the tools below. Otherwise the canvas is
    // the largest square that leaves the tools whole, below it or beside it.
    bool spritePortrait = true;

    QRect tabStrip;
    QRect page; // each of the four pages

    // Code page.
    QRect pnlBasMenu, btTextNew, btTextOpen, btTextSave, edtFile, lblLine, btRun;
    QRect pntProg, pnlKeys;
    QRect pnlBasfiles, lstBasfiles, pnlBasfilesBt;
    QRect btTextOk, btTextCancel, btTextDelete, btTextArchive;
    std::array<QRect, 80> keys;
    std::array<bool, 80> keyVisible{};
    std::array<QString, 80> keyCaptions; // as given, for the keys to show

    // Sprite page.
    QRect pnlGraMenu, btGraNew, btGraOpen, btGraSave, edtGraFile, lblCel;
    QRect pntMain, pnlGraTools, pntColor, pntView;
    std::array<QRect, 7> firstToolRow;  // "Ad" "Dl" "<-" "->" "Cp" "Ps" "Pn"
    std::array<QRect, 8> secondToolRow; // "Rt" "Fv" "Fh" "Sh" "U" "Er" "Un" "Ex"
    QRect pnlGraFiles, lstGrafiles, pnlGrafileBt;
    QRect btGraOk, btGraCancel, btGraArchive;

    // Help page.
    QRect Memo1;

    SystemPageLayout system;

    // The floating selection list.
    QRect pnlSelect, lstSelect, pnlSelButton, btnSelCancel;
};

WindowLayout layoutWindow(const LayoutInput& input);

// The client rectangle of the window's first showing: the designed size, made smaller in
// the designed proportion where the screen's available area (less the window frame) cannot
// hold it, never below the minimum size, placed inside that area near its top left.
QRect firstWindowGeometry(const QRect& available, const QMargins& frame);
