// The program entry: one window, the event loop, nothing else.

#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zenkodo"));
    TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
