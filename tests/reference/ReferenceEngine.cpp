#include "ReferenceEngine.h"

#include "core/host/FolderListing.h"
#include "core/host/Host.h"
#include "core/base/CountedName.h"
#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"
#include "core/base/RowOrder.h"
#include "core/renamer/PassTable.h"
#include "core/renamer/RenameRule.h"

namespace {

QString temporaryPath(Host &host, const QString &folder)
{
    return Paths::join(folder, temporaryName(temporaryNumber(host.NextRandom())));
}

QString parkUnderTemporaryName(Host &host, const QString &folder, const QString &oldPath)
{
    for (int draw = 0; draw < LastTemporaryNumber; ++draw) {
        const QString temporary = temporaryPath(host, folder);
        if (host.RenameFile(oldPath, temporary))
            return temporary;
        if (!host.GetAttributes(temporary))
            return QString();
    }
    return QString();
}

// Whether the entry is still under its temporary name, file or folder: a
// folder reached by a trimmed name is not left there either.
bool stillAt(Host &host, const QString &path)
{
    return !host.ListFolder(path, ListMask::FilesAndFolders).isEmpty();
}

void renameEntry(Host &host, const QString &folder, const QString &entry, const QString &from,
                 const QString &to)
{
    const QString newName = trimBlanks(RenamedName(entry, from, to));
    if (newName.isEmpty() || isHiddenName(newName))
        return;
    const QString oldPath = Paths::join(folder, trimBlanks(entry));
    const QString temporary = parkUnderTemporaryName(host, folder, oldPath);
    if (temporary.isEmpty())
        return;
    const QString newPath = Paths::join(folder, newName);
    bool placed = bool(host.RenameFile(temporary, newPath));
    for (int k = 1; !placed && k <= LastCounter && stillAt(host, temporary); ++k)
        placed = bool(host.RenameFile(temporary, countedName(newPath, k)));
    if (!placed && stillAt(host, temporary))
        host.RenameFile(temporary, oldPath);
}

// The rows PREVIEW CHANGES shows: the new name of every entry holding FROM.
QStringList previewRows(const QStringList &entries, const QString &from, const QString &to)
{
    QStringList rows;
    for (const QString &entry : entries)
        if (NameMatches(entry, from))
            rows << RenamedName(entry, from, to);
    return rows;
}

QStringList fileList(const QString &folder, const Wildcard &filter)
{
    return listEntries(folder, filter, EntryKinds::Files).mid(0, MaxListRows);
}

} // namespace

void referenceMakeChanges(Host &host, const QString &folder, const QStringList &entries,
                          const QString &from, const QString &to)
{
    if (!RenameToIsAllowed(to) || entries.isEmpty())
        return;
    host.SeedRandom(1);
    for (const QString &entry : entries)
        if (NameMatches(entry, from))
            renameEntry(host, folder, entry, from, to);
}

QStringList referenceCleanUpBatch(Host &host, const QString &folder, const QStringList &entries,
                                  const Wildcard &filter)
{
    QStringList listed = entries;
    QStringList preview;
    for (const PassStep &step : passTable()) {
        if (!step.isYearStep) {
            referenceMakeChanges(host, folder, listed, step.from, step.to);
            listed = fileList(folder, filter);
            continue;
        }
        for (int year = PassFirstYear; year <= PassLastYear; ++year) {
            const QString digits = QString::number(year);
            preview = previewRows(listed, digits, passYearTo(digits));
            if (!preview.isEmpty()) {
                referenceMakeChanges(host, folder, listed, digits, passYearTo(digits));
                listed = fileList(folder, filter);
            }
        }
    }
    return preview;
}

void referenceUpperCaseWalk(Host &host, const QString &folder, WalkMode mode)
{
    for (QString name = host.ListFolder(Paths::join(folder, QStringLiteral("*.*")),
                                        ListMask::FilesAndFolders);
         !name.isEmpty(); name = host.ListFolder()) {
        const QString path = Paths::join(folder, name);
        const std::optional<int> attributes = host.GetAttributes(path);
        if (!attributes)
            continue;
        const bool isFolder = (*attributes & Attribute::Folder) != 0;
        if (isFolder != (mode == WalkMode::Folders))
            continue;
        const QString upper = name.toUpper();
        if (upper != name)
            host.RenameFile(path, Paths::join(folder, upper));
    }
}
