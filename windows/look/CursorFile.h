// Reads a Windows cursor file (.cur) into a QCursor with its hotspot.
#pragma once

#include <QCursor>
#include <QString>

namespace look {

// Loads the first image of the cursor file at path. Qt decodes the image but drops the
// hotspot, so it is read from the file's first directory entry.
// Throws std::runtime_error naming the file when it cannot be read, is not a cursor file, its
// image lies outside the file or cannot be decoded, or its hotspot lies outside the image.
QCursor loadCursorFile(const QString& path);

}  // namespace look
