#pragma once
// Widget-test helpers: messages recorded instead of shown, and a window started in a
// private home.

#include "app/mainwindow.h"
#include "app/messages.h"
#include "app/paintsurface.h"
#include "testsupport.h"

#include <QStringList>

#include <memory>

// Collects every message the program shows while it lives.
class MessageRecorder {
public:
    MessageRecorder()
    {
        setMessageSink([this](const QString& text) { messages.append(text); });
    }
    ~MessageRecorder() { setMessageSink({}); }
    QStringList messages;
};

// Starts the window the way the program does and shows it at its designed size.
inline std::unique_ptr<TfrmMain> startWindow()
{
    auto w = std::make_unique<TfrmMain>();
    w->show();
    return w;
}
