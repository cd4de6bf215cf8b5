#pragma once

#include "core/renamer/BatchJob.h"
#include "gui/ToolWindow.h"

#include <optional>

class DriveListBox;
class FileListBox;
class FolderListBox;
class ListBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RenamePlanner;
class BatchPlans;
class WorkProgress;
struct RenamePlan;

// The file renamer: browse to a folder, narrow its files by a wildcard
// filter, preview and make pattern renames, run the clean-up batch, play,
// convert or delete a file. All state lives in the controls;
// every handler reads what it needs from them when it runs.
class frmRENAMER : public ToolWindow {
    Q_OBJECT
public:
    frmRENAMER(Host &host, QWidget *mainMenu);

    // Browses to folder through the path box, as if the user had typed it.
    void showFolder(const QString &folder);

public slots:
    // Browsing: the drive list, the folder list, the path box and the file
    // list follow each other.
    void Drive2_Change();
    void FolderTreeview1_Change();
    void Text4_Change();
    void File1_Click();
    void Text2_GotFocus();
    void Text3_GotFocus();

    void Command1_Click(); // APPLY FILTER
    void Command2_Click(); // PREVIEW CHANGES
    void Command3_Click(); // MAKE CHANGES
    void Command4_Click(); // EXIT
    void Command5_Click(); // SPECIAL BATCH

    // Plays the chosen video, or converts a chosen ".LIT" e-book.
    void File1_DblClick();
    // The Delete key moves the chosen file to the trash, as a change that
    // Ctrl+Z undoes; other keys do nothing.
    void File1_KeyUp(int keyCode, Qt::KeyboardModifiers shift);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Hides the file list and shows the preview list that lies under it.
    void ShowPreviewList();
    // Shows the file list over the preview list, hides that, and lists the
    // folder anew.
    void ShowFileList();
    // Performs a plan of renames in folder as one change of the renamer,
    // recorded so that Ctrl+Z can undo it, on the worker of long work;
    // returns what the user must be told of it, empty when every name changed.
    QString applyChange(const QString &what, const QString &folder, const RenamePlan &plan,
                        WorkProgress &progress);
    // A planner over the folder as it is on disk now, seen through the filter.
    RenamePlanner plannerForFolder();
    // Waits for the job's plan and performs it as what, on a worker while
    // the window stays alive; report says what the user must be told. No
    // plan when the user stopped it before it was made: nothing is renamed.
    std::optional<BatchPlan> planAndApply(BatchPlans &plans, BatchJob job, const QString &what,
                                          QString &report);
    // Performs the plan of the clean-up batch, the 54 steps of the clean-up
    // table worked out as MAKE CHANGES would make them one after the other;
    // then the filter back to "*.*", as the last step left it.
    void runCleanUpBatch(BatchPlans &plans);
    // Performs the plan of TITLES (every listed file to the clean name of its
    // release) or of the upper-case walk (job Folders or Files: every folder
    // or every file of the folder to its upper-case name).
    void runRenamesOfFolder(BatchPlans &plans, BatchJob job);
    // The FILTER box's background: the light 3-D colour of the window's palette.
    void colourFilterBox();
    // After an undo, the folder list, the path box and the file list show
    // what is on disk; when the undo renamed the current folder away, they
    // show the nearest folder above it that is still there.
    void showWhatIsOnDisk();
    // Returns once the clock's time text has changed twice, letting the
    // window paint meanwhile.
    void waitTwoClockTicks();

    QLineEdit *Text4;
    QPushButton *Command5;
    DriveListBox *Drive2;
    FolderListBox *FolderTreeview1;
    ListBox *List1;
    FileListBox *File1;
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Text1, *Text2, *Text3;
    QPushButton *Command1, *Command2, *Command3, *Command4;
};
