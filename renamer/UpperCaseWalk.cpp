#include "renamer/UpperCaseWalk.h"

#include "app/RowOrder.h"

#include <algorithm>

void planUpperCaseWalk(FolderModel &model, WalkMode mode)
{
    const FolderEntry::Kind walked = mode == WalkMode::Folders ? FolderEntry::Folder
                                                               : FolderEntry::File;
    QList<int> entries;
    for (int i = 0; i < model.count(); ++i)
        if (model.kind(i) == walked)
            entries << i;
    // A name and its upper-case twin both want one name: the first listed wins.
    std::sort(entries.begin(), entries.end(),
              [&](int a, int b) { return rowLess(model.name(a), model.name(b)); });
    for (int entry : entries) {
        // An entry that no path names (its name is not valid in the locale's
        // encoding) cannot be renamed.
        const QString upper = model.name(entry).toUpper();
        if (upper != model.name(entry) && model.find(model.name(entry)) == entry
            && model.fits(upper) && !model.takenByOther(upper, entry))
            model.rename(entry, upper);
    }
}
