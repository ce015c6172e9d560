#pragma once
// A minimal PNG encoder for the images the exports hand to consoles that read PNG only:
// 8-bit RGB, no interlacing, one deflated IDAT chunk.

#include <QByteArray>

// rgb holds width * height pixels of three bytes (red, green, blue), rows from the top.
// The empty array when zlib cannot get its working memory.
QByteArray encodePng(int width, int height, const QByteArray& rgb);
