// SPDX-License-Identifier: MIT
#pragma once
// The 18 built-in sixteen-colour palettes and how the active colours come from the settings.

#include <QString>

#include <array>
#include <cstdint>

struct SettingsList;

struct PaletteEntry {
    const char* name;       // as listed in the palette combo box; the settings key is "plt" + name
    const char* defaultHex; // 96 lower-case hex digits: 16 colours of RRGGBB, colour 0 first
};

extern const std::array<PaletteEntry, 18> paletteTable;

// The palettes every settings file holds since the first release; those after them were
// added later, and a file written before then does not hold their keys.
inline constexpr int firstReleasePaletteCount = 17;
// TIC-80's own palette, which every new TIC-80 cart starts with: the palette of a new
// workspace and the one a TIC-80 language preselects.
inline constexpr int sweetie16PaletteIndex = 17;

// 16 colours as 0xAARRGGBB, always opaque.
using Palette = std::array<std::uint32_t, 16>;

// Reads a group of hex digits ("0"-"9", "a"-"f" or "A"-"F"); the empty group gives 0.
std::uint32_t parseHexColour(QStringView group);

// The colours of the palette whose index is the setting "palette"; a missing "plt" key gives
// black, except for a palette added after the first release, whose key a settings file
// written before it never held: that one reads its built-in colours. The caller has checked
// that the index is inside the table.
Palette loadPalette(const SettingsList& settings, int paletteIndex);

// The colours of a 96-digit palette value (the form of the "plt" settings).
Palette paletteFromHex(QStringView text);
