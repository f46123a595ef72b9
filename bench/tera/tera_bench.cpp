// Throughput of the tera program on a large generated Estonian text, next to
// `wc -w` on the same file as the floor of what reading the text costs.
//
//   tera_bench [--mb N] [--tera PATH] [--data DIR]
//
// The text (Windows-1257, N MB, default 60) is generated in a temporary
// directory, processed once by each program, and removed.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// Words in Windows-1257 (\xF5 o-tilde, \xE4 a-umlaut, \xF6 o-umlaut, \xFC u-umlaut).
const char* const kWords[] = {
    "ja", "on", "ei", "see", "ta", "et", "kui", "oli", "mis", "aga", "ka", "siis", "nagu", "veel",
    "p\xE4rast", "juba", "v\xF5i", "mida", "kes", "seda", "tema", "nad", "meie", "teie", "aasta",
    "aastal", "linna", "linnas", "maja", "majas", "tee", "teel", "t\xF6\xF6", "t\xF6\xF6" "d", "inimesed",
    "inimeste", "valitsus", "valitsuse", "riigi", "riik", "koolis", "kooli", "lapsed", "laste",
    "\xF5petaja", "\xF5pilased", "k\xFCsimus", "k\xFCsimusi", "vastus", "raha", "hinnad", "tuleb",
    "l\xE4heb", "tuli", "l\xE4ks", "r\xE4\xE4gib", "\xFCtles", "arvab", "teab", "n\xE4gi", "n\xE4" "eb",
    "v\xF5ib", "peab", "saab", "tahab", "kirjutas", "loeb", "s\xF5itis", "elab", "elas", "t\xF6\xF6tab",
    "suur", "suure", "v\xE4ike", "uus", "uue", "vana", "hea", "halb", "ilus", "kiire", "p\xFCsiv",
    "eesti", "tallinna", "tartu", "p\xE4rnu", "\xFClikooli", "haigla", "metsa", "mere", "j\xE4rve",
    "\xF5htul", "hommikul", "t\xE4na", "eile", "homme", "kevadel", "s\xFCgisel", "talvel", "suvel",
    "\xFChiskond", "majandus", "kultuur", "ajalugu", "s\xF5" "ber", "s\xF5" "brad", "perekond", "isa", "ema",
    "m\xE4ng", "m\xE4ngu", "raamat", "raamatu", "ajaleht", "uudised", "ilm", "vihm", "p\xE4ike",
    "\xFCsna", "v\xE4ga", "palju", "v\xE4he", "k\xF5ik", "mitu", "iga", "oma", "selle", "need",
};
const char* const kCapitals[] = {"Tallinn", "Tartu", "Eesti", "Mari", "J\xFCri", "Kask", "Tamm",
                                 "\xD5nne", "\xC4rni", "\xDClle", "\xD6\xF6" "bik", "\xDE" "anna", "\xD0oti"};
const char* const kAbbreviations[] = {"vt.", "nt.", "lk.", "nr.", "u.", "jne.", "jm.", "Dr.", "prof.", "hr."};
const char* const kMonths[] = {"jaanuaril", "m\xE4rtsis", "mail", "juunis", "augustil", "detsembris"};
const char* const kEnds[] = {".", ".", ".", ".", ".", "!", "?", "...", "?!"};

std::string Generate(std::size_t bytes) {
  std::mt19937 rng(20240601);
  auto pick = [&](const auto& arr) { return arr[rng() % (sizeof(arr) / sizeof(arr[0]))]; };
  std::string text;
  text.reserve(bytes + 4096);
  int in_paragraph = 0;
  while (text.size() < bytes) {
    const int len = 4 + static_cast<int>(rng() % 14);
    std::string s;
    const bool quoted = rng() % 12 == 0;
    if (quoted) s += "\x84";  // low opening quote
    for (int i = 0; i < len; ++i) {
      std::string w;
      const unsigned r = rng() % 100;
      if (r < 6) w = pick(kCapitals);
      else if (r < 9) w = pick(kAbbreviations);
      else if (r < 11) w = std::to_string(1 + rng() % 28) + ". " + pick(kMonths);
      else if (r < 13) w = std::to_string(rng() % 3000);
      else w = pick(kWords);
      if (i == 0 && w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 'a' + 'A');
      if (i > 0) s += rng() % 9 == 0 ? ", " : " ";
      s += w;
    }
    s += pick(kEnds);
    if (quoted) s += "\x93";  // closing quote
    text += s;
    if (++in_paragraph >= 3 + static_cast<int>(rng() % 8)) {
      text += "\r\n\r\n";
      in_paragraph = 0;
    } else {
      text += ' ';
    }
  }
  return text;
}

// Runs a program with its output thrown away; returns the wall time and puts
// its CPU time (user + system) in *cpu.
double RunTimed(const std::vector<std::string>& argv, int* status, double* cpu = nullptr) {
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::FILE* devnull = std::freopen("/dev/null", "w", stdout);
    (void)devnull;
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int st = 0;
  struct rusage ru {};
  wait4(pid, &st, 0, &ru);
  if (cpu)
    *cpu = static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
  *status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  double mb = 60;
  std::string tera = std::string(VAARIKAS_BIN_DIR) + "/tera";
  std::string data = std::string(VAARIKAS_SOURCE_DIR) + "/data";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--mb")) mb = std::atof(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--tera")) tera = argv[i + 1];
    else if (!std::strcmp(argv[i], "--data")) data = argv[i + 1];
  }
  std::string dir = (std::filesystem::temp_directory_path() / "tera_bench_XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  const std::string in = dir + "/text.txt";
  const std::string text = Generate(static_cast<std::size_t>(mb * 1e6));
  std::ofstream(in, std::ios::binary) << text;
  const double size_mb = static_cast<double>(text.size()) / 1e6;

  int st_wc = 0, st_tera = 0;
  RunTimed({"cat", in}, &st_wc);  // warm the page cache
  double c_wc = 0, c_tera = 0;
  const double t_wc = RunTimed({"wc", "-w", in}, &st_wc, &c_wc);
  const double t_tera = RunTimed({tera, "-k", data, in}, &st_tera, &c_tera);
  const auto lal = std::filesystem::file_size(dir + "/text.lal");
  std::printf("tera benchmark: %.1f MB of generated Windows-1257 Estonian text\n", size_mb);
  std::printf("           wall       MB/s   cpu        MB/s (of cpu time)\n");
  std::printf("  wc -w : %7.3f s %7.1f  %7.3f s %7.1f  (exit %d)\n", t_wc, size_mb / t_wc, c_wc, size_mb / c_wc, st_wc);
  std::printf("  tera  : %7.3f s %7.1f  %7.3f s %7.1f  (exit %d, %.1f MB of .lal)\n", t_tera, size_mb / t_tera,
              c_tera, size_mb / c_tera, st_tera, static_cast<double>(lal) / 1e6);
  std::printf("  tera / wc: %.2f (wall), %.2f (cpu)\n", t_tera / t_wc, c_tera / c_wc);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return st_tera == 0 && st_wc == 0 ? 0 : 1;
}
