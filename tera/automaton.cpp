#include "tera/automaton.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <deque>
#include <new>

namespace vaarikas::tera {
namespace {

constexpr OutputSymbol kAlphabet[kAlphabetSize] = {
    {"", ""},                    // 0
    {"", ""},                    // 1: hold, never written
    {"", "\n"},                  // 2
    {"$LA$\n", "\n"},            // 3
    {"", "\n$LA$\n"},            // 4
    {"$LL$\n", "\n"},            // 5
    {"", "\n$LL$\n"},            // 6
    {"", "$LL$\n"},              // 7
    {"\n", "\n"},                // 8
    {"$LL$\n$LA$\n", "\n"},      // 9
    {"\n", ""},                  // 10
    {"", ""},                    // 11
    {"$LL$\n", "\n"},            // 12
    {"", "\nLL\n"},              // 13
};

// Number scanning in the manner of formatted input: blanks and line ends
// before a number are skipped; the character right after it is not.
class Scanner {
 public:
  explicit Scanner(std::string_view t) : t_(t) {}
  static bool Blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
  void SkipBlanks() {
    while (i_ < t_.size() && Blank(static_cast<unsigned char>(t_[i_]))) ++i_;
  }
  bool AtEnd() {
    SkipBlanks();
    return i_ >= t_.size();
  }
  // Reads a number; false when none stands here or it does not fit an int.
  bool Int(int* v) {
    SkipBlanks();
    std::size_t j = i_;
    bool neg = false;
    if (j < t_.size() && (t_[j] == '+' || t_[j] == '-')) neg = t_[j++] == '-';
    if (j >= t_.size() || t_[j] < '0' || t_[j] > '9') return false;
    long long n = 0;
    while (j < t_.size() && t_[j] >= '0' && t_[j] <= '9') {
      n = n * 10 + (t_[j++] - '0');
      if (n > INT_MAX) return false;
    }
    i_ = j;
    *v = static_cast<int>(neg ? -n : n);
    return true;
  }
  // The next character, or -1 at the end.
  int Get() { return i_ < t_.size() ? static_cast<unsigned char>(t_[i_++]) : -1; }
  // A comment: blank-separated words of at most 99 characters, up to and
  // including the first that begins with ";", "+" or "*". Returns that
  // character, or -1 when the file ends inside the comment.
  int Comment() {
    for (;;) {
      SkipBlanks();
      if (i_ >= t_.size()) return -1;
      const int first = static_cast<unsigned char>(t_[i_]);
      std::size_t len = 0;
      while (i_ < t_.size() && len < 99 && !Blank(static_cast<unsigned char>(t_[i_]))) ++i_, ++len;
      if (first == ';' || first == '+' || first == '*') return first;
    }
  }
  // Line number of the current position, for messages.
  int Line() const {
    int n = 1;
    for (std::size_t k = 0; k < i_ && k < t_.size(); ++k) n += t_[k] == '\n';
    return n;
  }

 private:
  std::string_view t_;
  std::size_t i_ = 0;
};

}  // namespace

const OutputSymbol& AlphabetSymbol(int symbol) { return kAlphabet[symbol]; }

int Automaton::Parse(std::string_view text, std::string* detail) {
  Scanner sc(text);
  const auto fail = [&](const std::string& what) {
    if (detail) *detail = "rida " + std::to_string(sc.Line()) + ": " + what;
    return kErrAutomaton;
  };
  const auto range = [](int v, int hi) { return v >= 0 && v < hi; };
  *this = Automaton();

  if (!sc.Int(&state_count) || !sc.Int(&class_count)) return fail("seisundite ja klasside arv puudub");
  if (state_count < 1 || state_count > kMaxStateCount)
    return fail("seisundite arv " + std::to_string(state_count) + " ei ole vahemikus 1.." +
                std::to_string(kMaxStateCount));
  if (class_count < 32 || class_count > kMaxClassCount)
    return fail("klasside arv " + std::to_string(class_count) + " ei ole vahemikus 32.." +
                std::to_string(kMaxClassCount));
  if (sc.Get() == '#' && sc.Comment() < 0) return fail("kommentaar j'a'ab lahti");

  if (!sc.Int(&initial)) return fail("algseisund puudub");
  if (!range(initial, state_count)) return fail("algseisund " + std::to_string(initial) + " on vahemikust v'aljas");

  for (;;) {
    int f;
    if (!sc.Int(&f)) return fail("l'oppseisundite loend on vigane (puudub '*'?)");
    if (!range(f, state_count)) return fail("l'oppseisund " + std::to_string(f) + " on vahemikust v'aljas");
    if (f > highest_final) {
      highest_final = f;
      final_states.resize(static_cast<std::size_t>(f) + 1, false);
    }
    final_states[static_cast<std::size_t>(f)] = true;
    const int c = sc.Get();
    if (c == '*') break;
    if (c < 0) return fail("l'oppseisundite loend ei l'oppe '*'-ga");
  }

  rows.resize(static_cast<std::size_t>(state_count));
  while (!sc.AtEnd()) {
    int state;
    if (!sc.Int(&state)) return fail("oodati seisundi numbrit");
    if (!range(state, state_count)) return fail("seisund " + std::to_string(state) + " on vahemikust v'aljas");
    if (sc.Get() == '#' && sc.Comment() < 0) return fail("kommentaar j'a'ab lahti");
    auto row = std::make_unique<std::vector<std::optional<Transition>>>(static_cast<std::size_t>(class_count));
    int c = 0;
    do {
      int cls;
      if (!sc.Int(&cls)) return fail("seisundis " + std::to_string(state) + " oodati klassi numbrit");
      if (!range(cls, class_count)) return fail("klass " + std::to_string(cls) + " on vahemikust v'aljas");
      if (sc.Get() != '=') return fail("klassi " + std::to_string(cls) + " j'arel puudub '='");
      do {
        Transition tr;
        do {
          int sym;
          if (!sc.Int(&sym)) return fail("oodati v'aljunds'umbolit");
          if (!range(sym, class_count)) return fail("v'aljunds'umbol " + std::to_string(sym) + " on vahemikust v'aljas");
          tr.symbols.push_back(static_cast<unsigned char>(sym));
          if (tr.symbols.size() > kMaxOutputSymbols)
            return fail("v'aljundloend on pikem kui " + std::to_string(kMaxOutputSymbols) + " s'umbolit");
          c = sc.Get();
        } while (c == ',');
        if (c != '/') return fail("v'aljundloendi j'arel puudub '/'");
        if (!sc.Int(&tr.next)) return fail("j'argmine seisund puudub");
        if (!range(tr.next, state_count))
          return fail("j'argmine seisund " + std::to_string(tr.next) + " on vahemikust v'aljas");
        c = sc.Get();
        if (c == '#') c = sc.Comment();
        (*row)[static_cast<std::size_t>(cls)] = std::move(tr);
      } while (c == '+');
      if (c < 0) return fail("seisundi " + std::to_string(state) + " rida ei l'oppe '*'-ga");
    } while (c != '*');
    rows[static_cast<std::size_t>(state)] = std::move(row);
  }
  return 0;
}

int Automaton::Load(const std::string& path, std::string* detail) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return kErrAutomaton;
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  const bool bad = std::ferror(f);
  std::fclose(f);
  if (bad) return kErrAutomaton;
  return Parse(text, detail);
}

int Output::Flush() {
  if (sink_) {
    sink_->append(buf_);
  } else if (error_ == 0) {
    std::size_t done = 0;
    while (done < buf_.size()) {
      const ssize_t w = ::write(fd_, buf_.data() + done, buf_.size() - done);
      if (w < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        break;
      }
      done += static_cast<std::size_t>(w);
    }
  }
  buf_.clear();
  return error_;
}

int RunAutomaton(const Automaton& a, Tokenizer& tokens, Output& out, std::FILE* msg) {
  std::deque<Token> queue;
  Token tok;
  int state = a.initial;
  int stuck = 0;  // end-of-input (or read-error) tokens in a row
  const auto stop = [&] {
    out.Flush();
    std::fflush(msg);
    return 1;
  };
  while (!a.IsFinal(state)) {
    const auto* row = a.rows[static_cast<std::size_t>(state)].get();
    if (!row) {
      std::fprintf(msg, "\rVigane yleminekute maatrix, seisund %d puudub!\n", state);
      return stop();
    }
    // Plain whitespace only separates tokens.
    while (tokens.Next(&tok) == kClsSpace) {
    }
    const int cls = tok.cls;
    queue.push_back(std::move(tok));
    const std::optional<Transition>* tr = &(*row)[static_cast<std::size_t>(cls)];
    if (!*tr) tr = &(*row)[0];
    if (!*tr) {
      std::fprintf(msg, "\rSeisundil %d puudub vaikimisi tegevus!\n", state);
      return stop();
    }
    for (unsigned char sym : (*tr)->symbols) {
      if (sym >= kAlphabetSize) {
        std::fprintf(msg, "Viga: Ei kuulu v'aljundt'ahestikku: %d\n", sym);
        return stop();
      }
      if (sym == kHoldSymbol) continue;
      const OutputSymbol& o = kAlphabet[sym];
      out.Put(o.before);
      if (!queue.empty()) {
        out.Put(queue.front().text);
        queue.pop_front();
      }
      out.Put(o.after);
    }
    if (out.Error()) return stop();
    state = (*tr)->next;
    // The end of the input comes again and again; an automaton that does not
    // reach a final state on it within as many steps as it has states is in
    // a loop and would never stop.
    if (cls == kClsEnd || cls == kClsReadError) {
      if (++stuck > a.state_count && !a.IsFinal(state)) {
        std::fprintf(msg, "\rViga: automaat ei j'oua sisendi l'opus l'oppseisundisse (seisund %d)\n", state);
        return stop();
      }
    } else {
      stuck = 0;
    }
  }
  out.Flush();
  return 0;
}

}  // namespace vaarikas::tera
