#include "folderer/FolderMaker.h"

#include "app/controls/WindowLayout.h"

#include <QPushButton>

FolderMaker::FolderMaker(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("FolderMaker"),
                 QStringLiteral("Create Folders For Thumgen Processing of Video files"), QSize(14505, 7635),
                 QStringLiteral(":/icons/folderer.png"))
{
    using namespace WindowLayout;
    auto *exitButton = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton->setObjectName(QStringLiteral("Command2"));
    place(exitButton, 12540, 7245, 1935, 375);
    connect(exitButton, &QPushButton::clicked, this, &FolderMaker::Command2_Click);
}

void FolderMaker::Command2_Click()
{
    exitToMainMenu();
}
