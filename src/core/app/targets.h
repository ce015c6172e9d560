// SPDX-License-Identifier: MIT
#pragma once
// The console targets: one row per entry of the Language list, holding everything the
// program does differently for a target (Run, "Ex", "Sp", the new-program skeleton, the
// System page and a new workspace's settings). Nothing else looks at the setting "lang".

#include "core/sprite/palettes.h"
#include "core/sprite/sheetexport.h"

#include <QString>
#include <array>
#include <span>

// How "Ex" writes the sprite sheet.
enum class SheetExportKind {
    Tic80Banks, // a GIF sheet and the tiles and sprites banks as PNG
    GpuimgText, // one LIKO-12 GPUIMG text image, named after the sheet
    CellGifs,   // one GIF per cell, named after the sheet and the cell's number
};

// What "Sp" inserts into the program.
enum class SpriteDataKind {
    None,
    GpuimgStrings,   // one GPUIMG string per cell
    PixilangSprites, // an image array built with the prelude's sprite function
};

// The folder a new workspace sets as the target's export folder.
enum class DefaultFolder {
    Tic80,     // TIC-80's own folder, created if missing
    Liko12,    // LIKO-12's own folder
    Documents, // the user's documents
};

// What Run starts after writing the export.
enum class RunRuntime {
    None,
    Tic80,    // TIC-80 loading the export, only after a written export
    Pixilang, // the Pixilang runtime inside the export folder, even when the export failed
};

struct ConsoleTarget {
    int lang;                 // the setting "lang": the target's index in the Language list
    const char* caption;      // its text in the Language list
    const char* prelude;      // file name in the workspace's "js/" folder
    const char* firstLine;    // written before the code; nullptr: none
    const char* exportDirKey; // setting holding the export folder
    const char* fileName;     // appended to the export folder as written
    DefaultFolder defaultFolder;
    SheetExportKind sheetExport;
    int sheetWidth;  // the export image the sprite cells are laid out over; 0: one image per cell
    int sheetHeight; //
    SpriteDataKind spriteData;
    const char* skeleton;   // the new program's lines between its empty first and last line,
                            // separated by '\n'; nullptr: the new program is one empty line
    const char* androidKey; // setting holding the console app's Android identifier
    const char* androidId;  // nothing reads it; it documents which app the target is
    int defaultPalette;     // preselected when the target is picked; -1: the choice stays
    RunRuntime runtime;
    const char* tic80Lang; // TIC-80's name of the cart language; nullptr: not TIC-80
    const char* comment;   // the line comment for TIC-80's project sections; nullptr: none
};

// The PICO-8 palette, which LIKO-12 draws in.
inline constexpr int pico8PaletteIndex = 1;

// The targets in the order of the Language list; the first is a new workspace's target and
// the fallback where a value names none.
inline constexpr std::array<ConsoleTarget, 4> consoleTargets{{
    {0, "Javascript(TIC-80)", "func.js", "// script: js", "exportdir", "/a.js", DefaultFolder::Tic80,
     SheetExportKind::Tic80Banks, tic80SheetWidth, tic80SheetHeight, SpriteDataKind::None,
     "function TIC(){\n}", "runapp", "com.nesbox.tic", sweetie16PaletteIndex, RunRuntime::Tic80, "js", "//"},
    {1, "Lua(TIC-80)", "func.lua", "-- script: lua", "exportdir", "/a.lua", DefaultFolder::Tic80,
     SheetExportKind::Tic80Banks, tic80SheetWidth, tic80SheetHeight, SpriteDataKind::None,
     "function TIC()\nend", "runapp", "com.nesbox.tic", sweetie16PaletteIndex, RunRuntime::Tic80, "lua",
     "--"},
    {2, "Lua(LIKO-12)", "func_lk12.lua", nullptr, "exportdir2", "/a.lua", DefaultFolder::Liko12,
     SheetExportKind::GpuimgText, gpuimgWidth, gpuimgHeight, SpriteDataKind::GpuimgStrings, nullptr,
     "runapp2", "com.ramilego4game.liko12", pico8PaletteIndex, RunRuntime::None, nullptr, nullptr},
    {3, "Pixilang", "func.pixi", nullptr, "exportdir3", "/boot.pixi", DefaultFolder::Documents,
     SheetExportKind::CellGifs, 0, 0, SpriteDataKind::PixilangSprites, nullptr, "runapp3",
     "nightradio.pixilang", -1, RunRuntime::Pixilang, nullptr, nullptr},
}};

constexpr bool rowsAreInListOrder(std::span<const ConsoleTarget> table)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].lang != int(i))
            return false;
    return true;
}
static_assert(rowsAreInListOrder(consoleTargets), "a row's lang is its place in the Language list");

// The row whose "lang" value is exactly lang ("0", "1", ...); nullptr for any other text.
// table is the built-in one except in tests.
const ConsoleTarget* consoleTarget(const QString& lang,
                                   std::span<const ConsoleTarget> table = consoleTargets);
// The same, with the first row for any other text.
const ConsoleTarget& consoleTargetOrFirst(const QString& lang,
                                          std::span<const ConsoleTarget> table = consoleTargets);
// The row at a Language list index, the first row for an index outside the list.
const ConsoleTarget& consoleTargetAt(int index);
// The setting "lang" that selects the row.
QString langValue(const ConsoleTarget& target);
