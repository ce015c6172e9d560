// SPDX-License-Identifier: MIT
#pragma once
// Widget-test helpers: messages recorded instead of shown, a window started in a private
// home, and the clicks and views of it that the widget suites share.

#include "testsupport.h"
#include "ui/app/mainwindow.h"
#include "ui/app/paintsurface.h"
#include "ui/app/windowsinks.h"

#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <memory>

// Collects every message of the windows started with its sinks; it outlives them.
class MessageRecorder {
public:
    MessageRecorder() = default;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The program's own sinks, with the messages recorded here instead of shown.
    WindowSinks sinks()
    {
        WindowSinks s = desktopSinks();
        s.message = [this](QWidget*, const QString& text) { messages.append(text); };
        return s;
    }
    QStringList messages;
};

// Starts the window the way the program does (with the program's own sinks unless told
// otherwise) and shows it at its designed size.
inline std::unique_ptr<TfrmMain> startWindow(WindowSinks sinks = desktopSinks())
{
    auto w = std::make_unique<TfrmMain>(std::move(sinks));
    w->show();
    return w;
}

// The visible on-screen key with this caption on the page shown now.
inline QPushButton* keyWithCaption(TfrmMain& w, const QString& caption)
{
    for (QPushButton* k : w.keys)
        if (k->isVisible() && k->text() == caption)
            return k;
    return nullptr;
}

// Clicks the keys with these captions; "Sh" switches pages as a user would.
inline void clickKeys(TfrmMain& w, const QStringList& captions)
{
    for (const QString& c : captions) {
        QPushButton* k = keyWithCaption(w, c);
        QVERIFY2(k, qPrintable("no key " + c));
        QTest::mouseClick(k, Qt::LeftButton);
    }
}

// Clicks a button as a user would, which can only be done to one that is shown.
inline void click(QPushButton* button)
{
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
}

// The program text with the cursor drawn as "|", lines joined by LF.
inline QString dump(const TfrmMain& w)
{
    QStringList lines = w.text.codeLines;
    lines[w.text.cursorRow].insert(w.text.cursorCol, u'|');
    return lines.join(u'\n');
}
