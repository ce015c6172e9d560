// SPDX-License-Identifier: MIT
#pragma once
// The one window: its four pages and their controls, the state of the whole run as plain
// data, and the event handlers that turn clicks, keys and pointer events into calls on the
// core. Handlers are grouped by page in their own files (ui/editor, ui/sprite, ui/app).

#include "core/app/settingslist.h"
#include "core/app/textfile.h"
#include "core/app/workspace.h"
#include "core/commands/commandstate.h"
#include "core/editor/textmodel.h"
#include "core/sprite/spritesheet.h"
#include "ui/app/windowsinks.h"

#include <QImage>
#include <QWidget>

#include <array>

class PaintSurface;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class SelectList;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
struct WindowLayout;

class TfrmMain : public QWidget {
    Q_OBJECT

public:
    // Runs the whole start-up sequence; the window is ready to show when this returns.
    // Its messages, web addresses and program starts go to sinks (desktopSinks() in main).
    explicit TfrmMain(WindowSinks sinks, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The one path of every modal message: the window's message sink.
    void showMessage(const QString& message);

    // Where messages, web addresses and program starts go; fixed at construction.
    const WindowSinks sinks;

    // ---- State of the run (plain data; painting reads it and changes nothing) ----
    Workspace workspace;
    SettingsList settingsList;
    TextEncoding settingsEncoding = TextEncoding::Utf8;
    bool keepSettingsFile = false; // it was there but could not be read: never written over
    QStringList keywordList;
    TextModel text;        // codeLines, cursor, view, selection mark, undo line, modified
    QStringList clipLines; // the internal clipboard
    CommandState commands; // findText, replaceText, functionRows, selectMode, prefixLength
    SpriteSheet sheet;
    int pageWidth = 0;
    int pageHeight = 0;
    int stripHeight = 0;

    // Keyboard state.
    std::array<QPushButton*, 80> keys{};
    bool shiftOn = false;
    int labelCycle = 0;
    int keyWidth = 0;
    int keyHeight = 0;

    // Code view drag state.
    ViewDrag drag;

    // ---- Controls (public so that tests can drive the real widgets) ----
    QTabBar* TabControl1 = nullptr;
    QWidget* TabItem1 = nullptr; // Code
    QWidget* TabItem2 = nullptr; // Sprite
    QWidget* TabItem3 = nullptr; // Help
    QWidget* TabItem4 = nullptr; // System

    // Code page.
    QWidget* pnlBasMenu = nullptr;
    QPushButton* btTextNew = nullptr;
    QPushButton* btTextOpen = nullptr;
    QPushButton* btTextSave = nullptr;
    QLineEdit* edtFile = nullptr;
    QLabel* lblLine = nullptr;
    QPushButton* btRun = nullptr;
    PaintSurface* pntProg = nullptr;
    QImage imgFonts; // the 160 x 160 font atlas
    QWidget* pnlBasfiles = nullptr;
    QListWidget* lstBasfiles = nullptr;
    QWidget* pnlBasfilesBt = nullptr;
    QPushButton* btTextOk = nullptr;
    QPushButton* btTextCancel = nullptr;
    QPushButton* btTextDelete = nullptr;
    QPushButton* btTextArchive = nullptr;
    QWidget* pnlKeys = nullptr;

    // Sprite page.
    QWidget* pnlGraMenu = nullptr;
    QPushButton* btGraNew = nullptr;
    QPushButton* btGraOpen = nullptr;
    QPushButton* btGraSave = nullptr;
    QLineEdit* edtGraFile = nullptr;
    QLabel* lblCel = nullptr;
    QWidget* pnlGraFiles = nullptr;
    QListWidget* lstGrafiles = nullptr;
    QWidget* pnlGrafileBt = nullptr;
    QPushButton* btGraOk = nullptr;
    QPushButton* btGraCancel = nullptr;
    QPushButton* btGraArchive = nullptr;
    PaintSurface* pntMain = nullptr;
    QWidget* pnlGraTools = nullptr;
    PaintSurface* pntColor = nullptr;
    PaintSurface* pntView = nullptr;
    QPushButton* btGraAdd = nullptr;
    QPushButton* btGraDel = nullptr;
    QPushButton* btGraBack = nullptr;
    QPushButton* btGraNext = nullptr;
    QPushButton* btGraCopy = nullptr;
    QPushButton* btGraPaste = nullptr;
    QPushButton* btGraPaint = nullptr;
    QPushButton* btGraRotate = nullptr;
    QPushButton* btGraFlipV = nullptr;
    QPushButton* btGraFlipH = nullptr;
    QPushButton* btGraShiftU = nullptr;
    QPushButton* btGraShiftR = nullptr;
    QPushButton* btGraShiftD = nullptr;
    QPushButton* btGraShiftL = nullptr;
    QPushButton* btGraData = nullptr;

    // Help page.
    QPlainTextEdit* Memo1 = nullptr;

    // System page.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* edtWidth = nullptr;
    QLineEdit* edtKeyHeight = nullptr;
    QLineEdit* edtCommand = nullptr;
    QLineEdit* edtSpriteSize = nullptr;
    QLineEdit* edtOpenmsxdir = nullptr;
    QComboBox* cmbLang = nullptr;
    QCheckBox* chkGfx9000 = nullptr;
    QComboBox* cmbColor = nullptr;
    QPushButton* btDefault = nullptr;
    QPushButton* btApply = nullptr;
    QPushButton* btWebsite = nullptr;
    QPushButton* btExportAll = nullptr;
    QPushButton* btExport = nullptr;
    QPushButton* btQuit = nullptr;

    // The floating selection list.
    QWidget* pnlSelect = nullptr;
    SelectList* lstSelect = nullptr;
    QWidget* pnlSelButton = nullptr;
    QPushButton* btnSelCancel = nullptr;

    // ---- Window (ui/app/mainwindow.cpp) ----
    void layoutControls();
    void showPage(int index); // the tab control's page switch
    void btQuitClick();

    // ---- Keyboard (ui/editor/keyboard.cpp) ----
    void layoutKeys(const WindowLayout& layout);
    void captionPass(int page);
    void resetKeyboardPage();

    // ---- Code page (ui/editor) ----
    void dispatchKey(const QString& caption);
    CommandContext commandContext();
    void applyCommandEffects(const CommandEffects& fx);
    bool keysGoToCode() const;
    void repaintCode();
    void applyEditEffects(const EditEffects& fx);
    void pntProgPaint(QPainter& painter);
    void pntProgMouseDown(QMouseEvent* event);
    void pntProgMouseMove(QMouseEvent* event);
    void pntProgMouseUp(QMouseEvent* event);
    void btTextNewClick();
    void btTextOpenClick();
    void btTextSaveClick();
    void btTextOkClick();
    void btTextCancelClick();
    void btTextDeleteClick();
    void btRunClick();
    void btnSelCancelClick();
    void lstSelectClick();
    void showSelectList(const QStringList& items);
    void hideSelectList();

    // ---- Sprite page (ui/sprite) ----
    void refreshCellLabel();
    void pntMainPaint(QPainter& painter);
    void pntMainMouseDown(QMouseEvent* event);
    void pntMainMouseMove(QMouseEvent* event);
    void pntColorPaint(QPainter& painter);
    void pntColorMouseDown(QMouseEvent* event);
    void pntViewPaint(QPainter& painter);
    void pntViewMouseDown(QMouseEvent* event);
    void btGraNewClick();
    void btGraOpenClick();
    void btGraSaveClick();
    void btGraOkClick();
    void btGraCancelClick();
    void btGraToolClick(QPushButton* button);
    void btGraDataClick();

    // ---- System and Help pages (ui/app/systempage.cpp) ----
    void showSettings();
    void fillHelpPage();
    void cmbLangChange(int index);
    void btApplyClick();
    void btDefaultClick();
    void btWebsiteClick();
    void btExportAllClick();
    void btTextArchiveClick();
    void btGraArchiveClick();

protected:
    void closeEvent(QCloseEvent* event) override;    // FormClose
    void resizeEvent(QResizeEvent* event) override;  // FormResize
    void keyPressEvent(QKeyEvent* event) override;   // FormKeyDown
    void keyReleaseEvent(QKeyEvent* event) override; // FormKeyUp

private:
    void createControls();
    void connectHandlers();
    void FormCreate();
    void FormClose();
    void FormResize();
    // The first size and place: the designed size where the screen holds it, else smaller.
    void placeOnScreen();
    // "Sh" looks pressed while the second keyboard page is up.
    void showShiftLatch();
    void loadSettingsAndKeywords();
    void loadCodeBuffer();
};
