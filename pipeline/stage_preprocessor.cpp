// First stage: the preprocessor `tera` as a child process over the source
// file, and the start of the pipeline's log "cgplog.txt".
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/platform.h"
#include "pipeline/mainframe.h"

namespace vaarikas {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool IsFinishedTitle(const std::string& t) { return t == "Finished - tera" || t == "Finished - Tera"; }

}  // namespace

int CMainFrame::RunPreprocessor() {
  const std::string source = WorkPath(m_strSourceFile);
  // The log is informational: when it cannot be created the stage goes on
  // without it.
  FilePtr log(std::fopen("cgplog.txt", "w+"));
  auto logWrite = [&](const std::string& bytes) {
    if (!log) return;
    std::fwrite(bytes.data(), 1, bytes.size(), log.get());
    std::fflush(log.get());
  };
  logWrite(source + "\n");

  {
    FilePtr in(std::fopen(source.c_str(), "r"));
    if (!in) {
      logWrite("\nei saa failist lugeda :-(?\n");
      return 1;
    }
    // Copy of the source text; its closing zero byte ends the text and is
    // not copied, and a "\r" before "\n" is dropped as text-mode reading does.
    // Copied a block at a time, so memory stays flat whatever the text's size.
    std::vector<char> buf(1 << 16);
    std::string copy;
    bool carriageReturn = false;  // a "\r" held back until the next byte is known
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), in.get())) > 0) {
      copy.clear();
      for (size_t i = 0; i < n; ++i) {
        char c = buf[i];
        if (carriageReturn) {
          carriageReturn = false;
          if (c != '\n') copy.push_back('\r');
        }
        if (c == '\0') continue;
        if (c == '\r') {
          carriageReturn = true;
          continue;
        }
        copy.push_back(c);
      }
      logWrite(copy);
    }
    if (carriageReturn) logWrite("\r");
  }
  log.reset();

  // An output left from an earlier run must never pass for this run's.
  std::remove(WorkPath(m_strLalFile).c_str());

  std::vector<std::string> argv = {ProgPath(plat::kPreprocessorName), "-k", m_strProgDir, source};
  plat::ProcessOptions opts;
  opts.working_dir = m_strWorkDir;
  opts.hidden = true;
  std::string why;
  std::unique_ptr<plat::Process> child = plat::StartProcess(argv, opts, &why);

  UI().BeginWaitCursor();
  if (!child) {
    AppendLog("\nCannot start " + argv[0] + ": " + why + "\n");
    UI().EndWaitCursor();
    return 1;
  }
  using std::chrono::milliseconds;
  while (true) {
    bool finished = false;
    for (const std::string& t : plat::TopLevelWindowTitles())
      if (IsFinishedTitle(t)) finished = true;
    if (finished) {
      child->Terminate(1);
      child->WaitFor(milliseconds(100));
      break;
    }
    if (child->WaitFor(milliseconds(100)) != plat::Process::Wait::kTimeout) break;
  }

  auto len = plat::FileLength(m_strLalFile);
  UI().EndWaitCursor();
  if (!len) throw FileError(m_strLalFile);
  return *len < 10 ? 1 : 0;
}

}  // namespace vaarikas
