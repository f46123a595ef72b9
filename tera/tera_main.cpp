#include "tera/tera_main.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "common/platform.h"
#include "tera/automaton.h"
#include "tera/conv_table.h"
#include "tera/tokenizer.h"

namespace vaarikas::tera {
namespace {

constexpr const char* kUsage = "syntaks:\n   %s [-h|-H|-?] [-o kataloog] [-k PATH] [-e EXT] fail [fail...]\n";
constexpr const char* kOpenFailed = "Ei saanud mingi faili avamise/loomisega hakkama\n";

bool IsFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// One input file (or standard input) with its tables, output and error code.
class ProcessingRun {
 public:
  ProcessingRun(const Settings& s, const std::string& prog_dir) : s_(s), prog_dir_(prog_dir) {}
  ~ProcessingRun() { Close(); }

  // Loads the conversion table; prints the file name and opens the input and
  // the output (standard streams when name is null); loads the automaton.
  // Returns the run error code.
  int Open(const char* name) {
    LoadTable();
    if (name) {
      std::printf("%s\n", name);
      std::fflush(stdout);
      in_ = std::fopen(name, "rb");
      if (!in_) {
        SetError(errno ? errno : kErrTableNotFound);
      } else {
        named_ = true;
        OpenOutput(name);
      }
    } else {
      in_ = stdin;
      out_fd_ = 1;
    }
    LoadAutomaton();
    return error_;
  }

  // Prints why the data files could not be used, then the common message.
  void ReportOpenFailure() {
    if (!detail_.empty()) std::printf("%s", detail_.c_str());
    std::printf("%s", kOpenFailed);
    std::fflush(stdout);
  }

  // Runs the automaton; returns the exit status it asks for (0 or 1).
  int Run() {
    Input input(in_, table_);
    if (named_) {
      input.OnBlock([this] {
        static constexpr char kSpin[] = {'|', '/', '-', '\\'};
        std::printf("\r%c", kSpin[spin_++ % 4]);
      });
    }
    Tokenizer tokens(input);
    Output out(out_fd_, table_);
    int status;
    try {
      status = RunAutomaton(automaton_, tokens, out, stdout);
    } catch (const std::bad_alloc&) {
      out.Flush();
      std::printf("\rViga: m'alu sai otsa\n");
      status = 1;
    }
    SetError(tokens.Error());
    if (out.Error()) {
      std::printf("\rViga: v'aljundi kirjutamine eba'onnestus: %s\n", std::strerror(out.Error()));
      status = 1;
    } else if (error_ != 0 && error_ != kEndOfInput) {
      std::printf("\rViga: sisendi lugemine eba'onnestus: %s\n", std::strerror(error_));
      status = 1;
    }
    std::fflush(stdout);
    stopped_ = status != 0;
    return status;
  }

  void Close() {
    if (closed_) return;
    closed_ = true;
    if (out_fd_ > 1) {
      if (::close(out_fd_) != 0 && error_ == 0) SetError(errno);
    }
    if (in_ && in_ != stdin) std::fclose(in_);
    if (named_ && !stopped_ && (error_ == 0 || error_ == kEndOfInput)) std::printf("\r \r");
    std::fflush(stdout);
  }

 private:
  void SetError(int e) {
    if (error_ == 0 || error_ == kEndOfInput) error_ = e;
  }

  void LoadTable() {
    const std::string path = FindDataFile(s_.table, s_.search_path, prog_dir_);
    if (path.empty()) return SetError(kErrTableNotFound);
    std::string why;
    const int e = table_.Load(path, &why);
    if (e) {
      SetError(e);
      if (!why.empty()) detail_ += path + ": " + why + "\n";
    }
  }

  void LoadAutomaton() {
    const std::string path = FindDataFile(s_.automaton, s_.search_path, prog_dir_);
    if (path.empty()) return SetError(kErrAutomaton);
    std::string why;
    try {
      if (automaton_.Load(path, &why) != 0) {
        SetError(kErrAutomaton);
        if (!why.empty()) detail_ += path + ": " + why + "\n";
      }
    } catch (const std::bad_alloc&) {
      SetError(kErrAutomaton);
    }
  }

  void OpenOutput(const std::string& name) {
    const std::string out = OutputName(name, s_);
    // Writing the output over the input would destroy the text before it is read.
    struct stat a, b;
    if (::fstat(fileno(in_), &a) == 0 && ::stat(out.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
        a.st_ino == b.st_ino) {
      detail_ += out + ": v'aljundfail on sama mis sisendfail\n";
      return SetError(EINVAL);
    }
    out_fd_ = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out_fd_ < 0) SetError(errno);
  }

  const Settings& s_;
  const std::string& prog_dir_;
  ConvTable table_;
  Automaton automaton_;
  std::FILE* in_ = nullptr;
  int out_fd_ = -1;
  bool named_ = false;
  bool closed_ = false;
  bool stopped_ = false;  // the run stopped the program: the spinner stays
  int error_ = 0;
  unsigned spin_ = 0;
  std::string detail_;
};

}  // namespace

std::string FindDataFile(const std::string& name, const std::string& search_path, const std::string& prog_dir) {
  if (name.find('/') != std::string::npos) return IsFile(name) ? name : std::string();
  for (const std::string& dir : plat::SplitSearchPath(search_path)) {
    const std::string cand = dir.back() == '/' ? dir + name : dir + "/" + name;
    if (IsFile(cand)) return cand;
  }
  const std::string own = prog_dir + "/" + name;
  return IsFile(own) ? own : std::string();
}

std::string OutputName(const std::string& input, const Settings& s) {
  std::string name;
  if (!s.out_dir.empty()) {
    const auto slash = input.rfind('/');
    name = s.out_dir;
    if (name.back() != '/') name += '/';
    name += slash == std::string::npos ? input : input.substr(slash + 1);
  } else {
    name = input;
  }
  const auto slash = name.rfind('/');
  const auto dot = name.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) name.erase(dot);
  return name + s.ext;
}

int TeraMain(int argc, char** argv, char** envp) {
  Settings s;
  for (char** e = envp; e && *e; ++e) {
    if (std::strncmp(*e, "PATH=", 5) == 0 || std::strncmp(*e, "path=", 5) == 0 || std::strncmp(*e, "Path=", 5) == 0) {
      s.search_path = *e + 5;
      break;
    }
  }
  const char* prog = argc > 0 ? argv[0] : "tera";
  const auto usage = [&] {
    std::printf(kUsage, prog);
    std::fflush(stdout);
    return 1;
  };
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    std::string* value = nullptr;
    switch (argv[i][1]) {
      case 'h': case 'H': case '?': return usage();
      case 'c': value = &s.table; break;
      case 'e': value = &s.ext; break;
      case 'f': value = &s.automaton; break;
      case 'k': value = &s.search_path; break;
      case 'o': value = &s.out_dir; break;
      default:
        std::printf("Tundmatu parameeter: %s\n", argv[i]);
        std::fflush(stdout);
        return 1;
    }
    if (i + 1 >= argc) return usage();
    *value = argv[++i];
  }

  const std::string prog_dir = plat::ExecutableDir();
  if (i < argc) {
    for (; i < argc; ++i) {
      ProcessingRun run(s, prog_dir);
      if (run.Open(argv[i]) != 0) {
        run.ReportOpenFailure();
        return 1;
      }
      const int status = run.Run();
      run.Close();
      if (status != 0) return status;
    }
    return 0;
  }
  ProcessingRun run(s, prog_dir);
  if (run.Open(nullptr) != 0) {
    run.ReportOpenFailure();
    return 1;
  }
  const int status = run.Run();
  run.Close();
  return status;
}

}  // namespace vaarikas::tera
