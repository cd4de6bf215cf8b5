// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class Desktop;
class FileSystem;
class QLabel;
class QPushButton;
class RenamerWindow;
class FoldererWindow;
class CombinerWindow;

// The startup window: opens the three tools, explains each, ends the program.
class MainMenu : public QWidget {
    Q_OBJECT
public:
    MainMenu(FileSystem &fileSystem, Desktop &desktop);

public slots:
    void openRenamer();
    void openCombiner();
    void openFolderer();
    // The "?" buttons: what each tool does, in a message box.
    void explainRenamer();
    void explainCombiner();
    void explainFolderer();
    // E&XIT: closes every tool and ends the program.
    void exitProgram();

    // Opens the renamer in folder, as if the user had typed it into the
    // renamer's path box.
    void openRenamerIn(const QString &folder);

private:
    // Loads the tool's window when it is not loaded, shows it, hides the menu.
    template <class Tool>
    void openTool(QPointer<Tool> &tool);

    FileSystem &m_fileSystem;
    Desktop &m_desktop;
    QPointer<RenamerWindow> m_renamer;
    QPointer<FoldererWindow> m_folderer;
    QPointer<CombinerWindow> m_combiner;
};
