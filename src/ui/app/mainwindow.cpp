// SPDX-License-Identifier: MIT
#include "ui/app/mainwindow.h"

#include "core/app/defaultdata.h"
#include "core/app/provisioning.h"
#include "core/app/settingsrepair.h"
#include "core/app/targets.h"
#include "core/app/windowlayout.h"
#include "core/editor/codebuffer.h"
#include "ui/app/look.h"
#include "ui/app/paintsurface.h"
#include "ui/editor/fontatlas.h"
#include "ui/editor/selectlist.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QWindow>

namespace {

// Before the first showing no platform says how large a frame it will put round the window;
// where the platform decorates windows, room for a title bar is kept so that it stays on the
// screen too.
QMargins expectedFrameMargins(const QWidget* window)
{
    if (const QWindow* handle = window->windowHandle(); handle && !handle->frameMargins().isNull())
        return handle->frameMargins();
    const QString platform = QGuiApplication::platformName();
    const bool decorated = platform == u"xcb" || platform.startsWith(u"wayland") || platform == u"windows" ||
                           platform == u"cocoa";
    return decorated ? QMargins(0, 32, 0, 0) : QMargins();
}

// A tab strip of a fixed height whose tabs share its whole width.
class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        const int n = qMax(1, count());
        const int w = width() / n + (index < width() % n ? 1 : 0);
        return {qMax(1, w), tabStripHeight};
    }
    QSize minimumTabSizeHint(int) const override { return {1, tabStripHeight}; }
};

QPushButton* makeButton(QWidget* parent, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    // A focused button would take hardware keys meant for the code.
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, bool bold)
{
    auto* l = new QLabel(caption, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLineEdit* makeEdit(QWidget* parent)
{
    return new QLineEdit(parent);
}

QListWidget* makeList(QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setSortingEnabled(true);
    makeTouchList(l);
    return l;
}

QWidget* makePanel(QWidget* parent)
{
    return new QWidget(parent);
}

} // namespace

TfrmMain::TfrmMain(WindowSinks windowSinks, QWidget* parent) : QWidget(parent), sinks(std::move(windowSinks))
{
    setWindowTitle(QStringLiteral("Zenkodo"));
    // Before any control exists, so every control is made with the program's own look.
    applyDesktopLook();
    // The window takes the hardware keys whenever no edit field, list or combo box has them.
    setFocusPolicy(Qt::StrongFocus);
    createControls();
    connectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::showMessage(const QString& message)
{
    sinks.message(this, message);
}

void TfrmMain::createControls()
{
    resize(designedClientSize);
    setMinimumSize(minimumClientSize);

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
    btTextOk = makeButton(pnlBasfilesBt, QStringLiteral("OK"));
    btTextCancel = makeButton(pnlBasfilesBt, QStringLiteral("Cancel"));
    btTextDelete = makeButton(pnlBasfilesBt, QStringLiteral("Delete"));
    btTextDelete->hide();
    btTextArchive = makeButton(pnlBasfilesBt, QStringLiteral("Archive"));
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
    btGraOk = makeButton(pnlGrafileBt, QStringLiteral("OK"));
    btGraCancel = makeButton(pnlGrafileBt, QStringLiteral("Cancel"));
    btGraArchive = makeButton(pnlGrafileBt, QStringLiteral("Archive"));
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

    // System page: placed by the layout pass, at its designed places where the page allows.
    Label2 = makeLabel(TabItem4, QStringLiteral("Width"), true);
    edtWidth = makeEdit(TabItem4);
    Label4 = makeLabel(TabItem4, QStringLiteral("Buttons height(CODE)"), true);
    edtKeyHeight = makeEdit(TabItem4);
    Label5 = makeLabel(TabItem4, QStringLiteral("Buttons height(SPRITE)"), true);
    edtCommand = makeEdit(TabItem4);
    Label3 = makeLabel(TabItem4, QStringLiteral("Sprite size"), true);
    edtSpriteSize = makeEdit(TabItem4);
    Label1 = makeLabel(TabItem4, QStringLiteral("Export directory"), true);
    edtOpenmsxdir = makeEdit(TabItem4);
    Label6 = makeLabel(TabItem4, QStringLiteral("Language"), true);
    cmbLang = new QComboBox(TabItem4);
    for (const ConsoleTarget& t : consoleTargets)
        cmbLang->addItem(QString::fromLatin1(t.caption));
    chkGfx9000 = new QCheckBox(QStringLiteral("Use web browser"), TabItem4);
    chkGfx9000->hide();
    Label7 = makeLabel(TabItem4, QStringLiteral("Color"), true);
    cmbColor = new QComboBox(TabItem4);
    for (const PaletteEntry& p : paletteTable)
        cmbColor->addItem(QString::fromLatin1(p.name));
    btDefault = makeButton(TabItem4, QStringLiteral("Default"));
    btApply = makeButton(TabItem4, QStringLiteral("Apply settings"));
    btWebsite = makeButton(TabItem4, QStringLiteral("Website"));
    btExportAll = makeButton(TabItem4, QStringLiteral("Backup"));
    btExport = makeButton(TabItem4, QStringLiteral("Export"));
    btExport->hide();
    btQuit = makeButton(TabItem4, QStringLiteral("Quit"));

    // The floating selection list, above every page.
    pnlSelect = makePanel(this);
    pnlSelect->setAutoFillBackground(true);
    pnlSelect->hide();
    lstSelect = new SelectList(pnlSelect);
    makeTouchList(lstSelect);
    pnlSelButton = makePanel(pnlSelect);
    btnSelCancel = makeButton(pnlSelButton, QStringLiteral("X"));
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
    connect(lstSelect, &QAbstractItemView::clicked, this, [this] { lstSelectClick(); });

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
    layoutControls(); // so the key panel has its width before provisioning reads it
    loadSettingsAndKeywords();

    // Values an edited settings file may hold that no layout or editor can work with are
    // replaced by their defaults, said once, and repaired in the file at close.
    const QList<SettingRepair> repairs = repairSettings(settingsList, pnlKeys->width());
    if (!repairs.isEmpty())
        showMessage(repairMessage(repairs));

    showSettings();
    const QString spriteText = settingsList.value(u"sprite");
    const int spriteSize = spriteText.isEmpty() ? 16 : usableSettingValue(u"sprite", spriteText).value_or(16);
    sheet.cellWidth = spriteSize;
    sheet.cellHeight = spriteSize;
    allocateSheet(sheet);
    refreshCellLabel();
    sheet.currentColour = 2;
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    placeOnScreen();
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
    // Provisioning writes the default templates and preludes over the user's own, so it runs
    // only for a workspace that lacks these files, never for one whose files cannot be read.
    if (!QFileInfo::exists(workspace.settingsPath) || !QFileInfo::exists(workspace.keywordsPath)) {
        if (const Result<> provisioned =
                provisionDefaults(workspace, settingsList, keywordList, pnlKeys->width());
            !provisioned)
            showMessage(provisioned.message());
        return;
    }
    QStringList problems;
    if (const auto settingsFile = readTextFile(workspace.settingsPath)) {
        settingsList.lines = settingsFile->lines;
        settingsEncoding = settingsFile->encoding;
    } else {
        // The defaults let the program start; the file keeps what it holds, since writing the
        // defaults over it at close would lose settings that are only out of reach for now.
        problems.append(settingsFile.message());
        fillDefaultSettings(settingsList, pnlKeys->width());
        keepSettingsFile = true;
    }
    if (const auto keywordFile = readTextFile(workspace.keywordsPath)) {
        keywordList = keywordFile->lines;
    } else {
        problems.append(keywordFile.message());
        keywordList = builtinKeywords();
    }
    if (!problems.isEmpty())
        showMessage(problems.join(u'\n') +
                    QStringLiteral("\nZenkodo starts with the defaults and leaves the file as it is."));
}

void TfrmMain::loadCodeBuffer()
{
    if (!QFile::exists(workspace.codeBufferPath))
        return;
    edtFile->setText(settingsList.value(u"code"));
    if (const auto file = readCodeBuffer(workspace.codeBufferPath, settingsList))
        setCodeLines(text, *file);
    else
        showMessage(file.message());
}

void TfrmMain::FormClose()
{
    QStringList problems;
    if (const Result<> written = writeCodeBuffer(workspace.codeBufferPath, text, settingsList); !written)
        problems.append(written.message());
    // After the code buffer, so a first close still ends the settings with the "code" line.
    settingsList.setValue(QStringLiteral("code"), edtFile->text());
    if (keepSettingsFile)
        problems.append(QStringLiteral("The settings were not saved: %1 could not be read at start-up and "
                                       "is left as it is.")
                            .arg(workspace.settingsPath));
    else if (const Result<> written =
                 writeTextFile(workspace.settingsPath, settingsList.lines, settingsEncoding);
             !written)
        problems.append(written.message());
    if (!problems.isEmpty())
        showMessage(problems.join(u'\n'));
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

void TfrmMain::placeOnScreen()
{
    const QScreen* where = screen();
    if (!where)
        return;
    // Some platforms know the frame once the native window exists, before it is shown.
    create();
    const QMargins frame = expectedFrameMargins(this);
    const QRect client = firstWindowGeometry(where->availableGeometry(), frame);
    resize(client.size());
    // move() places the frame's top left corner.
    move(client.left() - frame.left(), client.top() - frame.top());
}

void TfrmMain::layoutControls()
{
    const QSize page(width(), qMax(0, height() - tabStripHeight));
    const WindowLayout L =
        layoutWindow(layoutInput(settingsList, page, sheet.cellWidth, sheet.cellHeight, shiftOn));
    pageWidth = L.pageWidth;
    pageHeight = L.pageHeight;
    stripHeight = L.stripHeight;
    sheet.pixelSize = L.pixelSize;

    TabControl1->setGeometry(L.tabStrip);
    for (QWidget* tabPage : {TabItem1, TabItem2, TabItem3, TabItem4})
        tabPage->setGeometry(L.page);
    Memo1->setGeometry(L.Memo1);

    // Code page.
    pnlBasMenu->setGeometry(L.pnlBasMenu);
    btTextNew->setGeometry(L.btTextNew);
    btTextOpen->setGeometry(L.btTextOpen);
    btTextSave->setGeometry(L.btTextSave);
    edtFile->setGeometry(L.edtFile);
    lblLine->setGeometry(L.lblLine);
    btRun->setGeometry(L.btRun);
    pntProg->setGeometry(L.pntProg);
    pnlKeys->setGeometry(L.pnlKeys);
    pnlBasfiles->setGeometry(L.pnlBasfiles);
    lstBasfiles->setGeometry(L.lstBasfiles);
    pnlBasfilesBt->setGeometry(L.pnlBasfilesBt);
    btTextOk->setGeometry(L.btTextOk);
    btTextCancel->setGeometry(L.btTextCancel);
    btTextDelete->setGeometry(L.btTextDelete);
    btTextArchive->setGeometry(L.btTextArchive);
    layoutKeys(L);

    // Sprite page.
    pnlGraMenu->setGeometry(L.pnlGraMenu);
    btGraNew->setGeometry(L.btGraNew);
    btGraOpen->setGeometry(L.btGraOpen);
    btGraSave->setGeometry(L.btGraSave);
    edtGraFile->setGeometry(L.edtGraFile);
    lblCel->setGeometry(L.lblCel);
    pntMain->setGeometry(L.pntMain);
    pnlGraTools->setGeometry(L.pnlGraTools);
    pntColor->setGeometry(L.pntColor);
    pntView->setGeometry(L.pntView);
    const std::array<QPushButton*, 7> firstRow{btGraAdd,  btGraDel,   btGraBack, btGraNext,
                                               btGraCopy, btGraPaste, btGraPaint};
    for (size_t k = 0; k < firstRow.size(); ++k)
        firstRow[k]->setGeometry(L.firstToolRow[k]);
    const std::array<QPushButton*, 8> secondRow{btGraRotate, btGraFlipV,  btGraFlipH,  btGraShiftU,
                                                btGraShiftR, btGraShiftD, btGraShiftL, btGraData};
    for (size_t k = 0; k < secondRow.size(); ++k)
        secondRow[k]->setGeometry(L.secondToolRow[k]);
    pnlGraFiles->setGeometry(L.pnlGraFiles);
    lstGrafiles->setGeometry(L.lstGrafiles);
    pnlGrafileBt->setGeometry(L.pnlGrafileBt);
    btGraOk->setGeometry(L.btGraOk);
    btGraCancel->setGeometry(L.btGraCancel);
    btGraArchive->setGeometry(L.btGraArchive);

    // System page.
    const SystemPageLayout& s = L.system;
    Label2->setGeometry(s.Label2);
    edtWidth->setGeometry(s.edtWidth);
    Label4->setGeometry(s.Label4);
    edtKeyHeight->setGeometry(s.edtKeyHeight);
    Label5->setGeometry(s.Label5);
    edtCommand->setGeometry(s.edtCommand);
    Label3->setGeometry(s.Label3);
    edtSpriteSize->setGeometry(s.edtSpriteSize);
    Label1->setGeometry(s.Label1);
    edtOpenmsxdir->setGeometry(s.edtOpenmsxdir);
    Label6->setGeometry(s.Label6);
    cmbLang->setGeometry(s.cmbLang);
    chkGfx9000->setGeometry(s.chkGfx9000);
    Label7->setGeometry(s.Label7);
    cmbColor->setGeometry(s.cmbColor);
    btDefault->setGeometry(s.btDefault);
    btApply->setGeometry(s.btApply);
    btWebsite->setGeometry(s.btWebsite);
    btExportAll->setGeometry(s.btExportAll);
    btExport->setGeometry(s.btExport);
    btQuit->setGeometry(s.btQuit);

    // The floating selection list.
    pnlSelect->setGeometry(L.pnlSelect);
    lstSelect->setGeometry(L.lstSelect);
    pnlSelButton->setGeometry(L.pnlSelButton);
    btnSelCancel->setGeometry(L.btnSelCancel);
    pnlSelect->raise();

    updateViewMetrics(text, settingsList.intValue(u"width").value_or(32), pntProg->width(),
                      pntProg->height());
}
