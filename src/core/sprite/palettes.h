#pragma once
// The 17 built-in sixteen-colour palettes and how the active colours come from the settings.

#include <QString>

#include <array>
#include <cstdint>

struct SettingsList;

struct PaletteEntry {
    const char* name;       // as listed in the palette combo box; the settings key is "plt" + name
    const char* defaultHex; // 96 lower-case hex digits: 16 colours of RRGGBB, colour 0 first
};

extern const std::array<PaletteEntry, 17> paletteTable;

// 16 colours as 0xAARRGGBB, always opaque.
using Palette = std::array<std::uint32_t, 16>;

// Reads a group of hex digits ("0"-"9", "a"-"f" or "A"-"F"); the empty group gives 0.
std::uint32_t parseHexColour(QStringView group);

// The colours of the palette whose index is the setting "palette"; a missing "plt" key gives
// black. The caller has checked that the index is inside the table.
Palette loadPalette(const SettingsList& settings, int paletteIndex);
