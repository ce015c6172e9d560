// SPDX-License-Identifier: MIT
#include "ui/app/windowsinks.h"

#include "ui/app/messages.h"

#include <QDesktopServices>

WindowSinks desktopSinks()
{
    return {showMessageBox, [](const QUrl& url) { QDesktopServices::openUrl(url); }, startProgram};
}
