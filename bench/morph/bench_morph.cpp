// Tokens per second of the morphological stage's own work: the whole stage
// (library calls, tagging, verb lexicon, both output files) with the stand-in
// analyser, which answers from a table and so costs next to nothing; and the
// tagging plus verb lexicon step alone, in memory.
//
// Usage: bench_morph [TOKENS] [STANDIN_LIBRARY]
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/ui.h"
#include "morph/lexicon.h"
#include "morph/stage.h"
#include "morph/tagger.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A small vocabulary of analyser texts of every kind the tagger handles.
const std::vector<std::pair<std::string, std::string>> kVocabulary = {
    {"Mees", "    mees+0 //_S_ sg n, //\n"},
    {"ostis", "    ost+is //_V_ s, //\n"},
    {"poest", "    pood+st //_S_ sg el, //\n"},
    {"leiba", "    leib+0 //_S_ sg p, //\n"},
    {"maja", "    maja+0 //_S_ sg n, sg g, sg p, //\n"},
    {"ilusa", "    ilus+0 //_A_ sg g, sg p, //\n"},
    {"on", "    ole+0 //_V_ b, vad, //\n"},
    {"tehku", "    tege+gu //_V_ gu, //\n"},
    {"ei", "    ei+0 //_V_ neg, //\n"},
    {"tulnud", "    tule+nud //_V_ neg nud, //\n    tule=nud+0 //_A_ sg n, pl n, //\n"},
    {"\xFCle", "    \xFCle+0 //_K_ //\n    \xFCle+0 //_D_ //\n"},
    {"ja", "    ja+0 //_J_ //\n"},
    {"see", "    see+0 //_P_ sg n, //\n"},
    {"viis", "    viis+0 //_N_ sg n, //\n    vii+s //_V_ s, //\n"},
    {"lugemine", "    luge=mine+0 //_S_ sg n, //\n"},
    {".", "    . //_Z_ //\n"},
    {",", "    , //_Z_ //\n"},
};

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream o(path, std::ios::binary);
  o << bytes;
}

class QuietUI : public vaarikas::IUserInterface {
 public:
  void MessageBox(const std::string& t) override { std::fprintf(stderr, "message: %s\n", t.c_str()); }
  void ShowErrorFile(const std::string&) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void SetStatusText(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  long tokens = argc > 1 ? std::atol(argv[1]) : 500000;
#ifdef STANDIN_VORMIK
  std::string standin = argc > 2 ? argv[2] : STANDIN_VORMIK;
#else
  std::string standin = argc > 2 ? argv[2] : "";
#endif
  const std::string src = VAARIKAS_SOURCE_DIR;
  fs::path dir = fs::temp_directory_path() / ("vaarikas-bench-morph." + std::to_string(::getpid()));
  fs::create_directories(dir / "prog");
  fs::create_directories(dir / "work");
  fs::copy_file(src + "/data/lexicon.lex", dir / "prog/lexicon.lex");
  fs::copy_file(src + "/data/verblex.lx", dir / "prog/verblex.lx");

  std::string dct = "%capacity 8\n", lal, texts;
  for (const auto& [w, r] : kVocabulary) dct += w + "\n" + r;
  std::vector<std::string> all;
  for (const auto& [w, r] : kVocabulary) all.push_back(w + "\n" + r);
  for (long i = 0; i < tokens; ++i) lal += kVocabulary[(i * 7 + i / 3) % kVocabulary.size()].first + "\n";
  Write((dir / "prog/eesti.dct").string(), dct);
  Write((dir / "work/source.lal").string(), lal);

  // 1. Tagging and the verb lexicon alone.
  std::FILE* saved = std::freopen("/dev/null", "w", stdout);
  (void)saved;
  vaarikas::morph::ReadLexiconLists((dir / "prog/lexicon.lex").string());
  vaarikas::morph::ReadVerbLexicon((dir / "prog/verblex.lx").string());
  vaarikas::morph::CohortTagger tagger;
  size_t bytes = 0;
  auto t0 = Clock::now();
  std::clock_t c0 = std::clock();
  for (long i = 0; i < tokens; ++i)
    bytes += vaarikas::morph::ApplyVerbLexicon(tagger.Tag(all[(i * 7 + i / 3) % all.size()])).size();
  double tagSec = std::chrono::duration<double>(Clock::now() - t0).count();
  double tagCpu = double(std::clock() - c0) / CLOCKS_PER_SEC;
  vaarikas::morph::FreeVerbLexicon();

  // 2. The whole stage with the stand-in analyser.
  double stageSec = -1, stageCpu = -1;
  int rc = -1;
  if (!standin.empty() && fs::exists(standin)) {
    fs::create_symlink(standin, dir / "prog/libvormik.so");
    vaarikas::morph::MorphStageSettings s;
    s.workDir = (dir / "work").string();
    s.progDir = (dir / "prog").string();
    s.libraryPath = (dir / "prog/libvormik.so").string();
    std::FILE* quiet = std::fopen("/dev/null", "w");
    s.diagnostics = quiet;
    fs::current_path(dir / "work");
    QuietUI ui;
    auto t1 = Clock::now();
    std::clock_t c1 = std::clock();
    rc = vaarikas::morph::RunMorphologyStage(s, ui);
    stageSec = std::chrono::duration<double>(Clock::now() - t1).count();
    stageCpu = double(std::clock() - c1) / CLOCKS_PER_SEC;
    if (quiet) std::fclose(quiet);
    fs::current_path(dir);
  }
  std::FILE* tty = std::fopen("/dev/tty", "w");
  std::FILE* o = tty ? tty : stderr;
  std::fprintf(o, "morph bench: %ld tokens\n", tokens);
  std::fprintf(o, "  tagging + verb lexicon (in memory): %.3f s wall, %.0f tokens/s; CPU %.3f s, %.0f tokens/s"
               " (%zu bytes out)\n", tagSec, tokens / tagSec, tagCpu, tokens / tagCpu, bytes);
  if (stageSec >= 0)
    std::fprintf(o, "  whole stage, stand-in analyser:     %.3f s wall, %.0f tokens/s; CPU %.3f s, %.0f tokens/s"
                 " (result %d)\n", stageSec, tokens / stageSec, stageCpu, tokens / stageCpu, rc);
  else
    std::fprintf(o, "  whole stage: stand-in analyser library %s not found (build standin_vormik)\n",
                 standin.c_str());
  if (tty) std::fclose(tty);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return rc > 0 ? 1 : 0;
}
