#include "core/changes/Recovery.h"

#include "core/base/NumberText.h"
#include "core/base/TemporaryName.h"
#include "core/changes/ChangeJournal.h"
#include "core/changes/FolderCache.h"
#include "core/host/Host.h"
#include "core/base/Paths.h"

#include <QHash>
#include <QSet>

namespace {

// Moves a file that stands under a temporary name to where its rename meant
// it to go, else back to its old name; returns where it is.
QString putInPlace(Host &host, FolderCache &names, const QString &temporary, const RecordedRename &r)
{
    for (const QString &target : {r.to, r.from}) {
        if (host.RenameFile(temporary, target)) {
            names.renamed(temporary, target);
            return target;
        }
    }
    return temporary;
}

// What recovery has to say about one change, and whether it waits.
struct Mended {
    QString message; // empty when there is nothing to tell
    bool waits = false;
};

// Mends one open change.
Mended mend(Host &host, ChangeJournal &journal, StoredChange &change)
{
    const ChangeRecord::State state = change.record.state;
    const bool undoing = state == ChangeRecord::State::Undoing
        || state == ChangeRecord::State::UndoNeedsMending;
    const bool interrupted = state == ChangeRecord::State::Running
        || state == ChangeRecord::State::Undoing;
    const QString where = change.record.folders.value(0);
    if (!journal.take(change))
        return {QStringLiteral("%1 in %2 is being made by another run of the program; it was left to it.")
                    .arg(change.record.what, where),
                true};
    QList<RecordedRename> &renames = undoing ? change.record.undo : change.record.renames;
    FolderCache names(host);
    for (const QString &folder : change.record.folders)
        names.folder(folder);
    // Its drive taken away: the change waits, as it is, until it can be read.
    if (!names.unreadable().isEmpty()) {
        journal.release(change);
        return {QStringLiteral("%1 in %2 needs mending, but %3 cannot be read now; it will be "
                               "mended when it can, for instance once its drive is back.")
                    .arg(change.record.what, where, names.unreadable().join(QStringLiteral(", "))),
                true};
    }
    QStringList lines;
    QSet<QString> recorded;
    for (RecordedRename &r : renames) {
        recorded.insert(r.temporary);
        if (r.temporary.isEmpty() || !names.holds(r.temporary) || (!r.at.isEmpty() && r.at != r.temporary))
            continue;
        r.at = putInPlace(host, names, r.temporary, r);
        lines << (r.at == r.temporary ? QStringLiteral("%1 could not be moved: it stays under a temporary name")
                                      : QStringLiteral("%1 put in place as %2"))
                     .arg(r.temporary, r.at);
    }
    // A file that an earlier version of the program parked itself for a
    // change of letter case: when one file of the change is missing, it is
    // that one.
    QStringList strays;
    for (const QString &folder : change.record.folders) {
        const FolderModel &model = names.folder(folder);
        for (int entry = 0; entry < model.count(); ++entry) {
            const QString path = Paths::join(folder, model.name(entry));
            if (isTemporaryName(model.name(entry)) && !recorded.contains(path))
                strays << path;
        }
    }
    QList<RecordedRename *> missing;
    for (RecordedRename &r : renames)
        if (r.at.isEmpty() && !names.holds(r.from) && !names.holds(r.to))
            missing << &r;
    if (strays.size() == 1 && missing.size() == 1) {
        missing.first()->at = putInPlace(host, names, strays.first(), *missing.first());
        lines << QStringLiteral("%1 put in place as %2").arg(strays.first(), missing.first()->at);
    } else {
        for (const QString &stray : strays)
            lines << QStringLiteral("%1 was left as it is: the change does not say whose it is").arg(stray);
    }
    // Where the others stand: the file the record names is at its new name or
    // its old one. Without that in the record (an earlier version's), a
    // rename whose old and new names are both taken was made when the file
    // that came to its old name was renamed; at most one rename of a change
    // goes to each name.
    for (RecordedRename &r : renames) {
        if (!r.at.isEmpty() || !r.identity.known())
            continue;
        if (names.holds(r.to) && r.identity.matches(names.identityAt(r.to)))
            r.at = r.to;
        else if (names.holds(r.from) && r.identity.matches(names.identityAt(r.from)))
            r.at = r.from;
    }
    QHash<QString, qsizetype> comingTo;
    for (qsizetype i = 0; i < renames.size(); ++i)
        comingTo.insert(renames[i].to, i);
    for (bool settled = false; !settled;) {
        settled = true;
        for (RecordedRename &r : renames) {
            if (!r.at.isEmpty())
                continue;
            const bool atNew = names.holds(r.to), atOld = names.holds(r.from);
            if (atNew && atOld) {
                const qsizetype refill = comingTo.value(r.from, -1);
                if (refill < 0 || renames[refill].at != renames[refill].to)
                    continue; // not known yet, perhaps after another round
            }
            r.at = atNew ? r.to : r.from;
            settled = false;
        }
    }
    qsizetype made = 0, off = 0;
    for (RecordedRename &r : renames) {
        if (r.at.isEmpty())
            r.at = r.from;
        made += r.at == r.to;
        off += r.at != r.to && r.at != r.from;
    }
    // A note in the trash whose file never came there, or left it again, goes.
    if (change.record.intoTrash)
        for (const RecordedRename &r : renames)
            host.ReleaseTrash(undoing ? r.from : r.to);

    QList<ChangeRecord::List> lists{undoing ? ChangeRecord::List::Undo : ChangeRecord::List::Renames};
    if (off > 0) {
        change.record.state = undoing ? ChangeRecord::State::UndoNeedsMending
                                      : ChangeRecord::State::NeedsMending;
    } else if (!undoing) {
        change.record.state = ChangeRecord::State::Finished;
    } else {
        // Every file put back is at its old name again in the change itself;
        // one that was not can be tried again by Ctrl+Z.
        QHash<QString, qsizetype> byNewPath;
        for (qsizetype i = 0; i < change.record.renames.size(); ++i)
            byNewPath.insert(change.record.renames[i].to, i);
        for (const RecordedRename &back : renames)
            if (back.at == back.to)
                if (const qsizetype i = byNewPath.value(back.from, -1); i >= 0)
                    change.record.renames[i].at = change.record.renames[i].from;
        change.record.state = made == renames.size() ? ChangeRecord::State::Undone
                                                     : ChangeRecord::State::Finished;
        lists << ChangeRecord::List::Renames;
    }
    QByteArray text;
    for (const ChangeRecord::List which : lists)
        text += change.record.positionsText({which});
    const Outcome saved = journal.add(change, text);
    journal.release(change);

    // A change whose record only missed its end, with no file off its
    // names, is mended without a word.
    QString message;
    if (!lines.isEmpty()) {
        message = undoing
            ? QStringLiteral("The program was stopped while it undid %1 in %2; %3 of %4 names had been put back.")
            : interrupted
            ? QStringLiteral("The program was stopped in the middle of %1 in %2; %3 of %4 names had been changed.")
            : QStringLiteral("%1 in %2 had left files under a temporary name; %3 of %4 names are changed.");
        message = message.arg(change.record.what, where, numberText(made), numberText(renames.size()));
        message += QStringLiteral("\nFiles that stood under a temporary name:\n") + lines.join(u'\n');
        if (!undoing && off == 0)
            message += QStringLiteral("\nCtrl+Z puts back what it changed.");
    }
    if (!saved)
        message += QStringLiteral("%1What was mended could not be recorded (%2).")
                       .arg(message.isEmpty() ? QString() : QStringLiteral("\n"), saved.reason);
    return {message, off > 0};
}

} // namespace

QString recoverOpenChanges(Host &host, bool quietAboutWaiting)
{
    ChangeJournal journal(host);
    QStringList notes;
    QStringList messages;
    for (StoredChange &change : journal.load(notes)) {
        if (!change.record.isOpen())
            continue;
        const Mended mended = mend(host, journal, change);
        if (!mended.message.isEmpty() && !(mended.waits && quietAboutWaiting))
            messages << mended.message;
    }
    messages = notes + messages;
    // A state folder full of records gives a message that still fits on a screen.
    constexpr qsizetype Told = 10;
    if (messages.size() > Told) {
        const qsizetype more = messages.size() - Told;
        messages.resize(Told);
        messages << QStringLiteral("And %1 more %2.")
                        .arg(numberText(more), QLatin1String(more == 1 ? "change" : "changes"));
    }
    return messages.join(QStringLiteral("\n\n"));
}
