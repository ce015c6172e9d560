// SPDX-License-Identifier: MIT
// The one path of every edit: key captions from the on-screen keys, the hardware keyboard
// and the selection list all reach dispatchKey, which hands them to the core's command
// table and applies what the command asks of the window.

#include "core/commands/dispatcher.h"
#include "core/commands/selectlist.h"
#include "ui/app/mainwindow.h"
#include "ui/editor/selectlist.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace {

// Captions of the special keys, whatever modifiers are held.
QString keyDownCaption(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return QStringLiteral("Bs");
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("Rt");
    case Qt::Key_End: return QStringLiteral("En");
    case Qt::Key_Home: return QStringLiteral("Hm");
    case Qt::Key_Left: return QStringLiteral("<-");
    case Qt::Key_Up: return QStringLiteral("^^");
    case Qt::Key_Right: return QStringLiteral("->");
    case Qt::Key_Down: return QStringLiteral("vv");
    case Qt::Key_Insert: return QStringLiteral("Ky");
    case Qt::Key_Delete: return QStringLiteral("Dl");
    default: return QString();
    }
}

// Ctrl shortcuts, acted on when the letter is released.
QString keyUpCaption(int key)
{
    switch (key) {
    case Qt::Key_T: return QStringLiteral("Tm");
    case Qt::Key_B: return QStringLiteral("Sl");
    case Qt::Key_S: return QStringLiteral("Sp");
    case Qt::Key_J: return QStringLiteral("Jp");
    case Qt::Key_C: return QStringLiteral("Cp");
    case Qt::Key_V: return QStringLiteral("Ps");
    case Qt::Key_X: return QStringLiteral("Ct");
    case Qt::Key_F: return QStringLiteral("Fi");
    case Qt::Key_L: return QStringLiteral("Fn");
    case Qt::Key_R: return QStringLiteral("Rp");
    default: return QString();
    }
}

} // namespace

CommandContext TfrmMain::commandContext()
{
    ClipboardAccess clipboard;
    if (QClipboard* c = QGuiApplication::clipboard()) {
        clipboard.setText = [c](const QString& s) { c->setText(s); };
        clipboard.getText = [c] { return c->text(); };
    }
    return CommandContext{text,
                          commands,
                          clipLines,
                          keywordList,
                          sheet,
                          settingsList.value(u"lang"),
                          workspace.templatesDir,
                          clipboard};
}

void TfrmMain::dispatchKey(const QString& caption)
{
    CommandContext ctx = commandContext();
    applyCommandEffects(runCaption(ctx, caption));
}

void TfrmMain::applyCommandEffects(const CommandEffects& fx)
{
    if (fx.keyboard == KeyboardChange::ToggleShift) {
        shiftOn = !shiftOn;
        captionPass(shiftOn ? 2 : 1);
    } else if (fx.keyboard == KeyboardChange::ResetPage) {
        resetKeyboardPage();
    }
    if (fx.toggleMaximized) {
        if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
            showNormal();
        else
            showMaximized();
    }
    applyEditEffects(fx.edit);
    if (fx.emptySelectList)
        lstSelect->clear();
    if (fx.showSelectList)
        showSelectList(fx.selectItems);
    if (!fx.message.isEmpty())
        showMessage(fx.message);
}

void TfrmMain::showSelectList(const QStringList& items)
{
    lstSelect->setItems(items);
    pnlSelect->show();
    pnlSelect->raise();
    lstSelect->setFocus();
}

void TfrmMain::hideSelectList()
{
    pnlSelect->hide();
    // The keys go to the code again, not to a hidden list.
    setFocus();
}

void TfrmMain::btnSelCancelClick()
{
    hideSelectList();
}

void TfrmMain::lstSelectClick()
{
    const int index = lstSelect->currentRow();
    if (index < 0)
        return;
    CommandContext ctx = commandContext();
    const CommandEffects fx = pickSelectItem(ctx, index, lstSelect->text(index));
    hideSelectList();
    applyCommandEffects(fx);
}

bool TfrmMain::keysGoToCode() const
{
    // An edit field, a list or a combo box keeps the keys typed into it.
    const QWidget* focus = focusWidget();
    return !(qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractItemView*>(focus) ||
             qobject_cast<const QComboBox*>(focus));
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    if (!keysGoToCode()) {
        QWidget::keyPressEvent(event);
        return;
    }
    QString caption = keyDownCaption(event->key());
    if (caption.isEmpty()) {
        const QString typed = event->text();
        const Qt::KeyboardModifiers mods = event->modifiers();
        // Ctrl shortcuts act on release; control characters type nothing.
        if (typed.isEmpty() || (mods & Qt::ControlModifier) || typed.front().unicode() < 32 ||
            typed.front().unicode() == 127) {
            QWidget::keyPressEvent(event);
            return;
        }
        // On a UTF-8 system the character arrives as typed.
        caption = typed;
    }
    dispatchKey(caption);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* event)
{
    // Ctrl+A selects the whole text, as it does elsewhere; it never types.
    const QString caption = event->key() == Qt::Key_A ? QStringLiteral("Al") : keyUpCaption(event->key());
    // A held key's auto-repeat sends a release before every repeated press on some systems;
    // a shortcut acts once per real release, so holding Ctrl+V pastes once.
    if (event->isAutoRepeat() || !keysGoToCode() || !(event->modifiers() & Qt::ControlModifier) ||
        caption.isEmpty()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    dispatchKey(caption);
}
