// SPDX-License-Identifier: MIT
#pragma once
// The program's modal message box. Every message goes through TfrmMain::showMessage, which
// hands it to the window's message sink: this box in the program, a recorder in the tests.

#include <QString>

class QWidget;

// A modal box with the text and one OK button, centred over parent's window.
void showMessageBox(QWidget* parent, const QString& text);
