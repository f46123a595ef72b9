#include "morph/stage.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

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
  // The preprocessor's output is read as it is fed, a block at a time, so
  // memory stays flat whatever the text's size.
  std::unique_ptr<std::FILE, FileCloser> in(std::fopen((s.workDir + plat::kSep + s.lalFile).c_str(), "rb"));
  if (!in) {
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
  // Each line (a "\r" before its "\n" dropped, as text-mode reading does)
  // is passed on in pieces of at most kMaxPiece bytes, without its line
  // feed; an empty line is passed on as an empty piece.
  auto feed = [&](const std::string& piece) {
    int idle = 0;
    while (lib.KonveierilRuumi() == 0) {
      if (const char* r = lib.VotaKonveierilt(kPipelineOptions)) {
        stage.Handle(r);
        idle = 0;
      } else if (++idle >= s.stallLimit) {
        stalled = true;
        return;
      }
    }
    lib.PistaKonveierile(piece.c_str());
  };
  std::string piece;
  bool pieceWasFull = false;     // the line so far went out in full pieces
  bool carriageReturn = false;   // a "\r" held back until the next byte is known
  auto take = [&](char c) {
    if (c == '\n') {
      if (!(pieceWasFull && piece.empty())) feed(piece);
      piece.clear();
      pieceWasFull = false;
      return;
    }
    piece.push_back(c);
    pieceWasFull = false;
    if (piece.size() == kMaxPiece) {
      feed(piece);
      piece.clear();
      pieceWasFull = true;
    }
  };
  std::vector<char> block(1 << 16);
  size_t got;
  while (!stalled && (got = std::fread(block.data(), 1, block.size(), in.get())) > 0) {
    for (size_t i = 0; i < got && !stalled; ++i) {
      const char c = block[i];
      if (carriageReturn) {
        carriageReturn = false;
        if (c != '\n') take('\r');
        if (stalled) break;
      }
      if (c == '\r') {
        carriageReturn = true;
        continue;
      }
      take(c);
    }
  }
  if (!stalled && carriageReturn) take('\r');
  if (!stalled && !piece.empty()) feed(piece);
  in.reset();
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
