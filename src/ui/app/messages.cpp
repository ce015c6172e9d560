#include "app/messages.h"

#include <QMessageBox>

namespace {
std::function<void(const QString&)>& messageSink()
{
    static std::function<void(const QString&)> sink;
    return sink;
}
} // namespace

void showMessage(QWidget* parent, const QString& text)
{
    if (messageSink()) {
        messageSink()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zenkodo"), text, QMessageBox::Ok, parent);
    box.exec();
}

void setMessageSink(std::function<void(const QString&)> sink)
{
    messageSink() = std::move(sink);
}
