// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/Undo.h"

#include <QCoreApplication>
#include <QString>

// What the user is told of changes of names on disk, their undo and their
// mending: every sentence made here, translatable.
class ChangeWords {
    Q_DECLARE_TR_FUNCTIONS(ChangeWords)
public:
    // What a change's files are called in its messages.
    enum class Noun { Names, Files };

    // Why an operation failed, in words a user understands.
    static QString reason(const Outcome &outcome);
    // What the user did ("the clean-up batch"), in words.
    static QString what(ChangeAction action);
    // What a change that did not all go through came to: that it was stopped
    // and how far it got, how many of its files failed and why, which wait
    // under a temporary name to be mended, what befell its folders, and when
    // it cannot be undone; Ctrl+Z is offered only where it undoes this very
    // change. Empty when it all went well.
    static QString report(const ChangeOutcome &outcome, Noun noun);
    // That a change cannot be undone, as its record could not be written.
    static QString cannotUndo(const ChangeOutcome &outcome);
    // What befell the change's folders (moved, or gone) while it ran; empty
    // when nothing did.
    static QString movedFolders(const ChangeOutcome &outcome);
    // A record set aside, or that cannot be read now.
    static QString note(const JournalNote &note);
    // What recovery mended, set aside and waits for: at most ten parts.
    static QString recovery(const RecoveryReport &report);
    // What an undo came to.
    static QString undone(const UndoReport &report);
    // What Ctrl+Z came to. With nameTheChange (the last change the window
    // told of left nothing to undo), the change undone is named.
    static QString undoneLatest(const UndoLatestReport &report, bool nameTheChange = false);
    // What undoing a change means, for a menu: "Undo the clean-up batch in
    // /videos (4,212 names)"; "Undo (nothing to undo)" without one.
    static QString undoCaption(const std::optional<StoredChange> &latest);
    // A count of a change's files: "1 name", "4,212 files".
    static QString counted(qsizetype count, Noun noun);
    // The titles of the box that shows how far a change has got: a change of
    // names in folder, M&akeFolders, the Delete key on path, and Ctrl+Z.
    static QString renaming(const QString &folder);
    static QString movingIntoFolders();
    static QString movingToTrash(const QString &path);
    static QString undoing();

private:
    // What led to a failure of a folder (a trash, the state folder).
    static QString cause(const Outcome &outcome);
    // "1 folder", "3 folders".
    static QString folders(qsizetype count);
    static QString notRecorded(const ChangeOutcome &outcome);
    // The files a change left under a temporary name, and those it held back.
    static QStringList leftBehind(const ChangeOutcome &outcome);
    static QString movedFolder(const ChangeOutcome::MovedFolder &moved);
    static QString waiting(const Waiting &waiting);
    static QString waitingForFolders(const QStringList &folders);
    static QString mended(const MendReport &report);
    static QString fault(const RecordFault &fault);
    static QString notPutBack(const UndoReport::NotPutBack &file);
};
