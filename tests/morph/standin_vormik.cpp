// A stand-in for the analyser library, for tests: the same sixteen C entry
// points, answering from canned analyser texts instead of analysing.
//
// StartVormik(dir, dct, udr, cnv, n) reads dir/dct: analyser texts one after
// another (a text begins at every line that does not begin with a space),
// keyed by their first line. dir/udr, when present, holds more texts in the
// same form; YheSonaga answers from it first. Lines beginning with "%" in
// dir/dct are settings:
//   %capacity N   the pipeline holds N lines before it asks for a take (3)
//   %stall        the pipeline never has room and never has a result
//   %fail         MrfErrNo reports a failed start
//   %log          every call is appended to dir/calls.log
// A word not in the table comes back as unanalysed ("    ####"); a word that
// begins and ends with "$" comes back as a sentence marker.
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

struct State {
  std::map<std::string, std::string> dct, udr;
  std::deque<std::string> queue;
  size_t capacity = 3;
  bool stall = false;
  int err = 0;
  std::string logPath;
  std::string result;
};

State* g = nullptr;

void Log(const std::string& what) {
  if (!g || g->logPath.empty()) return;
  std::FILE* f = std::fopen(g->logPath.c_str(), "ab");
  if (!f) return;
  std::fwrite(what.data(), 1, what.size(), f);
  std::fputc('\n', f);
  std::fclose(f);
}

bool Load(const std::string& path, std::map<std::string, std::string>* table, State* s) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string key, text;
  auto flush = [&] {
    if (!key.empty() || !text.empty()) (*table)[key] = text;
    key.clear();
    text.clear();
  };
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    std::string line = bytes.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    pos = nl == std::string::npos ? bytes.size() : nl + 1;
    if (s && !line.empty() && line[0] == '%') {
      if (line.rfind("%capacity ", 0) == 0) s->capacity = std::stoul(line.substr(10));
      if (line == "%stall") s->stall = true;
      if (line == "%fail") s->err = 5;
      if (line == "%log") s->logPath = "log";
      continue;
    }
    if (line.empty() || line[0] != ' ') {
      flush();
      key = line;
    }
    text += line + "\n";
  }
  flush();
  return true;
}

const char* Answer(const std::string& word, bool userFirst) {
  if (userFirst) {
    auto u = g->udr.find(word);
    if (u != g->udr.end()) return (g->result = u->second).c_str();
  }
  auto d = g->dct.find(word);
  if (d != g->dct.end()) return (g->result = d->second).c_str();
  if (word.size() >= 2 && word.front() == '$' && word.back() == '$')
    g->result = word + "\n    " + word + " //_Z_ //\n";
  else
    g->result = word + "\n    ####\n";
  return g->result.c_str();
}

}  // namespace

extern "C" {

int StartVormik(const char* dir, const char* dct, const char* udr, const char* cnv, int) {
  delete g;
  g = new State;
  std::string d = dir;
  if (!Load(d + "/" + dct, &g->dct, g)) g->err = 2;
  Load(d + "/" + udr, &g->udr, nullptr);
  if (g->logPath == "log") g->logPath = d + "/calls.log";
  Log(std::string("start ") + dct + " " + udr + " " + cnv);
  return 0;
}

int MrfErrNo(void) { return g ? g->err : 1; }

int KonveierilRuumi(void) {
  if (!g || g->stall) return 0;
  return g->queue.size() < g->capacity ? 1 : 0;
}

void PistaKonveierile(const char* line) {
  if (!g) return;
  Log(std::string("in:") + line);
  g->queue.push_back(line);
}

const char* VotaKonveierilt(long options) {
  if (!g || g->stall || g->queue.empty() || options != 0x2002D0) return nullptr;
  std::string w = g->queue.front();
  g->queue.pop_front();
  Log("out:" + w);
  return Answer(w, false);
}

const char* YheSonaga(long options, const char* word) {
  if (!g || options != 0x240280) return nullptr;
  Log(std::string("one:") + word);
  return Answer(word, true);
}

void StoppVormik(void) {
  Log("stop");
  delete g;
  g = nullptr;
}

const char* PohiSonastikuNimi(void) { return "eesti.dct"; }
const char* LisaSonastikuNimi(void) { return "eesti2.udr"; }
const char* TeisendusTabeliNimi(void) { return "baltic.cnv"; }
const char* VerDct(void) { return "stand-in"; }
const char* VerOle(void) { return "stand-in"; }
const char* VerMrf(void) { return "stand-in"; }
const char* VerLem(void) { return "stand-in"; }
const char* VerGen(void) { return "stand-in"; }
const char* VerSov(void) { return "stand-in"; }

}  // extern "C"
