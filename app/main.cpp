#include "gui/DesktopHost.h"
#include "gui/MainMenu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamsells-file-utilities"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tamsells.FileUtilities"));

    DesktopHost host;
    MainMenu menu(host);
    menu.show();
    return app.exec();
}
