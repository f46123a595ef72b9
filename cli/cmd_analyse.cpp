// vaarikas analyse: the pipeline over text files, as the editor's Analyse
// command runs it. One file or a whole corpus: files, directories (searched
// recursively) or a list of names; several files run in parallel worker
// processes, each in its own work directory. Results go to standard output
// in input order, or into --output-dir under the inputs' relative names.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "cli/commands.h"
#include "common/encoding.h"
#include "common/platform.h"
#include "common/ui.h"
#include "pipeline/export.h"
#include "pipeline/mainframe.h"

namespace fs = std::filesystem;

namespace vaarikas::cli {
namespace {

struct Input {
  std::string path;  // as it is opened
  std::string rel;   // relative name under --output-dir / --workdir
};

struct AnalyseOptions {
  std::string workdir;
  std::string output_dir;
  std::string list;  // file with names, "-" for standard input
  bool utf8 = true;
  int heuristics = 1;
  std::string grammar = "grammar.rle";
  int jobs = 0;  // 0: number of cores
  bool progress = true;
  bool verbose = false;  // the stages' console text to standard error
  std::vector<std::string> args;
};

constexpr size_t kChunk = 1 << 16;

// A fresh private directory under $TMPDIR (or /tmp).
std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string tmpl = std::string(base && *base ? base : "/tmp") + "/vaarikas.XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) return std::string();
  return std::string(buf.data());
}

// Streams the input file into the source file as the editor exports a text:
// converted to Windows-1257, "." appended when the text has no sentence end,
// the caron letters at their Windows-1257 places, one zero byte at the end.
// Memory stays bounded whatever the file's size.
bool ExportFile(const std::string& in_path, const std::string& out_path, bool utf8, std::string* why) {
  std::error_code ec;
  if (fs::is_directory(in_path, ec)) return *why = "is a directory", false;
  std::ifstream in(in_path, std::ios::binary);
  if (!in) return *why = std::string("cannot read: ") + std::strerror(errno), false;
  std::ofstream out(out_path, std::ios::binary | std::ios::trunc);
  if (!out) return *why = "cannot write " + out_path + ": " + std::strerror(errno), false;

  std::string carry;  // an incomplete UTF-8 sequence at a chunk's end
  std::vector<char> buf(kChunk);
  size_t total = 0, replaced = 0;
  bool has_end = false;
  bool first = true;
  for (;;) {
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    std::streamsize n = in.gcount();
    if (n <= 0) break;
    std::string piece = carry + std::string(buf.data(), static_cast<size_t>(n));
    carry.clear();
    if (utf8 && !in.eof()) {
      // Hold back a sequence cut by the chunk boundary.
      size_t k = piece.size(), back = 0;
      while (k > 0 && back < 3 && (static_cast<unsigned char>(piece[k - 1]) & 0xC0) == 0x80) --k, ++back;
      if (k > 0) {
        unsigned char lead = static_cast<unsigned char>(piece[k - 1]);
        size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (need > 1 && need > back + 1) {
          carry = piece.substr(k - 1);
          piece.resize(k - 1);
        }
      }
    }
    // Whether the text ends a sentence is decided on the text as given, so
    // a "?" put in for an unrepresentable character does not count.
    if (piece.find_first_of(".?!") != std::string::npos) has_end = true;
    std::string text;
    if (utf8) {
      size_t bad = 0;
      text = Utf8ToCp1257(piece, &bad);
      if (!first && piece.compare(0, 3, "\xef\xbb\xbf") == 0) text.insert(0, "?"), ++bad;  // only a leading BOM is skipped
      replaced += bad;
    } else {
      text = std::move(piece);
    }
    first = false;
    if (text.find('\0') != std::string::npos) return *why = "holds zero bytes; not a text file", false;
    for (char& c : text) {
      switch (static_cast<unsigned char>(c)) {
        // In Windows-1257 these two are the spacing caron and ogonek; the
        // letter move below would turn them into Z/z with caron.
        case 0x8E:
        case 0x9E:
          c = '?';
          ++replaced;
          continue;
        default: break;
      }
      switch (static_cast<unsigned char>(c)) {
        case 0x8A: c = static_cast<char>(0xD0); break;
        case 0x9A: c = static_cast<char>(0xF0); break;
        default: break;
      }
    }
    total += text.size();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  if (in.bad()) return *why = "read error", false;
  if (!carry.empty()) {
    out.put('?');
    ++total;
    ++replaced;
  }
  if (total < kMinAnalyseLength) return *why = kMsgTooShort, false;
  if (!has_end) out.put('.');
  out.put('\0');
  out.close();
  if (!out) return *why = "cannot write " + out_path + " (disk full?)", false;
  if (replaced)
    std::fprintf(stderr, "vaarikas: %s: %zu character(s) have no Windows-1257 form and were replaced by '?'\n",
                 in_path.c_str(), replaced);
  return true;
}

// Copies the result file (up to its first zero byte) to the stream,
// converted to UTF-8 when asked.
bool CopyResult(const std::string& path, std::FILE* to, bool utf8, std::string* why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return *why = std::string("cannot read the result ") + path + ": " + std::strerror(errno), false;
  std::vector<char> buf(kChunk);
  for (;;) {
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    std::streamsize n = in.gcount();
    if (n <= 0) break;
    std::string piece(buf.data(), static_cast<size_t>(n));
    bool stop = false;
    if (auto z = piece.find('\0'); z != std::string::npos) piece.resize(z), stop = true;
    std::string out = utf8 ? Cp1257ToUtf8(piece) : piece;
    if (std::fwrite(out.data(), 1, out.size(), to) != out.size())
      return *why = "cannot write the result (disk full?)", false;
    if (stop) break;
  }
  if (std::fflush(to) != 0 || std::ferror(to)) return *why = "cannot write the result (disk full?)", false;
  return true;
}

// Runs the pipeline in work over the file; returns true when every stage
// succeeded. Messages go to standard error.
bool RunOne(const AnalyseOptions& o, const std::string& file, const std::string& work) {
  ConsoleUserInterface ui;
  CMainFrame frame(ui, work, plat::ExecutableDir());
  frame.m_nHeuristics = o.heuristics;
  frame.m_strGrammarFile = o.grammar;

  std::ofstream(frame.WorkPath(frame.m_strPhraseFile), std::ios::trunc);
  std::string why;
  if (!ExportFile(file, frame.WorkPath(frame.m_strSourceFile), o.utf8, &why)) {
    Fail("%s: %s", file.c_str(), why.c_str());
    return false;
  }
  // A result left by an earlier run in a kept work directory must never pass
  // for this run's.
  std::remove(frame.WorkPath("source.snx").c_str());
  std::string previous = plat::CurrentDir();
  if (!plat::SetCurrentDir(work)) {
    Fail("cannot enter the work directory %s: %s", work.c_str(), std::strerror(errno));
    return false;
  }
  // The stages and the preprocessor write console text to standard output,
  // which carries the results here: send it to standard error with
  // --verbose, else nowhere, for the length of the run.
  std::fflush(stdout);
  int saved_stdout = ::dup(1);
  int sink = o.verbose ? ::dup(2) : ::open("/dev/null", O_WRONLY);
  if (sink >= 0) {
    ::dup2(sink, 1);
    ::close(sink);
  }
  bool ok = false;
  try {
    ok = frame.RunPipeline();
  } catch (const FileError& e) {
    ui.MessageBox(e.Message());
  }
  std::fflush(stdout);
  if (saved_stdout >= 0) {
    ::dup2(saved_stdout, 1);
    ::close(saved_stdout);
  }
  plat::SetCurrentDir(previous);
  if (!ok) Fail("%s: analysis failed", file.c_str());
  return ok;
}

// Words of a file: runs of non-blank bytes. For the progress figures only.
long long CountWords(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buf(kChunk);
  long long words = 0;
  bool inword = false;
  while (in.read(buf.data(), static_cast<std::streamsize>(buf.size())) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      bool blank = std::isspace(static_cast<unsigned char>(buf[static_cast<size_t>(i)])) != 0;
      if (!blank && !inword) ++words;
      inword = !blank;
    }
  }
  return words;
}

std::string RelativeName(const fs::path& p) {
  fs::path n = p.lexically_normal();
  if (n.is_absolute() || n.empty() || *n.begin() == "..") return n.filename().string();
  return n.string();
}

bool CollectInputs(const AnalyseOptions& o, std::vector<Input>* inputs) {
  std::vector<std::string> names = o.args;
  if (!o.list.empty()) {
    std::ifstream f;
    std::istream* in = &std::cin;
    if (o.list != "-") {
      f.open(o.list);
      if (!f) return Fail("analyse: cannot read the list %s: %s", o.list.c_str(), std::strerror(errno)), false;
      in = &f;
    }
    std::string line;
    while (std::getline(*in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) names.push_back(line);
    }
  }
  for (const auto& name : names) {
    std::error_code ec;
    if (fs::is_directory(name, ec)) {
      std::vector<fs::path> found;
      for (auto it = fs::recursive_directory_iterator(name, fs::directory_options::skip_permission_denied, ec);
           !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec)) found.push_back(it->path());
      std::sort(found.begin(), found.end());
      for (const auto& p : found) inputs->push_back({p.string(), fs::relative(p, name, ec).string()});
    } else {
      inputs->push_back({name, RelativeName(name)});
    }
  }
  if (inputs->empty()) return Fail("analyse: no input file (see 'vaarikas --help')"), false;
  return true;
}

int ParseOptions(int argc, char** argv, AnalyseOptions* o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (a == "--workdir" || a == "--output-dir" || a == "--encoding" || a == "--heuristics" || a == "--grammar" ||
        a == "--list" || a == "-j") {
      v = value();
      if (!v) return Fail("analyse: %s needs a value", a.c_str());
    } else if (a.size() > 2 && a.compare(0, 2, "-j") == 0) {
      v = argv[i] + 2;
      a = "-j";
    }
    if (a == "--workdir") {
      o->workdir = v;
    } else if (a == "--output-dir") {
      o->output_dir = v;
    } else if (a == "--list") {
      o->list = v;
    } else if (a == "--encoding") {
      std::string e = v;
      for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (e == "utf-8" || e == "utf8") o->utf8 = true;
      else if (e == "windows-1257" || e == "cp1257") o->utf8 = false;
      else return Fail("analyse: unknown encoding '%s' (utf-8 or windows-1257)", v);
    } else if (a == "--heuristics") {
      if (std::strcmp(v, "0") && std::strcmp(v, "1") && std::strcmp(v, "2"))
        return Fail("analyse: --heuristics takes 0, 1 or 2, not '%s'", v);
      o->heuristics = v[0] - '0';
    } else if (a == "--grammar") {
      o->grammar = v;
    } else if (a == "-j") {
      char* end = nullptr;
      long n = std::strtol(v, &end, 10);
      if (!*v || *end || n < 1 || n > 1024) return Fail("analyse: -j takes a number of workers, not '%s'", v);
      o->jobs = static_cast<int>(n);
    } else if (a == "--verbose" || a == "-v") {
      o->verbose = true;
    } else if (a == "--no-progress") {
      o->progress = false;
    } else if (a == "--") {
      for (++i; i < argc; ++i) o->args.push_back(argv[i]);
    } else if (a.size() > 1 && a[0] == '-') {
      return Fail("analyse: unknown option '%s' (see 'vaarikas --help')", a.c_str());
    } else {
      o->args.push_back(a);
    }
  }
  if (o->jobs == 0) o->jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return 0;
}

struct Job {
  Input input;
  std::string work;
  bool temp_work = false;
  pid_t pid = -1;
  bool done = false;
  bool ok = false;
};

std::string FormatDuration(double s) {
  char b[32];
  long t = static_cast<long>(s + 0.5);
  if (t >= 3600) std::snprintf(b, sizeof b, "%ldh%02ldm", t / 3600, (t / 60) % 60);
  else std::snprintf(b, sizeof b, "%ldm%02lds", t / 60, t % 60);
  return b;
}

class Progress {
 public:
  Progress(bool on, size_t total) : on_(on && ::isatty(2)), total_(total), start_(Clock::now()) {}
  void Update(size_t done, long long words) {
    if (!on_) return;
    double secs = Seconds();
    double wps = secs > 0 ? static_cast<double>(words) / secs : 0;
    std::string eta = done > 0 && done < total_ ? FormatDuration(secs / static_cast<double>(done) *
                                                                 static_cast<double>(total_ - done))
                                                : "-";
    int width = 30;
    int fill = total_ ? static_cast<int>(width * done / total_) : width;
    std::fprintf(stderr, "\r[%s%s] %zu/%zu files, %.0f words/s, left %s   ", std::string(static_cast<size_t>(fill), '#').c_str(),
                 std::string(static_cast<size_t>(width - fill), '.').c_str(), done, total_, wps, eta.c_str());
    std::fflush(stderr);
    drawn_ = true;
  }
  void Clear() {
    if (drawn_) std::fprintf(stderr, "\r%*s\r", 79, "");
    drawn_ = false;
  }
  double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

 private:
  using Clock = std::chrono::steady_clock;
  bool on_;
  size_t total_;
  Clock::time_point start_;
  bool drawn_ = false;
};

}  // namespace

int CmdAnalyse(int argc, char** argv) {
  AnalyseOptions o;
  if (ParseOptions(argc, argv, &o) != 0) return 1;
  std::vector<Input> inputs;
  if (!CollectInputs(o, &inputs)) return 1;
  const bool many = inputs.size() > 1;

  std::vector<Job> jobs(inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) jobs[i].input = inputs[i];

  auto prepare = [&](Job& j) -> bool {
    std::error_code ec;
    if (o.workdir.empty()) {
      j.work = MakeTempDir();
      j.temp_work = true;
      if (j.work.empty()) return Fail("cannot create a temporary work directory: %s", std::strerror(errno)), false;
    } else {
      fs::path w = many ? fs::path(o.workdir) / j.input.rel : fs::path(o.workdir);
      fs::create_directories(w, ec);
      if (ec) return Fail("cannot create the work directory %s: %s", w.c_str(), ec.message().c_str()), false;
      j.work = fs::absolute(w, ec).lexically_normal().string();
      if (j.work.size() > 1 && j.work.back() == '/') j.work.pop_back();
    }
    return true;
  };

  // Delivers a finished job's result: to standard output or the output dir.
  auto deliver = [&](Job& j) -> bool {
    std::string why;
    std::string result = j.work + "/source.snx";
    if (o.output_dir.empty()) {
      if (many) std::printf("==> %s <==\n", j.input.path.c_str());
      std::fflush(stdout);
      if (!CopyResult(result, stdout, o.utf8, &why)) return Fail("%s: %s", j.input.path.c_str(), why.c_str()), false;
      return true;
    }
    fs::path target = fs::path(o.output_dir) / (j.input.rel + ".snx");
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::string tmp = target.string() + ".part";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return Fail("%s: cannot write %s: %s", j.input.path.c_str(), tmp.c_str(), std::strerror(errno)), false;
    bool ok = CopyResult(result, f, o.utf8, &why);
    if (std::fclose(f) != 0) ok = false, why = "cannot write the result (disk full?)";
    if (!ok || std::rename(tmp.c_str(), target.c_str()) != 0) {
      std::remove(tmp.c_str());
      return Fail("%s: %s", j.input.path.c_str(), why.empty() ? std::strerror(errno) : why.c_str()), false;
    }
    return true;
  };

  Progress progress(o.progress && many, jobs.size());
  size_t next = 0, running = 0, finished = 0, delivered = 0, failed = 0;
  long long words = 0;
  std::map<pid_t, size_t> by_pid;

  auto finish = [&](size_t i, bool ok) {
    Job& j = jobs[i];
    j.done = true;
    j.ok = ok;
    ++finished;
    words += CountWords(j.input.path);
  };
  // Results are handed out in input order as soon as all earlier ones are.
  auto flush_ready = [&]() {
    while (delivered < jobs.size() && jobs[delivered].done) {
      Job& j = jobs[delivered];
      progress.Clear();
      if (!j.ok || !deliver(j)) ++failed;
      if (j.temp_work) {
        std::error_code ec;
        fs::remove_all(j.work, ec);
      }
      ++delivered;
    }
    progress.Update(finished, words);
  };

  std::fflush(stdout);
  std::fflush(stderr);
  while (delivered < jobs.size()) {
    while (running < static_cast<size_t>(o.jobs) && next < jobs.size()) {
      size_t i = next++;
      Job& j = jobs[i];
      if (!prepare(j)) {
        finish(i, false);
        continue;
      }
      if (o.jobs == 1 || jobs.size() == 1) {
        // One at a time: no worker process needed.
        finish(i, RunOne(o, j.input.path, j.work));
        flush_ready();
        continue;
      }
      pid_t pid = ::fork();
      if (pid < 0) {
        Fail("cannot start a worker process: %s", std::strerror(errno));
        finish(i, false);
        continue;
      }
      if (pid == 0) {
        bool ok = RunOne(o, j.input.path, j.work);
        std::fflush(nullptr);
        ::_exit(ok ? 0 : 1);
      }
      j.pid = pid;
      by_pid[pid] = i;
      ++running;
    }
    flush_ready();
    if (running == 0) continue;
    int status = 0;
    pid_t pid = ::waitpid(-1, &status, 0);
    if (pid < 0) {
      if (errno == EINTR) continue;
      break;
    }
    auto it = by_pid.find(pid);
    if (it == by_pid.end()) continue;
    --running;
    bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (WIFSIGNALED(status)) Fail("%s: worker ended by signal %d", jobs[it->second].input.path.c_str(), WTERMSIG(status));
    finish(it->second, ok);
    by_pid.erase(it);
  }
  flush_ready();
  progress.Clear();
  if (many) {
    double secs = progress.Seconds();
    std::fprintf(stderr, "vaarikas: %zu file(s), %zu failed, %lld words in %.1f s (%.0f words/s)\n", jobs.size(),
                 failed, words, secs, secs > 0 ? static_cast<double>(words) / secs : 0.0);
  }
  return failed ? 1 : 0;
}

}  // namespace vaarikas::cli
