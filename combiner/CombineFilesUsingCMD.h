#pragma once

#include "app/ToolWindow.h"

class QPushButton;

class CombineFilesUsingCMD : public ToolWindow {
    Q_OBJECT
public:
    CombineFilesUsingCMD(Host &host, QWidget *mainMenu);

public slots:
    void Command2_Click(); // E&xit
};
