// Speed of the analyser library: dictionary load time (StartVormik) and
// tokens per second through the token pipeline, with the second analysis
// (YheSonaga) for tokens left without analysis, as the morphological stage
// drives it.
//
//   bench_vormik [TOKENS] [PROGRAM_DIR]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "vormik/vormik.h"

namespace {

// A newspaper-like sample, written for this benchmark.
const char* const kText =
    "Eesti valitsus arutas eile Tallinnas uue eelarve eelnõu ning otsustas , et "
    "koolide ja haiglate rahastamine kasvab järgmisel aastal vähemalt kümme protsenti . "
    "Minister ütles ajakirjanikele , et raha jagatakse maakondade vahel senisest "
    "õiglasemalt ja et väiksemad vallad saavad toetust juurde . "
    "Opositsioon leidis , et plaan on liiga kallis ega arvesta inimeste tegelike vajadustega . "
    "Riigikogu peab eelnõu läbi arutama enne jõule , sest muidu ei jõua seadus "
    "jaanuariks jõustuda . Linnas sadas terve päeva lund ja teed olid libedad , "
    "mistõttu juhtus mitu liiklusõnnetust . Politsei palus autojuhtidel sõita "
    "ettevaatlikult ning hoida pikemat pikivahet . Ülikooli teadlased avaldasid "
    "uuringu , mille järgi loevad noored raamatuid varasemast vähem , kuid kuulavad "
    "rohkem audioraamatuid ja taskuhäälingusaateid . Raamatukogude töötajad "
    "kinnitasid , et laste osakondades on külastajaid endiselt palju . 1998. aastal "
    "oli olukord teistsugune ja XX sajandi lõpus käidi raamatukogus sagedamini . "
    "Kas sa tuled homme meie juurde ? Ma ei tea veel , aga ilmselt tulen õhtul .";

std::vector<std::string> Tokens(std::size_t n) {
  std::vector<std::string> base;
  std::string text = vaarikas::Utf8ToCp1257(kText);
  std::size_t p = 0;
  while (p < text.size()) {
    std::size_t e = text.find(' ', p);
    if (e == std::string::npos) e = text.size();
    if (e > p) base.push_back(text.substr(p, e - p));
    p = e + 1;
  }
  std::vector<std::string> out;
  out.reserve(n + n / 10);
  unsigned seed = 12345;
  const char* syll[] = {"ka", "lu", "mer", "ti", "sop", "va", "nek", "ra", "hu", "pil"};
  const char* ends[] = {"", "s", "ga", "le", "st", "id", "te", "b", "sid", "nud"};
  bool start = true;
  while (out.size() < n) {
    for (const std::string& t : base) {
      if (start) out.push_back("$LA$");
      start = false;
      seed = seed * 1103515245u + 12345u;
      if ((seed >> 16) % 20 == 0) {
        // An invented word: exercises the guesser.
        std::string w;
        for (int k = 0; k < 3; ++k) w += syll[(seed >> (4 + 3 * k)) % 10];
        w += ends[(seed >> 20) % 10];
        out.push_back(w);
      }
      out.push_back(t);
      if (t == "." || t == "?") {
        out.push_back("$LL$");
        start = true;
      }
      if (out.size() >= n) break;
    }
  }
  return out;
}

double Seconds(std::chrono::steady_clock::time_point a) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
  std::string dir = argc > 2 ? argv[2] : VAARIKAS_BIN_DIR;

  const int loads = 3;
  double best = 1e9, total = 0;
  for (int i = 0; i < loads; ++i) {
    auto t0 = std::chrono::steady_clock::now();
    int rc = StartVormik(dir.c_str(), "eesti.dct", "eesti2.udr", "baltic.cnv", 3);
    double s = Seconds(t0);
    if (rc != 0) {
      std::fprintf(stderr, "StartVormik failed: %d\n", rc);
      return 1;
    }
    best = std::min(best, s);
    total += s;
    if (i + 1 < loads) StoppVormik();
  }
  std::printf("dictionary load (StartVormik): best %.3f s, mean %.3f s over %d starts\n", best, total / loads, loads);

  std::vector<std::string> tokens = Tokens(n);
  std::size_t words = 0, second = 0, unknown = 0, bytes = 0;
  auto handle = [&](const char* r) {
    ++words;
    if (std::strstr(r, "####")) {
      std::string w(r);
      w.resize(w.find('\n'));
      r = YheSonaga(0x240280, w.c_str());
      ++second;
      if (std::strstr(r, "####")) ++unknown;
    }
    bytes += std::strlen(r);
  };
  auto t0 = std::chrono::steady_clock::now();
  for (const std::string& t : tokens) {
    while (!KonveierilRuumi())
      if (const char* r = VotaKonveierilt(0x2002D0)) handle(r);
    PistaKonveierile(t.c_str());
  }
  while (const char* r = VotaKonveierilt(0x2002D0)) handle(r);
  double s = Seconds(t0);
  StoppVormik();
  std::printf("pipeline: %zu lines (with sentence markers) in %.3f s: %.0f tokens/s\n", words, s, words / s);
  std::printf("  second analyses: %zu (%.2f %%), still unknown: %zu, output %zu bytes\n", second,
              100.0 * second / words, unknown, bytes);
  return 0;
}
