// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Outcome.h"
#include "core/host/Descriptor.h"

#include <QString>
#include <memory>
#include <mutex>

// The folder where the program keeps its change records, which name every
// file the user renamed or deleted: it must be the user's alone, or another
// user could swap it for a folder of theirs and plant records that move the
// user's files. It is opened from the user's home down, one folder at a time
// and following no link, each folder made (mode 0700) where it is missing
// and checked through its descriptor; the records are then reached through
// the descriptor of the folder that was checked, whatever takes its path.
class StateFolder {
public:
    explicit StateFolder(QString path)
        : m_path(std::move(path))
    {}

    const QString &path() const { return m_path; }
    // Makes and checks the folder (again at each call, as it may have been
    // swapped meanwhile) and holds on to it: it, and each folder above it up
    // to the user's home (or the root, for a folder outside the home), must
    // be a real folder, not open to other users' writes (a shared folder
    // with the sticky bit aside), and the user's own (above it, the
    // system's will do). Its mode, and the modes of records that earlier
    // versions left open, are mended to the user's alone. Fails, with the
    // folder at fault and why, when it cannot be made or is refused.
    Outcome open();
    // The folder as last checked, for as long as the caller holds it;
    // nothing before open() succeeded, or after it failed.
    std::shared_ptr<const Descriptor> descriptor() const;

private:
    QString m_path;
    mutable std::mutex m_mutex;
    std::shared_ptr<const Descriptor> m_folder;
    bool m_recordsMended = false;
};
