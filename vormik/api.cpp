// The library's C entry points: start and stop, the token pipeline and the
// single-word analysis. All state lives in one object created by
// StartVormik and destroyed by StoppVormik.
#include <cstdio>
#include <deque>
#include <fstream>
#include <memory>
#include <string>

#include "vormik/analyser.h"
#include "vormik/dictionary.h"
#include "vormik/vormik.h"

#define VORMIK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// How many lines the pipeline holds before a result must be taken.
constexpr std::size_t kPipelineDepth = 16;

struct State {
  vormik::Dictionary dict;
  std::unique_ptr<vormik::Analyser> analyser;
  std::deque<std::string> queue;
  std::string result;  // the last string handed out
  std::string dct_path, udr_path, cnv_path;
  bool sentence_start = true;
};

std::unique_ptr<State> g_state;
int g_error = VORMIK_ENOTSTARTED;
std::string g_empty;

std::string JoinPath(const char* dir, const char* name) {
  std::string p = dir;
  if (!p.empty() && p.back() != '/') p += '/';
  // A name that already holds a directory is taken as it is.
  if (name[0] == '/') return name;
  return p + name;
}

bool Readable(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return static_cast<bool>(f);
}

std::string Trimmed(const char* line) {
  std::string s = line ? line : "";
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '\t'))
    s.pop_back();
  std::size_t b = 0;
  while (b < s.size() && (s[b] == ' ' || s[b] == '\t')) ++b;
  return s.substr(b);
}

}  // namespace

VORMIK_EXPORT void StoppVormik(void) {
  g_state.reset();
  g_error = VORMIK_ENOTSTARTED;
}

VORMIK_EXPORT int StartVormik(const char* dir, const char* main_dct, const char* user_dct,
                              const char* conversion_table, int /*mode*/) {
  StoppVormik();
  if (!dir || !main_dct || !user_dct || !conversion_table || !*main_dct || !*user_dct || !*conversion_table) {
    g_error = VORMIK_EARGS;
    return g_error;
  }
  auto st = std::make_unique<State>();
  st->dct_path = JoinPath(dir, main_dct);
  st->udr_path = JoinPath(dir, user_dct);
  st->cnv_path = JoinPath(dir, conversion_table);
  int rc = st->dict.LoadCompiled(st->dct_path);
  if (rc != VORMIK_OK) {
    g_error = rc;
    return g_error;
  }
  // The texts arrive in Windows-1257, the dictionary's own character set, so
  // the conversion table is not needed to read them; it must still be there
  // because the preprocessor that wrote the text used it.
  if (!Readable(st->cnv_path)) {
    g_error = VORMIK_ECNV_OPEN;
    return g_error;
  }
  std::vector<std::string> messages;
  rc = st->dict.LoadUser(st->udr_path, &messages);
  for (const std::string& m : messages) std::fprintf(stderr, "%s\n", m.c_str());
  if (rc != VORMIK_OK) {
    g_error = rc;
    return g_error;
  }
  st->analyser = std::make_unique<vormik::Analyser>(st->dict);
  g_state = std::move(st);
  g_error = VORMIK_OK;
  return g_error;
}

VORMIK_EXPORT int MrfErrNo(void) { return g_error; }

VORMIK_EXPORT int KonveierilRuumi(void) {
  if (!g_state) return 1;  // nothing is kept, so there is always room
  return g_state->queue.size() < kPipelineDepth ? 1 : 0;
}

VORMIK_EXPORT void PistaKonveierile(const char* line) {
  if (!g_state) return;
  std::string s = Trimmed(line);
  if (s.empty()) return;  // an empty line is no token
  g_state->queue.push_back(std::move(s));
}

VORMIK_EXPORT const char* VotaKonveierilt(long /*options*/) {
  if (!g_state || g_state->queue.empty()) return nullptr;
  State& st = *g_state;
  std::string token = std::move(st.queue.front());
  st.queue.pop_front();
  vormik::TokenContext ctx;
  ctx.sentence_start = st.sentence_start;
  ctx.guess = false;
  st.result = st.analyser->Analyse(token, ctx);
  if (token == "$LA$" || token == "$LL$") st.sentence_start = true;
  else st.sentence_start = false;
  return st.result.c_str();
}

VORMIK_EXPORT const char* YheSonaga(long /*options*/, const char* word) {
  std::string w = Trimmed(word);
  if (!g_state) {
    g_empty = w + "\n    ####\n";
    return g_empty.c_str();
  }
  vormik::TokenContext ctx;
  ctx.sentence_start = true;
  ctx.guess = true;
  g_state->result = g_state->analyser->Analyse(w, ctx);
  return g_state->result.c_str();
}

VORMIK_EXPORT const char* PohiSonastikuNimi(void) { return g_state ? g_state->dct_path.c_str() : ""; }
VORMIK_EXPORT const char* LisaSonastikuNimi(void) { return g_state ? g_state->udr_path.c_str() : ""; }
VORMIK_EXPORT const char* TeisendusTabeliNimi(void) { return g_state ? g_state->cnv_path.c_str() : ""; }
VORMIK_EXPORT const char* VerDct(void) { return "eesti.dct 2"; }
VORMIK_EXPORT const char* VerOle(void) { return "vormik 1.0"; }
VORMIK_EXPORT const char* VerMrf(void) { return "vormik analyser 1.0"; }
VORMIK_EXPORT const char* VerLem(void) { return "vormik lemmas 1.0"; }
VORMIK_EXPORT const char* VerGen(void) { return "vormik guesser 1.0"; }
VORMIK_EXPORT const char* VerSov(void) { return "vormik pipeline 1.0"; }
