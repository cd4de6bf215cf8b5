#include "renamer/RenameEngine.h"

#include "app/FolderListing.h"
#include "app/Host.h"
#include "app/Paths.h"
#include "renamer/RenameRule.h"

namespace {

// Temporary numbers run from 1 to 9999; this many draws find a free one
// unless nearly all of them are taken by files left from elsewhere.
constexpr int MaxDraws = 9999;
// Counter suffixes .1 to .19 for a new name that is taken.
constexpr int CounterLimit = 20;

QString temporaryPath(Host &host, const QString &folder)
{
    const int number = int(9999 * host.NextRandom() + 1);
    return Paths::join(folder, TemporaryNamePrefix + QString::number(number));
}

// Moves the file at oldPath to a temporary name that nothing else holds and
// returns that path; the empty text when the file cannot be moved (it is gone,
// or the folder refuses).
QString parkUnderTemporaryName(Host &host, const QString &folder, const QString &oldPath)
{
    for (int draw = 0; draw < MaxDraws; ++draw) {
        const QString temporary = temporaryPath(host, folder);
        if (host.RenameFile(oldPath, temporary))
            return temporary;
        // The rename never replaces: only a taken temporary name is worth
        // another draw.
        if (!host.GetAttributes(temporary))
            return QString();
    }
    return QString();
}

bool stillAt(Host &host, const QString &path)
{
    return !host.ListFolder(path, ListMask::Files).isEmpty();
}

void renameEntry(Host &host, const QString &folder, const QString &entry, const QString &from,
                 const QString &to)
{
    const QString newName = trimBlanks(RenamedName(entry, from, to));
    // An empty name is no name, and a hidden one would vanish from every list.
    if (newName.isEmpty() || isHiddenName(newName))
        return;

    const QString oldPath = Paths::join(folder, trimBlanks(entry));
    const QString temporary = parkUnderTemporaryName(host, folder, oldPath);
    if (temporary.isEmpty())
        return;

    const QString newPath = Paths::join(folder, newName);
    bool placed = host.RenameFile(temporary, newPath);
    for (int k = 1; !placed && k < CounterLimit && stillAt(host, temporary); ++k)
        placed = host.RenameFile(temporary, newPath + u'.' + QString::number(k));
    if (!placed && stillAt(host, temporary))
        host.RenameFile(temporary, oldPath);
}

} // namespace

void makeChanges(Host &host, const QString &folder, const QStringList &entries,
                 const QString &from, const QString &to)
{
    if (!RenameToIsAllowed(to) || entries.isEmpty())
        return;
    host.SeedRandom(1);
    for (const QString &entry : entries)
        if (NameMatches(entry, from))
            renameEntry(host, folder, entry, from, to);
}
