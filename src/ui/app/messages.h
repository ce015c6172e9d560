// SPDX-License-Identifier: MIT
#pragma once
// Every modal message of the program goes through showMessage, so tests can read the
// messages instead of blocking on a dialog.

#include <QString>

#include <functional>

class QWidget;

// A modal box with the text and one OK button, centred over the window (or the test sink,
// when one is set).
void showMessage(QWidget* parent, const QString& text);

// Replaces the message box by sink; an empty function restores the message box.
void setMessageSink(std::function<void(const QString&)> sink);
