#include "combiner/CombineFilesUsingCMD.h"

#include "app/Host.h"
#include "app/Paths.h"
#include "app/controls/FileDrop.h"
#include "app/controls/ListBox.h"
#include "app/controls/WindowLayout.h"
#include "combiner/CombinerFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CombineFilesUsingCMD::CombineFilesUsingCMD(Host &host, QWidget *mainMenu)
    : ToolWindow(host, mainMenu, QStringLiteral("CombineFilesUsingCMD"),
                 QStringLiteral("Create PocketDivX PDE or Combine VOBS to MPG CMD Batch"), QSize(7860, 7635),
                 QStringLiteral(":/icons/combiner.png"))
{
    using namespace WindowLayout;
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8));

    auto label = [this](const char *name, const QString &caption, int left, int top, int width,
                        int height) {
        auto *l = new QLabel(caption, this);
        l->setObjectName(QLatin1String(name));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(l, left, top, width, height);
    };
    auto textBox = [this](const char *name, const QString &text, int left, int top, int width,
                          int height) {
        auto *t = new QLineEdit(text, this);
        t->setObjectName(QLatin1String(name));
        place(t, left, top, width, height);
        return t;
    };
    auto button = [this](const char *name, const QString &caption, int left, int top, int width,
                         int height) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        place(b, left, top, width, height);
        return b;
    };

    label("Label1", QStringLiteral("Destination Filename"), 120, 240, 1695, 375);
    m_text1 = textBox("Text1", QStringLiteral("output.mpg"), 1920, 240, 5775, 285);
    label("Label2", QStringLiteral("Default Directory"), 120, 600, 1695, 375);
    m_text2 = textBox("Text2", Paths::hostRoot(), 1920, 600, 5775, 285);
    label("Label3",
          QStringLiteral("Drag MPG or VOB Files from Explorer and Drop onto the window list below"),
          120, 960, 6375, 255);
    auto *command4 = button("Command4", QStringLiteral("Clea&r"), 6720, 960, 975, 375);

    m_list1 = new ListBox(true, this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setAcceptsFileDrops(true);
    place(m_list1, 120, 1440, 7575, 5715);

    auto *command1 = button("Command1", QStringLiteral("&Create PDE"), 5640, 7200, 975, 375);
    auto *command5 = button("Command5", QStringLiteral("C&ombine"), 4590, 7200, 975, 375);
    auto *command2 = button("Command2", QStringLiteral("E&xit"), 6720, 7200, 975, 375);

    chainTabOrder({m_text1, m_list1, command1, command2, m_text2, command4, command5});
    m_text1->setFocus();

    connect(m_list1, &ListBox::filesDropped, this, &CombineFilesUsingCMD::List1_OLEDragDrop);
    connect(command4, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command4_Click);
    connect(command5, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command5_Click);
    connect(command1, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command1_Click);
    connect(command2, &QPushButton::clicked, this, &CombineFilesUsingCMD::Command2_Click);
}

void CombineFilesUsingCMD::List1_OLEDragDrop(const QList<QUrl> &urls)
{
    const QStringList added = addDroppedFiles(m_host, *m_list1, urls);
    if (!added.isEmpty())
        m_text2->setText(m_host.ParentFolder(added.last()));
}

void CombineFilesUsingCMD::Command4_Click()
{
    m_list1->clear();
}

void CombineFilesUsingCMD::Command5_Click()
{
    if (m_list1->count() == 0)
        return;
    writeAndClear(combineBatch(hostDialect(), m_list1->items(), m_text1->text(), m_text2->text(),
                               m_host.CurrentTimeText()));
}

void CombineFilesUsingCMD::Command1_Click()
{
    if (m_list1->count() == 0)
        return;
    writeAndClear(conversionList(m_list1->items(), m_text2->text()));
}

void CombineFilesUsingCMD::Command2_Click()
{
    exitToMainMenu();
}

void CombineFilesUsingCMD::writeAndClear(const PlannedTextFile &file)
{
    if (file.refused()) {
        m_host.ShowMessage(file.refusal);
        return;
    }
    const Outcome written = m_host.WriteTextFile(file.path, file.lines, file.lineEnd, file.executable);
    if (!written) {
        m_host.ShowMessage(QStringLiteral("Could not create \"%1\": %2")
                               .arg(file.path, written.reason));
        return;
    }
    m_host.ShowMessage(QStringLiteral("Now you are ready to go process ") + file.path);
    Command4_Click();
}
