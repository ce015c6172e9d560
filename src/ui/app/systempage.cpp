// SPDX-License-Identifier: MIT
// The System page (settings, Default, Apply, Website, Backup), the Help page, and Archive
// in both file choosers.

#include "core/app/archive.h"
#include "core/app/backup.h"
#include "core/app/helptext.h"
#include "core/app/provisioning.h"
#include "core/app/settingsrepair.h"
#include "core/app/targets.h"
#include "core/sprite/palettes.h"
#include "ui/app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScroller>

namespace {

// The export folder key of a Language list index (the two TIC-80 languages share theirs).
QString exportKey(int langIndex)
{
    return QString::fromLatin1(consoleTargetAt(langIndex).exportDirKey);
}

QStringList listedNames(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

} // namespace

void TfrmMain::showSettings()
{
    const QString lang = settingsList.value(u"lang");
    edtOpenmsxdir->setText(settingsList.value(QString::fromLatin1(consoleTargetOrFirst(lang).exportDirKey)));
    edtWidth->setText(settingsList.value(u"width"));
    edtKeyHeight->setText(settingsList.value(u"keyheight"));
    edtCommand->setText(settingsList.value(u"command"));
    chkGfx9000->setChecked(settingsList.value(u"web") == u"1");
    edtSpriteSize->setText(settingsList.value(u"sprite"));
    // Start-up has already replaced an index outside the lists (and said so); the first
    // item is the fallback for a value set any other way.
    cmbLang->setCurrentIndex(usableSettingValue(u"lang", lang).value_or(0));
    cmbColor->setCurrentIndex(usableSettingValue(u"palette", settingsList.value(u"palette")).value_or(0));
}

void TfrmMain::fillHelpPage()
{
    QFont font(QStringLiteral("MS Gothic"));
    // Where "MS Gothic" is missing, the platform's fixed-pitch font keeps the function
    // lists in columns.
    font.setFamilies(
        {QStringLiteral("MS Gothic"), QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(20);
    Memo1->setFont(font);
    Memo1->setAccessibleName(QStringLiteral("Help"));
    // A finger drags the text; there is nothing to select in a read-only help text.
    QScroller::grabGesture(Memo1->viewport(), QScroller::LeftMouseButtonGesture);

    HelpFolders folders;
    folders.codeFilesDir = workspace.codeFilesDir;
    folders.spriteFilesDir = workspace.spriteFilesDir;
    folders.templatesDir = workspace.templatesDir;
    folders.exportDir = settingsList.value(u"exportdir");
    folders.commonFunctionsDir = workspace.commonFunctionsDir;
    folders.keywordsPath = workspace.keywordsPath;
    QString helpText = fillHelpText(folders);
    // Every line of the text ends with LF; the memo shows one line per line, with no
    // empty line after the last.
    if (helpText.endsWith(u'\n'))
        helpText.chop(1);
    Memo1->setPlainText(helpText);
}

void TfrmMain::cmbLangChange(int index)
{
    edtOpenmsxdir->setText(settingsList.value(exportKey(index)));
    // The colours the console draws in (a new TIC-80 cart's, PICO-8's for LIKO-12).
    if (const int palette = consoleTargetAt(index).defaultPalette; palette >= 0)
        cmbColor->setCurrentIndex(palette);
}

void TfrmMain::btApplyClick()
{
    settingsList.setValue(exportKey(cmbLang->currentIndex()), edtOpenmsxdir->text());

    // Each number is stored as soon as it is read; the first one that is not a usable
    // integer stops Apply, keeping those stored before it.
    const auto store = [this](const char* key, const QLineEdit* edit) -> std::optional<int> {
        const QString k = QLatin1StringView(key);
        const std::optional<int> n = usableSettingValue(k, edit->text());
        if (n)
            settingsList.setValue(k, QString::number(*n));
        return n;
    };
    if (!store("width", edtWidth) || !store("keyheight", edtKeyHeight) || !store("command", edtCommand)) {
        showMessage(QStringLiteral("Error."));
        return;
    }
    settingsList.setValue(QStringLiteral("web"),
                          chkGfx9000->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    const std::optional<int> spriteSize = usableSettingValue(u"sprite", edtSpriteSize->text());
    if (!spriteSize) {
        showMessage(QStringLiteral("Error."));
        return;
    }
    if (*spriteSize != sheet.cellWidth) {
        sheet.cellWidth = *spriteSize;
        sheet.cellHeight = *spriteSize;
        allocateSheet(sheet);
        refreshCellLabel();
    }
    settingsList.setValue(QStringLiteral("sprite"), QString::number(*spriteSize));
    const int palette = qMax(0, cmbColor->currentIndex());
    settingsList.setValue(QStringLiteral("lang"), QString::number(qMax(0, cmbLang->currentIndex())));
    settingsList.setValue(QStringLiteral("palette"), QString::number(palette));
    sheet.palette = loadPalette(settingsList, palette);
    layoutControls();
    showMessage(QStringLiteral("Done."));
}

void TfrmMain::btDefaultClick()
{
    const Result<> provisioned = provisionDefaults(workspace, settingsList, keywordList, pnlKeys->width());
    resetKeyboardPage();
    if (sheet.cellWidth != 16) {
        sheet.cellWidth = 16;
        sheet.cellHeight = 16;
        allocateSheet(sheet);
        refreshCellLabel();
    }
    showSettings();
    layoutControls();
    // The settings are the defaults again either way; a default file that could not be
    // written is named rather than reported as done.
    showMessage(provisioned ? QStringLiteral("Done.") : provisioned.message());
}

void TfrmMain::btWebsiteClick()
{
    sinks.openUrl(QUrl(QString::fromLatin1(projectWebAddress)));
}

void TfrmMain::btExportAllClick()
{
    const Result<BackupDone> backup =
        writeBackup(workspace, settingsList.value(u"exportdir"), QDate::currentDate());
    showMessage(backup ? backupMessage(backup->leftOut) : backup.message());
}

void TfrmMain::btTextArchiveClick()
{
    const Result<QStringList> archived = archiveListedFiles(listedNames(lstBasfiles), workspace.codeFilesDir,
                                                            workspace.workspaceDir + "prgfiles_bk/");
    lstBasfiles->clear();
    // A move that failed is said: the user would otherwise think the file put away.
    if (!archived)
        showMessage(archived.message());
}

void TfrmMain::btGraArchiveClick()
{
    const Result<QStringList> archived = archiveListedFiles(
        listedNames(lstGrafiles), workspace.spriteFilesDir, workspace.workspaceDir + "spfiles_bk/");
    lstGrafiles->clear();
    if (!archived)
        showMessage(archived.message());
}
