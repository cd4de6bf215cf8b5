// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main menu's window and controls by their names in the form's tables:
// the window gives each control its name as objectName, and tests,
// accessibility tools and users' scripts find the controls by it.
namespace MainMenuControls {

inline constexpr char window[] = "MainMenu";
inline constexpr char introduction[] = "Label1";
inline constexpr char renamer[] = "Command5";
inline constexpr char renamerHelp[] = "Command1";
inline constexpr char combiner[] = "Command2";
inline constexpr char combinerHelp[] = "Command6";
inline constexpr char folderer[] = "Command3";
inline constexpr char foldererHelp[] = "Command7";
inline constexpr char exit[] = "Command4";

} // namespace MainMenuControls
