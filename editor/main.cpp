// sirel: the editor. Starts in the directory it is run from (the working
// directory of the analysis); an optional argument names a file to open.
#include <QApplication>
#include <QWidget>

#include "common/platform.h"
#include "editor/singleinstance.h"
#include "editor/sirelframe.h"
#include "editor/x11windows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("sirel"));
  QApplication::setOrganizationName(QStringLiteral("Vaarikas"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vaarikas"));
  QApplication::setApplicationVersion(QStringLiteral("0.1"));

  // The pipeline asks for the desktop's window titles: those of X11 where the
  // editor runs on it, else at least the editor's own windows.
  vaarikas::plat::SetWindowTitleProvider([] {
    std::vector<std::string> titles;
    if (auto windows = vaarikas::sirel::X11TopWindows()) {
      for (const auto& w : *windows) titles.push_back(w.title.toStdString());
    } else {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) titles.push_back(w->windowTitle().replace(QStringLiteral("[*]"), QString()).toStdString());
    }
    return titles;
  });

  vaarikas::sirel::CSirelFrame frame(vaarikas::sirel::CSirelFrame::DefaultFactory(),
                                     vaarikas::sirel::SingleInstance::DefaultServerPath());
  if (!frame.Create()) return 1;
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) frame.OpenFile(args.at(1));
  frame.show();
  return app.exec();
}
