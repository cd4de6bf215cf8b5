// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/RenamePlan.h"
#include "core/base/RowOrder.h"
#include "core/base/Wildcard.h"
#include "core/changes/FolderModel.h"
#include "core/renamer/RenameRule.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// What one press of MAKE CHANGES does to one entry of the file list that
// holds the CHANGE THIS text.
struct EntryOutcome {
    enum What {
        Renamed,     // to its new name, or keeps a name that does not change
        Trimmed,     // to its new name without the blanks at either end
        Counted,     // the new name is taken: to the first free of NAME.1 to NAME.19
        NoName,      // keeps its name: the new name would be empty
        Hidden,      // keeps its name: the new name would hide the file
        Gone,        // keeps its name: no file answers to it any more
        NotAFile,    // keeps its name: a folder or a link has taken the file's place
        NoRoom,      // keeps its name: neither the new name nor a counted one is free
        TooLong,     // keeps its name: the new name is longer than the volume takes
        Refused,     // nothing is renamed: the RENAME TO text holds a forbidden character
        NoTitle,     // keeps its name: TITLES cannot tell its title apart
        UnknownKind, // keeps its name: TITLES knows no files of its extension
        // TITLES and LIBRARY, where wanted is the name or folder meant:
        Labelled,     // another release takes the name too: result carries a version label
        FolderTaken,  // keeps its name and place: a file holds the name of the folder it needs
        OtherDrive,   // keeps its name and place: the folder it needs is another drive
        FolderUnread, // keeps its name and place: the folder it needs cannot be read
        WithItsVideo, // a sidecar that keeps its name and place, as its video does
        Taken,        // a sidecar that keeps its name and place: its new name is taken
    };
    What what = Renamed;
    QString shown;  // the new name as the preview shows it: not trimmed
    QString wanted; // the new name, trimmed
    QString result; // the name the file ends with; empty when it keeps its own
};

// MAKE CHANGES worked out on a folder model instead of the disk, press after
// press: each press sees the names the presses before it gave, and the file
// list as it reads the folder after each press.
class RenamePlanner {
public:
    // The file list lists the files of the model that match filter.
    RenamePlanner(const FolderModel &model, const Wildcard &filter);

    // One press over entries (the file list's rows, in order) with the FROM
    // and TO texts: every entry that holds FROM is renamed as MAKE CHANGES
    // renames it on disk. Returns what happens to each such entry, in order.
    QList<EntryOutcome> makeChanges(const QStringList &entries, const QString &from, const QString &to);

    // The same press over the file list as it reads the folder now, quicker:
    // each listed name is upper-cased once, not at every press, and only the
    // names that hold FROM are put in row order.
    void makeChangesOnFileList(const QString &from, const QString &to);
    // The rows PREVIEW CHANGES shows for the file list as it reads the folder now.
    QStringList previewFileList(const QString &from, const QString &to) const;
    // Whether PREVIEW CHANGES would show any row for the file list now.
    bool fileListHolds(const QString &from) const;

    // Every file from its first name to its name after the presses so far.
    RenamePlan plan(const QString &folder) const { return m_model.plan(folder); }
    // The folder's names after the presses so far.
    const FolderModel &model() const { return m_model; }
    // The files (by their entries in the model) that a press so far gave a
    // counter suffix, or left as they were, because other entries held the
    // new name and every counted one.
    const QSet<int> &crowdedOut() const { return m_crowdedOut; }

private:
    // The listed entries whose names hold FROM, in row order.
    std::vector<int> listedHolding(const UpperName &from) const;
    // What one press does to one entry whose new name is shown, the model
    // changed to match.
    // A listed entry whose name has no blanks at either end is the file
    // that its name reaches: listedAs saves looking it up.
    EntryOutcome press(const QString &entry, const QString &shown, bool refused, int listedAs = -1);
    // Finds the name a file parked for the outcome's new name ends with.
    void place(EntryOutcome &outcome, int file) const;
    void rename(int entry, const QString &name);
    // Makes the file list's order and each listed name's search form, once
    // they are first needed: a single press over given rows needs neither.
    void index() const;
    void indexEntry(int entry) const;

    FolderModel m_model;
    Wildcard m_filter;
    QSet<int> m_crowdedOut;
    // For each entry: whether the file list shows it, its place in row
    // order and its name ready to search.
    mutable std::vector<bool> m_listed;
    mutable qsizetype m_listedCount = 0;
    mutable std::vector<RowKey> m_rowKeys;
    mutable QList<UpperName> m_upper; // empty until indexed
};
