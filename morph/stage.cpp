#include "morph/stage.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/platform.h"
#include "morph/lexicon.h"
#include "morph/tagger.h"
#include "morph/textio.h"
#include "morph/vormik_lib.h"

namespace vaarikas::morph {

std::string TagToken(CohortTagger& tagger, const std::string& analyserText, bool secondAnalysis) {
  std::string t = ApplyVerbLexicon(tagger.Tag(analyserText));
  return secondAnalysis ? MarkSecondAnalysis(t) : t;
}

namespace {

// The analyser reads lines of at most this many characters; a longer line is
// handed over in pieces, none of its characters lost.
constexpr size_t kMaxPiece = 248;

class Stage {
 public:
  Stage(CVormikLib& lib, std::FILE* out, std::FILE* morf) : lib_(lib), out_(out), morf_(morf) {}

  void Handle(const char* result) {
    std::string r = result;
    bool second = false;
    if (r.find("####") != std::string::npos) {
      std::string word = r.substr(0, r.find('\n'));
      const char* again = lib_.YheSonaga(kSingleWordOptions, word.c_str());
      if (again) r = again;
      second = true;
    }
    std::fwrite(r.data(), 1, r.size(), morf_);
    std::fflush(morf_);
    std::string t = TagToken(tagger_, r, second);
    std::fwrite(t.data(), 1, t.size(), out_);
    std::fflush(out_);
  }

 private:
  CVormikLib& lib_;
  std::FILE* out_;
  std::FILE* morf_;
  CohortTagger tagger_;
};

}  // namespace

namespace {
int RunStage(const MorphStageSettings& s, IUserInterface& ui);
}  // namespace

int RunMorphologyStage(const MorphStageSettings& s, IUserInterface& ui) {
  std::FILE* previous = Diagnostics();
  SetDiagnosticStream(s.diagnostics);
  struct Restore {
    std::FILE* f;
    ~Restore() { SetDiagnosticStream(f); }
  } restore{previous};
  return RunStage(s, ui);
}

namespace {

int RunStage(const MorphStageSettings& s, IUserInterface& ui) {
  CVormikLib lib(s.libraryPath, s.progDir);
  if (lib.ErrNo() != 0) {
    ui.MessageBox(kMsgAnalyserInit);
    return 1;
  }
  if (ReadLexiconLists(s.progDir + plat::kSep + "lexicon.lex") != 0) {
    ui.MessageBox(kMsgNoLexicon);
    return 1;
  }
  if (ReadVerbLexicon(s.progDir + plat::kSep + "verblex.lx") != 0) {
    ui.MessageBox(kMsgNoVerbLexicon);
    return 1;
  }
  std::string input;
  bool opened = false;
  ReadWholeFile(s.workDir + plat::kSep + s.lalFile, true, &input, &opened);
  if (!opened) {
    ui.MessageBox(kMsgPreprocessingFailed);
    FreeVerbLexicon();
    return 1;
  }
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen((s.workDir + plat::kSep + s.morfFile).c_str(), "w"));
  std::unique_ptr<std::FILE, FileCloser> morf(out ? std::fopen("morf.txt", "w") : nullptr);
  if (!out || !morf) {
    std::fputs(kMsgOutputFailed, Diagnostics());
    std::fflush(Diagnostics());
    FreeVerbLexicon();
    return 1;
  }

  Stage stage(lib, out.get(), morf.get());
  bool stalled = false;
  size_t pos = 0;
  std::string piece;
  while (pos < input.size() && !stalled) {
    size_t nl = input.find('\n', pos);
    size_t lineEnd = nl == std::string::npos ? input.size() : nl;
    size_t n = std::min(lineEnd - pos, kMaxPiece);
    piece.assign(input, pos, n);
    pos += n;
    if (pos == lineEnd && nl != std::string::npos) ++pos;  // the line feed is not passed on
    int idle = 0;
    while (lib.KonveierilRuumi() == 0) {
      if (const char* r = lib.VotaKonveierilt(kPipelineOptions)) {
        stage.Handle(r);
        idle = 0;
      } else if (++idle >= s.stallLimit) {
        stalled = true;
        break;
      }
    }
    if (stalled) break;
    lib.PistaKonveierile(piece.c_str());
  }
  if (stalled) {
    ui.MessageBox(kMsgAnalyserStalled);
    out.reset();
    morf.reset();
    FreeVerbLexicon();
    return 1;
  }
  while (const char* r = lib.VotaKonveierilt(kPipelineOptions)) stage.Handle(r);

  out.reset();
  morf.reset();
  FreeVerbLexicon();
  auto len = plat::FileLength(s.morfFile);
  if (!len) throw FileError(s.morfFile);
  return *len < 10 ? 1 : 0;
}

}  // namespace

}  // namespace vaarikas::morph
