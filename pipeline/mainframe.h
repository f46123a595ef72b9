// The main window's settings and the pipeline driver. Toolkit-free: the
// editor and the console front end supply an IUserInterface.
#pragma once

#include <cstdint>
#include <string>

#include "common/ui.h"

namespace vaarikas {

class CMainFrame {
 public:
  // Settings as at start-up: the working directory is the current directory
  // now, the program directory that of the running executable.
  explicit CMainFrame(IUserInterface& ui);
  // Explicit directories (tests, the console front end).
  CMainFrame(IUserInterface& ui, std::string workDir, std::string progDir);
  virtual ~CMainFrame() = default;

  // Settings read by the stages.
  std::string m_strWorkDir;
  std::string m_strProgDir;
  std::string m_strSourceFile = "source.nps";
  std::string m_strLalFile = "source.lal";
  std::string m_strMorfFile = "source.txt";
  std::string m_strCgdFile = "source.cgd";
  std::string m_strPhraseFile = "phrases.nps";
  int32_t m_nHeuristics = 1;
  std::string m_strGrammarFile = "grammar.rle";

  // Runs the checks and the four stages over the source file in the current
  // directory (the working directory). Failures are reported through the
  // user interface; the result says whether every stage succeeded. A working
  // file that a size check cannot open throws FileError.
  bool RunPipeline();

  // The four stages: 0 on success, 1 on failure. Virtual so that tests can
  // drive the pipeline with stand-in stages.
  virtual int RunPreprocessor();
  virtual int RunMorphology();
  virtual int RunDisambiguator();
  virtual int RunSyntax();

  // Option letters handed to the two rule stages for the heuristics level.
  std::string DisambiguatorLetters() const;
  std::string SyntaxLetters() const;

  // Path of a file in the program directory / working directory.
  std::string ProgPath(const std::string& name) const;
  std::string WorkPath(const std::string& name) const;

  IUserInterface& UI() const { return *m_pUI; }

 protected:
  // Appends bytes to "cgplog.txt"; skipped when the log cannot be opened.
  void AppendLog(const std::string& bytes);
  // Shows the error file when it holds more than 10 bytes.
  void CheckErrorFile(const std::string& name);

 private:
  IUserInterface* m_pUI;
};

// Messages of the driver.
inline constexpr const char* kMsgPreprocessing = "Errors occured during preprocessing.";
inline constexpr const char* kMsgMorphology = "Errors occured during morphological analysis.";
inline constexpr const char* kMsgDisambiguating = "Errors occured during disambiguating.";
inline constexpr const char* kMsgAnalysing = "Errors occured during analysing.";

}  // namespace vaarikas
