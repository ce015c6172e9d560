// SPDX-License-Identifier: MIT
#pragma once
// The program's built-in data: the 21 default files (preludes and templates) and the
// keyword list, embedded byte for byte.

#include <QByteArray>
#include <QStringList>

#include <array>

struct DefaultFile {
    const char* name;
    const char* folder; // "js" for the preludes, "tempfiles" for the templates
    int length;         // in bytes; the embedded bytes are checked against it
};

// In the order provisioning writes them.
extern const std::array<DefaultFile, 21> defaultFiles;

// The exact bytes of one default file.
QByteArray defaultFileBytes(const DefaultFile& file);

// The 356 built-in keywords, in order; six of them end with a blank.
QStringList builtinKeywords();
