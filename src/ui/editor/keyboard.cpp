// The on-screen keyboard: 80 keys laid out from the settings' layout rows, two pages.

#include "app/mainwindow.h"
#include "editor/keylayout.h"

#include <QPushButton>

void TfrmMain::captionPass(int page)
{
    labelCycle = 0;
    for (int row = 0; row < keyRows; ++row)
        for (int column = 0; column < keyColumns; ++column)
            keys[row * keyColumns + column]->setText(
                keyCaption(settingsList, page, row, column, shiftOn, labelCycle));
}

void TfrmMain::resetKeyboardPage()
{
    shiftOn = false;
    captionPass(1);
}

void TfrmMain::layoutKeys()
{
    keyWidth = pnlKeys->width() / keyColumns;
    // Start-up repairs "keyheight" and Apply refuses values below 1.
    keyHeight = qMax(1, settingsList.intValue(u"keyheight").value_or(30));
    pnlKeys->resize(pnlKeys->width(), keyRows * keyHeight);
    labelCycle = 0;
    for (int i = 0; i < keyRows; ++i) {
        for (int j = 0; j < keyColumns; ++j) {
            QPushButton* key = keys[i * keyColumns + j];
            const QString caption = keyCaption(settingsList, 1, i, j, shiftOn, labelCycle);
            const int w = caption == u" " ? 2 * keyWidth - 2 : keyWidth - 2;
            const int h = caption == u"Rt" ? 2 * keyHeight - 3 : keyHeight - 3;
            key->setGeometry(j * keyWidth, i * keyHeight, qMax(0, w), qMax(0, h));
            key->setText(caption);
            key->setVisible(!caption.isEmpty());
            // A held key repeats: first after 500 ms, then every 100 ms, until released.
            key->setAutoRepeat(true);
            key->setAutoRepeatDelay(500);
            key->setAutoRepeatInterval(100);
        }
    }
}
