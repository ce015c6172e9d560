// The one path of every edit: key captions from the on-screen keys, the hardware keyboard
// and the selection list all reach dispatchKey.

#include "app/mainwindow.h"

#include <QKeyEvent>

void TfrmMain::dispatchKey(const QString&) {}
void TfrmMain::btnSelCancelClick() {}
void TfrmMain::lstSelectClick() {}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    QWidget::keyPressEvent(event);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* event)
{
    QWidget::keyReleaseEvent(event);
}
