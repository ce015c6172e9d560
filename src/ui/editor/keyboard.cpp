// The on-screen keyboard: 80 keys laid out from the settings' layout rows, two pages.

#include "app/mainwindow.h"
#include "app/windowlayout.h"
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

void TfrmMain::layoutKeys(const WindowLayout& layout)
{
    keyWidth = layout.keyWidth;
    keyHeight = layout.keyHeight;
    for (size_t k = 0; k < keys.size(); ++k) {
        QPushButton* key = keys[k];
        key->setGeometry(layout.keys[k]);
        key->setText(layout.keyCaptions[k]);
        key->setVisible(layout.keyVisible[k]);
        // A held key repeats: first after 500 ms, then every 100 ms, until released.
        key->setAutoRepeat(true);
        key->setAutoRepeatDelay(500);
        key->setAutoRepeatInterval(100);
    }
}
