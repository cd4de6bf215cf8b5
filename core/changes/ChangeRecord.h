#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A rename or move of one file as a change recorded it, by full paths: from
// and to, the temporary path it waits under where the change needs one, and
// where it stood when the change finished (empty while that is not known).
struct RecordedRename {
    QString from;
    QString to;
    QString temporary;
    QString at;
};

// One change to names on disk, one click of the user's: what the change
// record keeps so that the change can be undone, in this run or a later
// one, and mended when it was interrupted.
struct ChangeRecord {
    enum class Tool { Renamer, Folderer };
    enum class State {
        Running,  // written before the first rename; not finished yet
        Finished, // can be undone
        Undoing,  // the undo is under way
        Undone,
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

    // The record as stored: lines of UTF-8 text (the format is in the README).
    // Every path must lie in one of the folders.
    QByteArray toText() const;
    // The lines to append to the stored record when one of its lists is done
    // and the record has reached its state: where each file of that list
    // that did not reach its new path stands, and the state.
    QByteArray completionText(List which) const;
    // The record read back, appended lines included; whyNot is empty when it
    // can be acted on, and otherwise says why not (not a change record, a
    // newer format, a path outside its folders, a line it cannot read).
    static ChangeRecord fromText(const QByteArray &text, QString &whyNot);

    // The renames whose file the change moved.
    QList<RecordedRename> done() const;
    // What undoing it means, for a menu: "Undo the clean-up batch in
    // /videos (4,212 names)".
    QString undoCaption() const;

private:
    class PathWriter;
    // Where each file of a list that did not reach its new path stands.
    void appendAtLines(QByteArray &text, PathWriter &path, List which) const;
};
