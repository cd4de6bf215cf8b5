#pragma once

#include "app/ToolWindow.h"

class QPushButton;

class FolderMaker : public ToolWindow {
    Q_OBJECT
public:
    FolderMaker(Host &host, QWidget *mainMenu);

public slots:
    void Command2_Click(); // E&xit
};
