// SPDX-License-Identifier: MIT
// Fuzzes the find command: "{find}replace" cut from any line at any cursor column takes
// out exactly the command text, and finding and replacing over any lines agree with a
// plain scan of every line (the fast search keys its table by the low byte only, so
// characters that share one are in the alphabet on purpose).

#include "core/commands/search.h"
#include "fuzzsupport.h"
#include "textchecks.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

const QString alphabet = QStringLiteral("ab{}x \u0161\u7061\u0162");

QString randomLine(FuzzedDataProvider& input)
{
    QString line;
    const int n = input.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < n; ++i)
        line += alphabet[input.ConsumeIntegralInRange<qsizetype>(0, alphabet.size() - 1)];
    return line;
}

void checkParse(FuzzedDataProvider& input)
{
    TextModel text;
    text.codeLines = {randomLine(input)};
    const QString before = text.codeLines[0];
    text.cursorCol = input.ConsumeIntegralInRange(0, int(before.size()));
    const int col = text.cursorCol;
    CommandState state;
    state.findText = QStringLiteral("stale");
    state.replaceText = QStringLiteral("stale");
    const bool found = parseFindCommand(text, state);
    const QString& after = text.codeLines[0];
    if (!found) {
        check(after == before && text.cursorCol == col && state.findText.isEmpty() &&
                  state.replaceText.isEmpty(),
              "a line without a command changed");
        return;
    }
    const int from = text.cursorCol;
    check(from >= 0 && from <= col, "the cursor left the cut");
    const QString cut = before.mid(from, col - from);
    check(after == before.left(from) + before.mid(col), "more than the command was cut");
    const QString spelled =
        (cut.startsWith(u'{') ? QStringLiteral("{") : QString()) + state.findText + u'}' + state.replaceText;
    if (cut != spelled)
        check(QStringLiteral("cut \"%1\" from \"%2\", read as find \"%3\" replace \"%4\"")
                  .arg(cut, before, state.findText, state.replaceText));
    check(!state.replaceText.contains(u'}'), "the replacement holds the closing brace");
}

void checkSearch(FuzzedDataProvider& input)
{
    TextModel text;
    const int lines = input.ConsumeIntegralInRange(1, 8);
    for (int i = 0; i < lines; ++i)
        text.codeLines.append(randomLine(input));
    text.cursorRow = input.ConsumeIntegralInRange(0, lines - 1);
    text.cursorCol = input.ConsumeIntegralInRange(0, int(text.cursorLine().size()));
    CommandState state;
    state.findText = randomLine(input).left(input.ConsumeIntegralInRange(1, 6));
    state.replaceText = randomLine(input).left(4);
    const bool replace = input.ConsumeBool();

    // The plain scan: the first line from the cursor line down whose first occurrence
    // counts (on the cursor line only one right of the cursor).
    TextModel expected = text;
    if (!state.findText.isEmpty()) {
        for (int row = text.cursorRow; row < text.lineCount(); ++row) {
            const qsizetype pos = text.codeLines[row].indexOf(state.findText);
            if (pos < 0 || (!replace && row == text.cursorRow && pos <= text.cursorCol))
                continue;
            if (replace)
                expected.codeLines[row].replace(state.findText, state.replaceText);
            expected.cursorRow = row;
            expected.cursorCol = int(pos);
            break;
        }
    }
    if (replace)
        replaceNext(text, state);
    else
        findNext(text, state);
    if (text.codeLines != expected.codeLines || text.cursorRow != expected.cursorRow ||
        text.cursorCol != expected.cursorCol)
        check(QStringLiteral("%1 \"%2\" gives %3,%4 in %5; the plain scan %6,%7 in %8")
                  .arg(replace ? "replace" : "find", state.findText)
                  .arg(text.cursorRow)
                  .arg(text.cursorCol)
                  .arg(spelledOut(text.codeLines))
                  .arg(expected.cursorRow)
                  .arg(expected.cursorCol)
                  .arg(spelledOut(expected.codeLines)));
    check(textModelProblem(text, false));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool())
        checkParse(input);
    else
        checkSearch(input);
    return 0;
}
