// Throughput of the syntax run: words per second over generated inputs of
// two sizes with a generated grammar of several hundred rules.
//
//   bench_syntax [WORDS]   (default 200000; the second size is twice that)
//   bench_syntax --write DIR WORDS   writes the grammar (bench.rle, plain)
//                                    and an input (bench.txt) into DIR
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "syntax/syntax.h"

namespace {

constexpr int kMappings = 320;
constexpr int kConstraints = 320;
constexpr int kHeuristic = 40;

const char* const kPos[] = {"_S_", "_A_", "_V_", "_P_", "_D_", "_J_"};
const char* const kCases[] = {"nom", "gen", "part", "ill", "in", "el", "all", "ad", "abl", "tr", "kom"};

std::string MakeGrammar() {
  std::string g =
      "INFORMATION-SECTION\nSENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n"
      "(N _S_)\n(A _A_)\n(V _V_)\n(P _P_)\n(D _D_)\n(J _J_)\n(FIN #FinV)\n(COMMA Com)\n(SUB sub)\n(START <<<)\n";
  for (const char* c : kCases) g += std::string("(C-") + c + " " + c + ")\n";
  for (int i = 0; i < 30; ++i) g += "(T" + std::to_string(i) + " t" + std::to_string(i) + " _S_&t" + std::to_string(i + 30) + ")\n";
  for (int i = 0; i < 20; ++i) g += "(F" + std::to_string(i) + " @F" + std::to_string(i) + ")\n";
  g += "SYNTACTIC-FUNCTION-DECLARATIONS\n(";
  for (int i = 0; i < 20; ++i) g += (i ? " @F" : "@F") + std::to_string(i);
  g += ")\nMORPHOSYNTACTIC-MAPPINGS\n";
  for (int i = 0; i < kMappings; ++i) {
    std::string pos = kPos[i % 6], cs = kCases[i % 11];
    std::string tags = "(@F" + std::to_string(i % 20) + " @F" + std::to_string((i + 7) % 20) + ")";
    switch (i % 4) {
      case 0: g += "(" + pos + " " + cs + ") ((1 T" + std::to_string(i % 30) + ") (-1 A)) " + tags + "\n"; break;
      case 1: g += "(" + pos + " t" + std::to_string(i % 30) + ") ((*1 FIN) **CLB) " + tags + "\n"; break;
      case 2: g += "(" + pos + ") ((NOT -1 T" + std::to_string(i % 30) + ") (1 N R+1 (R+1 V)) " + tags + "\n"; break;
      default: g += "(" + pos + " " + cs + ") " + tags + "\n"; break;
    }
  }
  g += "(*) (@F0 @F1 @F2)\n";
  g += "CLAUSE-BOUNDARY-CONSTRAINTS\n(@w =**CLB (Com) (1 SUB))\n(@w =**CLB-C (Com) (*1 FIN))\n(@w =**CLB-C (crd) (*-1 FIN) (*1 FIN))\n";
  g += "DISAMBIGUATION-CONSTRAINTS\nSYNTACTIC-CONSTRAINTS\n";
  for (int i = 0; i < kConstraints; ++i) {
    std::string f = "@F" + std::to_string(i % 20), t = "T" + std::to_string(i % 30);
    switch (i % 5) {
      case 0: g += "(@w =s0 (" + f + ") (NOT *1 " + t + ") **CLB)\n"; break;
      case 1: g += "(@w =s! (" + f + ") (0 C-" + kCases[i % 11] + ") (-1C A))\n"; break;
      case 2: g += "(@w =s0 (" + f + ") (*-1 FIN) (1 " + t + ") **CLB-C)\n"; break;
      case 3: g += "(\"w" + std::to_string(i) + "\" =s? (*) (1 N))\n"; break;
      default: g += "(@w =s0 (" + f + " @F" + std::to_string((i + 3) % 20) + ") (%1 F" + std::to_string((i + 5) % 20) + "))\n"; break;
    }
  }
  g += "HEURISTIC-SYNTACTIC-CONSTRAINTS\n";
  for (int i = 0; i < kHeuristic; ++i)
    g += std::to_string(1 + i % 12) + ":(@w =s! (@F" + std::to_string(i % 20) + ") (0 N) (*1 FIN) **CLB)\n";
  g += "END\n";
  return g;
}

// Sentences of 4 to 24 words; each word has 1 to 3 readings.
long MakeInput(const std::string& path, long words) {
  std::mt19937 rng(12345);
  std::ofstream out(path, std::ios::binary);
  long written = 0;
  while (written < words) {
    int len = 4 + static_cast<int>(rng() % 21);
    out << "$LA$\n    $LA$ //_Z_ //\n";
    for (int w = 0; w < len; ++w, ++written) {
      if (w > 0 && rng() % 8 == 0) {
        out << ",\n    , //_Z_ Com //\n";
        continue;
      }
      unsigned stem = rng() % 500;
      out << "w" << stem << "\n";
      int readings = 1 + static_cast<int>(rng() % 3);
      for (int r = 0; r < readings; ++r) {
        const char* pos = kPos[rng() % 6];
        out << "    w" << stem << "+" << r << " //" << pos << " ";
        if (pos[1] == 'V') {
          out << "main indic pres ps3 sg ps af #FinV ";
        } else if (pos[1] == 'J') {
          out << (rng() % 2 ? "crd " : "sub ");
        } else {
          out << "sg " << kCases[rng() % 11] << " t" << rng() % 60 << " ";
        }
        out << "// \n";
      }
    }
    out << ".\n    . //_Z_ Fst //\n$LL$\n    $LL$ //_Z_ //\n";
    written += 1;
  }
  return written;
}

// Wall-clock seconds of one run; *cpu gets the processor seconds, which
// vary less on a busy machine.
double RunOnce(long words, long* counted, double* cpu) {
  const std::string dir = std::filesystem::temp_directory_path() / ("vaarikas-bench-syntax-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::path old = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::ofstream("bench.rle", std::ios::binary) << MakeGrammar();
  *counted = MakeInput("bench.cgd", words);
  auto t0 = std::chrono::steady_clock::now();
  std::clock_t c0 = std::clock();
  int rc = vaarikas::SyntaxRun("bench.rle", "bench.cgd", "kh");
  std::clock_t c1 = std::clock();
  auto t1 = std::chrono::steady_clock::now();
  *cpu = static_cast<double>(c1 - c0) / CLOCKS_PER_SEC;
  if (rc != 0) {
    std::ifstream e("synerrors.txt");
    std::fprintf(stderr, "syntax run failed: %s\n", std::string(std::istreambuf_iterator<char>(e), {}).c_str());
    std::exit(1);
  }
  std::filesystem::current_path(old);
  std::filesystem::remove_all(dir);
  return std::chrono::duration<double>(t1 - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--write") {
    std::filesystem::create_directories(argv[2]);
    std::ofstream(std::filesystem::path(argv[2]) / "bench.rle", std::ios::binary) << MakeGrammar();
    MakeInput((std::filesystem::path(argv[2]) / "bench.txt").string(), std::atol(argv[3]));
    return 0;
  }
  long base = argc > 1 ? std::atol(argv[1]) : 200000;
  if (base <= 0) base = 200000;
  std::printf("grammar: %d mappings, %d syntactic and %d heuristic constraints (option h)\n", kMappings + 1,
              kConstraints, kHeuristic);
  for (long words : {base, 2 * base}) {
    long counted = 0;
    double cpu = 0;
    double s = RunOnce(words, &counted, &cpu);
    std::printf("words: %ld  seconds: %.3f  words/s: %.0f  cpu seconds: %.3f  words/cpu-s: %.0f\n", counted, s,
                counted / s, cpu, counted / cpu);
    std::fflush(stdout);
  }
  return 0;
}
