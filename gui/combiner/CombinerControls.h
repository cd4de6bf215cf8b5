// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The combiner's window and controls by their names in the form's tables: the
// window gives each control its name as objectName, and tests, accessibility
// tools and users' scripts find the controls by it.
namespace CombinerControls {

inline constexpr char window[] = "CombineFilesUsingCMD";
inline constexpr char destinationLabel[] = "Label1";
inline constexpr char destination[] = "Text1";
inline constexpr char folderLabel[] = "Label2";
inline constexpr char folder[] = "Text2";
inline constexpr char filesLabel[] = "Label3";
inline constexpr char clear[] = "Command4";
inline constexpr char files[] = "List1";
inline constexpr char createPde[] = "Command1";
inline constexpr char combine[] = "Command5";
inline constexpr char exit[] = "Command2";

} // namespace CombinerControls
