// The code page of tables without a code-page mark, as the user names it: chosen in the preview
// or named in the CodePage setting, the --codepage argument of quorvane-export.
#pragma once

#include <optional>
#include <vector>

#include <QString>

namespace foxpro {

// The code page a text names ("850", blanks around it allowed), when the engine reads that
// code page; nullopt for anything else.
std::optional<int> codePageFromText(const QString& text);

// The code pages to choose from, for messages: "437, 620, 737, ..., 10029".
QString codePageChoices();

// The CodePage setting: its code page, or vfp::kDefaultCodePage (Windows-1252) when it is absent
// or blank. Throws std::runtime_error saying where the setting is, what it holds and what it may
// hold, when it names no code page the engine reads.
int readCodePageSetting();

// Makes codePage the CodePage setting. Throws std::runtime_error when codePage is no code page
// the engine reads, or the settings file cannot be written.
void writeCodePageSetting(int codePage);

// The code pages the preview offers for tables without a mark, most common first: Windows
// Western, the DOS pages, the other Windows pages, Thai and the four double-byte pages.
const std::vector<int>& offeredCodePages();

}  // namespace foxpro
