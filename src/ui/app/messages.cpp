// SPDX-License-Identifier: MIT
#include "ui/app/messages.h"

#include "ui/app/look.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

void showMessageBox(QWidget* parent, const QString& text)
{
    // Our own box rather than the platform's: its text and its OK button are sized for a
    // finger-held screen, and it is the same on every platform.
    QWidget* window = parent ? parent->window() : nullptr;
    QDialog box(window);
    box.setWindowTitle(QStringLiteral("Zenkodo"));
    box.setModal(true);
    auto* label = new QLabel(text, &box);
    label->setWordWrap(true);
    label->setFont(touchFont(label->font()));
    label->setTextFormat(Qt::PlainText);
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    ok->setDefault(true);
    ok->setMinimumSize(2 * touchTarget + 16, touchTarget);
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(&box);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(16);
    layout->addWidget(label);
    layout->addLayout(buttons);
    // As wide as the window leaves room for, so long texts wrap into a few readable lines.
    const int width = window ? std::clamp(window->width() - 32, 240, 480) : 360;
    box.setFixedWidth(width);
    box.adjustSize();
    // Unmoved, a dialog shows centred over its visible parent window and inside the screen.
    box.exec();
}
