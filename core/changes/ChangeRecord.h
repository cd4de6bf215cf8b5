#pragma once

#include "core/host/Host.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A rename or move of one file as a change recorded it, by full paths: from
// and to, the temporary path it waits under where the change needs one,
// where it stood when the change last came to an end (empty while that is
// not known), and which file it is.
struct RecordedRename {
    QString from;
    QString to;
    QString temporary;
    QString at;
    FileIdentity identity;
};

// One change to names on disk, one click of the user's: what the change
// record keeps so that the change can be undone, in this run or a later
// one, and mended when it was interrupted or left a file off its names.
struct ChangeRecord {
    enum class Tool { Renamer, Folderer };
    enum class State {
        Running,          // written before the first rename; not come to its end
        Finished,         // every file at its old or its new name: can be undone
        Undoing,          // the undo is under way
        Undone,
        NeedsMending,     // came to its end with a file under a temporary name
        UndoNeedsMending, // its undo did
    };
    // The two lists of renames a change holds: its own, and those of its undo.
    enum class List { Renames, Undo };

    Tool tool = Tool::Renamer;
    // What the user did, in words: "MAKE CHANGES", "the clean-up batch",
    // "the upper-case walk", "MakeFolders", "Delete".
    QString what;
    // Every folder the change may touch: no path of the record lies elsewhere.
    QStringList folders;
    bool caseBlind = false;
    // Whether the change moved its files into the trash (Delete): a file that
    // leaves the trash again takes its note there along.
    bool intoTrash = false;
    State state = State::Running;
    QList<RecordedRename> renames;
    // Folders the change was to make (those that were not there before it):
    // undo removes them when they are empty.
    QStringList madeFolders;
    // The renames that undo performs, recorded before it starts.
    QList<RecordedRename> undo;

    QList<RecordedRename> &list(List which) { return which == List::Undo ? undo : renames; }
    const QList<RecordedRename> &list(List which) const
    {
        return which == List::Undo ? undo : renames;
    }
    // Whether recovery has to look at the change: it did not come to its
    // end, or left a file away from its old and its new name.
    bool isOpen() const
    {
        return state != State::Finished && state != State::Undone;
    }

    // The record as first stored: lines of UTF-8 text (the format is in the
    // README). Every path must lie in one of the folders. The record only
    // grows from then on: what follows is added to its end.
    QByteArray toText() const;
    // The lines that start the undo: the state undoing and the undo list.
    QByteArray undoText() const;
    // The lines that say where the files of the lists stand now, and the
    // state the change has reached.
    QByteArray positionsText(std::initializer_list<List> lists) const;
    // Where a folder of the change is now, when it was moved during the
    // change: every path in it moves along.
    QByteArray movedText(int folder, const QString &now) const;
    // The record read back, added lines included; whyNot is empty when it
    // can be acted on, and otherwise says why not (not a change record, a
    // newer format, a path outside its folders, a line it cannot read).
    static ChangeRecord fromText(const QByteArray &text, QString &whyNot);

    // The renames whose file the change moved and undo has not put back.
    QList<RecordedRename> done() const;
    // What undoing it means, for a menu: "Undo the clean-up batch in
    // /videos (4,212 names)".
    QString undoCaption() const;
    // Moves every path of the change that lies in folder number `folder`
    // to where the folder is now.
    void relocate(int folder, const QString &now);
};
