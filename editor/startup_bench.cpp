// Start-up time of sirel: starts the program in a fresh working directory
// and measures until its main window is on the X display, several times.
// Needs an X display (e.g. xvfb-run -a build/bench/sirel_startup_bench).
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "editor/x11windows.h"

using vaarikas::sirel::X11TopWindows;

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication app(argc, argv);
  if (!X11TopWindows()) {
    std::fprintf(stderr, "sirel_startup_bench: needs an X display (try xvfb-run -a)\n");
    return 2;
  }
  const QString program = QStringLiteral(VAARIKAS_BIN_DIR "/sirel");
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QTemporaryDir work;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(work.path());
    QElapsedTimer t;
    t.start();
    p.start(program, {});
    if (!p.waitForStarted(5000)) {
      std::fprintf(stderr, "sirel_startup_bench: cannot start %s\n", qPrintable(program));
      return 1;
    }
    bool shown = false;
    while (!shown && t.elapsed() < 20000 && p.state() == QProcess::Running) {
      if (auto w = X11TopWindows())
        for (const auto& tw : *w)
          if (tw.viewable && tw.title.endsWith(QStringLiteral(" - Vaarikas"))) shown = true;
      if (!shown) QThread::msleep(2);
    }
    const double elapsed = static_cast<double>(t.nsecsElapsed()) / 1e6;
    p.terminate();
    if (!p.waitForFinished(5000)) p.kill(), p.waitForFinished(2000);
    if (!shown) {
      std::fprintf(stderr, "sirel_startup_bench: the main window did not appear\n");
      return 1;
    }
    ms.push_back(elapsed);
    std::printf("run %d: %.1f ms to the main window\n", i + 1, elapsed);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("sirel start-up: median %.1f ms, worst %.1f ms over %d runs (target < 1000 ms)\n", ms[ms.size() / 2],
              ms.back(), runs);
  return 0;
}
