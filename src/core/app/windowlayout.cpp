// SPDX-License-Identifier: MIT
#include "core/app/windowlayout.h"

#include "core/app/settingslist.h"
#include "core/editor/keylayout.h"

#include <algorithm>

namespace {

// A tools panel beside the canvas is never narrower than the smallest window, so its
// buttons and swatches are never smaller than on a portrait window of the minimum width.
constexpr int minimumToolsWidth = minimumClientSize.width();

// Keys lower than this would no longer hold a readable caption; an extreme window then
// shows fewer code rows instead.
constexpr int minimumKeyHeight = 20;
constexpr int minimumCodeRows = 4;

// The file chooser's list as designed, and the room its button column needs beside it.
constexpr int chooserListWidth = 217;
constexpr int chooserButtonsWidth = 136;

constexpr int selectButtonSize = 43;

QRect sized(int x, int y, int w, int h)
{
    return {x, y, std::max(0, w), std::max(0, h)};
}

// Height a tools panel of width toolsWidth needs for the strip and both tool rows, and with
// withPreview also for the whole preview: in the first row's empty slot when it fits there,
// else above the first row.
int toolsNeed(const LayoutInput& in, int toolsWidth, bool withPreview)
{
    const int strip = toolsWidth / 16;
    const int rows = 2 * in.toolHeight + 2;
    int need = strip + rows;
    if (withPreview) {
        const int underPreview = 2 * in.cellWidth <= toolsWidth / 8 ? in.toolHeight : rows;
        need = std::max(need, strip + 2 * in.cellHeight + underPreview);
    }
    return need;
}

struct SpriteArrangement {
    bool portrait = true;
    bool beside = false;
    int side = 0; // the canvas square
};

SpriteArrangement arrangeSprite(const LayoutInput& in)
{
    const int W = in.page.width();
    const int H = in.page.height();
    const int room = H - in.menuHeight; // below the menu row
    if (room - W >= toolsNeed(in, W, false))
        return {true, false, W};

    const auto below = [&](bool withPreview) { return std::min(W, room - toolsNeed(in, W, withPreview)); };
    const auto beside = [&](bool withPreview) {
        const int side = std::min(room, W - minimumToolsWidth);
        return side > 0 && toolsNeed(in, W - side, withPreview) <= room ? side : 0;
    };
    // A preview too large to fit beside a canvas of at least one unit per pixel is left
    // partly covered, as on a portrait page, rather than leave no canvas at all.
    bool withPreview = true;
    if (std::max(below(true), beside(true)) < std::max(in.cellWidth, in.cellHeight))
        withPreview = false;
    const int b = below(withPreview);
    const int s = beside(withPreview);
    if (s > b)
        return {false, true, s};
    return {false, false, std::max(0, b)};
}

// The Code page's key row height: the setting, lowered where the keyboard would leave fewer
// than four rows of code above it.
int codeKeyHeight(const LayoutInput& in)
{
    const int W = in.page.width();
    const int cell = std::max(1, W / std::max(1, in.codeColumns));
    const int room = in.page.height() - in.menuHeight - minimumCodeRows * cell;
    const int kh = std::max(1, in.keyHeight);
    if (keyRows * kh <= room)
        return kh;
    return std::min(kh, std::max(std::min(kh, minimumKeyHeight), room / keyRows));
}

SystemPageLayout layoutSystemPage(int W, int H)
{
    SystemPageLayout s;
    s.Label2 = {20, 10, 66, 23};
    s.edtWidth = {244, 5, 69, 32};
    s.Label4 = {20, 45, 189, 23};
    s.edtKeyHeight = {244, 40, 69, 32};
    s.Label5 = {20, 79, 199, 23};
    s.edtCommand = {244, 75, 69, 32};
    s.Label3 = {20, 113, 93, 23};
    s.edtSpriteSize = {244, 110, 69, 32};
    s.Label1 = {19, 144, 189, 23};
    s.edtOpenmsxdir = sized(7, 170, W - 16, 32);
    s.Label6 = {18, 217, 93, 23};
    s.cmbLang = {104, 215, 201, 32};
    s.chkGfx9000 = {8, 247, 337, 19};
    s.Label7 = {18, 258, 93, 23};
    s.cmbColor = {104, 254, 201, 32};

    // The designed right column ends at X 354 and the last button row at Y 501.
    const int dx = std::max(0, 354 - W);
    if (H >= 502) {
        s.btDefault = {21, 310, 124, 44};
        s.btApply = {208 - dx, 308, 145, 44};
        s.btWebsite = {209 - dx, 399, 144, 44};
        s.btExportAll = {21, 401, 124, 44};
        s.btExport = {24, 416, 145, 44};
        s.btQuit = {209 - dx, 457, 145, 44};
    } else {
        // Three rows 4 pixels apart under the colour box still fit a page of the minimum size.
        s.btDefault = {21, 290, 124, 44};
        s.btApply = {208 - dx, 290, 145, 44};
        s.btWebsite = {209 - dx, 338, 144, 44};
        s.btExportAll = {21, 338, 124, 44};
        s.btExport = {24, 353, 145, 44};
        s.btQuit = {209 - dx, 386, 145, 44};
    }
    return s;
}

void layoutMenus(WindowLayout& L, int W, int menuHeight)
{
    const int a = W / 7;
    L.menuStep = a;
    L.pnlBasMenu = sized(0, 0, W, menuHeight);
    L.btTextNew = sized(0, 0, a, menuHeight);
    L.btTextOpen = sized(a, 0, a, menuHeight);
    L.btTextSave = sized(2 * a, 0, a, menuHeight);
    L.edtFile = sized(3 * a, 4, W - 5 * a, 32);
    L.lblLine = sized(W - 2 * a + 1, 9, a - 1, 24);
    L.btRun = sized(W - a, 0, a, menuHeight);
    L.pnlGraMenu = L.pnlBasMenu;
    L.btGraNew = L.btTextNew;
    L.btGraOpen = L.btTextOpen;
    L.btGraSave = L.btTextSave;
    L.edtGraFile = L.edtFile;
    L.lblCel = sized(W - 2 * a + 1, 9, 2 * a - 1, 24);
}

void layoutCodePage(WindowLayout& L, const LayoutInput& in)
{
    const int W = in.page.width();
    const int H = in.page.height();
    const int m = in.menuHeight;
    L.keyWidth = W / keyColumns;
    L.keyHeight = codeKeyHeight(in);
    const int keysHeight = keyRows * L.keyHeight;
    L.pnlKeys = sized(0, H - keysHeight, W, keysHeight);
    L.pntProg = sized(0, m, W, H - m - keysHeight);
    for (int i = 0; i < keyRows; ++i) {
        for (int j = 0; j < keyColumns; ++j) {
            const int k = i * keyColumns + j;
            const QString& caption = in.keyCaptions[size_t(k)];
            // The space key covers the slot to its right, "Rt" the slot below it.
            const int w = caption == u" " ? 2 * L.keyWidth - 2 : L.keyWidth - 2;
            const int h = caption == u"Rt" ? 2 * L.keyHeight - 3 : L.keyHeight - 3;
            L.keys[size_t(k)] = sized(j * L.keyWidth, i * L.keyHeight, w, h);
            L.keyVisible[size_t(k)] = !caption.isEmpty();
            L.keyCaptions[size_t(k)] = caption;
        }
    }

    const int listWidth = std::clamp(W - chooserButtonsWidth, 0, chooserListWidth);
    L.pnlBasfiles = sized(0, m, W, H - m);
    L.lstBasfiles = sized(0, 0, listWidth, H - m);
    L.pnlBasfilesBt = sized(listWidth, 0, W - listWidth, H - m);
    L.btTextOk = {40, 24, 88, 49};
    L.btTextCancel = {40, 84, 88, 49};
    L.btTextDelete = {40, 200, 88, 49};
    L.btTextArchive = {40, 260, 88, 49};
    L.pnlGraFiles = L.pnlBasfiles;
    L.lstGrafiles = L.lstBasfiles;
    L.pnlGrafileBt = L.pnlBasfilesBt;
    L.btGraOk = L.btTextOk;
    L.btGraCancel = L.btTextCancel;
    L.btGraArchive = L.btTextArchive;
}

void layoutSpritePage(WindowLayout& L, const LayoutInput& in)
{
    const int W = in.page.width();
    const int H = in.page.height();
    const int m = in.menuHeight;
    const SpriteArrangement a = arrangeSprite(in);
    L.spritePortrait = a.portrait;
    const int side = a.side;
    if (a.beside) {
        L.pntMain = sized(0, m, side, side);
        L.pnlGraTools = sized(side, m, W - side, H - m);
    } else {
        // Below a canvas narrower than the page, the canvas sits in the middle.
        L.pntMain = sized((W - side) / 2, m, side, side);
        L.pnlGraTools = sized(0, m + side, W, H - m - side);
    }
    const int toolsWidth = L.pnlGraTools.width();
    const int T = L.pnlGraTools.height();
    const int th = L.toolHeight;
    L.stripHeight = toolsWidth / 16;
    L.toolStep = toolsWidth / 8;
    L.pixelSize = std::max(1, side / in.cellWidth);
    L.pntColor = sized(0, 0, toolsWidth, L.stripHeight);
    L.pntView = sized(0, L.stripHeight, 2 * in.cellWidth, 2 * in.cellHeight); // drawn at scale 2
    // Slot 0 of the first row is left to the preview.
    for (int k = 1; k <= 7; ++k)
        L.firstToolRow[size_t(k - 1)] = sized(k * L.toolStep + 1, T - 2 * th - 2, L.toolStep - 2, th);
    for (int k = 0; k < 8; ++k)
        L.secondToolRow[size_t(k)] = sized(k * L.toolStep + 1, T - th, L.toolStep - 2, th);
}

} // namespace

LayoutInput layoutInput(const SettingsList& settings, QSize page, int cellWidth, int cellHeight, bool shiftOn)
{
    LayoutInput in;
    in.page = page;
    // Start-up repairs these and Apply refuses values below 1; the guards keep a value set
    // any other way from dividing by zero.
    in.toolHeight = std::max(1, settings.intValue(u"command").value_or(26));
    in.keyHeight = std::max(1, settings.intValue(u"keyheight").value_or(30));
    in.codeColumns = std::max(1, settings.intValue(u"width").value_or(32));
    in.cellWidth = std::max(1, cellWidth);
    in.cellHeight = std::max(1, cellHeight);
    int labelCycle = 0;
    for (int i = 0; i < keyRows; ++i)
        for (int j = 0; j < keyColumns; ++j)
            in.keyCaptions[size_t(i * keyColumns + j)] = keyCaption(settings, 1, i, j, shiftOn, labelCycle);
    return in;
}

WindowLayout layoutWindow(const LayoutInput& in)
{
    WindowLayout L;
    const int W = std::max(0, in.page.width());
    const int H = std::max(0, in.page.height());
    LayoutInput page = in;
    page.page = QSize(W, H);
    page.toolHeight = std::max(1, in.toolHeight);
    page.cellWidth = std::max(1, in.cellWidth);
    page.cellHeight = std::max(1, in.cellHeight);
    L.pageWidth = W;
    L.pageHeight = H;
    L.toolHeight = page.toolHeight;
    L.tabStrip = sized(0, 0, W, in.tabHeight);
    L.page = sized(0, in.tabHeight, W, H);
    L.Memo1 = sized(0, 0, W, H);
    layoutMenus(L, W, in.menuHeight);
    layoutCodePage(L, page);
    layoutSpritePage(L, page);
    L.system = layoutSystemPage(W, H);
    L.pnlSelect = sized(32, 16, W - 64, H);
    L.lstSelect = sized(0, 0, L.pnlSelect.width() - selectButtonSize, H);
    L.pnlSelButton = sized(L.lstSelect.width(), 0, selectButtonSize, H);
    L.btnSelCancel = {0, 0, selectButtonSize, selectButtonSize};
    return L;
}

QRect firstWindowGeometry(const QRect& available, const QMargins& frame)
{
    const int roomWidth = available.width() - frame.left() - frame.right();
    const int roomHeight = available.height() - frame.top() - frame.bottom();
    const QSize designed = designedClientSize;
    QSize size = designed;
    if (roomWidth < designed.width() || roomHeight < designed.height()) {
        // The side that runs out first sets the size; the other follows in proportion.
        if (qint64(roomWidth) * designed.height() <= qint64(roomHeight) * designed.width())
            size = QSize(roomWidth, int(qint64(roomWidth) * designed.height() / designed.width()));
        else
            size = QSize(int(qint64(roomHeight) * designed.width() / designed.height()), roomHeight);
    }
    size = size.expandedTo(minimumClientSize);
    // The designed top edge is 32 pixels down; less where the screen is too short for that.
    const int top = available.top() + std::clamp(roomHeight - size.height(), 0, 32);
    return {QPoint(available.left() + frame.left(), top + frame.top()), size};
}
