// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/changes/ChangeJournal.h"
#include "core/changes/Recovery.h"
#include "core/host/LocalFileSystem.h"
#include "gui/MainMenu.h"
#include "gui/QtDesktop.h"
#include "gui/words/ChangeWords.h"
#include "gui/words/StartWords.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// A folder named on the command line (the desktop's "Open With" on a folder
// gives one) opens the renamer in it; whatever else is named there is told
// to the user, and the main menu stays.
void openNamedFolder(FileSystem &fileSystem, Desktop &desktop, MainMenu &menu, const QStringList &arguments)
{
    QString folder;
    QStringList notOpened;
    for (const QString &argument : arguments) {
        const QString path = QDir::toNativeSeparators(QFileInfo(argument).absoluteFilePath());
        const bool isFolder = fileSystem.entryKind(path) == FolderEntry::Folder;
        if (isFolder && folder.isEmpty())
            folder = path;
        else
            notOpened << (isFolder ? StartWords::secondFolder(argument) : StartWords::notAFolder(argument));
    }
    if (!folder.isEmpty())
        menu.openRenamerIn(folder);
    if (!notOpened.isEmpty())
        desktop.showMessage(StartWords::notOpened(notOpened));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamsells-file-utilities"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tamsells.FileUtilities"));

    LocalFileSystem fileSystem(ChangeJournal::defaultFolder());
    QtDesktop desktop;
    // A change that a stopped run, a failing drive or a full disk left half
    // done is mended before anything else can touch its files, and again
    // whenever a drive comes back that one of them waits for, once no change
    // runs beside it.
    if (const QString mended = ChangeWords::recovery(recoverOpenChanges(fileSystem)); !mended.isEmpty())
        desktop.showMessage(mended);
    fileSystem.watchVolumes([&] {
        desktop.runWhenIdle([&] {
            const QString mended = ChangeWords::recovery(recoverOpenChanges(fileSystem, true));
            if (!mended.isEmpty())
                desktop.showMessage(mended);
        });
    });
    MainMenu menu(fileSystem, desktop);
    menu.show();
    openNamedFolder(fileSystem, desktop, menu, QApplication::arguments().mid(1));
    return app.exec();
}
