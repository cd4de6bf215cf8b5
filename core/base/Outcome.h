// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The result of an operation whose failure the user may have to be told
// about: what went wrong, as the system reported it or as the program found
// it. The windows put it into words.
struct Outcome {
    enum class Why : quint8 {
        None,            // it worked
        System,          // the system refused: error holds its number
        Other,           // the system's own words are in subject (where no number is given)
        NotAFile,        // a folder or link stands where a file was
        NoTemporaryName, // every temporary name of the folder is taken
        CaseKept,        // the drive kept the old letter case
        NameRefused,     // the drive refuses a character of the new name
        TooLarge,        // a file is larger than number MiB
        CutShort,        // a file ended before its size
        TrashNotMade,    // the trash subject cannot be made: cause says why
        TrashNotWritten, // the trash subject cannot be written: cause says why
        FolderIsLink,    // a folder is a link, or not a folder
        TrashElsewhere,  // a trash folder is not on the file's drive
        TrashNotSticky,  // a shared trash folder lacks the sticky bit
        FolderNotOwn,    // a folder is not the user's own
        FolderOpen,      // other users may write in a folder
        TrashTopChanged, // the drive's top folder changed meanwhile
        NoTrash,         // the system keeps no freedesktop trash
        NoStateFolder,   // the folder of the change records cannot be made, or is
                         // refused: subject names it and cause says why
        ChangeTooLarge,  // too many names for one change: its record would pass number MiB
        RecordFull,      // a record would pass number MiB
        NoRecord,        // the change has no record
        RecordHeld,      // another run of the program holds the record
        ProgramMissing,  // the program subject was not found
        ProgramFailed,   // the program subject could not be started
    };

    Why why = Why::None;
    // What led to a failure of the trash or the state folder: the system
    // (with error) or one of the folder's own reasons.
    Why cause = Why::None;
    int error = 0;     // the system's error number, where it gave one
    qint64 number = 0; // a size in MiB
    QString subject;   // a trash folder, a program, or the system's words

    explicit operator bool() const { return why == Why::None; }
    static Outcome success() { return {}; }
    static Outcome systemError(int error) { return {Why::System, Why::None, error, 0, {}}; }
    static Outcome failure(Why why, const QString &subject = {}, qint64 number = 0)
    {
        return {why, Why::None, 0, number, subject};
    }
    // A failure of the trash or state folder subject, as cause made it.
    static Outcome folderFailure(Why why, const QString &subject, const Outcome &cause)
    {
        return {why, cause.why, cause.error, 0, subject};
    }
};
