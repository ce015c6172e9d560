// SPDX-License-Identifier: MIT
#pragma once
// The on-screen keyboard's layout rows: one 10-character string per row and page.

#include <QString>

#include <array>

// The sixteen default rows: "BtnKey11".."BtnKey18" (page 1), then "BtnKey21".."BtnKey28".
struct KeyRowDefault {
    const char* key;
    const char* row;
};
extern const std::array<KeyRowDefault, 16> defaultKeyRows;

struct SettingsList;

// The caption of one key: the character of layout row "BtnKey" + page + (row + 1) at column,
// mapped through the layout letters. labelCycle carries the turn of the letters that cycle
// ("A", "F", "V", "W", "P") across one caption pass; a pass starts it at 0.
QString keyCaption(const SettingsList& settings, int page, int row, int column, bool shiftOn,
                   int& labelCycle);

inline constexpr int keyRows = 8;
inline constexpr int keyColumns = 10;
