// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Paths in the host's native form: one separator between a folder and a name.
namespace Paths {

// The host's path separator ('/' on Linux, '\' on Windows).
QChar separator();
// The root folder of the host's file system in native form ("/" on Linux).
QString hostRoot();
// folder, one separator, name. A root folder, which ends in a separator
// already, so gives a doubled one; the host's file operations accept it.
QString join(const QString &folder, const QString &name);
// The last component of path: what follows its last separator.
QString lastComponent(const QString &path);
// The folder that holds path: what stands before its last separator, without
// a trailing separator except at a root, which keeps it ("/", a drive's
// "C:\"); the empty text when path has no separator.
QString folderPart(const QString &path);

} // namespace Paths
