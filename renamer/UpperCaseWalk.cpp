#include "renamer/UpperCaseWalk.h"

#include "app/Paths.h"

void upperCaseWalk(Host &host, const QString &folder, WalkMode mode)
{
    // The host reads the whole listing when it starts, so the renames below
    // never make it skip or repeat a name.
    for (QString name = host.ListFolder(Paths::join(folder, QStringLiteral("*.*")),
                                        ListMask::FilesAndFolders);
         !name.isEmpty(); name = host.ListFolder()) {
        if (name == u"." || name == u"..")
            continue;
        const QString path = Paths::join(folder, name);
        const std::optional<int> attributes = host.GetAttributes(path);
        if (!attributes) // gone since the listing
            continue;
        const bool isFolder = (*attributes & Attribute::Folder) != 0;
        if (isFolder != (mode == WalkMode::Folders))
            continue;
        const QString upper = name.toUpper();
        if (upper != name)
            host.RenameFile(path, Paths::join(folder, upper));
    }
}
