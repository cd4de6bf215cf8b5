// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceEngine.h"

#include "core/host/FileSystem.h"
#include "core/base/FolderRows.h"
#include "core/base/CountedName.h"
#include "core/base/Paths.h"
#include "core/base/TemporaryName.h"
#include "core/base/RowOrder.h"
#include "core/renamer/PassTable.h"
#include "core/renamer/RenameRule.h"

#include <random>

namespace {

// The random source of a call, seeded with 1 at its start.
using Random = std::mt19937;

QString temporaryPath(Random &random, const QString &folder)
{
    return Paths::join(
        folder, temporaryName(temporaryNumber(std::uniform_real_distribution<double>(0.0, 1.0)(random))));
}

QString parkUnderTemporaryName(FileSystem &fileSystem, Random &random, const QString &folder,
                               const QString &oldPath)
{
    for (int draw = 0; draw < LastTemporaryNumber; ++draw) {
        const QString temporary = temporaryPath(random, folder);
        if (fileSystem.rename(oldPath, temporary))
            return temporary;
        if (!fileSystem.entryKind(temporary))
            return QString();
    }
    return QString();
}

// Whether the entry is still under its temporary name, file or folder: a
// folder reached by a trimmed name is not left there either.
bool stillAt(FileSystem &fileSystem, const QString &path)
{
    const std::optional<FolderEntry::Kind> kind = fileSystem.entryKind(path);
    return kind && *kind != FolderEntry::Other;
}

void renameEntry(FileSystem &fileSystem, Random &random, const QString &folder, const QString &entry,
                 const QString &from, const QString &to)
{
    const QString newName = trimBlanks(renamedName(entry, from, to));
    if (newName.isEmpty() || isHiddenName(newName))
        return;
    const QString oldPath = Paths::join(folder, trimBlanks(entry));
    const QString temporary = parkUnderTemporaryName(fileSystem, random, folder, oldPath);
    if (temporary.isEmpty())
        return;
    const QString newPath = Paths::join(folder, newName);
    bool placed = bool(fileSystem.rename(temporary, newPath));
    for (int k = 1; !placed && k <= LastCounter && stillAt(fileSystem, temporary); ++k)
        placed = bool(fileSystem.rename(temporary, countedName(newPath, k)));
    if (!placed && stillAt(fileSystem, temporary))
        fileSystem.rename(temporary, oldPath);
}

// The rows PREVIEW CHANGES shows: the new name of every entry holding FROM.
QStringList previewRows(const QStringList &entries, const QString &from, const QString &to)
{
    QStringList rows;
    for (const QString &entry : entries)
        if (nameMatches(entry, from))
            rows << renamedName(entry, from, to);
    return rows;
}

QStringList fileList(FileSystem &fileSystem, const QString &folder, const Wildcard &filter)
{
    return folderRows(fileSystem.listFolder(folder), filter, EntryKinds::Files).mid(0, MaxListRows);
}

} // namespace

void referenceMakeChanges(FileSystem &fileSystem, const QString &folder, const QStringList &entries,
                          const QString &from, const QString &to)
{
    if (!renameToIsAllowed(to) || entries.isEmpty())
        return;
    Random random(1);
    for (const QString &entry : entries)
        if (nameMatches(entry, from))
            renameEntry(fileSystem, random, folder, entry, from, to);
}

QStringList referenceCleanUpBatch(FileSystem &fileSystem, const QString &folder, const QStringList &entries,
                                  const Wildcard &filter)
{
    QStringList listed = entries;
    QStringList preview;
    for (const PassStep &step : passTable()) {
        if (!step.isYearStep) {
            referenceMakeChanges(fileSystem, folder, listed, step.from, step.to);
            listed = fileList(fileSystem, folder, filter);
            continue;
        }
        for (int year = PassFirstYear; year <= PassLastYear; ++year) {
            const QString digits = QString::number(year);
            preview = previewRows(listed, digits, passYearTo(digits));
            if (!preview.isEmpty()) {
                referenceMakeChanges(fileSystem, folder, listed, digits, passYearTo(digits));
                listed = fileList(fileSystem, folder, filter);
            }
        }
    }
    return preview;
}

void referenceUpperCaseWalk(FileSystem &fileSystem, const QString &folder, WalkMode mode)
{
    for (const QString &name : folderRows(fileSystem.listFolder(folder), Wildcard(QStringLiteral("*.*")),
                                          EntryKinds::FilesAndFolders)) {
        const QString path = Paths::join(folder, name);
        const std::optional<FolderEntry::Kind> kind = fileSystem.entryKind(path);
        if (!kind || (*kind == FolderEntry::Folder) != (mode == WalkMode::Folders))
            continue;
        const QString upper = name.toUpper();
        if (upper != name)
            fileSystem.rename(path, Paths::join(folder, upper));
    }
}
