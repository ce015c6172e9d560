#pragma once
// The sprite sheet written as program text, so a LIKO-12 or Pixilang program carries its
// images inline.

#include <QStringList>

struct SpriteSheet;

// The lines "Sp" inserts for the target (the setting "lang"): "2" one GPUIMG string per
// cell, "3" an image array built with the prelude's sprite function, anything else none.
QStringList spriteDataLines(const SpriteSheet& sheet, const QString& lang);
