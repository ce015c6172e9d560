// SPDX-License-Identifier: MIT
#pragma once
// The sprite sheet written as program text, so a LIKO-12 or Pixilang program carries its
// images inline.

#include "core/app/targets.h"

#include <QStringList>

struct SpriteSheet;

// The lines "Sp" inserts for the target's row of the setting "lang" (its sprite data kind):
// one GPUIMG string per cell, an image array built with the prelude's sprite function, or
// none, as for a value that names no row.
QStringList spriteDataLines(const SpriteSheet& sheet, const QString& lang,
                            std::span<const ConsoleTarget> targets = consoleTargets);
