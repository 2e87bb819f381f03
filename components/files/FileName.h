// File names are bytes; most are UTF-8, some (copied from old systems) are not. A name read
// from a folder becomes text that gives back the very same bytes, so a table whose name is
// not valid UTF-8 can be listed, shown and opened: each byte that does not decode is kept as a
// lone surrogate U+DC80 + (byte - 0x80), as Python's "surrogateescape" does, and shown as
// U+FFFD.
//
//     const QString name = files::fileNameText(entry->d_name);   // listed
//     ::open(files::fileNameBytes(folder + name).constData(), ...); // opened by its own bytes
//     label->setText(files::shownFileName(name));                 // shown
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace files {

// The text of a name's bytes: UTF-8 decoded, every byte outside a valid UTF-8 sequence kept
// as a lone surrogate.
QString fileNameText(QByteArrayView bytes);

// The bytes of a name's text: UTF-8, each lone surrogate U+DC80..U+DCFF back to its byte (any
// other lone surrogate as U+FFFD's bytes).
QByteArray fileNameBytes(QStringView text);

// The name as shown: U+FFFD for each byte that did not decode.
QString shownFileName(QStringView text);

}  // namespace files
