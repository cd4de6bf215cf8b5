// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The renamer's window and controls by their names in the form's tables: the
// window gives each control its name as objectName, and tests, accessibility
// tools and users' scripts find the controls by it.
namespace RenamerControls {

inline constexpr char window[] = "frmRENAMER";
inline constexpr char path[] = "Text4";
inline constexpr char specialBatch[] = "Command5";
inline constexpr char drives[] = "Drive2";
inline constexpr char folders[] = "FolderTreeview1";
inline constexpr char preview[] = "List1";
inline constexpr char files[] = "File1";
inline constexpr char filterLabel[] = "Label1";
inline constexpr char filter[] = "Text1";
inline constexpr char changeThisLabel[] = "Label3";
inline constexpr char changeThis[] = "Text3";
inline constexpr char renameToLabel[] = "Label2";
inline constexpr char renameTo[] = "Text2";
inline constexpr char applyFilter[] = "Command1";
inline constexpr char previewChanges[] = "Command2";
inline constexpr char makeChanges[] = "Command3";
inline constexpr char exit[] = "Command4";

} // namespace RenamerControls
