// SPDX-License-Identifier: MIT
#pragma once
// The code buffer "temp.txt", which carries the code from one run to the next: it is read
// back in the encoding it was written in, which the settings remember wherever the bytes
// alone could be taken for another one.

#include "core/app/textfile.h"

#include <QString>

#include <optional>

struct SettingsList;
struct TextModel;

// The settings key that names the code buffer's encoding (see encodingName); absent when
// the bytes say it themselves.
inline constexpr char16_t codeEncodingKey[] = u"codeencoding";

// Reads the code buffer in the encoding the settings remember; without one (or with a name
// that names none) the encoding is told from the bytes.
Result<TextFile> readCodeBuffer(const QString& path, const SettingsList& settings);

// Writes the code to path and, once it is written, remembers its encoding in settings:
// Latin-1 text may begin like a byte-order mark or be valid UTF-8, and UTF-8 text that
// begins with U+FEFF looks marked, so those are kept under codeEncodingKey; for any other
// text the key is removed. A failed write leaves settings as they were, matching the old
// file.
Result<> writeCodeBuffer(const QString& path, const TextModel& model, SettingsList& settings);
