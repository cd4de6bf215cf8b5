// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestHost.h"

#include "gui/MainMenu.h"
#include "gui/MainMenuControls.h"
#include "gui/combiner/CombinerControls.h"
#include "gui/combiner/CombinerWindow.h"
#include "gui/folderer/FoldererControls.h"
#include "gui/folderer/FoldererWindow.h"
#include "gui/renamer/RenamerControls.h"
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

        const auto heard = [](std::initializer_list<std::pair<const char *, const char *>> controls) {
            QStringList names;
            for (const auto &[control, name] : controls)
                names << QString::fromLatin1(control) + u'=' + QString::fromUtf8(name);
            return names;
        };
        QTest::newRow(MainMenuControls::window)
            << MakeWindow([](TestHost &h) { return new MainMenu(h, h); })
            << heard({{MainMenuControls::renamer, "FILE RENAMER"},
                      {MainMenuControls::renamerHelp, "Help on the file renamer"},
                      {MainMenuControls::combiner, "FILE COMBINER"},
                      {MainMenuControls::combinerHelp, "Help on the file combiner"},
                      {MainMenuControls::folderer, "FILE FOLDERER"},
                      {MainMenuControls::foldererHelp, "Help on the file folderer"},
                      {MainMenuControls::exit, "EXIT"}});
        QTest::newRow(RenamerControls::window)
            << MakeWindow([](TestHost &h) { return new RenamerWindow(h, h, nullptr); })
            << heard({{RenamerControls::path, "Folder"},
                      {RenamerControls::specialBatch, "SPECIAL BATCH"},
                      {RenamerControls::drives, "Drive"},
                      {RenamerControls::folders, "Folders"},
                      {RenamerControls::files, "Files"},
                      {RenamerControls::preview, "Preview of new names"},
                      {RenamerControls::filter, "FILTER"},
                      {RenamerControls::changeThis, "CHANGE THIS"},
                      {RenamerControls::renameTo, "RENAME TO"},
                      {RenamerControls::applyFilter, "APPLY FILTER"},
                      {RenamerControls::previewChanges, "PREVIEW CHANGES"},
                      {RenamerControls::makeChanges, "MAKE CHANGES"},
                      {RenamerControls::exit, "EXIT"}});
        QTest::newRow(FoldererControls::window)
            << MakeWindow([](TestHost &h) { return new FoldererWindow(h, h, nullptr); })
            << heard({{FoldererControls::count, "Number of Folders"},
                      {FoldererControls::destination, "Destination Folder"},
                      {FoldererControls::files, "Dropped files"},
                      {FoldererControls::folders, "Planned folders"},
                      {FoldererControls::makeFolders, "MakeFolders"},
                      {FoldererControls::clear, "Clear"},
                      {FoldererControls::exit, "Exit"}});
        QTest::newRow(CombinerControls::window)
            << MakeWindow([](TestHost &h) { return new CombinerWindow(h, h, nullptr); })
            << heard({{CombinerControls::destination, "Destination Filename"},
                      {CombinerControls::folder, "Default Directory"},
                      {CombinerControls::files, "Dropped files"},
                      {CombinerControls::clear, "Clear"},
                      {CombinerControls::createPde, "Create PDE"},
                      {CombinerControls::combine, "Combine"},
                      {CombinerControls::exit, "Exit"}});
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
