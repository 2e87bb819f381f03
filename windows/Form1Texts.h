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

// Error report locations (trailing space included).
inline constexpr char kFormLoad[] = "in Quorvane2021/08/31.Form1.Form_Load ";
inline constexpr char kPushButton1[] = "in Quorvane2021/08/31.Form1.PushButton1_Click ";
inline constexpr char kPushButton2[] = "in Quorvane2021/08/31.Form1.PushButton2_Click ";
inline constexpr char kPushButton3[] = "in Quorvane2021/08/31.Form1.PushButton3_Click ";
inline constexpr char kPushButton4[] = "in Quorvane2021/08/31.Form1.PushButton4_Click ";
inline constexpr char kPushButton5[] = "in Quorvane2021/08/31.Form1.PushButton5_Click ";
inline constexpr char kPushButton6[] = "in Quorvane2021/08/31.Form1.PushButton6_Click ";

}  // namespace form1
