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

}  // namespace form1
