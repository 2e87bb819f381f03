// The code page of tables without a code-page mark, as the user names it: the CodePage setting
// of the window program, the --codepage argument of quorvane-export.
#pragma once

#include <optional>

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

}  // namespace foxpro
