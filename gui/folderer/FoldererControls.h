// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The folderer's window and controls by their names in the form's tables: the
// window gives each control its name as objectName, and tests, accessibility
// tools and users' scripts find the controls by it.
namespace FoldererControls {

inline constexpr char window[] = "FolderMaker";
inline constexpr char countLabel[] = "Label2";
inline constexpr char count[] = "Text1";
inline constexpr char destinationLabel[] = "Label1";
inline constexpr char destination[] = "Text2";
inline constexpr char filesLabel[] = "Label3";
inline constexpr char foldersLabel[] = "Label4";
inline constexpr char files[] = "List1";
inline constexpr char folders[] = "List2";
inline constexpr char makeFolders[] = "Command5";
inline constexpr char clear[] = "Command4";
inline constexpr char exit[] = "Command2";

} // namespace FoldererControls
