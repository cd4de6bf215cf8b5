#include "renamer/frmRENAMER.h"

#include "app/controls/WindowLayout.h"

#include <QPushButton>

frmRENAMER::frmRENAMER(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("frmRENAMER"),
                 QStringLiteral("FILE RENAMER"), QSize(11805, 9810),
                 QStringLiteral(":/icons/renamer.png"))
{
    using namespace WindowLayout;
    auto *exitButton = new QPushButton(QStringLiteral("EXIT"), this);
    exitButton->setObjectName(QStringLiteral("Command4"));
    place(exitButton, 9690, 9420, 1875, 345);
    connect(exitButton, &QPushButton::clicked, this, &frmRENAMER::Command4_Click);
}

void frmRENAMER::Command4_Click()
{
    exitToMainMenu();
}
