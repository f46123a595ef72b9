#include "pipeline/mainframe.h"

#include <cstdio>

#include "common/platform.h"

namespace vaarikas {

CMainFrame::CMainFrame(IUserInterface& ui)
    : m_strWorkDir(plat::CurrentDir()), m_strProgDir(plat::ExecutableDir()), m_pUI(&ui) {}

CMainFrame::CMainFrame(IUserInterface& ui, std::string workDir, std::string progDir)
    : m_strWorkDir(std::move(workDir)), m_strProgDir(std::move(progDir)), m_pUI(&ui) {}

std::string CMainFrame::ProgPath(const std::string& name) const { return m_strProgDir + plat::kSep + name; }
std::string CMainFrame::WorkPath(const std::string& name) const { return m_strWorkDir + plat::kSep + name; }

std::string CMainFrame::DisambiguatorLetters() const { return m_nHeuristics != 0 ? "kh" : "k"; }

std::string CMainFrame::SyntaxLetters() const {
  if (m_nHeuristics == 1) return "H";
  if (m_nHeuristics == 2) return "h";
  return "";
}

void CMainFrame::AppendLog(const std::string& bytes) {
  std::FILE* f = std::fopen("cgplog.txt", "ab");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void CMainFrame::CheckErrorFile(const std::string& name) {
  auto len = plat::FileLength(name);
  if (!len) throw FileError(name);
  if (*len > 10) UI().ShowErrorFile(name);
}

bool CMainFrame::RunPipeline() {
  if (!plat::FileExists(ProgPath(plat::kPreprocessorName))) {
    UI().MessageBox(std::string("Cannot find ") + plat::kPreprocessorName + ".");
    return false;
  }
  if (!plat::FileExists(ProgPath(plat::kAnalyserLibName))) {
    UI().MessageBox(std::string("Cannot find ") + plat::kAnalyserLibName + ".");
    return false;
  }
  if (!plat::FileReadable(m_strSourceFile)) {
    UI().MessageBox(m_strSourceFile + " has no read permision.");
    return false;
  }
  if (RunPreprocessor() != 0) {
    UI().MessageBox(kMsgPreprocessing);
    return false;
  }
  AppendLog("\n\nLausestaja l\xf5petas");
  if (RunMorphology() != 0) {
    UI().MessageBox(kMsgMorphology);
    return false;
  }
  AppendLog("\nMorf. anal\xfcsaator l\xf5petas");
  if (RunDisambiguator() != 0) {
    UI().MessageBox(kMsgDisambiguating);
    CheckErrorFile("derrors.txt");
    return false;
  }
  AppendLog("\n\xdchestaja l\xf5petas");
  if (RunSyntax() != 0) {
    UI().MessageBox(kMsgAnalysing);
    CheckErrorFile("synerrors.txt");
    return false;
  }
  return true;
}

}  // namespace vaarikas
