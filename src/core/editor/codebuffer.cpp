// SPDX-License-Identifier: MIT
#include "core/editor/codebuffer.h"

#include "core/app/settingslist.h"
#include "core/editor/textmodel.h"

std::optional<TextFile> readCodeBuffer(const QString& path, const SettingsList& settings, QString* error)
{
    const auto bytes = readWholeFile(path, error);
    if (!bytes)
        return std::nullopt;
    return decodeText(*bytes, encodingFromName(settings.value(codeEncodingKey)));
}

bool writeCodeBuffer(const QString& path, const TextModel& model, SettingsList& settings, QString* error)
{
    const TextEncoding encoding = writtenEncoding(model.codeLines, model.encoding);
    if (!writeTextFile(path, model.codeLines, encoding, error))
        return false;
    const bool looksMarked = encoding == TextEncoding::Utf8 && !model.codeLines.isEmpty() &&
                             model.codeLines.front().startsWith(QChar(0xFEFF));
    const bool remember = encoding == TextEncoding::Latin1 || looksMarked;
    settings.setValue(QString::fromUtf16(codeEncodingKey), remember ? encodingName(encoding) : QString());
    return true;
}
