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
    // What the user did, as a record keeps it ("the clean-up batch"), in words.
    static QString what(const QString &stored);
    // What a change that did not all go through came to: that it was stopped
    // and how far it got, how many of its files failed and why, which wait
    // under a temporary name to be mended, what befell its folders, and when
    // it cannot be undone. Empty when it all went well.
    static QString report(const ChangeOutcome &outcome, Noun noun);
    // That a change cannot be undone, its record not written for why.
    static QString cannotUndo(const Outcome &why, bool onlyItsEnd = false);
    // A record set aside, or that cannot be read now.
    static QString note(const JournalNote &note);
    // What recovery mended, set aside and waits for: at most ten parts.
    static QString recovery(const RecoveryReport &report);
    // What an undo came to.
    static QString undone(const UndoReport &report);
    // What Ctrl+Z came to.
    static QString undoneLatest(const UndoLatestReport &report);
    // What undoing a change means, for a menu: "Undo the clean-up batch in
    // /videos (4,212 names)"; "Undo (nothing to undo)" without one.
    static QString undoCaption(const std::optional<StoredChange> &latest);

private:
    static QString movedFolder(const ChangeOutcome::MovedFolder &moved);
    static QString waiting(const Waiting &waiting);
    static QString waitingForFolders(const QStringList &folders);
    static QString mended(const MendReport &report);
    static QString fault(const RecordFault &fault);
    static QString notPutBack(const UndoReport::NotPutBack &file);
    static QString unrecorded(const ChangeOutcome &outcome);
};
