// Only one copy of the editor runs at a time. On X11 the other copy is found
// by its window title ("... - Vaarikas"); everywhere a per-user local socket
// also marks the running copy, and a second copy asks it to come to the top.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "editor/x11windows.h"

class QLocalServer;

namespace vaarikas::sirel {

inline constexpr const char* kMsgAlreadyRunning = "Vaarikas is already running, cannot start another copy.";

// True when a window title marks a running copy: "Vaarikas" after its first
// character ("Untitled - Vaarikas" does, "Vaarikas" alone does not).
bool TitleMarksRunningCopy(const QString& title);

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  using Lister = std::function<std::optional<std::vector<TopWindow>>()>;
  using Raiser = std::function<void(std::uint32_t)>;

  // serverPath: the per-user socket; DefaultServerPath() for the program.
  explicit SingleInstance(QString serverPath, QObject* parent = nullptr);
  ~SingleInstance() override;

  // $XDG_RUNTIME_DIR (or the temporary directory) / vaarikas-sirel-<uid>.
  static QString DefaultServerPath();

  // The source of top-level windows and the way to raise one; X11 by default.
  void SetWindowAccess(Lister lister, Raiser raiser);

  // Looks for another running copy, skipping the windows in own. When one is
  // found returns true; RaiseOther then brings it to the top.
  bool FindOtherCopy(const std::vector<std::uint32_t>& own);
  void RaiseOther();

  // Becomes the running copy: listens for the requests of later copies.
  bool Listen();
  bool IsListening() const;
  QString ServerPath() const { return m_path; }

 signals:
  // A later copy asked this one to come to the top.
  void RaiseRequested();

 private:
  QString m_path;
  Lister m_lister;
  Raiser m_raiser;
  QLocalServer* m_server = nullptr;
  std::optional<std::uint32_t> m_otherWindow;
  bool m_otherBySocket = false;
};

}  // namespace vaarikas::sirel
