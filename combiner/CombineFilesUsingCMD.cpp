#include "combiner/CombineFilesUsingCMD.h"

#include "app/controls/WindowLayout.h"

#include <QPushButton>

CombineFilesUsingCMD::CombineFilesUsingCMD(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("CombineFilesUsingCMD"),
                 QStringLiteral("Create PocketDivX PDE or Combine VOBS to MPG CMD Batch"), QSize(7860, 7635),
                 QStringLiteral(":/icons/combiner.png"))
{
    using namespace WindowLayout;
    auto *exitButton = new QPushButton(QStringLiteral("E&xit"), this);
    exitButton->setObjectName(QStringLiteral("Command2"));
    place(exitButton, 6720, 7200, 975, 375);
    connect(exitButton, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command2_Click);
}

void CombineFilesUsingCMD::Command2_Click()
{
    exitToMainMenu();
}
