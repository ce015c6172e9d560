// SPDX-License-Identifier: MIT
#pragma once
// What the window hands to the world outside it: modal messages, web addresses and program
// starts. main gives the window the desktop's own; a test gives it sinks that record, so no
// test waits on a dialog, opens a browser or starts a console installed on the machine.

#include "core/editor/runexport.h"

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

struct WindowSinks {
    // Shows text modally over parent's window; every message of the program ends here.
    std::function<void(QWidget* parent, const QString& text)> message;
    // Hands a web address to whatever opens it; the outcome is not examined.
    std::function<void(const QUrl& url)> openUrl;
    // Starts a program without waiting for it; false when it could not be started.
    ProgramStarter startProgram;
};

// The message box, the platform's handler for addresses and a detached process.
WindowSinks desktopSinks();
