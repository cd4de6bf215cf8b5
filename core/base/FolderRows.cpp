// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FolderRows.h"

#include "core/base/RowOrder.h"

namespace {

bool kindListed(FolderEntry::Kind kind, EntryKinds kinds)
{
    switch (kind) {
    case FolderEntry::File:
        return kinds != EntryKinds::Folders;
    case FolderEntry::Folder:
        return kinds != EntryKinds::Files;
    case FolderEntry::Other:
        return false;
    }
    return false;
}

} // namespace

QStringList folderRows(const QList<FolderEntry> &entries, const Wildcard &pattern, EntryKinds kinds)
{
    QStringList names;
    names.reserve(entries.size());
    for (const FolderEntry &entry : entries)
        if (kindListed(entry.kind, kinds) && pattern.matches(entry.name))
            names << entry.name;
    sortInRowOrder(names);
    return names;
}
