// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The words of a change record's text, shared by the record's writer
// (ChangeRecord) and its reader (RecordReader): its first line, the names of
// its tools, actions and states, and how a field holds any name.
namespace RecordFormat {

inline const QByteArray HeaderStart = "tamsells-file-utilities change record ";
// Format 2 added which file each rename moved and the lines a change gains
// after it is first written; format 3 which folder each folder is, and the
// line that says the user was told that a change waits; format 4 knows a
// volume by what it says of itself, never by its device number. Records of
// the earlier formats are read as well; a build that knows an earlier format
// only refuses this one by its header.
constexpr int Format = 4;

inline const char *const ToolNames[] = {"renamer", "folderer"};
inline const char *const StateNames[] = {"running", "finished",      "undoing",
                                         "undone",  "needs-mending", "undo-needs-mending"};

// What the user did, by the name the record keeps, and the tool whose
// window undoes it.
struct ActionName {
    ChangeAction action;
    const char *name;
    ChangeRecord::Tool tool;
};
inline constexpr ActionName ActionNames[] = {
    {ChangeAction::MakeChanges, "MAKE CHANGES", ChangeRecord::Tool::Renamer},
    {ChangeAction::CleanUpBatch, "the clean-up batch", ChangeRecord::Tool::Renamer},
    {ChangeAction::Titles, "TITLES", ChangeRecord::Tool::Renamer},
    {ChangeAction::Library, "LIBRARY", ChangeRecord::Tool::Renamer},
    {ChangeAction::UpperCaseWalk, "the upper-case walk", ChangeRecord::Tool::Renamer},
    {ChangeAction::MakeFolders, "MakeFolders", ChangeRecord::Tool::Folderer},
    {ChangeAction::Delete, "Delete", ChangeRecord::Tool::Renamer},
};
const ActionName &nameOf(ChangeAction action);

// The place of name in names, or -1.
template <std::size_t N>
int indexOfName(QByteArrayView name, const char *const (&names)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i])
            return int(i);
    return -1;
}

// Adds a field of a line: tabs, line breaks and backslashes, which names may
// hold, escaped.
void appendEscaped(QByteArray &line, QStringView text);
QString unescaped(QByteArrayView field);
// Whether a folder's path is absolute, without "." or "..".
bool plainFolder(const QString &path);
// Whether a name is one entry's, without a separator.
bool plainName(const QString &name);

} // namespace RecordFormat
