// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeAction.h"
#include "core/host/FileSystem.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>

// Why a stored record cannot be acted on; none when it can.
struct RecordFault {
    enum class Kind {
        None,
        NotARecord,   // it is not a change record
        OtherVersion, // another version of the program wrote it
        BadLine,      // line `line` cannot be read, names a path outside its folders, or
                      // a temporary name that is not the engine's
        PartMissing,  // a part of it is missing
        TooLarge,     // it is larger than `size` MiB
        BadEnd,       // it ends in more bytes than any line holds, with no line break
    };
    Kind kind = Kind::None;
    qsizetype line = 0;
    qint64 size = 0;

    explicit operator bool() const { return kind != Kind::None; }
};

// A path of a change: one of the change's folders, by its number, and a name
// in it. The record holds each folder once, however many files it holds.
struct RecordPath {
    int folder = -1;
    QString name;
    bool operator==(const RecordPath &) const = default;
};

// A folder that a change may touch: where it is now, and which folder it was
// when the change began (not known for one that the change was to make, nor
// in records of earlier versions).
struct RecordedFolder {
    QString path;
    FolderIdentity identity;
};

// A rename or move of one file as a change recorded it: from and to, the
// temporary name (in from's folder) it waits under where the change needs
// one, where it stood when the change last came to an end, and which file it
// is (its volume being that of its folders).
struct RecordedRename {
    enum class At {
        Unknown,
        From,
        To,
        Temporary,
        // Found by recovery, never recorded: the file is at its old name and,
        // as a second name, at its new or its temporary one (a move by hard
        // link cut off before its unlink), where the move is to be finished.
        FromAlsoTo,
        FromAlsoTemporary,
    };
    RecordPath from;
    RecordPath to;
    QString temporary;
    At at = At::Unknown;
    FileIdentity identity;
};

// One change to names on disk, one click of the user's: what the change
// record keeps so that the change can be undone, in this run or a later
// one, and mended when it was interrupted or left a file off its names.
struct ChangeRecord {
    enum class Tool { Renamer, Folderer };
    enum class State {
        Running,  // written before the first rename; not come to its end
        Finished, // every file at its old or its new name: can be undone
        Undoing,  // the undo is under way
        Undone,
        NeedsMending,     // came to its end with a file under a temporary name
        UndoNeedsMending, // its undo did
    };
    // The two lists of renames a change holds: its own, and those of its undo.
    enum class List { Renames, Undo };

    // How much a record may hold: a record that claims more is not one this
    // program wrote.
    static constexpr int MostFolders = 1 << 17;
    static constexpr int MostRenames = 1 << 21;
    // The longest line: a folder's path, escaped, and its identity.
    static constexpr qsizetype LongestLine = 20 * 1024;

    ChangeAction action = ChangeAction::MakeChanges;
    // Every folder the change may touch: no path of the record lies elsewhere.
    QList<RecordedFolder> folders;
    bool caseBlind = false;
    // Whether the change moved its files into the trash (Delete): a file that
    // leaves the trash again takes its note there along.
    bool intoTrash = false;
    State state = State::Running;
    QList<RecordedRename> renames;
    // Folders the change was to make (those that were not there before it):
    // undo removes them when they are empty.
    QList<RecordPath> madeFolders;
    // Folders the change was to remove once empty, to be made again by undo.
    QList<RecordPath> removedFolders;
    // The renames that undo performs, recorded before it starts.
    QList<RecordedRename> undo;
    // Whether the user was told that the change waits (for its drive, its
    // folder or a file) since it last came to an end.
    bool toldWaiting = false;

    // The tool whose window undoes the change.
    Tool tool() const;
    QList<RecordedRename> &list(List which) { return which == List::Undo ? undo : renames; }
    const QList<RecordedRename> &list(List which) const { return which == List::Undo ? undo : renames; }
    // Whether recovery has to look at the change: it did not come to its
    // end, or left a file away from its old and its new name.
    bool isOpen() const { return state != State::Finished && state != State::Undone; }

    // Full paths.
    // The full paths of a list of the record's folders.
    QSet<QString> paths(const QList<RecordPath> &folders) const;
    QString path(const RecordPath &path) const;
    QString fromPath(const RecordedRename &rename) const { return path(rename.from); }
    QString toPath(const RecordedRename &rename) const { return path(rename.to); }
    // Empty when the rename needs no temporary name.
    QString temporaryPath(const RecordedRename &rename) const;
    // Where the file stands, as far as the record knows: empty while not
    // known; its old name where it has a second one.
    QString atPath(const RecordedRename &rename) const;

    // The record as first stored: lines of UTF-8 text (the format is in the
    // README). Every path must lie in one of the folders. The record only
    // grows from then on: what follows is added to its end.
    QByteArray toText() const;
    // The lines that start the undo: the state undoing and the undo list.
    QByteArray undoText() const;
    // The lines that say where the files of the lists stand now, and the
    // state the change has reached.
    QByteArray positionsText(std::initializer_list<List> lists) const;
    // Where folder number `folder` is now, when it was moved during the change.
    QByteArray movedText(int folder) const;
    // The line that says the user was told that the change waits.
    static QByteArray toldText();
    // The record read back, added lines included, in time and memory linear
    // in its size; fault says why it cannot be acted on (not a change record,
    // a newer format, a path outside its folders, a temporary name that is not
    // the engine's, a line it cannot read, more than a record may hold, an end
    // longer than any line), and is none when it can. Records of the earlier
    // formats are read too: what they knew of a volume only where it was its
    // UUID, never a device number.
    static ChangeRecord fromText(QByteArrayView text, RecordFault &fault);
    // What a record's first lines tell, up to its first folder: what the user
    // did; fault as fromText gives it.
    static ChangeRecord headFromText(QByteArrayView head, RecordFault &fault);
    // The state a line "state\t..." names; false for another line.
    static bool stateFromLine(QByteArrayView line, State &state);

    // The renames whose file the change moved and undo has not put back.
    QList<RecordedRename> done() const;
    // The folder its files came from, or nothing when they came from
    // several (their count then in folderCount).
    QString sourceFolder(qsizetype *folderCount = nullptr) const;
};

// Full paths as places in a record: by the number of the folder that holds
// them, which must be one of the change's.
class RecordPaths {
public:
    explicit RecordPaths(const ChangeRecord &record);
    RecordPath of(const QString &path) const;

private:
    QHash<QString, int> m_numbers;
};
