#pragma once

#include "app/ToolWindow.h"

class QPushButton;

class frmRENAMER : public ToolWindow {
    Q_OBJECT
public:
    frmRENAMER(Host &host, QWidget *mainMenu);

public slots:
    void Command4_Click(); // EXIT
};
