// SPDX-License-Identifier: MIT
#pragma once
// Opening a web address with the platform's default handler, replaceable so that tests
// never start a browser.

#include <QUrl>

#include <functional>

// Hands url to the platform; the outcome is not examined (or calls the test sink).
void openUrl(const QUrl& url);

// Replaces the platform's handler by sink; an empty function restores it.
void setUrlSink(std::function<void(const QUrl&)> sink);
