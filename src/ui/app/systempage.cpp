// The System page (settings, Default, Apply, Website, Backup) and the Help page.

#include "app/mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

void TfrmMain::showSettings()
{
    const QString lang = settingsList.value(u"lang");
    if (lang == u"2")
        edtOpenmsxdir->setText(settingsList.value(u"exportdir2"));
    else if (lang == u"3")
        edtOpenmsxdir->setText(settingsList.value(u"exportdir3"));
    else
        edtOpenmsxdir->setText(settingsList.value(u"exportdir"));
    edtWidth->setText(settingsList.value(u"width"));
    edtKeyHeight->setText(settingsList.value(u"keyheight"));
    edtCommand->setText(settingsList.value(u"command"));
    chkGfx9000->setChecked(settingsList.value(u"web") == u"1");
    edtSpriteSize->setText(settingsList.value(u"sprite"));
    cmbLang->setCurrentIndex(settingsList.intValue(u"lang").value_or(0));
    cmbColor->setCurrentIndex(settingsList.intValue(u"palette").value_or(0));
}

void TfrmMain::fillHelpPage() {}
void TfrmMain::cmbLangChange(int) {}
void TfrmMain::btApplyClick() {}
void TfrmMain::btDefaultClick() {}
void TfrmMain::btWebsiteClick() {}
void TfrmMain::btExportAllClick() {}
void TfrmMain::btTextArchiveClick() {}
void TfrmMain::btGraArchiveClick() {}
