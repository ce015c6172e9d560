// SPDX-License-Identifier: MIT
// Fuzzes the dispatcher: random key captions (every command, every character of the
// keyboard, typed and pasted text, picks in the selection list) over random text, with the
// text model checked after every caption and the result saved as a code file and opened
// again, which must give back the same lines.

#include "core/app/settingslist.h"
#include "core/commands/dispatcher.h"
#include "core/commands/selectlist.h"
#include "core/editor/keylayout.h"
#include "core/sprite/spritesheet.h"
#include "fuzzsupport.h"
#include "textchecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

namespace {

struct Folders {
    QTemporaryDir dir{QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/zenkodo-fuzz-XXXXXX")
                                                : QDir::tempPath() + "/zenkodo-fuzz-XXXXXX"};
    QString templates = dir.path() + "/tempfiles/";
    QString code = dir.path() + "/prgfiles/";

    Folders()
    {
        QDir().mkpath(templates);
        QDir().mkpath(code);
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        check(write(templates + "for", "for(i=0;i<10;i++){\r\n}\r\n") &&
                  write(templates + "fn", "function ()") && write(templates + "empty", ""),
              "cannot write the templates");
    }
};

const Folders& folders()
{
    static const Folders f;
    return f;
}

// Every caption a key of the default layout shows, on both pages, shifted or not.
QStringList keyboardCaptions()
{
    SettingsList layout;
    for (const KeyRowDefault& row : defaultKeyRows)
        layout.setValue(QLatin1StringView(row.key), QLatin1StringView(row.row));
    QStringList captions;
    for (int page = 1; page <= 2; ++page)
        for (const bool shiftOn : {false, true}) {
            int labelCycle = 0;
            for (int row = 0; row < keyRows; ++row)
                for (int column = 0; column < keyColumns; ++column)
                    captions.append(keyCaption(layout, page, row, column, shiftOn, labelCycle));
        }
    captions.removeAll(QString());
    captions.removeDuplicates();
    return captions;
}

QString randomText(FuzzedDataProvider& input, int maxCharacters, bool lineBreaks)
{
    QString text;
    const int n = input.ConsumeIntegralInRange(0, maxCharacters);
    for (int i = 0; i < n; ++i) {
        const auto pick =
            input.ConsumeIntegralInRange<qsizetype>(0, randomCharacters.size() + (lineBreaks ? 1 : -1));
        if (pick < randomCharacters.size())
            text += randomCharacters[pick];
        else
            text += pick == randomCharacters.size() ? QStringLiteral("\r\n") : QStringLiteral("\n");
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList captions = commandCaptions() + keyboardCaptions() + randomCharacters;
    static const QStringList keywords = {QStringLiteral("function "), QStringLiteral("for "),
                                         QStringLiteral("fn"), QStringLiteral("print("), QStringLiteral("x")};
    FuzzedDataProvider input(data, size);

    TextModel text;
    text.viewRows = input.ConsumeIntegralInRange(1, 40);
    text.viewCols = input.ConsumeIntegralInRange(1, 40);
    text.cellSize = 8;
    text.encoding = randomEncodings[input.ConsumeIntegralInRange<std::size_t>(0, randomEncodings.size() - 1)];
    text.codeLines = splitLines(randomText(input, 200, true));
    if (text.codeLines.isEmpty())
        text.codeLines.append(QString());
    text.cursorRow = input.ConsumeIntegralInRange(0, text.lineCount() - 1);
    text.cursorCol = input.ConsumeIntegralInRange(0, int(text.cursorLine().size()));
    scrollToCursor(text);
    takeLineBackup(text);

    SpriteSheet sheet;
    sheet.cellWidth = sheet.cellHeight = 8;
    allocateSheet(sheet);
    sheet.sheetStore[SpriteSheet::headerSize + 9] = 7;
    CommandState state;
    QStringList clipLines;
    QString clipboard;
    const bool hasClipboard = input.ConsumeBool();
    ClipboardAccess access;
    if (hasClipboard) {
        access.setText = [&clipboard](const QString& s) { clipboard = s; };
        access.getText = [&clipboard] { return clipboard; };
    }
    const QString lang = QString::number(input.ConsumeIntegralInRange(0, 3));
    CommandContext ctx{text, state, clipLines, keywords, sheet, lang, folders().templates, access};

    QStringList shownList;
    while (input.remaining_bytes() > 0 && text.lineCount() < 3000 && text.cursorLine().size() < 20000) {
        QString caption;
        CommandEffects fx;
        switch (input.ConsumeIntegralInRange(0, 9)) {
        case 0: // text typed at once, as an input method hands it over
            caption = randomText(input, 4, false);
            fx = runCaption(ctx, caption);
            break;
        case 1: // something else put text on the platform clipboard
            clipboard = randomText(input, 20, true);
            continue;
        case 2: // a pick in the list the last command showed
            if (shownList.isEmpty())
                continue;
            {
                const int index = input.ConsumeIntegralInRange(0, int(shownList.size()) - 1);
                caption = QStringLiteral("pick ") + shownList[index];
                fx = pickSelectItem(ctx, index, shownList[index]);
                shownList.clear();
            }
            break;
        default:
            caption = captions[input.ConsumeIntegralInRange(0, int(captions.size()) - 1)];
            fx = runCaption(ctx, caption);
            break;
        }
        if (fx.showSelectList)
            shownList = fx.selectItems;
        if (const QString problem = textModelProblem(text, true); !problem.isEmpty())
            check(QStringLiteral("after \"%1\": %2 in %3").arg(caption, problem, spelledOut(text.codeLines)));
    }
    if (keptByTextFileForm(text.codeLines, text.encoding))
        check(saveReloadProblem(text, folders().code, QStringLiteral("code")));
    // Each of the first lines alone is a text too ("Ld" on all the others): a line short
    // enough to hold only Latin-1 letters, or to start with what looks like a mark, is
    // found far sooner this way.
    for (int row = 0; row < std::min(8, text.lineCount()); ++row) {
        TextModel alone = text;
        alone.codeLines = {text.codeLines[row]};
        if (keptByTextFileForm(alone.codeLines, alone.encoding))
            check(saveReloadProblem(alone, folders().code, QStringLiteral("line")));
    }
    return 0;
}
