// SPDX-License-Identifier: MIT
// The Code page's file handlers: New, Open, the file chooser, Save and Run.

#include "core/app/filelist.h"
#include "core/editor/codefiles.h"
#include "core/editor/runexport.h"
#include "ui/app/mainwindow.h"
#include "ui/app/paintsurface.h"

#include <QLineEdit>
#include <QListWidget>

void TfrmMain::btTextNewClick()
{
    edtFile->clear();
    newCodeSkeleton(text, settingsList.value(u"lang"));
    resetCursor(text);
    repaintCode();
}

void TfrmMain::btTextOpenClick()
{
    pntProg->hide();
    pnlKeys->hide();
    lstBasfiles->clear();
    lstBasfiles->addItems(listFiles(workspace.codeFilesDir));
    pnlBasfiles->show();
}

void TfrmMain::btTextSaveClick()
{
    const Result<> saved = saveCode(text, workspace.codeFilesDir, edtFile->text());
    showMessage(saved ? QStringLiteral("Saved.") : saved.message());
}

void TfrmMain::btTextOkClick()
{
    const QList<QListWidgetItem*> selected = lstBasfiles->selectedItems();
    if (selected.isEmpty())
        return;
    const QString name = selected.first()->text();
    // The name is taken only once the file is read, so name and text always belong
    // together; on failure the chooser stays open for another pick.
    if (const Result<> opened = openCode(text, workspace.codeFilesDir, name); !opened) {
        showMessage(opened.message());
        return;
    }
    edtFile->setText(name);
    pnlBasfiles->hide();
    pntProg->show();
    pnlKeys->show();
    repaintCode();
}

void TfrmMain::btTextCancelClick()
{
    pnlBasfiles->hide();
    pnlKeys->show();
    pntProg->show();
}

// Delete stays hidden and does nothing: files leave the code folder only through Archive.
void TfrmMain::btTextDeleteClick() {}

void TfrmMain::btRunClick()
{
    const RunResult result = runProgram(text, edtFile->text(), workspace, settingsList, sheet);
    if (!result.outcome)
        showMessage(result.outcome.message());
    if (const Result<> started = startRuntime(result, sinks.startProgram); !started)
        showMessage(started.message());
}
