#include "editor/singleinstance.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace vaarikas::sirel {

namespace {
constexpr char kRaise[] = "raise\n";
}

bool TitleMarksRunningCopy(const QString& title) { return title.indexOf(QLatin1String("Vaarikas")) > 0; }

SingleInstance::SingleInstance(QString serverPath, QObject* parent)
    : QObject(parent), m_path(std::move(serverPath)), m_lister(X11TopWindows), m_raiser(X11RaiseWindow) {}

SingleInstance::~SingleInstance() {
  if (m_server) m_server->close();
}

QString SingleInstance::DefaultServerPath() {
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QDir::tempPath();
  return dir + QStringLiteral("/vaarikas-sirel-") + QString::number(::getuid());
}

void SingleInstance::SetWindowAccess(Lister lister, Raiser raiser) {
  m_lister = std::move(lister);
  m_raiser = std::move(raiser);
}

bool SingleInstance::FindOtherCopy(const std::vector<std::uint32_t>& own) {
  m_otherWindow.reset();
  m_otherBySocket = false;
  if (m_lister) {
    if (auto windows = m_lister()) {
      for (const TopWindow& w : *windows) {
        if (std::find(own.begin(), own.end(), w.id) != own.end()) continue;
        if (TitleMarksRunningCopy(w.title)) {
          m_otherWindow = w.id;
          return true;
        }
      }
    }
  }
  if (m_path.isEmpty()) return false;
  QLocalSocket probe;
  probe.connectToServer(m_path);
  if (probe.waitForConnected(1000)) {
    probe.disconnectFromServer();
    m_otherBySocket = true;
    return true;
  }
  return false;
}

void SingleInstance::RaiseOther() {
  if (m_otherWindow) {
    if (m_raiser) m_raiser(*m_otherWindow);
    return;
  }
  if (!m_otherBySocket) return;
  QLocalSocket s;
  s.connectToServer(m_path);
  if (!s.waitForConnected(1000)) return;
  s.write(kRaise, sizeof kRaise - 1);
  s.waitForBytesWritten(1000);
  s.disconnectFromServer();
  if (s.state() != QLocalSocket::UnconnectedState) s.waitForDisconnected(1000);
}

bool SingleInstance::Listen() {
  if (m_path.isEmpty() || m_server) return m_server != nullptr;
  // Two copies starting at the same moment take turns here, so only one of
  // them ends up listening.
  QLockFile lock(m_path + QStringLiteral(".lock"));
  lock.setStaleLockTime(5000);
  if (!lock.tryLock(3000)) return false;
  {
    QLocalSocket probe;
    probe.connectToServer(m_path);
    if (probe.waitForConnected(300)) return false;
  }
  QLocalServer::removeServer(m_path);  // left behind by a copy that crashed
  auto* server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(m_path)) {
    delete server;
    return false;
  }
  m_server = server;
  connect(m_server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* s = m_server->nextPendingConnection()) {
      connect(s, &QLocalSocket::readyRead, this, [this, s] {
        if (s->readAll().contains("raise")) emit RaiseRequested();
      });
      connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    }
  });
  return true;
}

bool SingleInstance::IsListening() const { return m_server && m_server->isListening(); }

}  // namespace vaarikas::sirel
