// SPDX-License-Identifier: MIT
// The program entry: one window, the event loop, nothing else.

#include "ui/app/mainwindow.h"
#include "zenkodo_version.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered before the toolkit starts, so that it works without a display (packaging
    // scripts, a terminal over ssh). The program reads no other argument.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("zenkodo %s\n", zenkodoVersion);
        return 0;
    }

    QApplication app(argc, argv);
    // The window's class on X11 and its app id on Wayland come from these two, and the desktop
    // shell matches them against the desktop entry of the same name.
    QApplication::setApplicationName(QLatin1String(zenkodoAppId));
    QGuiApplication::setDesktopFileName(QLatin1String(zenkodoAppId));
    QApplication::setApplicationDisplayName(QStringLiteral("Zenkodo"));
    QApplication::setApplicationVersion(QLatin1String(zenkodoVersion));
    QIcon icon;
    for (const char* size : {"48", "128", "256"})
        icon.addFile(QStringLiteral(":/icon/%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    TfrmMain frmMain(desktopSinks());
    frmMain.show();
    return QApplication::exec();
}
