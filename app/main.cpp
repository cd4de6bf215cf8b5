#include "core/changes/Recovery.h"
#include "gui/DesktopHost.h"
#include "gui/MainMenu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamsells-file-utilities"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tamsells.FileUtilities"));

    DesktopHost host;
    // A change that a stopped run, a failing drive or a full disk left half
    // done is mended before anything else can touch its files, and again
    // whenever a drive comes back that one of them waits for.
    const QString mended = recoverOpenChanges(host);
    if (!mended.isEmpty())
        host.ShowMessage(mended);
    host.WatchVolumes([&host] {
        const QString mended = recoverOpenChanges(host, true);
        if (!mended.isEmpty())
            host.ShowMessage(mended);
    });
    MainMenu menu(host);
    menu.show();
    return app.exec();
}
