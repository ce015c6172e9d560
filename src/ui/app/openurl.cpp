// SPDX-License-Identifier: MIT
#include "ui/app/openurl.h"

#include <QDesktopServices>

namespace {
std::function<void(const QUrl&)>& urlSink()
{
    static std::function<void(const QUrl&)> sink;
    return sink;
}
} // namespace

void openUrl(const QUrl& url)
{
    if (urlSink()) {
        urlSink()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void setUrlSink(std::function<void(const QUrl&)> sink)
{
    urlSink() = std::move(sink);
}
