#include "app/DesktopHost.h"
#include "renamer/frmRENAMER.h"
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QListView>
#include <QHelpEvent>
int main(int argc, char **argv) {
  QApplication app(argc, argv);
  DesktopHost host;
  frmRENAMER &w = *new frmRENAMER(host, nullptr);
  w.show();
  w.findChild<QLineEdit*>("Text4")->setText(argv[1]);
  w.findChild<QLineEdit*>("Text3")->setText(argv[2]);
  w.findChild<QLineEdit*>("Text2")->setText(argv[3]);
  w.findChild<QPushButton*>("Command2")->click();
  QTimer::singleShot(800, [&]{
    auto *list = w.findChild<QListView*>("List1");
    const int row = QString(argv[5]).toInt();
    QRect r = list->visualRect(list->model()->index(row,0));
    QPoint p = r.center();
    QHelpEvent ev(QEvent::ToolTip, p, list->viewport()->mapToGlobal(p));
    QApplication::sendEvent(list->viewport(), &ev);
  });
  QTimer::singleShot(2000, [&]{ QProcess::execute("import", {"-window","root", argv[4]}); app.quit(); });
  return app.exec();
}
