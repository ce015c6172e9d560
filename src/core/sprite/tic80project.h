// SPDX-License-Identifier: MIT
#pragma once
// The sprite sheet as the sections TIC-80 keeps at the end of a project file (a cart saved
// as program text): the tiles bank, the sprites bank and the palette, each line a comment
// of the cart's language, so the program still runs and imports as plain code.

#include <QString>
#include <QStringList>

struct SpriteSheet;

// The lines of the "<TILES>", "<SPRITES>" and "<PALETTE>" sections of the sheet, every line
// starting with comment ("--" for Lua, "//" for JavaScript), each section followed by an
// empty line as TIC-80 writes it. Banks without a drawn pixel are left out; a blank sheet
// gives no lines at all. The cells must fit the TIC-80 sheet (sheetFitError).
QStringList tic80ProjectSections(const SpriteSheet& sheet, const QString& comment);
