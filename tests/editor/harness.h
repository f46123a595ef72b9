// Shared pieces of the editor tests: a pipeline whose stages are stand-ins,
// and a watcher that answers the modal dialogs the editor opens.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/platform.h"
#include "editor/errorviewerdlg.h"
#include "editor/singleinstance.h"
#include "editor/sirelframe.h"
#include "pipeline/mainframe.h"

namespace sireltest {

inline std::string ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<missing>";
  return f.readAll().toStdString();
}

inline void WriteBytes(const QString& path, const std::string& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Stages that record their calls; the syntax stage writes source.snx into the
// current directory (the working directory while the pipeline runs).
class StandInFrame : public vaarikas::CMainFrame {
 public:
  using CMainFrame::CMainFrame;
  int failAt = 0;             // 1..4: the stage that fails
  std::string snx = "Tere\n    tere+0 //_I_ // @ADVL\n";
  std::string errorFile;      // written to derrors.txt / synerrors.txt by a failing rule stage
  std::vector<std::string> calls;
  std::string cwdInStage;

  int RunPreprocessor() override { return Stage("pre", 1); }
  int RunMorphology() override { return Stage("morf", 2); }
  int RunDisambiguator() override {
    if (failAt == 3) WriteBytes("derrors.txt", errorFile);
    return Stage("disamb", 3);
  }
  int RunSyntax() override {
    if (failAt == 4) {
      WriteBytes("synerrors.txt", errorFile);
      return Stage("syntax", 4);
    }
    WriteBytes("source.snx", snx);
    return Stage("syntax", 4);
  }

 private:
  int Stage(const char* name, int n) {
    calls.emplace_back(name);
    cwdInStage = vaarikas::plat::CurrentDir();
    return failAt == n ? 1 : 0;
  }
};

// What a modal dialog looked like when it came up.
struct SeenDialog {
  QString className;
  QString title;
  QString text;  // message box text, or the error viewer's file text
};

// Answers every modal dialog: records it, lets the test act on it, closes it.
class ModalWatcher : public QObject {
 public:
  std::vector<SeenDialog> seen;
  // Called with the dialog before it is closed; return true when the handler
  // has ended the dialog itself.
  std::function<bool(QWidget*)> handler;

  ModalWatcher() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || busy_) return;
    busy_ = true;
    SeenDialog d{QString::fromLatin1(w->metaObject()->className()), w->windowTitle(), QString()};
    if (auto* box = qobject_cast<QMessageBox*>(w)) d.text = box->text();
    if (auto* viewer = qobject_cast<vaarikas::sirel::CErrorViewerDlg*>(w)) d.text = viewer->TextControl()->toPlainText();
    seen.push_back(d);
    bool done = handler && handler(w);
    if (!done) {
      if (auto* box = qobject_cast<QMessageBox*>(w)) box->accept();
      else if (auto* dlg = qobject_cast<QDialog*>(w)) dlg->reject();
      else w->close();
    }
    busy_ = false;
  }
  QTimer timer_;
  bool busy_ = false;
};

// A working directory and a program directory that passes the driver's
// checks (the preprocessor and the analyser library exist).
struct Dirs {
  QTemporaryDir work;
  QTemporaryDir prog;
  Dirs() {
    WriteBytes(prog.filePath(QString::fromLatin1(vaarikas::plat::kPreprocessorName)), "");
    WriteBytes(prog.filePath(QString::fromLatin1(vaarikas::plat::kAnalyserLibName)), "");
  }
  QString W(const char* name) const { return work.filePath(QString::fromLatin1(name)); }
};

inline std::unique_ptr<vaarikas::sirel::CSirelFrame> MakeWindow(const Dirs& dirs, StandInFrame** stages,
                                                                const QString& instancePath = QString()) {
  auto factory = [&dirs, stages](vaarikas::IUserInterface& ui) {
    auto f = std::make_unique<StandInFrame>(ui, dirs.work.path().toStdString(), dirs.prog.path().toStdString());
    if (stages) *stages = f.get();
    return std::unique_ptr<vaarikas::CMainFrame>(std::move(f));
  };
  auto w = std::make_unique<vaarikas::sirel::CSirelFrame>(factory, instancePath);
  // No desktop windows unless a test supplies them.
  w->Instance()->SetWindowAccess([] { return std::optional<std::vector<vaarikas::sirel::TopWindow>>(); }, nullptr);
  return w;
}

}  // namespace sireltest
