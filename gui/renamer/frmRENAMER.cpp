#include "gui/renamer/frmRENAMER.h"

#include "core/base/Paths.h"
#include "gui/controls/DriveListBox.h"
#include "gui/controls/FileListBox.h"
#include "gui/controls/FolderListBox.h"
#include "gui/controls/WindowLayout.h"
#include "core/renamer/DeleteToTrash.h"
#include "core/renamer/FileActions.h"
#include "core/renamer/RenamerChange.h"
#include "core/changes/RenamePlan.h"
#include "core/renamer/BatchPlans.h"
#include "core/renamer/PassTable.h"
#include "core/renamer/RenamePlanner.h"
#include "core/renamer/RenameRule.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmRENAMER::frmRENAMER(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("frmRENAMER"),
                 QStringLiteral("FILE RENAMER"), QSize(11805, 9810),
                 QStringLiteral(":/icons/renamer.png"))
{
    using namespace WindowLayout;
    setFont(designFont(QStringLiteral("Arial"), 9.75, true));
    const QFont controlFont = designFont(QStringLiteral("MS Sans Serif"), 8.25);
    const QFont labelFont = designFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    const QFont boxFont = designFont(QStringLiteral("Verdana"), 9);

    auto button = [&](const char *name, const QString &caption, int left, int top) {
        auto *b = addControl<QPushButton>(this, name, left, top, 1875, 345, caption);
        b->setFont(controlFont);
        return b;
    };
    auto label = [&](const char *name, const QString &caption, int top) {
        return addLabel(this, name, caption, 30, top, 1770, 300, labelFont,
                        Qt::AlignRight | Qt::AlignTop);
    };
    auto textBox = [&](const char *name, const QString &text, int left, int top, int width,
                       int height, const QFont &font) {
        auto *t = addControl<QLineEdit>(this, name, left, top, width, height, text);
        t->setFont(font);
        return t;
    };

    Text4 = textBox("Text4", Paths::hostRoot(), 120, 30, 9615, 375,
                    designFont(QStringLiteral("Tahoma"), 9.75));
    Command5 = button("Command5", QStringLiteral("SPECIAL BATCH"), 9855, 75);

    Drive2 = addControl<DriveListBox>(this, "Drive2", 120, 480, 4380, 405, m_host);
    Drive2->setFont(designFont(QStringLiteral("Arial"), 12, true));
    FolderTreeview1 = addControl<FolderListBox>(this, "FolderTreeview1", 270, 1020, 4260, 7380, m_host);
    FolderTreeview1->setFont(controlFont);

    // The preview list is made first, so that the file list lies over it.
    // While it lies under the file list it is hidden too, so that neither
    // Tab nor a screen reader reaches a list that cannot be seen.
    List1 = addControl<ListBox>(this, "List1", 4560, 960, 7095, 7080, false);
    List1->setFont(controlFont);
    List1->hide();
    File1 = addControl<FileListBox>(this, "File1", 4560, 480, 7095, 7695, m_host);
    File1->setFont(controlFont);

    Label1 = label("Label1", QStringLiteral("FILTER:  "), 8520);
    Text1 = textBox("Text1", QStringLiteral("*.*"), 1815, 8475, 7755, 330, controlFont);
    colourFilterBox();
    Label3 = label("Label3", QStringLiteral("CHANGE THIS:  "), 8910);
    Text3 = textBox("Text3", QString(), 1815, 8865, 7755, 330, boxFont);
    Label2 = label("Label2", QStringLiteral("RENAME TO:  "), 9285);
    Text2 = textBox("Text2", QString(), 1830, 9270, 7755, 330, boxFont);

    Command1 = button("Command1", QStringLiteral("APPLY FILTER"), 9690, 8205);
    Command2 = button("Command2", QStringLiteral("PREVIEW CHANGES"), 9690, 8610);
    Command3 = button("Command3", QStringLiteral("MAKE CHANGES"), 9690, 9015);
    Command4 = button("Command4", QStringLiteral("EXIT"), 9690, 9420);
    Command3->setToolTip(QStringLiteral("Renames every listed file whose name holds CHANGE THIS. "
                                        "Ctrl+Z puts the names back, also after a restart."));
    Command5->setToolTip(QStringLiteral("Cleans up the names of this folder, or upper-cases them. "
                                        "Ctrl+Z puts the names back, also after a restart."));

    chainTabOrder({File1, Text1, Text3, Text2, Command3, Command4, Command1, Command2, List1,
                   Text4, Drive2, FolderTreeview1, Command5});
    nameForScreenReaders(this, {{"Text4", "Folder"},
                                {"Drive2", "Drive"},
                                {"FolderTreeview1", "Folders"},
                                {"File1", "Files"},
                                {"List1", "Preview of new names"},
                                {"Text1", "FILTER"},
                                {"Text3", "CHANGE THIS"},
                                {"Text2", "RENAME TO"}});
    File1->setFocus();

    connect(Drive2, &DriveListBox::driveChanged, this, &frmRENAMER::Drive2_Change);
    connect(FolderTreeview1, &FolderListBox::pathChanged, this,
            &frmRENAMER::FolderTreeview1_Change);
    connect(Text4, &QLineEdit::textChanged, this, &frmRENAMER::Text4_Change);
    connect(File1, &FileListBox::entryChosen, this, &frmRENAMER::File1_Click);
    Text2->installEventFilter(this);
    Text3->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmRENAMER::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRENAMER::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRENAMER::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmRENAMER::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &frmRENAMER::Command5_Click);
    connect(File1, &FileListBox::doubleClicked, this, &frmRENAMER::File1_DblClick);
    connect(File1, &FileListBox::keyReleased, this, &frmRENAMER::File1_KeyUp);
    offerUndo(File1, ChangeRecord::Tool::Renamer, [this] { showWhatIsOnDisk(); });
}

void frmRENAMER::colourFilterBox()
{
    QPalette filterColours = palette();
    filterColours.setColor(QPalette::Base, filterColours.color(QPalette::Midlight));
    Text1->setPalette(filterColours);
}

void frmRENAMER::changeEvent(QEvent *event)
{
    // The desktop switched its colour scheme: the FILTER box takes the new
    // scheme's light 3-D colour, so that its text stays readable.
    if (event->type() == QEvent::PaletteChange)
        colourFilterBox();
    ToolWindow::changeEvent(event);
}

bool frmRENAMER::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == Text2)
            Text2_GotFocus();
        else if (watched == Text3)
            Text3_GotFocus();
    }
    return ToolWindow::eventFilter(watched, event);
}

void frmRENAMER::showFolder(const QString &folder)
{
    // The box may name the folder already, and then raises no change.
    Text4->setText(folder);
    Text4_Change();
}

void frmRENAMER::Drive2_Change()
{
    // A drive has no current folder of its own here: the folder list goes to
    // its top. A drive that is not ready changes nothing.
    FolderTreeview1->setPath(Drive2->drive());
}

void frmRENAMER::FolderTreeview1_Change()
{
    FolderTreeview1->refresh();
    Text4->setText(FolderTreeview1->path());
}

void frmRENAMER::Text4_Change()
{
    // When the folder list moves, its change handler writes this box and the
    // chain passes here twice; the file list is read once.
    if (FolderTreeview1->setPath(Text4->text()) && File1->path() != FolderTreeview1->path())
        File1->setPath(FolderTreeview1->path());
    Text4->setCursorPosition(int(Text4->text().size()));
}

void frmRENAMER::File1_Click()
{
    Text3->setText(File1->selectedName());
    Text2->setText(Text3->text());
}

void frmRENAMER::Text2_GotFocus()
{
    Text2->selectAll();
}

void frmRENAMER::Text3_GotFocus()
{
    Text3->selectAll();
}

void frmRENAMER::Command1_Click()
{
    if (Text1->text().isEmpty())
        Text1->setText(QStringLiteral("*.*"));
    File1->setPattern(Text1->text());
    FolderTreeview1->refresh();
    ShowFileList();
}

void frmRENAMER::Command2_Click()
{
    List1->clear();
    if (File1->count() == 0)
        return;
    ShowPreviewList();
    // The rows are the rule's new names; the plan tells which of them
    // MAKE CHANGES will not give as shown.
    RenamePlanner planner = plannerForFolder();
    const QList<EntryOutcome> outcomes =
        planner.makeChanges(File1->items(), Text3->text(), Text2->text());
    QStringList rows;
    for (const EntryOutcome &outcome : outcomes)
        rows << outcome.shown;
    List1->addItems(rows);
    for (int row = 0; row < List1->count(); ++row)
        List1->setRowWarning(row, warningFor(outcomes[row]));
}

void frmRENAMER::Command3_Click()
{
    const QString folder = FolderTreeview1->path();
    QString report;
    if (RenameToIsAllowed(Text2->text()) && File1->count() > 0) {
        // The worker works on copies of what the controls hold.
        const QStringList rows = File1->items();
        const QString from = Text3->text(), to = Text2->text(), filter = File1->pattern();
        runLong(QStringLiteral("Renaming the files of %1…").arg(folder), [&](WorkProgress &progress) {
            RenamePlanner planner(FolderModel(m_host.ReadFolder(folder)), Wildcard(filter));
            planner.makeChanges(rows, from, to);
            report = applyChange(QStringLiteral("MAKE CHANGES"), folder, planner.plan(folder),
                                 progress);
        });
    }
    // ShowFileList lists the folder anew; pointing the list elsewhere only
    // matters when it shows another folder.
    if (File1->path() != folder)
        File1->setPath(folder);
    ShowFileList();
    // Silent when every name changed; a failure is never passed over.
    if (!report.isEmpty())
        m_host.ShowMessage(report);
}

void frmRENAMER::Command4_Click()
{
    exitToMainMenu();
}

void frmRENAMER::Command5_Click()
{
    // The box previews each answer from the plan that the answer then runs.
    BatchPlans plans(m_host, FolderTreeview1->path(), File1->items(), File1->pattern());
    const BatchJob job = batchJobFor(m_host.AskText(
        QStringLiteral("ARE YOU SURE (type YES to continue)"),
        QStringLiteral("CONFIRM LAUNCH BATCH MAY TAKE SEVERAL MINUTES!"), QStringLiteral("NO"),
        QStringLiteral("YES: the fixed clean-up. TITLES: each film or episode to its clean title, "
                       "as TITLE (YEAR) or SHOW S01E02. FOLDERS, FILES: every folder or file name "
                       "in upper case. Anything else cancels."),
        [&plans](const QString &answer) { return plans.preview(answer); }));
    if (job == BatchJob::Cancel)
        m_host.ShowMessage(QStringLiteral("Special Batch Cancelled"));
    else if (job == BatchJob::CleanUp)
        runCleanUpBatch(plans);
    else
        runRenamesOfFolder(plans, job);
    FolderTreeview1_Change();
}

QString frmRENAMER::applyChange(const QString &what, const QString &folder, const RenamePlan &plan,
                                WorkProgress &progress)
{
    return changeReport(applyRenamerChange(m_host, what, folder, plan, &progress), "name", "names");
}

RenamePlanner frmRENAMER::plannerForFolder()
{
    return RenamePlanner(FolderModel(m_host.ReadFolder(FolderTreeview1->path())),
                         Wildcard(File1->pattern()));
}

std::optional<BatchPlan> frmRENAMER::planAndApply(BatchPlans &plans, BatchJob job,
                                                  const QString &what, QString &report)
{
    const QString folder = FolderTreeview1->path();
    std::optional<BatchPlan> plan;
    runLong(QStringLiteral("Renaming the files of %1…").arg(folder), [&](WorkProgress &progress) {
        // A stop while the plan is made renames nothing.
        plan = plans.plan(job, [&progress] { return progress.stopRequested(); });
        if (plan)
            report = applyChange(what, folder, plan->renames, progress);
    });
    if (!plan)
        report = QStringLiteral("Stopped before anything was renamed.");
    return plan;
}

void frmRENAMER::runCleanUpBatch(BatchPlans &plans)
{
    const QString folder = FolderTreeview1->path();
    QString report;
    const std::optional<BatchPlan> plan =
        planAndApply(plans, BatchJob::CleanUp, QStringLiteral("the clean-up batch"), report);
    if (!plan) {
        m_host.ShowMessage(report);
        return;
    }
    // The window ends as if each step had been typed and pressed: the boxes
    // hold the last step's texts, the preview list the last year's rows.
    Text3->setText(passTable().last().from);
    Text2->setText(passTable().last().to);
    List1->clear();
    List1->addItems(plan->lastPreview);
    if (File1->path() != folder)
        File1->setPath(folder);
    Text1->setText(QStringLiteral("*.*"));
    Command1_Click();
    // A batch that was stopped is not completed, nor one that left names
    // unchanged without a word.
    const bool stopped = report.startsWith(QStringLiteral("Stopped"));
    m_host.ShowMessage(report.isEmpty() ? QStringLiteral("Special Batch Completed!")
                       : stopped        ? report
                                        : QStringLiteral("Special Batch Completed!\n\n") + report);
}

void frmRENAMER::runRenamesOfFolder(BatchPlans &plans, BatchJob job)
{
    QString report;
    planAndApply(plans, job,
                 job == BatchJob::Titles ? QStringLiteral("TITLES") : QStringLiteral("the upper-case walk"),
                 report);
    // The file list shows the names that are on disk now.
    File1->refresh();
    if (!report.isEmpty())
        m_host.ShowMessage(report);
}

void frmRENAMER::File1_DblClick()
{
    const QString entry = File1->selectedName();
    const QString folder = FolderTreeview1->path();
    switch (FileActions::actionFor(entry)) {
    case FileActions::Action::Nothing:
        return;
    case FileActions::Action::Play: {
        // A missing player is no reason to bother the user.
        const FileActions::ProgramCall player = FileActions::playerCall(folder, entry);
        m_host.StartProgram(player.program, player.arguments, player.windowStyle);
        return;
    }
    case FileActions::Action::Convert: {
        const FileActions::ProgramCall converter = FileActions::converterCall(folder, entry);
        const Outcome started =
            m_host.StartProgram(converter.program, converter.arguments, converter.windowStyle);
        if (!started) {
            m_host.ShowMessage(started.reason);
            return;
        }
        waitTwoClockTicks();
        return;
    }
    }
}

void frmRENAMER::waitTwoClockTicks()
{
    // The window may be closed while events are handled: only the host is used.
    Host &host = m_host;
    for (int tick = 0; tick < 2; ++tick) {
        const QString time = host.CurrentTimeText();
        while (host.CurrentTimeText() == time)
            host.YieldToEvents();
    }
}

void frmRENAMER::File1_KeyUp(int keyCode, Qt::KeyboardModifiers shift)
{
    Q_UNUSED(shift);
    if (keyCode != Qt::Key_Delete)
        return;
    // The selected file exactly as listed: a trimmed name could be another
    // file. Read-only, in use or gone: the list is refreshed all the same.
    QString message;
    if (File1->selectedIndex() >= 0)
        message = deleteToTrash(m_host, Paths::join(FolderTreeview1->path(), File1->selectedName()));
    File1->refresh();
    if (!message.isEmpty())
        m_host.ShowMessage(message);
}

void frmRENAMER::showWhatIsOnDisk()
{
    QString folder = FolderTreeview1->path();
    while (!FolderTreeview1->setPath(folder) && Paths::folderPart(folder) != folder)
        folder = Paths::folderPart(folder);
    FolderTreeview1->refresh();
    if (Text4->text() != FolderTreeview1->path())
        Text4->setText(FolderTreeview1->path());
    File1->refresh();
}

void frmRENAMER::ShowPreviewList()
{
    File1->hide();
    List1->show();
    List1->update();
}

void frmRENAMER::ShowFileList()
{
    File1->show();
    List1->hide();
    File1->refresh();
}
