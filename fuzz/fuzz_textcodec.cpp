// SPDX-License-Identifier: MIT
// Fuzzes the text file form: any bytes decode to lines without line breaks that encode and
// decode again to the same lines in the same encoding; and any text of the random
// alphabet, saved as a code file in any of the encodings and opened again, comes back
// unchanged and saves to the same bytes (byte-order marks, Latin-1 and UTF-8 guessing).

#include "fuzzsupport.h"
#include "textchecks.h"

#include <QDir>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Decoding twice settles: what the first decoding gives is what the file form keeps.
void checkDecodeSettles(const QByteArray& bytes)
{
    const TextFile first = decodeText(bytes);
    for (const QString& line : first.lines)
        check(!line.contains(u'\r') && !line.contains(u'\n'), "a decoded line holds a line break");
    if (!leadingFeffKept && !first.lines.isEmpty() && first.lines.front().startsWith(QChar(0xFEFF)))
        return;
    const QByteArray encoded = encodeText(first.lines, first.encoding);
    const TextFile second = decodeText(encoded);
    if (second.lines != first.lines || second.encoding != first.encoding)
        check(QStringLiteral("decoded %1 (encoding %2), again %3 (encoding %4)")
                  .arg(spelledOut(first.lines))
                  .arg(int(first.encoding))
                  .arg(spelledOut(second.lines))
                  .arg(int(second.encoding)));
    check(encodeText(second.lines, second.encoding) == encoded, "encoding the decoded text twice differs");
}

const QString& codeFolder()
{
    // A memory file system where there is one, so a save costs no disk write.
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/zenkodo-fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/zenkodo-fuzz-XXXXXX");
    static const QString path = dir.path() + u'/';
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        const std::string bytes = input.ConsumeRemainingBytesAsString();
        checkDecodeSettles(QByteArray(bytes.data(), qsizetype(bytes.size())));
        return 0;
    }
    TextModel text;
    text.encoding = randomEncodings[input.ConsumeIntegralInRange<std::size_t>(0, randomEncodings.size() - 1)];
    text.codeLines.append(QString());
    while (input.remaining_bytes() > 0) {
        const auto pick = input.ConsumeIntegralInRange<qsizetype>(0, randomCharacters.size());
        if (pick == randomCharacters.size())
            text.codeLines.append(QString());
        else
            text.codeLines.back() += randomCharacters[pick];
    }
    check(saveReloadProblem(text, codeFolder(), QStringLiteral("code")));
    return 0;
}
