// SPDX-License-Identifier: MIT
#pragma once
// A text model with its command state, drawn and dumped as text with the cursor as "|",
// so a whole editing state is compared in one QCOMPARE.

#include "core/commands/dispatcher.h"
#include "core/sprite/spritesheet.h"

#include <QStringList>
#include <QTest>

struct EditorFixture {
    TextModel text;
    CommandState state;
    QStringList clipLines;
    QStringList keywords;
    SpriteSheet sheet;
    QString lang = QStringLiteral("0");
    QString templatesDir;
    QString clipboard; // the platform clipboard
    bool hasClipboard = true;
    CommandEffects last;

    // "ab|c\nde": two lines, the cursor before c; a "\u00AB" (left guillemet) marks the selection mark.
    explicit EditorFixture(const QString& drawn)
    {
        text.viewRows = 10;
        text.viewCols = 32;
        text.cellSize = 8;
        load(drawn);
    }

    void load(const QString& drawn)
    {
        text.codeLines = drawn.split(u'\n');
        for (int row = 0; row < text.lineCount(); ++row) {
            QString& line = text.codeLines[row];
            const qsizetype cursor = line.indexOf(u'|');
            const qsizetype mark = line.indexOf(u'\u00AB');
            if (cursor >= 0) {
                text.cursorRow = row;
                text.cursorCol = int(cursor - (mark >= 0 && mark < cursor));
            }
            if (mark >= 0) {
                text.markRow = row;
                text.markCol = int(mark - (cursor >= 0 && cursor < mark));
            }
            line.remove(u'|');
            line.remove(u'\u00AB');
        }
    }

    QString dump() const
    {
        QStringList lines = text.codeLines;
        if (text.cursorRow >= 0 && text.cursorRow < lines.size())
            lines[text.cursorRow].insert(qMin<qsizetype>(text.cursorCol, lines[text.cursorRow].size()), u'|');
        return lines.join(u'\n');
    }

    CommandContext context()
    {
        ClipboardAccess access;
        if (hasClipboard) {
            access.setText = [this](const QString& s) { clipboard = s; };
            access.getText = [this] { return clipboard; };
        }
        return CommandContext{text, state, clipLines, keywords, sheet, lang, templatesDir, access};
    }

    CommandEffects press(const QString& caption)
    {
        CommandContext ctx = context();
        return last = runCaption(ctx, caption);
    }

    void press(const QStringList& captions)
    {
        for (const QString& c : captions)
            press(c);
    }
};

// The body of every table of "before", "captions" and "after": the captions pressed on the
// drawn text give the drawn result.
inline void checkPressTable()
{
    QFETCH(QString, before);
    QFETCH(QStringList, captions);
    QFETCH(QString, after);
    EditorFixture f(before);
    f.press(captions);
    QCOMPARE(f.dump(), after);
}
