#include "TestHost.h"

#include "gui/MainMenu.h"
#include "gui/combiner/CombinerWindow.h"
#include "gui/folderer/FoldererWindow.h"
#include "gui/renamer/RenamerWindow.h"

#include <QAccessible>
#include <QTest>
#include <functional>
#include <memory>

using MakeWindow = std::function<QWidget *(TestHost &)>;
Q_DECLARE_METATYPE(MakeWindow)

// Every control of the four windows that the keyboard can reach has a name
// that a screen reader says, as QAccessible gives it to the desktop.
class tst_AccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<MakeWindow>("make");
        // "objectName=accessible name", for every control that takes the focus.
        QTest::addColumn<QStringList>("names");

        QTest::newRow("MainMenu")
            << MakeWindow([](TestHost &h) { return new MainMenu(h, h); })
            << QStringList{"Command5=FILE RENAMER", "Command1=Help on the file renamer",
                           "Command2=FILE COMBINER", "Command6=Help on the file combiner",
                           "Command3=FILE FOLDERER", "Command7=Help on the file folderer",
                           "Command4=EXIT"};
        QTest::newRow("frmRENAMER")
            << MakeWindow([](TestHost &h) { return new RenamerWindow(h, h, nullptr); })
            << QStringList{"Text4=Folder", "Command5=SPECIAL BATCH", "Drive2=Drive",
                           "FolderTreeview1=Folders", "File1=Files", "List1=Preview of new names",
                           "Text1=FILTER", "Text3=CHANGE THIS", "Text2=RENAME TO",
                           "Command1=APPLY FILTER", "Command2=PREVIEW CHANGES",
                           "Command3=MAKE CHANGES", "Command4=EXIT"};
        QTest::newRow("FolderMaker")
            << MakeWindow([](TestHost &h) { return new FoldererWindow(h, h, nullptr); })
            << QStringList{"Text1=Number of Folders", "Text2=Destination Folder",
                           "List1=Dropped files", "List2=Planned folders",
                           "Command5=MakeFolders", "Command4=Clear", "Command2=Exit"};
        QTest::newRow("CombineFilesUsingCMD")
            << MakeWindow([](TestHost &h) { return new CombinerWindow(h, h, nullptr); })
            << QStringList{"Text1=Destination Filename", "Text2=Default Directory",
                           "List1=Dropped files", "Command4=Clear", "Command1=Create PDE",
                           "Command5=Combine", "Command2=Exit"};
    }
    void names()
    {
        QFETCH(MakeWindow, make);
        QFETCH(QStringList, names);

        TestHost host;
        std::unique_ptr<QWidget> window(make(host));
        QStringList heard;
        for (QWidget *control : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!(control->focusPolicy() & Qt::TabFocus))
                continue;
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
            QVERIFY(spoken);
            heard << control->objectName() + u'=' + spoken->text(QAccessible::Name);
        }
        heard.sort();
        names.sort();
        QCOMPARE(heard, names);
    }
};

QTEST_MAIN(tst_AccessibleNames)
#include "tst_AccessibleNames.moc"
