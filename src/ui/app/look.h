// SPDX-License-Identifier: MIT
#pragma once
// The program's look: Qt's Fusion style with our own light or dark palette following the
// desktop's colour scheme, lists and texts sized for a finger, and the ground the sprite
// canvas shows between its pixel squares.

class QColor;
class QFont;
class QListView;
class QPalette;

enum class LookScheme { Light, Dark };

// The smallest height of anything meant to be tapped, in device-independent pixels.
inline constexpr int touchTarget = 44;

// Dark where the desktop asks for dark colours, else light.
LookScheme desktopScheme();

// Fusion and our palette of that scheme for the whole application.
void applyLook(LookScheme scheme);
void applyDesktopLook();

// The colours of one scheme, complete for every role and group.
QPalette lookPalette(LookScheme scheme);
bool isDarkPalette(const QPalette& palette);

// What shows between the canvas's pixel squares and around the strip's swatches: distinct
// from both checker greys and the centre cross in either scheme.
QColor canvasGround(const QPalette& palette);

// A font of a size a finger-held screen stays readable at, for list items and messages.
QFont touchFont(const QFont& base);

// List items at least touchTarget high, in touchFont.
void makeTouchList(QListView* list);
