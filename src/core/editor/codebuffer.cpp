// SPDX-License-Identifier: MIT
#include "core/editor/codebuffer.h"

#include "core/app/settingslist.h"
#include "core/editor/textmodel.h"

Result<TextFile> readCodeBuffer(const QString& path, const SettingsList& settings)
{
    const auto bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.message()};
    return decodeText(*bytes, encodingFromName(settings.value(codeEncodingKey)));
}

Result<> writeCodeBuffer(const QString& path, const TextModel& model, SettingsList& settings)
{
    const TextEncoding encoding = writtenEncoding(model.codeLines, model.encoding);
    if (Result<> written = writeTextFile(path, model.codeLines, encoding); !written)
        return written;
    const bool looksMarked = encoding == TextEncoding::Utf8 && !model.codeLines.isEmpty() &&
                             model.codeLines.front().startsWith(QChar(0xFEFF));
    const bool remember = encoding == TextEncoding::Latin1 || looksMarked;
    settings.setValue(QString::fromUtf16(codeEncodingKey), remember ? encodingName(encoding) : QString());
    return {};
}
