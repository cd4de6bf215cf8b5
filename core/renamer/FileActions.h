// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What a double click or the Delete key does with the selected entry of the
// renamer's file list, built as program calls and paths for the files.
namespace FileActions {

enum class Action { Nothing, Play, Convert };

// A program to start with its arguments (never through a shell, so no
// quoting); how its window opens is the program's own choice.
struct ProgramCall {
    QString program;
    QStringList arguments;
};

// Nothing for an entry of four characters or fewer; Convert when its last
// four characters, upper-cased, are ".LIT"; Play otherwise.
Action actionFor(const QString &entry);

// The file is named exactly as listed: on Linux a name may begin or end with
// blanks, and the trimmed name would be another file or none.

// The media player on the file folder + entry.
ProgramCall playerCall(const QString &folder, const QString &entry);

// The e-book converter, with two arguments: the file folder +
// entry, and the output folder folder + stem + "_html" + separator,
// where the stem is the entry without its last four characters, in its own
// letter case, every blank turned into "_".
ProgramCall converterCall(const QString &folder, const QString &entry);

} // namespace FileActions
