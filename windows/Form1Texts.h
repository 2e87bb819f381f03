// The texts of the connection setup window, in one place.
#pragma once

namespace form1 {

inline constexpr char kDesignCaption[] = "Setup Connections";
inline constexpr char kCouldNotConnect[] = "Could not connect.";
inline constexpr char kConnectionSuccessful[] = "Connection successful.";
inline constexpr char kHelp[] = "Make sure FoxPro is closed while using this application.";
inline constexpr char kFolderPickerTitle[] = "Please select folder:";
inline constexpr char kDatabaseDialogTitle[] = "Select Foxpro Database";
inline constexpr char kDatabaseFilter[] = "Microsoft Database (*.dbc)";
inline constexpr char kOpenReadOnly[] = "Open as read-only";
inline constexpr char kSamplesFolder[] = "/Samples";
inline constexpr char kHandCursorFile[] = "/HAND-M.CUR";
// What a screen reader says of the controls whose caption says little ("...") or nothing.
inline constexpr char kContainerPathName[] = "Database container path";
inline constexpr char kFolderPathName[] = "Free table folder path";
inline constexpr char kChooseContainerName[] = "Choose the database container";
inline constexpr char kChooseFolderName[] = "Choose the free table folder";

}  // namespace form1
