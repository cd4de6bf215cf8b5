// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/changes/ChangeEngine.h"
#include "core/renamer/BatchJob.h"
#include "gui/ToolWindow.h"

#include <optional>

class BatchPreviewCache;
class DriveListBox;
class FileListBox;
class FolderListBox;
class ListBox;
class QLineEdit;
class QPushButton;
class RenamePlanner;
class WorkProgress;
struct RenamePlan;

// The file renamer: browse to a folder, narrow its files by a wildcard
// filter, preview and make pattern renames, run SPECIAL BATCH, play, convert
// or delete a file. All state lives in the controls; every handler reads
// what it needs from them when it runs.
class RenamerWindow : public ToolWindow {
    Q_OBJECT
public:
    RenamerWindow(FileSystem &fileSystem, Desktop &desktop, QWidget *mainMenu);

    // Browses to folder through the path box, as if the user had typed it.
    void showFolder(const QString &folder);

public slots:
    // Browsing: the drive list, the folder list, the path box and the file
    // list follow each other.
    void driveChosen();
    void folderChanged();
    void pathEdited();
    // A click on a file puts its name into CHANGE THIS and RENAME TO.
    void fileChosen();

    // APPLY FILTER: the file list lists the folder through the FILTER.
    void applyFilter();
    // PREVIEW CHANGES: the new names of the files that hold CHANGE THIS,
    // shown in place of the file list.
    void previewChanges();
    // MAKE CHANGES: renames every listed file that holds CHANGE THIS.
    void makeChanges();
    // SPECIAL BATCH: asks which job to run and runs it.
    void specialBatch();

    // A double click plays the chosen video, or converts a chosen ".LIT"
    // e-book.
    void openChosenFile();
    // The Delete key moves the chosen file to the trash, as a change that
    // Ctrl+Z undoes; other keys do nothing.
    void fileKeyReleased(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The controls where the window's table puts them, in its fonts.
    void layOutControls();
    // The order that Tab takes through the controls, and what a screen
    // reader calls them.
    void nameControls();
    void connectControls();
    // Hides the file list and shows the preview list that lies under it.
    void showPreviewList();
    // Shows the file list over the preview list and hides that.
    void revealFileList();
    // The same, with the folder listed anew.
    void showFileList();
    // A planner over the folder as it is on disk now, seen through the filter.
    RenamePlanner plannerForFolder();
    // What a job of SPECIAL BATCH came to: its plan and its change; no plan
    // when the user stopped it before it was made, and nothing was renamed.
    struct BatchRun {
        std::optional<BatchPlan> plan;
        ChangeOutcome outcome;
    };
    // Waits for the job's plan and performs it, on a worker while the window
    // stays alive; says so when it was stopped before its plan.
    BatchRun planAndApply(BatchPreviewCache &plans, BatchJob job);
    // After the clean-up batch (the 54 steps of the clean-up table worked out
    // as MAKE CHANGES would make them one after the other), the window as the
    // last step left it: its boxes, its preview and the filter back to "*.*".
    void endCleanUpBatch(const BatchRun &run);
    // After TITLES (every listed file to the clean name of its release) or
    // the upper-case walk (every folder or every file of the folder to its
    // upper-case name), the file list as the disk has it now.
    void endRenamesOfFolder(const BatchRun &run);
    // The FILTER box's background: the light 3-D colour of the window's palette.
    void colourFilterBox();
    // After an undo, the folder list, the path box and the file list show
    // what is on disk; when the undo renamed the current folder away, they
    // show the nearest folder above it that is still there.
    void showWhatIsOnDisk();

    QLineEdit *m_path;
    QPushButton *m_specialBatch;
    DriveListBox *m_drives;
    FolderListBox *m_folders;
    ListBox *m_preview;
    FileListBox *m_fileList;
    QLineEdit *m_filter, *m_changeThis, *m_renameTo;
    QPushButton *m_applyFilter, *m_previewChanges, *m_makeChanges, *m_exit;
};
