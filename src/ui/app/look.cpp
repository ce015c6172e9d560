// SPDX-License-Identifier: MIT
#include "ui/app/look.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QListView>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Gives every item at least a finger's height, whatever the font.
class TouchItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), touchTarget));
        return size;
    }
};

// The desktop's own palette, as it was before ours replaced it for the whole application.
const QPalette& desktopPalette()
{
    static const QPalette palette = QGuiApplication::palette();
    return palette;
}

struct SchemeColours {
    QRgb window, windowText, base, alternateBase, text, button, buttonText, highlight, highlightedText;
    QRgb light, midlight, mid, dark, shadow, placeholder, link, disabledText, toolTipBase, toolTipText;
};

constexpr SchemeColours lightColours{
    0xececec, 0x1a1a1a, 0xffffff, 0xf4f4f4, 0x1a1a1a, 0xdedede, 0x1a1a1a, 0x2a6fdb, 0xffffff, 0xffffff,
    0xf4f4f4, 0xb4b4b4, 0x8c8c8c, 0x505050, 0x767676, 0x1d5fc7, 0x9a9a9a, 0xffffdc, 0x1a1a1a,
};

constexpr SchemeColours darkColours{
    0x2b2b2b, 0xe6e6e6, 0x1e1e1e, 0x262626, 0xe6e6e6, 0x3c3c3c, 0xe6e6e6, 0x3d7fe0, 0xffffff, 0x5a5a5a,
    0x484848, 0x303030, 0x1c1c1c, 0x0c0c0c, 0x8c8c8c, 0x6ea8ff, 0x6e6e6e, 0x3c3c3c, 0xe6e6e6,
};

} // namespace

LookScheme desktopScheme()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    switch (QGuiApplication::styleHints()->colorScheme()) {
    case Qt::ColorScheme::Dark: return LookScheme::Dark;
    case Qt::ColorScheme::Light: return LookScheme::Light;
    default: break;
    }
#endif
    // Older Qt and desktops that name no scheme: a palette whose text is lighter than its
    // window is a dark one.
    return isDarkPalette(desktopPalette()) ? LookScheme::Dark : LookScheme::Light;
}

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::WindowText).lightness() > palette.color(QPalette::Window).lightness();
}

QPalette lookPalette(LookScheme scheme)
{
    const SchemeColours& c = scheme == LookScheme::Dark ? darkColours : lightColours;
    QPalette p(QColor::fromRgb(c.button), QColor::fromRgb(c.window));
    const auto set = [&p](QPalette::ColorRole role, QRgb rgb) { p.setColor(role, QColor::fromRgb(rgb)); };
    set(QPalette::Window, c.window);
    set(QPalette::WindowText, c.windowText);
    set(QPalette::Base, c.base);
    set(QPalette::AlternateBase, c.alternateBase);
    set(QPalette::Text, c.text);
    set(QPalette::Button, c.button);
    set(QPalette::ButtonText, c.buttonText);
    set(QPalette::BrightText, 0xffffff);
    set(QPalette::Highlight, c.highlight);
    set(QPalette::HighlightedText, c.highlightedText);
    set(QPalette::Light, c.light);
    set(QPalette::Midlight, c.midlight);
    set(QPalette::Mid, c.mid);
    set(QPalette::Dark, c.dark);
    set(QPalette::Shadow, c.shadow);
    set(QPalette::PlaceholderText, c.placeholder);
    set(QPalette::Link, c.link);
    set(QPalette::LinkVisited, c.link);
    set(QPalette::ToolTipBase, c.toolTipBase);
    set(QPalette::ToolTipText, c.toolTipText);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText})
        p.setColor(QPalette::Disabled, role, QColor::fromRgb(c.disabledText));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor::fromRgb(c.mid));
    return p;
}

void applyLook(LookScheme scheme)
{
    desktopPalette(); // kept before ours replaces it
    if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(lookPalette(scheme));
    // The widgets that exist take the palette now rather than at the next pass of the event
    // loop, so what is painted next is already in the new colours.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationPaletteChange);
}

void applyDesktopLook()
{
    applyLook(desktopScheme());
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    static const bool following = [] {
        QObject::connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, qApp,
                         [] { applyLook(desktopScheme()); });
        return true;
    }();
    Q_UNUSED(following);
#endif
}

QColor canvasGround(const QPalette& palette)
{
    // The checker greys #333333 and #666666 and the cross #777777 sit between black and the
    // light window colour, so either keeps them apart from the gaps.
    return isDarkPalette(palette) ? QColor(0, 0, 0) : QColor::fromRgb(lightColours.window);
}

QFont touchFont(const QFont& base)
{
    QFont font = base;
    font.setPixelSize(18);
    return font;
}

void makeTouchList(QListView* list)
{
    list->setFont(touchFont(list->font()));
    list->setItemDelegate(new TouchItemDelegate(list));
    // Every item has the one height, which also keeps long keyword lists quick to show.
    list->setUniformItemSizes(true);
}
