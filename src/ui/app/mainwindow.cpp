#include "app/mainwindow.h"

#include "app/messages.h"
#include "app/paintsurface.h"
#include "app/provisioning.h"
#include "app/settingsrepair.h"
#include "editor/codebuffer.h"
#include "editor/fontatlas.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

namespace {

constexpr int designedWidth = 384;
constexpr int designedHeight = 567;
constexpr int tabHeight = 49;
constexpr int menuHeight = 43;

// A tab strip of a fixed height whose tabs share its whole width.
class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        const int n = qMax(1, count());
        const int w = width() / n + (index < width() % n ? 1 : 0);
        return {qMax(1, w), tabHeight};
    }
    QSize minimumTabSizeHint(int) const override { return {1, tabHeight}; }
};

QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& geometry = {})
{
    auto* b = new QPushButton(caption, parent);
    // A focused button would take hardware keys meant for the code.
    b->setFocusPolicy(Qt::NoFocus);
    if (!geometry.isNull())
        b->setGeometry(geometry);
    return b;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, const QRect& geometry, bool bold)
{
    auto* l = new QLabel(caption, parent);
    l->setGeometry(geometry);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLineEdit* makeEdit(QWidget* parent, const QRect& geometry = {})
{
    auto* e = new QLineEdit(parent);
    if (!geometry.isNull())
        e->setGeometry(geometry);
    return e;
}

QListWidget* makeList(QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setSortingEnabled(true);
    return l;
}

QWidget* makePanel(QWidget* parent)
{
    return new QWidget(parent);
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Zenkodo"));
    // The window takes the hardware keys whenever no edit field, list or combo box has them.
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    connectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::createControls()
{
    resize(designedWidth, designedHeight);

    TabControl1 = new TabStrip(this);
    TabControl1->setFocusPolicy(Qt::NoFocus);
    TabControl1->setExpanding(true);
    TabControl1->setDrawBase(false);
    for (const char* caption : {"Code", "Sprite", "Help", "System"})
        TabControl1->addTab(QString::fromLatin1(caption));
    TabItem1 = makePanel(this);
    TabItem2 = makePanel(this);
    TabItem3 = makePanel(this);
    TabItem4 = makePanel(this);

    // Code page.
    pnlBasMenu = makePanel(TabItem1);
    btTextNew = makeButton(pnlBasMenu, QStringLiteral("New"));
    btTextOpen = makeButton(pnlBasMenu, QStringLiteral("Open"));
    btTextSave = makeButton(pnlBasMenu, QStringLiteral("Save"));
    edtFile = makeEdit(pnlBasMenu);
    lblLine = new QLabel(QStringLiteral("1"), pnlBasMenu);
    btRun = makeButton(pnlBasMenu, QStringLiteral("Run"));
    pntProg = new PaintSurface(TabItem1);
    pnlBasfiles = makePanel(TabItem1);
    pnlBasfiles->hide();
    lstBasfiles = makeList(pnlBasfiles);
    pnlBasfilesBt = makePanel(pnlBasfiles);
    btTextOk = makeButton(pnlBasfilesBt, QStringLiteral("OK"), {40, 24, 88, 49});
    btTextCancel = makeButton(pnlBasfilesBt, QStringLiteral("Cancel"), {40, 84, 88, 49});
    btTextDelete = makeButton(pnlBasfilesBt, QStringLiteral("Delete"), {40, 200, 88, 49});
    btTextDelete->hide();
    btTextArchive = makeButton(pnlBasfilesBt, QStringLiteral("Archive"), {40, 260, 88, 49});
    pnlKeys = makePanel(TabItem1);
    for (QPushButton*& key : keys) {
        key = makeButton(pnlKeys, QString());
        key->hide();
    }

    // Sprite page.
    pnlGraMenu = makePanel(TabItem2);
    btGraNew = makeButton(pnlGraMenu, QStringLiteral("New"));
    btGraOpen = makeButton(pnlGraMenu, QStringLiteral("Open"));
    btGraSave = makeButton(pnlGraMenu, QStringLiteral("Save"));
    edtGraFile = makeEdit(pnlGraMenu);
    lblCel = new QLabel(QStringLiteral("1/1"), pnlGraMenu);
    pnlGraFiles = makePanel(TabItem2);
    pnlGraFiles->hide();
    lstGrafiles = makeList(pnlGraFiles);
    pnlGrafileBt = makePanel(pnlGraFiles);
    btGraOk = makeButton(pnlGrafileBt, QStringLiteral("OK"), {40, 24, 88, 49});
    btGraCancel = makeButton(pnlGrafileBt, QStringLiteral("Cancel"), {40, 84, 88, 49});
    btGraArchive = makeButton(pnlGrafileBt, QStringLiteral("Archive"), {40, 260, 88, 49});
    pntMain = new PaintSurface(TabItem2);
    pnlGraTools = makePanel(TabItem2);
    pntColor = new PaintSurface(pnlGraTools);
    pntView = new PaintSurface(pnlGraTools);
    btGraAdd = makeButton(pnlGraTools, QStringLiteral("Ad"));
    btGraDel = makeButton(pnlGraTools, QStringLiteral("Dl"));
    btGraBack = makeButton(pnlGraTools, QStringLiteral("<-"));
    btGraNext = makeButton(pnlGraTools, QStringLiteral("->"));
    btGraCopy = makeButton(pnlGraTools, QStringLiteral("Cp"));
    btGraPaste = makeButton(pnlGraTools, QStringLiteral("Ps"));
    btGraPaint = makeButton(pnlGraTools, QStringLiteral("Pn"));
    btGraRotate = makeButton(pnlGraTools, QStringLiteral("Rt"));
    btGraFlipV = makeButton(pnlGraTools, QStringLiteral("Fv"));
    btGraFlipH = makeButton(pnlGraTools, QStringLiteral("Fh"));
    btGraShiftU = makeButton(pnlGraTools, QStringLiteral("Sh"));
    btGraShiftR = makeButton(pnlGraTools, QStringLiteral("U"));
    btGraShiftD = makeButton(pnlGraTools, QStringLiteral("Er"));
    btGraShiftL = makeButton(pnlGraTools, QStringLiteral("Un"));
    btGraData = makeButton(pnlGraTools, QStringLiteral("Ex"));

    // Help page.
    Memo1 = new QPlainTextEdit(TabItem3);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);

    // System page: a fixed layout.
    Label2 = makeLabel(TabItem4, QStringLiteral("Width"), {20, 10, 66, 23}, true);
    edtWidth = makeEdit(TabItem4, {244, 5, 69, 32});
    Label4 = makeLabel(TabItem4, QStringLiteral("Buttons height(CODE)"), {20, 45, 189, 23}, true);
    edtKeyHeight = makeEdit(TabItem4, {244, 40, 69, 32});
    Label5 = makeLabel(TabItem4, QStringLiteral("Buttons height(SPRITE)"), {20, 79, 199, 23}, true);
    edtCommand = makeEdit(TabItem4, {244, 75, 69, 32});
    Label3 = makeLabel(TabItem4, QStringLiteral("Sprite size"), {20, 113, 93, 23}, true);
    edtSpriteSize = makeEdit(TabItem4, {244, 110, 69, 32});
    Label1 = makeLabel(TabItem4, QStringLiteral("Export directory"), {19, 144, 189, 23}, true);
    edtOpenmsxdir = makeEdit(TabItem4, {7, 170, designedWidth - 16, 32});
    Label6 = makeLabel(TabItem4, QStringLiteral("Language"), {18, 217, 93, 23}, true);
    cmbLang = new QComboBox(TabItem4);
    cmbLang->setGeometry(104, 215, 201, 32);
    cmbLang->addItems({QStringLiteral("Javascript(TIC-80)"), QStringLiteral("Lua(TIC-80)"),
                       QStringLiteral("Lua(LIKO-12)"), QStringLiteral("Pixilang")});
    chkGfx9000 = new QCheckBox(QStringLiteral("Use web browser"), TabItem4);
    chkGfx9000->setGeometry(8, 247, 337, 19);
    chkGfx9000->hide();
    Label7 = makeLabel(TabItem4, QStringLiteral("Color"), {18, 258, 93, 23}, true);
    cmbColor = new QComboBox(TabItem4);
    cmbColor->setGeometry(104, 254, 201, 32);
    for (const PaletteEntry& p : paletteTable)
        cmbColor->addItem(QString::fromLatin1(p.name));
    btDefault = makeButton(TabItem4, QStringLiteral("Default"), {21, 310, 124, 44});
    btApply = makeButton(TabItem4, QStringLiteral("Apply settings"), {208, 308, 145, 44});
    btWebsite = makeButton(TabItem4, QStringLiteral("Website"), {209, 399, 144, 44});
    btExportAll = makeButton(TabItem4, QStringLiteral("Backup"), {21, 401, 124, 44});
    btExport = makeButton(TabItem4, QStringLiteral("Export"), {24, 416, 145, 44});
    btExport->hide();
    btQuit = makeButton(TabItem4, QStringLiteral("Quit"), {209, 457, 145, 44});

    // The floating selection list, above every page.
    pnlSelect = makePanel(this);
    pnlSelect->setAutoFillBackground(true);
    pnlSelect->hide();
    lstSelect = new QListWidget(pnlSelect);
    pnlSelButton = makePanel(pnlSelect);
    btnSelCancel = makeButton(pnlSelButton, QStringLiteral("X"), {0, 0, 43, 43});
}

void TfrmMain::connectHandlers()
{
    connect(TabControl1, &QTabBar::currentChanged, this, &TfrmMain::showPage);
    const auto onClick = [this](QPushButton* button, void (TfrmMain::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    onClick(btTextNew, &TfrmMain::btTextNewClick);
    onClick(btTextOpen, &TfrmMain::btTextOpenClick);
    onClick(btTextSave, &TfrmMain::btTextSaveClick);
    onClick(btRun, &TfrmMain::btRunClick);
    onClick(btTextOk, &TfrmMain::btTextOkClick);
    onClick(btTextCancel, &TfrmMain::btTextCancelClick);
    onClick(btTextDelete, &TfrmMain::btTextDeleteClick);
    onClick(btTextArchive, &TfrmMain::btTextArchiveClick);
    onClick(btnSelCancel, &TfrmMain::btnSelCancelClick);
    for (QPushButton* key : keys) {
        connect(key, &QPushButton::clicked, this, [this, key] { dispatchKey(key->text()); });
        // Auto-repeat emits "released" while the key is still held; only the real release
        // (the key no longer down) drops the pressed look.
        connect(key, &QPushButton::released, key, [key] {
            if (!key->isDown()) {
                key->setEnabled(false);
                key->setEnabled(true);
            }
        });
    }
    connect(lstSelect, &QListWidget::itemClicked, this, [this] { lstSelectClick(); });

    pntProg->onPaint = [this](QPainter& p) { pntProgPaint(p); };
    pntProg->onPress = [this](QMouseEvent* e) { pntProgMouseDown(e); };
    pntProg->onMove = [this](QMouseEvent* e) { pntProgMouseMove(e); };
    pntProg->onRelease = [this](QMouseEvent* e) { pntProgMouseUp(e); };

    onClick(btGraNew, &TfrmMain::btGraNewClick);
    onClick(btGraOpen, &TfrmMain::btGraOpenClick);
    onClick(btGraSave, &TfrmMain::btGraSaveClick);
    onClick(btGraOk, &TfrmMain::btGraOkClick);
    onClick(btGraCancel, &TfrmMain::btGraCancelClick);
    onClick(btGraArchive, &TfrmMain::btGraArchiveClick);
    onClick(btGraData, &TfrmMain::btGraDataClick);
    for (QPushButton* b :
         {btGraAdd, btGraDel, btGraBack, btGraNext, btGraCopy, btGraPaste, btGraPaint, btGraRotate,
          btGraFlipV, btGraFlipH, btGraShiftU, btGraShiftR, btGraShiftD, btGraShiftL})
        connect(b, &QPushButton::clicked, this, [this, b] { btGraToolClick(b); });
    pntMain->onPaint = [this](QPainter& p) { pntMainPaint(p); };
    pntMain->onPress = [this](QMouseEvent* e) { pntMainMouseDown(e); };
    pntMain->onMove = [this](QMouseEvent* e) { pntMainMouseMove(e); };
    pntColor->onPaint = [this](QPainter& p) { pntColorPaint(p); };
    pntColor->onPress = [this](QMouseEvent* e) { pntColorMouseDown(e); };
    pntView->onPaint = [this](QPainter& p) { pntViewPaint(p); };
    pntView->onPress = [this](QMouseEvent* e) { pntViewMouseDown(e); };

    connect(cmbLang, &QComboBox::currentIndexChanged, this, &TfrmMain::cmbLangChange);
    onClick(btApply, &TfrmMain::btApplyClick);
    onClick(btDefault, &TfrmMain::btDefaultClick);
    onClick(btWebsite, &TfrmMain::btWebsiteClick);
    onClick(btExportAll, &TfrmMain::btExportAllClick);
    onClick(btQuit, &TfrmMain::btQuitClick);
}

void TfrmMain::showPage(int index)
{
    const std::array<QWidget*, 4> pages{TabItem1, TabItem2, TabItem3, TabItem4};
    for (int i = 0; i < 4; ++i)
        pages[i]->setVisible(i == index);
}

void TfrmMain::FormCreate()
{
    TabControl1->setCurrentIndex(0);
    showPage(0);
    imgFonts = buildFontAtlas();
    workspace = platformWorkspace();
    alignControls(); // so the key panel has its width before provisioning reads it
    loadSettingsAndKeywords();

    // Values an edited settings file may hold that no layout or editor can work with are
    // replaced by their defaults, said once, and repaired in the file at close.
    const QList<SettingRepair> repairs = repairSettings(settingsList, pnlKeys->width());
    if (!repairs.isEmpty())
        showMessage(this, repairMessage(repairs));

    showSettings();
    const QString spriteText = settingsList.value(u"sprite");
    const int spriteSize = spriteText.isEmpty() ? 16 : usableSettingValue(u"sprite", spriteText).value_or(16);
    sheet.cellWidth = spriteSize;
    sheet.cellHeight = spriteSize;
    allocateSheet(sheet);
    refreshCellLabel();
    sheet.currentColour = 2;
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    move(0, 32);
    layoutControls();
    fillHelpPage();
    sheet.palette = loadPalette(settingsList, settingsList.intValue(u"palette").value_or(0));
    newCodeSkeleton(text, settingsList.value(u"lang"));
    loadCodeBuffer();
    resetCursor(text);
    // Hardware typing goes to the code from the start, not to the first edit field.
    setFocus();
}

void TfrmMain::loadSettingsAndKeywords()
{
    if (QFile::exists(workspace.settingsPath) && QFile::exists(workspace.keywordsPath)) {
        QString error;
        const auto settingsFile = readTextFile(workspace.settingsPath, &error);
        const auto keywordFile = settingsFile ? readTextFile(workspace.keywordsPath, &error) : std::nullopt;
        if (settingsFile && keywordFile) {
            settingsList.lines = settingsFile->lines;
            settingsEncoding = settingsFile->encoding;
            keywordList = keywordFile->lines;
            return;
        }
        // An unreadable settings or keyword file: the defaults let the program start at all.
        showMessage(this, error);
    }
    const QStringList problems = provisionDefaults(workspace, settingsList, keywordList, pnlKeys->width());
    if (!problems.isEmpty())
        showMessage(this, problems.join(u'\n'));
}

void TfrmMain::loadCodeBuffer()
{
    if (!QFile::exists(workspace.codeBufferPath))
        return;
    edtFile->setText(settingsList.value(u"code"));
    QString error;
    if (const auto file = readCodeBuffer(workspace.codeBufferPath, settingsList, &error))
        setCodeLines(text, *file);
    else
        showMessage(this, error);
}

void TfrmMain::FormClose()
{
    QStringList problems;
    QString error;
    if (!writeCodeBuffer(workspace.codeBufferPath, text, settingsList, &error))
        problems.append(error);
    // After the code buffer, so a first close still ends the settings with the "code" line.
    settingsList.setValue(QStringLiteral("code"), edtFile->text());
    if (!writeTextFile(workspace.settingsPath, settingsList.lines, settingsEncoding, &error))
        problems.append(error);
    if (!problems.isEmpty())
        showMessage(this, problems.join(u'\n'));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TfrmMain::FormResize()
{
    shiftOn = false;
    layoutControls();
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TfrmMain::btQuitClick()
{
    close();
}

void TfrmMain::alignControls()
{
    const int w = width();
    const int h = qMax(0, height() - tabHeight);
    TabControl1->setGeometry(0, 0, w, tabHeight);
    for (QWidget* page : {TabItem1, TabItem2, TabItem3, TabItem4})
        page->setGeometry(0, tabHeight, w, h);
    Memo1->setGeometry(0, 0, w, h);

    const int keysHeight = pnlKeys->height();
    pnlBasMenu->setGeometry(0, 0, w, menuHeight);
    pnlKeys->setGeometry(0, h - keysHeight, w, keysHeight);
    pntProg->setGeometry(0, menuHeight, w, qMax(0, h - menuHeight - keysHeight));
    pnlBasfiles->setGeometry(0, menuHeight, w, qMax(0, h - menuHeight));
    lstBasfiles->setGeometry(0, 0, 217, pnlBasfiles->height());
    pnlBasfilesBt->setGeometry(217, 0, qMax(0, w - 217), pnlBasfiles->height());

    const int toolsHeight = pnlGraTools->height();
    pnlGraMenu->setGeometry(0, 0, w, menuHeight);
    pnlGraTools->setGeometry(0, h - toolsHeight, w, toolsHeight);
    pntMain->setGeometry(0, menuHeight, w, qMax(0, h - menuHeight - toolsHeight));
    pnlGraFiles->setGeometry(0, menuHeight, w, qMax(0, h - menuHeight));
    lstGrafiles->setGeometry(0, 0, 217, pnlGraFiles->height());
    pnlGrafileBt->setGeometry(217, 0, qMax(0, w - 217), pnlGraFiles->height());
}

void TfrmMain::layoutControls()
{
    alignControls();
    const int W = Memo1->width();
    const int H = Memo1->height();
    pageWidth = W;
    pageHeight = H;

    // Start-up has repaired these; Apply refuses values below 1. The guards keep a value
    // set any other way from dividing by zero.
    const int toolHeight = qMax(1, settingsList.intValue(u"command").value_or(26));
    const int toolStep = W / 8;
    stripHeight = W / 16;
    sheet.pixelSize = qMax(1, W / qMax(1, sheet.cellWidth));

    // Sprite page: the canvas keeps W x W between the menu row and the tools panel.
    pnlGraTools->resize(W, qMax(0, H - W - menuHeight));
    alignControls();
    const int toolsHeight = pnlGraTools->height();
    pntColor->setGeometry(0, 0, W, stripHeight);
    pntView->setGeometry(0, stripHeight, 2 * sheet.cellWidth, 2 * sheet.cellHeight); // drawn at scale 2
    const std::array<QPushButton*, 7> firstRow{btGraAdd,  btGraDel,   btGraBack, btGraNext,
                                               btGraCopy, btGraPaste, btGraPaint};
    for (int k = 1; k <= 7; ++k)
        firstRow[k - 1]->setGeometry(k * toolStep + 1, toolsHeight - 2 * toolHeight - 2, toolStep - 2,
                                     toolHeight);
    const std::array<QPushButton*, 8> secondRow{btGraRotate, btGraFlipV,  btGraFlipH,  btGraShiftU,
                                                btGraShiftR, btGraShiftD, btGraShiftL, btGraData};
    for (int k = 0; k < 8; ++k)
        secondRow[k]->setGeometry(k * toolStep + 1, toolsHeight - toolHeight, toolStep - 2, toolHeight);

    // Menu rows.
    const int a = W / 7;
    btTextNew->setGeometry(0, 0, a, menuHeight);
    btTextOpen->setGeometry(a, 0, a, menuHeight);
    btTextSave->setGeometry(2 * a, 0, a, menuHeight);
    edtFile->setGeometry(3 * a, 4, W - 5 * a, 32);
    lblLine->setGeometry(W - 2 * a + 1, 9, a - 1, 24);
    btRun->setGeometry(W - a, 0, a, menuHeight);
    btGraNew->setGeometry(0, 0, a, menuHeight);
    btGraOpen->setGeometry(a, 0, a, menuHeight);
    btGraSave->setGeometry(2 * a, 0, a, menuHeight);
    edtGraFile->setGeometry(3 * a, 4, W - 5 * a, 32);
    lblCel->setGeometry(W - 2 * a + 1, 9, 2 * a - 1, 24);

    // The floating selection list.
    pnlSelect->setGeometry(32, 16, W - 64, H);
    lstSelect->setGeometry(0, 0, pnlSelect->width() - 43, H);
    pnlSelButton->setGeometry(lstSelect->width(), 0, 43, H);
    pnlSelect->raise();

    layoutKeys();
    alignControls();

    edtOpenmsxdir->resize(W - 16, edtOpenmsxdir->height());
    updateViewMetrics(text, settingsList.intValue(u"width").value_or(32), pntProg->width(),
                      pntProg->height());
}
