// Test helpers: a scratch directory and running the tera program.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace vaarikas::tera::testing {

inline const std::string kTera = std::string(VAARIKAS_BIN_DIR) + "/tera";
inline const std::string kData = std::string(VAARIKAS_SOURCE_DIR) + "/data";

class ScratchDir {
 public:
  ScratchDir() {
    std::string t = std::filesystem::temp_directory_path().string() + "/tera_test_XXXXXX";
    path_ = ::mkdtemp(t.data()) ? t : std::string();
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

struct ProcResult {
  int status = -1;
  std::string out;
};

// Runs tera with args (argv[0] is kTera) in cwd, with exactly the given
// environment, feeding input on standard input.
inline ProcResult RunTera(const std::vector<std::string>& args, const std::string& cwd,
                          const std::vector<std::string>& env = {}, const std::string& input = "") {
  int in[2], out[2];
  ProcResult r;
  if (::pipe(in) != 0 || ::pipe(out) != 0) return r;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::close(in[1]);
    ::close(out[0]);
    if (::chdir(cwd.c_str()) != 0) ::_exit(99);
    std::vector<char*> argv, envp;
    argv.push_back(const_cast<char*>(kTera.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    ::execve(kTera.c_str(), argv.data(), envp.data());
    ::_exit(98);
  }
  ::close(in[0]);
  ::close(out[1]);
  // Inputs are small; the child reads them before it writes much. A child
  // that stops before reading (a missing data file) closes the pipe: the
  // write then fails instead of raising SIGPIPE in the test program. Only
  // the parent ignores the signal, after the fork, so tera runs with the
  // default disposition.
  std::signal(SIGPIPE, SIG_IGN);
  std::size_t done = 0;
  while (done < input.size()) {
    const ssize_t w = ::write(in[1], input.data() + done, input.size() - done);
    if (w <= 0) break;
    done += static_cast<std::size_t>(w);
  }
  ::close(in[1]);
  char buf[4096];
  ssize_t n;
  while ((n = ::read(out[0], buf, sizeof buf)) > 0) r.out.append(buf, static_cast<std::size_t>(n));
  ::close(out[0]);
  int st = 0;
  ::waitpid(pid, &st, 0);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

}  // namespace vaarikas::tera::testing
