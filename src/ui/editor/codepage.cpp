// The Code page's file handlers: New, Open, the file chooser, Save and Run.

#include "app/mainwindow.h"

void TfrmMain::btTextNewClick() {}
void TfrmMain::btTextOpenClick() {}
void TfrmMain::btTextSaveClick() {}
void TfrmMain::btTextOkClick() {}
void TfrmMain::btTextCancelClick() {}
void TfrmMain::btTextDeleteClick() {}
void TfrmMain::btRunClick() {}
