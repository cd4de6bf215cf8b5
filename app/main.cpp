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
    // A change that a stopped run left half done is mended before anything
    // else can touch its files.
    const QString mended = recoverInterruptedChanges(host);
    if (!mended.isEmpty())
        host.ShowMessage(mended);
    MainMenu menu(host);
    menu.show();
    return app.exec();
}
