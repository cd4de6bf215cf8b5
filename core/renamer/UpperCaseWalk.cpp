// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/renamer/UpperCaseWalk.h"

#include "core/base/RowOrder.h"
#include "core/renamer/RenameRule.h"

void planUpperCaseWalk(FolderModel &model, WalkMode mode)
{
    const FolderEntry::Kind walked = mode == WalkMode::Folders ? FolderEntry::Folder : FolderEntry::File;
    for (int entry = 0; entry < model.count(); ++entry) {
        const QString &name = model.name(entry);
        const QString upper = upperCased(name);
        // An entry that no path names (its name is not valid in the locale's
        // encoding) cannot be renamed.
        if (model.kind(entry) != walked || upper == name || model.find(name) != entry || !model.fits(upper))
            continue;
        const int holder = model.find(upper);
        if (holder < 0 || holder == entry) {
            model.rename(entry, upper);
            continue;
        }
        // Twins in letter case want one name: the walk lists them in row
        // order, and the first listed gets it.
        if (model.name(holder) != model.firstName(holder)
            && rowLess(model.firstName(entry), model.firstName(holder))) {
            model.rename(holder, model.firstName(holder));
            model.rename(entry, upper);
        }
    }
}
