// What a path handed to the program stands for as a source: the path on its command line (how
// the desktop's "Open With" hands a file over) or one dropped onto the connection setup window.
#pragma once

#include <QString>

namespace foxpro {

struct GivenSource
{
    bool isContainer = false;  // a database container ("DBC File:"), else a free table folder
    // The path for Text1 (a container) or Text2 (a folder): absolute, without "." or ".."
    // parts.
    QString path;
    // For a .dbf: the table to tick, as the catalogue's query names it in its folder (the file
    // name exactly, extension included); else empty.
    QString table;
};

// The source a path stands for, as if chosen with the matching "..." button and option:
// a path ending in ".dbc" (any case) is a database container; an existing file ending in
// ".dbf" (any case) is a free table, which stands for its folder with that table to tick;
// anything else is a free table folder as it stands. So a path that does not exist (or names
// a file of another kind) ends in "Could not connect." exactly as a typed one does. A relative
// path is taken from the current folder.
GivenSource sourceForGivenPath(const QString& path);

// True for what a drop may hand over: an existing folder, or an existing file ending in ".dbc"
// or ".dbf" (any case).
bool isSourcePath(const QString& path);

}  // namespace foxpro
