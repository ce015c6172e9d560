// SPDX-License-Identifier: MIT
// The on-screen keyboard: 80 keys laid out from the settings' layout rows, two pages.

#include "core/app/windowlayout.h"
#include "core/editor/keylayout.h"
#include "ui/app/mainwindow.h"

#include <QPushButton>

void TfrmMain::captionPass(int page)
{
    labelCycle = 0;
    for (int row = 0; row < keyRows; ++row)
        for (int column = 0; column < keyColumns; ++column)
            keys[row * keyColumns + column]->setText(
                keyCaption(settingsList, page, row, column, shiftOn, labelCycle));
    showShiftLatch();
}

void TfrmMain::showShiftLatch()
{
    // A checked button is drawn pressed; the click toggles it, and the caption pass that the
    // click runs sets it to what the keyboard shows. The highlight colour makes the latch
    // plain in a dark scheme too, where a pressed button hardly differs from the others.
    QPalette latched = pnlKeys->palette();
    latched.setColor(QPalette::Button, latched.color(QPalette::Highlight));
    latched.setColor(QPalette::ButtonText, latched.color(QPalette::HighlightedText));
    for (QPushButton* key : keys) {
        const bool shift = key->text() == u"Sh";
        key->setCheckable(shift);
        key->setChecked(shift && shiftOn);
        // An empty palette inherits the window's again.
        key->setPalette(shift && shiftOn ? latched : QPalette());
    }
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
    showShiftLatch();
}
