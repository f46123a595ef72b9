// vaarikas analyse: the pipeline over text files, as the editor's Analyse
// command runs it, with the result printed to standard output.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

struct AnalyseOptions {
  std::string workdir;
  bool utf8 = true;
  int heuristics = 1;
  std::string grammar = "grammar.rle";
  std::vector<std::string> files;
};

bool ReadWhole(const std::string& path, std::string* out, std::string* why) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    *why = "is a directory";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *why = std::strerror(errno);
    return false;
  }
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    *why = "read error";
    return false;
  }
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::ofstream o(path, std::ios::binary | std::ios::trunc);
  if (!o) return false;
  o.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  o.close();
  return static_cast<bool>(o);
}

// A fresh private directory under $TMPDIR (or /tmp).
std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string tmpl = std::string(base && *base ? base : "/tmp") + "/vaarikas.XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) return std::string();
  return std::string(buf.data());
}

int ParseOptions(int argc, char** argv, AnalyseOptions* o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* name) -> const char* {
      if (i + 1 >= argc) {
        Fail("analyse: %s needs a value", name);
        return nullptr;
      }
      return argv[++i];
    };
    if (a == "--workdir") {
      const char* v = value("--workdir");
      if (!v) return 2;
      o->workdir = v;
    } else if (a == "--encoding") {
      const char* v = value("--encoding");
      if (!v) return 2;
      std::string e = v;
      for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (e == "utf-8" || e == "utf8") o->utf8 = true;
      else if (e == "windows-1257" || e == "cp1257") o->utf8 = false;
      else return Fail("analyse: unknown encoding '%s' (utf-8 or windows-1257)", v), 2;
    } else if (a == "--heuristics") {
      const char* v = value("--heuristics");
      if (!v) return 2;
      if (std::strcmp(v, "0") && std::strcmp(v, "1") && std::strcmp(v, "2"))
        return Fail("analyse: --heuristics takes 0, 1 or 2, not '%s'", v), 2;
      o->heuristics = v[0] - '0';
    } else if (a == "--grammar") {
      const char* v = value("--grammar");
      if (!v) return 2;
      o->grammar = v;
    } else if (a == "--") {
      for (++i; i < argc; ++i) o->files.push_back(argv[i]);
    } else if (a.size() > 1 && a[0] == '-') {
      return Fail("analyse: unknown option '%s' (see 'vaarikas --help')", a.c_str()), 2;
    } else {
      o->files.push_back(a);
    }
  }
  if (o->files.empty()) return Fail("analyse: no input file (see 'vaarikas --help')"), 2;
  return 0;
}

// Analyses one file; prints its result. Returns true on success.
bool AnalyseOne(const AnalyseOptions& o, const std::string& file, bool header) {
  std::string raw, why;
  if (!ReadWhole(file, &raw, &why)) {
    Fail("%s: cannot read: %s", file.c_str(), why.c_str());
    return false;
  }
  std::string text = raw;
  if (o.utf8) {
    size_t replaced = 0;
    text = Utf8ToCp1257(raw, &replaced);
    if (replaced)
      std::fprintf(stderr, "vaarikas: %s: %zu character(s) have no Windows-1257 form and were replaced by '?'\n",
                   file.c_str(), replaced);
  }
  // The source file ends at its first zero byte; a zero inside the text would
  // silently cut it, so refuse it instead.
  if (text.find('\0') != std::string::npos) {
    Fail("%s: holds zero bytes; not a text file", file.c_str());
    return false;
  }
  if (text.size() < kMinAnalyseLength) {
    Fail("%s: %s", file.c_str(), kMsgTooShort);
    return false;
  }

  bool temp = o.workdir.empty();
  std::string work = temp ? MakeTempDir() : o.workdir;
  if (work.empty()) {
    Fail("cannot create a temporary work directory: %s", std::strerror(errno));
    return false;
  }
  std::error_code ec;
  if (!temp) fs::create_directories(work, ec);
  work = fs::absolute(work, ec).lexically_normal().string();
  if (!work.empty() && work.size() > 1 && work.back() == '/') work.pop_back();

  ConsoleUserInterface ui;
  CMainFrame frame(ui, work, plat::ExecutableDir());
  frame.m_nHeuristics = o.heuristics;
  frame.m_strGrammarFile = o.grammar;

  bool ok = false;
  if (!WriteWhole(frame.WorkPath(frame.m_strPhraseFile), std::string()) ||
      !WriteWhole(frame.WorkPath(frame.m_strSourceFile), ExportBytes(text))) {
    Fail("%s: cannot write the working files in %s: %s", file.c_str(), work.c_str(), std::strerror(errno));
  } else {
    std::string previous = plat::CurrentDir();
    if (!plat::SetCurrentDir(work)) {
      Fail("cannot enter the work directory %s: %s", work.c_str(), std::strerror(errno));
    } else {
      try {
        ok = frame.RunPipeline();
      } catch (const FileError& e) {
        ui.MessageBox(e.Message());
        ok = false;
      }
      plat::SetCurrentDir(previous);
    }
  }

  if (ok) {
    std::string result;
    if (!ReadWhole(frame.WorkPath("source.snx"), &result, &why)) {
      Fail("%s: cannot read the result source.snx: %s", file.c_str(), why.c_str());
      ok = false;
    } else {
      if (auto z = result.find('\0'); z != std::string::npos) result.resize(z);
      if (header) std::printf("==> %s <==\n", file.c_str());
      std::string out = o.utf8 ? Cp1257ToUtf8(result) : result;
      std::fwrite(out.data(), 1, out.size(), stdout);
      std::fflush(stdout);
    }
  } else {
    std::fprintf(stderr, "vaarikas: %s: analysis failed\n", file.c_str());
  }
  if (temp) fs::remove_all(work, ec);
  return ok;
}

}  // namespace

int CmdAnalyse(int argc, char** argv) {
  AnalyseOptions o;
  if (int rc = ParseOptions(argc, argv, &o)) return rc == 2 ? 1 : rc;
  bool all_ok = true;
  for (const auto& f : o.files) all_ok = AnalyseOne(o, f, o.files.size() > 1) && all_ok;
  return all_ok ? 0 : 1;
}

}  // namespace vaarikas::cli
