// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/words/ChangeWords.h"

#include "gui/words/NumberWords.h"

#include <cstring>

namespace {

// How many failures a message names one by one.
constexpr int NamedFailures = 5;
// How many parts a message of recovery holds before it only counts the rest.
constexpr qsizetype ToldParts = 10;

const QString Paragraph = QStringLiteral("\n\n");

// "The clean-up batch", at the head of a sentence.
QString headOfSentence(const QString &text)
{
    return text.left(1).toUpper() + text.mid(1);
}

} // namespace

QString ChangeWords::reason(const Outcome &outcome)
{
    using Why = Outcome::Why;
    switch (outcome.why) {
    case Why::None:
        return {};
    case Why::System:
        return QString::fromLocal8Bit(std::strerror(outcome.error));
    case Why::Other:
        return outcome.subject.isEmpty() ? tr("it could not be done") : outcome.subject;
    case Why::NotAFile:
        return tr("it is not a file");
    case Why::NoTemporaryName:
        return tr("no temporary name is free");
    case Why::CaseKept:
        return tr("the drive kept the old letter case");
    case Why::NameRefused:
        return tr("the drive does not take some character of the new name (such as : or ?)");
    case Why::TooLarge:
        return tr("it is larger than %1 MiB").arg(numberText(outcome.number));
    case Why::CutShort:
        return tr("it was cut short");
    case Why::TrashNotMade:
        return tr("the trash %1 cannot be made (%2)").arg(outcome.subject, cause(outcome));
    case Why::TrashNotWritten:
        return tr("the trash %1 cannot be written (%2)").arg(outcome.subject, cause(outcome));
    case Why::FolderIsLink:
        return tr("it is a link, or not a folder");
    case Why::TrashElsewhere:
        return tr("it is not a folder on the file's drive");
    case Why::TrashNotSticky:
        return tr("it is shared without the sticky bit");
    case Why::FolderNotOwn:
        return tr("it is not a folder of your own");
    case Why::FolderOpen:
        return tr("other users may write in it");
    case Why::TrashTopChanged:
        return tr("its drive's top folder has changed");
    case Why::NoTrash:
        return tr("this system keeps no freedesktop trash");
    case Why::NoStateFolder:
        if (outcome.subject.isEmpty())
            return tr("the folder for it could not be made");
        return tr("the folder %1 cannot be used (%2)").arg(outcome.subject, cause(outcome));
    case Why::ChangeTooLarge:
        return tr("it holds too many names for one change (its record would pass %1 MiB)")
            .arg(numberText(outcome.number));
    case Why::RecordFull:
        return tr("its record would pass %1 MiB").arg(numberText(outcome.number));
    case Why::NoRecord:
        return tr("the change has no record");
    case Why::RecordHeld:
        return tr("another run of the program holds it");
    case Why::ProgramMissing:
        return tr("The program \"%1\" was not found.").arg(outcome.subject);
    case Why::ProgramFailed:
        return tr("The program \"%1\" could not be started.").arg(outcome.subject);
    }
    return {};
}

QString ChangeWords::cause(const Outcome &outcome)
{
    return reason({outcome.cause, Outcome::Why::None, outcome.error, 0, {}});
}

QString ChangeWords::what(ChangeAction action)
{
    switch (action) {
    case ChangeAction::MakeChanges:
        return tr("MAKE CHANGES");
    case ChangeAction::CleanUpBatch:
        return tr("the clean-up batch");
    case ChangeAction::Titles:
        return tr("TITLES");
    case ChangeAction::Library:
        return tr("LIBRARY");
    case ChangeAction::UpperCaseWalk:
        return tr("the upper-case walk");
    case ChangeAction::MakeFolders:
        return tr("MakeFolders");
    case ChangeAction::Delete:
        return tr("Delete");
    }
    return {};
}

QString ChangeWords::movedFolder(const ChangeOutcome::MovedFolder &moved)
{
    if (moved.now.isEmpty())
        return tr("%1 went away during the change: its drive was taken away, or it was removed.")
            .arg(moved.folder);
    return tr("%1 was moved to %2 during the change; the names were changed there.")
        .arg(moved.folder, moved.now);
}

QString ChangeWords::notRecorded(const ChangeOutcome &outcome)
{
    return outcome.beginningRecorded
               ? tr("its end could not be added to its record: %1").arg(reason(outcome.recorded))
               : reason(outcome.recorded);
}

QString ChangeWords::cannotUndo(const ChangeOutcome &outcome)
{
    return tr("This change cannot be undone: its record could not be written (%1).")
        .arg(notRecorded(outcome));
}

QStringList ChangeWords::leftBehind(const ChangeOutcome &outcome)
{
    QStringList parts;
    // Only a change that its record holds, if only in part, is found again.
    const bool found = outcome.recorded || outcome.beginningRecorded;
    const qsizetype stranded = outcome.stranded.size();
    if (stranded == 1 && found)
        parts << tr("1 file waits under a temporary name:\n%1\nCtrl+Z, or the next start of the "
                    "program, will put it where it belongs.")
                     .arg(outcome.stranded.first());
    else if (stranded > 1 && found)
        parts << tr("%Ln files wait under a temporary name. Ctrl+Z, or the next start of the "
                    "program, will put them where they belong.",
                    nullptr, int(stranded));
    else if (stranded > 0)
        parts << tr("Files left under a temporary name: %Ln. Without a record the program cannot "
                    "put them back; give them their names yourself:\n%1",
                    nullptr, int(stranded))
                     .arg(outcome.stranded.join(u'\n'));
    if (outcome.heldBack > 0)
        parts << tr("%Ln more kept their names, so that no other file would wait under a "
                    "temporary name.",
                    nullptr, int(outcome.heldBack));
    return parts;
}

QString ChangeWords::movedFolders(const ChangeOutcome &outcome)
{
    QStringList parts;
    for (const ChangeOutcome::MovedFolder &moved : outcome.movedFolders)
        parts << movedFolder(moved);
    return parts.join(Paragraph);
}

QString ChangeWords::report(const ChangeOutcome &outcome, Noun noun)
{
    if (outcome.refused)
        return tr("Nothing was changed: %1.").arg(reason(outcome.recorded));
    QStringList parts;
    // Ctrl+Z is offered only where it undoes this very change.
    if (outcome.stopped)
        parts << (outcome.undoable ? tr("Stopped: %1 of %2 changed. Ctrl+Z puts them back.")
                                   : tr("Stopped: %1 of %2 changed."))
                     .arg(numberText(outcome.reached), counted(outcome.at.size(), noun));
    if (!outcome.failures.isEmpty()) {
        QStringList lines;
        for (const ChangeOutcome::Failure &failure : outcome.failures.mid(0, NamedFailures))
            lines << tr("%1: %2").arg(failure.path, reason(failure.why));
        if (outcome.failures.size() > NamedFailures)
            lines << tr("and %Ln more", nullptr, int(outcome.failures.size() - NamedFailures));
        parts << tr("%1 of %2 could not be changed:\n%3")
                     .arg(numberText(outcome.failures.size()), counted(outcome.at.size(), noun),
                          lines.join(u'\n'));
    }
    const QStringList behind = leftBehind(outcome);
    if (!outcome.failures.isEmpty() && outcome.stranded.isEmpty())
        parts << (outcome.undoable ? tr("They keep their names; Ctrl+Z puts back the others.")
                                   : tr("They keep their names."));
    parts << behind;
    if (outcome.untried > 0)
        parts << tr("%Ln more were left as they were: their folder went away.", nullptr,
                    int(outcome.untried));
    if (const QString moved = movedFolders(outcome); !moved.isEmpty())
        parts << moved;
    if (!outcome.recorded)
        parts << cannotUndo(outcome);
    return parts.join(Paragraph);
}

QString ChangeWords::fault(const RecordFault &fault)
{
    switch (fault.kind) {
    case RecordFault::Kind::None:
        return {};
    case RecordFault::Kind::NotARecord:
        return tr("it is not a change record");
    case RecordFault::Kind::OtherVersion:
        return tr("it was written by another version of the program");
    case RecordFault::Kind::BadLine:
        return tr("line %1 cannot be read, or names a path outside its folders").arg(numberText(fault.line));
    case RecordFault::Kind::PartMissing:
        return tr("a part of it is missing");
    case RecordFault::Kind::TooLarge:
        return tr("it is larger than %1 MiB").arg(numberText(fault.size));
    case RecordFault::Kind::BadEnd:
        return tr("it ends in more bytes than a line of a record holds");
    }
    return {};
}

QString ChangeWords::note(const JournalNote &note)
{
    switch (note.kind) {
    case JournalNote::Kind::SetAside:
        return tr("The change record %1 was set aside as %2 and will not be used: %3.")
            .arg(note.record, note.aside, fault(note.fault));
    case JournalNote::Kind::NotSetAside:
        return tr("The change record %1 cannot be used (%2), and it could not be set aside: %3.")
            .arg(note.record, fault(note.fault), reason(note.outcome));
    case JournalNote::Kind::NotReadNow:
        return tr("The change record %1 cannot be read now (%2); it will be tried again later.")
            .arg(note.record, reason(note.outcome));
    }
    return {};
}

QString ChangeWords::waiting(const Waiting &waiting)
{
    switch (waiting.kind) {
    case Waiting::Kind::FoldersAway:
        return tr("%1 is not there now, or another folder or drive has taken its place")
            .arg(waiting.folders.join(QStringLiteral(", ")));
    case Waiting::Kind::Unreadable:
        return tr("%1 cannot be read now").arg(waiting.folders.join(QStringLiteral(", ")));
    case Waiting::Kind::FilesNowhere:
        // The English for one file names only it: "%1 is at none of its names".
        return tr("%Ln of its files, %1 among them, are at none of their names (old, new or temporary)",
                  nullptr, int(waiting.files))
            .arg(waiting.firstFile);
    case Waiting::Kind::NotOwn:
        return tr("%1 is another user's folder").arg(waiting.folders.join(QStringLiteral(", ")));
    }
    return {};
}

QString ChangeWords::waitingForFolders(const QStringList &folders)
{
    return tr("%1 cannot be read now. Ctrl+Z will try again when it can, for instance once its "
              "drive is back.")
        .arg(folders.join(QStringLiteral(", ")));
}

QString ChangeWords::mended(const MendReport &report)
{
    QString message;
    if (!report.parked.isEmpty()) {
        QStringList lines;
        bool allPlaced = true;
        for (const MendReport::Parked &file : report.parked) {
            allPlaced = allPlaced && !file.placedAs.isEmpty();
            lines << (file.placedAs.isEmpty()
                          ? tr("%1 could not be moved: it stays under a temporary name").arg(file.temporary)
                          : tr("%1 put in place as %2").arg(file.temporary, file.placedAs));
        }
        const QString done = what(report.action);
        message = report.undoing
                      ? tr("The program was stopped while it undid %1 in %2; %3 of %4 had been put back.")
                  : report.interrupted
                      ? tr("The program was stopped in the middle of %1 in %2; %3 of %4 had been changed.")
                      : tr("%1 in %2 had left files under a temporary name; %3 of %4 are changed.");
        message = message.arg(report.interrupted || report.undoing ? done : headOfSentence(done),
                              report.where, numberText(report.outcome.reached),
                              counted(report.outcome.at.size(), Noun::Names));
        message += tr("\nFiles that stood under a temporary name:\n") + lines.join(u'\n');
        if (!report.undoing && allPlaced && report.outcome.undoable)
            message += tr("\nCtrl+Z puts back what it changed.");
    }
    if (!report.outcome.recorded)
        message += tr("%1What was mended could not be recorded (%2).")
                       .arg(message.isEmpty() ? QString() : QStringLiteral("\n"),
                            reason(report.outcome.recorded));
    return message;
}

QString ChangeWords::recovery(const RecoveryReport &report)
{
    QStringList messages;
    if (!report.stateRefused)
        messages << tr("The change records were not read, and no change can be undone or mended: %1.")
                        .arg(reason(report.stateRefused));
    for (const JournalNote &journalNote : report.notes)
        messages << note(journalNote);
    for (const MendReport &change : report.changes) {
        const QString done = headOfSentence(what(change.action));
        switch (change.kind) {
        case MendReport::Kind::HeldByOther:
            messages << tr("%1 is being made by another run of the program; it was left to it.").arg(done);
            break;
        case MendReport::Kind::Waits:
            messages << (change.waiting.kind == Waiting::Kind::NotOwn
                             ? tr("%1 in %2 is not acted on: %3, so its record may not be this "
                                  "program's. Nothing of it is touched.")
                             : tr("%1 in %2 waits: %3. It will be mended once that is back; until then "
                                  "nothing of it is touched."))
                            .arg(done, change.where, waiting(change.waiting));
            break;
        case MendReport::Kind::Mended:
            messages << mended(change);
            break;
        }
    }
    // A state folder full of records gives a message that still fits on a screen.
    if (messages.size() > ToldParts) {
        const qsizetype more = messages.size() - ToldParts;
        messages.resize(ToldParts);
        messages << tr("And %Ln more changes.", nullptr, int(more));
    }
    return messages.join(Paragraph);
}

QString ChangeWords::notPutBack(const UndoReport::NotPutBack &file)
{
    using Why = UndoReport::NotPutBack::Why;
    switch (file.why) {
    case Why::Gone:
        return tr("%1: it is no longer there").arg(file.path);
    case Why::Replaced:
        return tr("%1: another file has taken its name since; it was left alone").arg(file.path);
    case Why::OldNameTaken:
        return tr("%1: its old name %2 is taken now").arg(file.path, file.oldName);
    case Why::Failed:
        return tr("%1: it could not be renamed (%2)").arg(file.path, reason(file.failure));
    case Why::FolderWent:
        return tr("%1: it could not be renamed (%2)").arg(file.path, tr("its folder went away"));
    }
    return {};
}

QString ChangeWords::undone(const UndoReport &report)
{
    switch (report.kind) {
    case UndoReport::Kind::HeldByOther:
        return tr("Nothing was put back: another run of the program is working on %1 in %2 right "
                  "now. Ctrl+Z will try again when it is done.")
            .arg(what(report.action), report.where);
    case UndoReport::Kind::Away:
        return tr("Nothing was put back: ") + waitingForFolders(report.away);
    case UndoReport::Kind::NotOwn:
        return tr("Nothing was put back: ") + waiting(Waiting::forFolders(Waiting::Kind::NotOwn, report.away))
               + u'.';
    case UndoReport::Kind::Undone:
        break;
    }
    const ChangeOutcome &outcome = report.outcome;
    QString message = !outcome.stopped
                          ? tr("Put back %1.").arg(counted(outcome.reached, Noun::Names))
                          : (outcome.undoable ? tr("Stopped: %1 of %2 put back. Ctrl+Z puts back the others.")
                                              : tr("Stopped: %1 of %2 put back."))
                                .arg(numberText(outcome.reached), counted(outcome.at.size(), Noun::Names));
    if (report.removedFolders > 0)
        message += tr(" Removed %1 that it had made.").arg(folders(report.removedFolders));
    if (!report.notPutBack.isEmpty()) {
        QStringList lines;
        for (const UndoReport::NotPutBack &file : report.notPutBack)
            lines << notPutBack(file);
        message += tr("\n\nNot put back:\n") + lines.join(u'\n');
    }
    if (outcome.undoable && !outcome.stopped)
        message += tr("\n\nCtrl+Z tries the names that could not be renamed once more.");
    if (const QStringList behind = leftBehind(outcome); !behind.isEmpty())
        message += Paragraph + behind.join(Paragraph);
    if (!report.keptFolders.isEmpty()) {
        QStringList lines;
        for (const QString &folder : report.keptFolders)
            lines << tr("%1: it is not empty").arg(folder);
        message += tr("\n\nFolders kept:\n") + lines.join(u'\n');
    }
    if (!outcome.movedFolders.isEmpty()) {
        QStringList lines;
        for (const ChangeOutcome::MovedFolder &moved : outcome.movedFolders)
            lines << movedFolder(moved);
        message += Paragraph + lines.join(u'\n');
    }
    if (!outcome.recorded)
        message += tr("\n\nThe undo could not be recorded (%1).").arg(notRecorded(outcome));
    return message;
}

QString ChangeWords::undoneLatest(const UndoLatestReport &report, bool nameTheChange)
{
    QStringList messages;
    if (const QString mended = recovery(report.mended); !mended.isEmpty())
        messages << mended;
    for (const JournalNote &journalNote : report.notes)
        messages << note(journalNote);
    QStringList passed;
    for (const UndoLatestReport::Passed &change : report.passed)
        passed << (change.waits ? tr("%1 in %2: it waits, since %3.")
                                      .arg(what(change.action), change.where, waiting(change.waiting))
                   : change.waiting.kind == Waiting::Kind::NotOwn
                       ? tr("%1 in %2: %3.").arg(what(change.action), change.where, waiting(change.waiting))
                       : tr("%1 in %2: %3")
                             .arg(what(change.action), change.where,
                                  waitingForFolders(change.waiting.folders)));
    switch (report.result) {
    case UndoLatestReport::Result::Undone:
        if (!passed.isEmpty())
            messages << tr("Passed over, since it cannot be undone now:\n") + passed.join(u'\n');
        // The last change the window told of left nothing to undo: the user
        // learns which change this was.
        if (nameTheChange && report.undone.kind == UndoReport::Kind::Undone)
            messages << tr("The last change left nothing to undo; this undid %1 in %2, the one before it.")
                            .arg(what(report.undone.action), report.undone.where);
        messages << undone(report.undone);
        break;
    case UndoLatestReport::Result::Blocked:
        messages << tr("Nothing was put back: %1 in %2 is not complete in its record, so it cannot "
                       "be undone yet. Ctrl+Z will try again; there may be no room on the disk of %3.")
                        .arg(what(report.undone.action), report.undone.where, report.stateFolder);
        break;
    case UndoLatestReport::Result::NotReadNow:
        break;
    case UndoLatestReport::Result::NothingToUndo:
        messages << (passed.isEmpty() ? tr("There is nothing to undo.")
                                      : tr("Nothing was put back:\n") + passed.join(u'\n'));
        break;
    }
    return messages.join(Paragraph);
}

QString ChangeWords::undoCaption(const std::optional<StoredChange> &latest)
{
    if (!latest)
        return tr("Undo (nothing to undo)");
    const ChangeRecord &record = latest->record;
    const qsizetype count = record.done().size();
    const QString moved = counted(count,
                                  record.tool() == ChangeRecord::Tool::Folderer ? Noun::Files : Noun::Names);
    qsizetype folderCount = 0;
    QString where = record.sourceFolder(&folderCount);
    if (where.isEmpty())
        where = folders(folderCount);
    return tr("Undo %1 in %2 (%3)").arg(what(record.action), where, moved);
}

QString ChangeWords::counted(qsizetype count, Noun noun)
{
    return noun == Noun::Files ? tr("%Ln files", nullptr, int(count)) : tr("%Ln names", nullptr, int(count));
}

QString ChangeWords::folders(qsizetype count)
{
    return tr("%Ln folders", nullptr, int(count));
}

QString ChangeWords::renaming(const QString &folder)
{
    return tr("Renaming the files of %1…").arg(folder);
}

QString ChangeWords::movingIntoFolders()
{
    return tr("Moving the files into their folders…");
}

QString ChangeWords::movingToTrash(const QString &path)
{
    return tr("Moving %1 to the trash…").arg(path);
}

QString ChangeWords::undoing()
{
    return tr("Undoing the last change…");
}
