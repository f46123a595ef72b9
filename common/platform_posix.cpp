#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <thread>

#include "common/platform.h"

extern char** environ;

namespace vaarikas::plat {

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool FileReadable(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }

std::optional<long long> FileLength(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return std::nullopt;
  struct stat st;
  std::optional<long long> len;
  if (::fstat(fd, &st) == 0) len = static_cast<long long>(st.st_size);
  ::close(fd);
  return len;
}

std::string CurrentDir() {
  std::vector<char> buf(PATH_MAX);
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    buf.resize(buf.size() * 2);
  }
  return std::string(buf.data());
}

bool SetCurrentDir(const std::string& dir) { return ::chdir(dir.c_str()) == 0; }

std::vector<std::string> ListMatching(const std::string& dir, const std::string& pattern) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return names;
  while (struct dirent* e = ::readdir(d)) {
    if (::fnmatch(pattern.c_str(), e->d_name, FNM_PERIOD) == 0) names.emplace_back(e->d_name);
  }
  ::closedir(d);
  return names;
}

std::string ExecutablePath() {
  std::vector<char> buf(PATH_MAX);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<size_t>(n));
    buf.resize(buf.size() * 2);
  }
}

std::string ExecutableDir() {
  std::string p = ExecutablePath();
  auto cut = p.rfind(kSep);
  return cut == std::string::npos ? std::string(".") : p.substr(0, cut);
}

std::vector<std::string> SplitSearchPath(const std::string& list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) out.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

namespace {

class PosixProcess : public Process {
 public:
  explicit PosixProcess(pid_t pid) : pid_(pid) {}
  ~PosixProcess() override {
    // Never leave a zombie behind: reap a child that has already ended.
    if (!reaped_) ::waitpid(pid_, nullptr, WNOHANG);
  }

  Wait WaitFor(std::chrono::milliseconds ms) override {
    if (reaped_) return Wait::kExited;
    auto deadline = std::chrono::steady_clock::now() + ms;
    for (;;) {
      int status = 0;
      pid_t r = ::waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        reaped_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return Wait::kExited;
      }
      if (r < 0 && errno != EINTR) return Wait::kFailed;
      if (std::chrono::steady_clock::now() >= deadline) return Wait::kTimeout;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  void Terminate(int) override {
    if (!reaped_) ::kill(pid_, SIGTERM);
  }

  int ExitStatus() const override { return status_; }

 private:
  pid_t pid_;
  bool reaped_ = false;
  int status_ = -1;
};

std::mutex g_title_mutex;
std::function<std::vector<std::string>()> g_title_provider;

}  // namespace

std::unique_ptr<Process> StartProcess(const std::vector<std::string>& argv, const ProcessOptions& opts,
                                      std::string* why) {
  if (argv.empty()) {
    if (why) *why = "no program";
    return nullptr;
  }
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // A pipe with close-on-exec tells the parent whether exec succeeded.
  int fds[2];
  if (::pipe(fds) != 0) {
    if (why) *why = std::strerror(errno);
    return nullptr;
  }
  ::fcntl(fds[1], F_SETFD, FD_CLOEXEC);
  pid_t pid = ::fork();
  if (pid < 0) {
    if (why) *why = std::strerror(errno);
    ::close(fds[0]);
    ::close(fds[1]);
    return nullptr;
  }
  if (pid == 0) {
    ::close(fds[0]);
    if (!opts.working_dir.empty() && ::chdir(opts.working_dir.c_str()) != 0) {
      int e = errno;
      (void)!::write(fds[1], &e, sizeof e);
      ::_exit(127);
    }
    ::execve(args[0], args.data(), environ);
    int e = errno;
    (void)!::write(fds[1], &e, sizeof e);
    ::_exit(127);
  }
  ::close(fds[1]);
  int child_errno = 0;
  ssize_t n;
  do {
    n = ::read(fds[0], &child_errno, sizeof child_errno);
  } while (n < 0 && errno == EINTR);
  ::close(fds[0]);
  if (n == static_cast<ssize_t>(sizeof child_errno)) {
    ::waitpid(pid, nullptr, 0);
    if (why) *why = std::strerror(child_errno);
    return nullptr;
  }
  return std::make_unique<PosixProcess>(pid);
}

std::vector<std::string> TopLevelWindowTitles() {
  std::lock_guard<std::mutex> lock(g_title_mutex);
  if (g_title_provider) return g_title_provider();
  return {};
}

void SetWindowTitleProvider(std::function<std::vector<std::string>()> provider) {
  std::lock_guard<std::mutex> lock(g_title_mutex);
  g_title_provider = std::move(provider);
}

Library::~Library() {
  if (handle_) ::dlclose(handle_);
}

std::unique_ptr<Library> Library::Open(const std::string& path, std::string* why) {
  void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    if (why) {
      const char* e = ::dlerror();
      *why = e ? e : "cannot load library";
    }
    return nullptr;
  }
  return std::unique_ptr<Library>(new Library(h));
}

void* Library::Symbol(const char* name) const { return ::dlsym(handle_, name); }

}  // namespace vaarikas::plat
