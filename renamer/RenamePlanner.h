#pragma once

#include "app/RenamePlan.h"
#include "app/Wildcard.h"
#include "renamer/FolderModel.h"

#include <QList>
#include <QString>
#include <QStringList>

// What one press of MAKE CHANGES does to one entry of the file list that
// holds the CHANGE THIS text.
struct EntryOutcome {
    enum What {
        Renamed,   // to its new name, or keeps a name that does not change
        Trimmed,   // to its new name without the blanks at either end
        Counted,   // the new name is taken: to the first free of NAME.1 to NAME.19
        NoName,    // keeps its name: the new name would be empty
        Hidden,    // keeps its name: the new name would hide the file
        Gone,      // keeps its name: no file answers to it any more
        NoRoom,    // keeps its name: neither the new name nor a counted one is free
        TooLong,   // keeps its name: the new name is longer than the volume takes
        Refused,   // nothing is renamed: the RENAME TO text holds a forbidden character
    };
    What what = Renamed;
    QString shown;  // the new name as the preview shows it: not trimmed
    QString wanted; // the new name, trimmed
    QString result; // the name the file ends with; empty when it keeps its own
};

// A short sentence saying what will really happen to the file, for a preview
// row whose new name MAKE CHANGES will not give as shown; empty for a row
// that it will.
QString warningFor(const EntryOutcome &outcome);

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
    QList<EntryOutcome> makeChanges(const QStringList &entries, const QString &from,
                                    const QString &to);

    // The file list as it reads the folder now: the files that match the
    // filter, in row order, at most a list's number of rows.
    QStringList fileList() const;

    // Every file from its first name to its name after the presses so far.
    RenamePlan plan(const QString &folder) const { return m_model.plan(folder); }

private:
    // Finds the name a file parked for the outcome's new name ends with.
    void place(EntryOutcome &outcome, int file) const;
    // Puts the entries whose names changed back into the file list's order.
    void relist(const QList<int> &changed);
    bool listed(int entry) const;

    FolderModel m_model;
    Wildcard m_filter;
    QList<int> m_listed; // entries in the file list, in row order
    QStringList m_rowKeys;
    mutable QStringList m_fileList;
    mutable bool m_fileListStale = true;
};
