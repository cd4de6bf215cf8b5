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
    case Why::TooLarge:
        return tr("it is larger than %1 MiB").arg(outcome.number);
    case Why::CutShort:
        return tr("it was cut short");
    case Why::TrashNotMade:
        return tr("the trash %1 cannot be made (%2)")
            .arg(outcome.subject, reason({outcome.cause, Why::None, outcome.error, 0, {}}));
    case Why::TrashNotWritten:
        return tr("the trash %1 cannot be written (%2)")
            .arg(outcome.subject, reason({outcome.cause, Why::None, outcome.error, 0, {}}));
    case Why::TrashIsLink:
        return tr("it is a link, or not a folder");
    case Why::TrashElsewhere:
        return tr("it is not a folder on the file's drive");
    case Why::TrashNotSticky:
        return tr("it is shared without the sticky bit");
    case Why::TrashNotOwn:
        return tr("it is not a folder of your own");
    case Why::TrashTopChanged:
        return tr("its drive's top folder has changed");
    case Why::NoTrash:
        return tr("this system keeps no freedesktop trash");
    case Why::NoStateFolder:
        return tr("the folder for it could not be made");
    case Why::ChangeTooLarge:
        return tr("it holds too many names for one change (its record would pass %1 MiB)")
            .arg(outcome.number);
    case Why::RecordFull:
        return tr("its record would pass %1 MiB").arg(outcome.number);
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

QString ChangeWords::what(const QString &stored)
{
    // What the records keep, as the user is told it.
    static const char *const Known[] = {
        QT_TR_NOOP("MAKE CHANGES"), QT_TR_NOOP("the clean-up batch"), QT_TR_NOOP("TITLES"),
        QT_TR_NOOP("the upper-case walk"), QT_TR_NOOP("MakeFolders"), QT_TR_NOOP("Delete"),
    };
    for (const char *known : Known)
        if (stored == QLatin1String(known))
            return tr(known);
    return stored;
}

QString ChangeWords::movedFolder(const ChangeOutcome::MovedFolder &moved)
{
    if (moved.now.isEmpty())
        return tr("%1 went away during the change: its drive was taken away, or it was removed.")
            .arg(moved.folder);
    return tr("%1 was moved to %2 during the change; the names were changed there.")
        .arg(moved.folder, moved.now);
}

QString ChangeWords::unrecorded(const ChangeOutcome &outcome)
{
    return outcome.endUnrecorded
        ? tr("its end could not be added to its record: %1").arg(reason(outcome.unrecorded))
        : reason(outcome.unrecorded);
}

QString ChangeWords::cannotUndo(const Outcome &why, bool onlyItsEnd)
{
    ChangeOutcome outcome;
    outcome.unrecorded = why;
    outcome.endUnrecorded = onlyItsEnd;
    return tr("This change cannot be undone: its record could not be written (%1).")
        .arg(unrecorded(outcome));
}

QString ChangeWords::report(const ChangeOutcome &outcome, Noun noun)
{
    if (outcome.refused)
        return tr("Nothing was changed: %1.").arg(reason(outcome.unrecorded));
    const QString one = noun == Noun::Files ? tr("file") : tr("name");
    const QString many = noun == Noun::Files ? tr("files") : tr("names");
    QStringList parts;
    if (outcome.stopped)
        parts << tr("Stopped: %1 of %2 changed. Ctrl+Z puts them back.")
                     .arg(numberText(outcome.reached), countText(outcome.at.size(), one, many));
    if (!outcome.failures.isEmpty()) {
        QStringList lines;
        for (const ChangeOutcome::Failure &failure : outcome.failures.mid(0, NamedFailures))
            lines << tr("%1: %2").arg(failure.path, reason(failure.why));
        if (outcome.failures.size() > NamedFailures)
            lines << tr("and %1 more").arg(numberText(outcome.failures.size() - NamedFailures));
        parts << tr("%1 of %2 could not be changed:\n%3")
                     .arg(numberText(outcome.failures.size()), countText(outcome.at.size(), one, many),
                          lines.join(u'\n'));
    }
    const qsizetype stranded = outcome.stranded.size();
    if (stranded == 1)
        parts << tr("1 file waits under a temporary name:\n%1\nCtrl+Z, or the next start of the "
                    "program, will put it where it belongs.")
                     .arg(outcome.stranded.first());
    else if (stranded > 1)
        parts << tr("%1 files wait under a temporary name. Ctrl+Z, or the next start of the "
                    "program, will put them where they belong.")
                     .arg(numberText(stranded));
    else if (!outcome.failures.isEmpty())
        parts << tr("They keep their names; Ctrl+Z puts back the others.");
    if (outcome.heldBack > 0)
        parts << tr("%1 more kept their names, so that no other file would wait under a "
                    "temporary name.")
                     .arg(numberText(outcome.heldBack));
    if (outcome.untried == 1)
        parts << tr("1 more was left as it was: its folder went away.");
    else if (outcome.untried > 1)
        parts << tr("%1 more were left as they were: their folder went away.").arg(numberText(outcome.untried));
    for (const ChangeOutcome::MovedFolder &moved : outcome.movedFolders)
        parts << movedFolder(moved);
    if (!outcome.unrecorded)
        parts << cannotUndo(outcome.unrecorded, outcome.endUnrecorded);
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
        return tr("line %1 cannot be read, or names a path outside its folders").arg(fault.line);
    case RecordFault::Kind::PartMissing:
        return tr("a part of it is missing");
    case RecordFault::Kind::TooLarge:
        return tr("it is larger than %1 MiB").arg(fault.size);
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
        if (waiting.files == 1)
            return tr("%1 is at none of its names (old, new or temporary)").arg(waiting.firstFile);
        return tr("%1 of its files, %2 among them, are at none of their names (old, new or temporary)")
            .arg(numberText(waiting.files), waiting.firstFile);
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
        const QString done = what(report.what);
        message = report.undoing
            ? tr("The program was stopped while it undid %1 in %2; %3 of %4 names had been put back.")
            : report.interrupted
            ? tr("The program was stopped in the middle of %1 in %2; %3 of %4 names had been changed.")
            : tr("%1 in %2 had left files under a temporary name; %3 of %4 names are changed.");
        message = message.arg(report.interrupted || report.undoing ? done : headOfSentence(done),
                              report.where, numberText(report.made), numberText(report.total));
        message += tr("\nFiles that stood under a temporary name:\n") + lines.join(u'\n');
        if (!report.undoing && allPlaced)
            message += tr("\nCtrl+Z puts back what it changed.");
    }
    if (!report.unrecorded)
        message += tr("%1What was mended could not be recorded (%2).")
                       .arg(message.isEmpty() ? QString() : QStringLiteral("\n"), reason(report.unrecorded));
    return message;
}

QString ChangeWords::recovery(const RecoveryReport &report)
{
    QStringList messages;
    for (const JournalNote &journalNote : report.notes)
        messages << note(journalNote);
    for (const MendReport &change : report.changes) {
        switch (change.kind) {
        case MendReport::Kind::HeldByOther:
            messages << tr("%1 is being made by another run of the program; it was left to it.")
                            .arg(headOfSentence(what(change.what)));
            break;
        case MendReport::Kind::Waits:
            messages << tr("%1 in %2 waits: %3. It will be mended once that is back; until then "
                           "nothing of it is touched.")
                            .arg(headOfSentence(what(change.what)), change.where, waiting(change.waiting));
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
        messages << (more == 1 ? tr("And %1 more change.") : tr("And %1 more changes.")).arg(numberText(more));
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
            .arg(what(report.what), report.where);
    case UndoReport::Kind::Away:
        return tr("Nothing was put back: ") + waitingForFolders(report.away);
    case UndoReport::Kind::Undone:
        break;
    }
    QString message = report.stopped
        ? tr("Stopped: %1 of %2 put back. Ctrl+Z puts back the others.")
              .arg(numberText(report.putBack), countText(report.total, tr("name"), tr("names")))
        : tr("Put back %1.").arg(countText(report.putBack, tr("name"), tr("names")));
    if (report.removedFolders > 0)
        message += tr(" Removed %1 that it had made.").arg(countText(report.removedFolders, tr("folder"), tr("folders")));
    if (!report.notPutBack.isEmpty()) {
        QStringList lines;
        for (const UndoReport::NotPutBack &file : report.notPutBack)
            lines << notPutBack(file);
        message += tr("\n\nNot put back:\n") + lines.join(u'\n');
    }
    if (report.triesAgain)
        message += tr("\n\nCtrl+Z tries the names that could not be renamed once more.");
    if (!report.stranded.isEmpty()) {
        ChangeOutcome stranded;
        stranded.stranded = report.stranded;
        stranded.heldBack = report.heldBack;
        message += Paragraph + ChangeWords::report(stranded, Noun::Names);
    }
    if (!report.keptFolders.isEmpty()) {
        QStringList lines;
        for (const QString &folder : report.keptFolders)
            lines << tr("%1: it is not empty").arg(folder);
        message += tr("\n\nFolders kept:\n") + lines.join(u'\n');
    }
    if (!report.movedFolders.isEmpty()) {
        QStringList lines;
        for (const ChangeOutcome::MovedFolder &moved : report.movedFolders)
            lines << movedFolder(moved);
        message += Paragraph + lines.join(u'\n');
    }
    if (!report.unrecorded) {
        ChangeOutcome outcome;
        outcome.unrecorded = report.unrecorded;
        outcome.endUnrecorded = report.endUnrecorded;
        message += tr("\n\nThe undo could not be recorded (%1).").arg(unrecorded(outcome));
    }
    return message;
}

QString ChangeWords::undoneLatest(const UndoLatestReport &report)
{
    QStringList messages;
    if (const QString mended = recovery(report.mended); !mended.isEmpty())
        messages << mended;
    for (const JournalNote &journalNote : report.notes)
        messages << note(journalNote);
    QStringList passed;
    for (const UndoLatestReport::Passed &change : report.passed)
        passed << (change.waits ? tr("%1 in %2: it waits, since %3.")
                                      .arg(what(change.what), change.where, waiting(change.waiting))
                                : tr("%1 in %2: %3")
                                      .arg(what(change.what), change.where,
                                           waitingForFolders(change.waiting.folders)));
    switch (report.result) {
    case UndoLatestReport::Result::Undone:
        if (!passed.isEmpty())
            messages << tr("Passed over, since it cannot be undone now:\n") + passed.join(u'\n');
        messages << undone(report.undone);
        break;
    case UndoLatestReport::Result::Blocked:
        messages << tr("Nothing was put back: %1 in %2 is not complete in its record, so it cannot "
                       "be undone yet. Ctrl+Z will try again; there may be no room on the disk of %3.")
                        .arg(what(report.undone.what), report.undone.where, report.stateFolder);
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
    const QString moved = record.tool == ChangeRecord::Tool::Folderer
        ? countText(count, tr("file"), tr("files"))
        : countText(count, tr("name"), tr("names"));
    qsizetype folders = 0;
    QString where = record.sourceFolder(&folders);
    if (where.isEmpty())
        where = tr("%1 folders").arg(folders);
    return tr("Undo %1 in %2 (%3)").arg(what(record.what), where, moved);
}
