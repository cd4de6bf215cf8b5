#pragma once

#include <QPointer>
#include <QWidget>

class Host;
class QLabel;
class QPushButton;
class frmRENAMER;
class FolderMaker;
class CombineFilesUsingCMD;

// The startup window: opens the three tools, explains each, ends the program.
class MainMenu : public QWidget {
    Q_OBJECT
public:
    explicit MainMenu(Host &host);

public slots:
    void Command5_Click(); // FILE &RENAMER
    void Command2_Click(); // FILE &COMBINER
    void Command3_Click(); // FILE &FOLDERER
    void Command1_Click(); // renamer help
    void Command6_Click(); // combiner help
    void Command7_Click(); // folderer help
    void Command4_Click(); // E&XIT

    // Opens the renamer in folder, as if the user had typed it into the
    // renamer's path box.
    void openRenamerIn(const QString &folder);

private:
    // Loads the tool's window when it is not loaded, shows it, hides the menu.
    template <class Tool>
    void openTool(QPointer<Tool> &tool);

    Host &m_host;
    QPointer<frmRENAMER> m_renamer;
    QPointer<FolderMaker> m_folderer;
    QPointer<CombineFilesUsingCMD> m_combiner;
};
