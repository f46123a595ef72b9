// The analyser's in-memory dictionary: stems with their lemmas and classes,
// and the ending statistics the guesser uses. Filled from the compiled main
// dictionary (eesti.dct) and the user dictionary (eesti2.udr).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vormik/lexicon.h"

namespace vormik {

struct StemRef {
  std::uint32_t lemma;  // index into the lemma table
  StemClass cls;
  std::uint32_t codes;  // for kFixed: index into the code table
  std::uint32_t next;   // next stem with the same text, or kNoRef
};
inline constexpr std::uint32_t kNoRef = 0xFFFFFFFFu;

struct GuessRule {
  std::uint8_t strip;  // bytes cut from the end of the stem
  std::string add;     // then appended: gives the lemma as written in sources
  char pos;
  std::uint32_t count;
};

struct StrHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};

// Compiled dictionary layout: the line "VORMIK-DCT 2", a line with the body
// length in bytes and its FNV-1a 64-bit checksum in hex, then the body:
//   L <tab> lemma <tab> POS         a lemma; its stems follow
//   CLASS <tab> stem                a stem of the last lemma
//   F <tab> form <tab> codes        a full form of the last lemma
//   Q <tab> CLASS <tab> suffix <tab> strip <tab> add <tab> POS <tab> count
//                                   a guessing rule
inline constexpr std::string_view kDctMagic = "VORMIK-DCT 2";
std::uint64_t Fnv1a64(std::string_view s);

class Dictionary {
 public:
  Dictionary();
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  // Reads a compiled dictionary; returns 0 or a VORMIK_E* code.
  int LoadCompiled(const std::string& path);
  // Reads a user dictionary (lexicon line format, UTF-8 or Windows-1257).
  // Malformed lines are reported in `messages` ("file:line: reason") and
  // skipped. Returns 0 or VORMIK_EUDR_OPEN.
  int LoadUser(const std::string& path, std::vector<std::string>* messages);
  // The same from text already read; `name` labels the messages.
  void AddUserText(std::string data, const std::string& name, std::vector<std::string>* messages);
  void Add(const LexEntry& e);
  void AddGuessRule(StemClass c, std::string_view suffix, GuessRule rule);

  // The first stem with this text, or kNoRef; follow StemRef::next.
  std::uint32_t Find(std::string_view stem) const {
    const Key* k = FindKey(stem);
    return k ? k->head : kNoRef;
  }
  const StemRef& Ref(std::uint32_t i) const { return refs_[i]; }
  const std::vector<GuessRule>* Guess(StemClass c, std::string_view suffix) const {
    std::string key;
    return Guess(c, suffix, key);
  }
  // The same with a caller's scratch string, to spare allocations.
  const std::vector<GuessRule>* Guess(StemClass c, std::string_view suffix, std::string& key) const;
  std::string_view Lemma(std::uint32_t i) const { return lemmas_[i]; }
  char Pos(std::uint32_t i) const { return pos_[i]; }
  const std::string& Codes(std::uint32_t i) const { return codes_[i]; }
  std::size_t LemmaCount() const { return lemmas_.size(); }
  std::size_t StemCount() const { return used_; }
  // Stems that may open a compound: nominatives and genitive stems of nouns
  // and adjectives of three letters or more.
  bool IsFirstPart(std::string_view s) const {
    const Key* k = FindKey(s);
    return k && k->first_part;
  }

 private:
  struct Key {
    std::string_view text;
    std::uint32_t hash;
    std::uint32_t head = kNoRef;
    bool first_part = false;
  };
  const Key* FindKey(std::string_view key) const;
  Key& InsertKey(std::string_view key);  // key text must outlive the dictionary
  void Rehash(std::size_t slots);
  std::string_view Own(std::string_view s);
  std::uint32_t AddLemma(std::string_view output_lemma, char pos);
  void AddStem(std::uint32_t lemma, StemClass c, std::string_view text, std::string_view codes);

  std::string file_;                 // the compiled dictionary; keys point into it
  std::deque<std::string> owned_;    // texts added one by one (user words)
  std::vector<std::string_view> lemmas_;
  std::vector<char> pos_;
  std::vector<std::string> codes_;
  std::unordered_map<std::string, std::uint32_t, StrHash, std::equal_to<>> code_index_;
  std::vector<Key> keys_;
  std::vector<std::uint32_t> slots_;  // open addressing into keys_; size a power of two
  std::size_t used_ = 0;
  std::vector<StemRef> refs_;
  std::unordered_map<std::string, std::vector<GuessRule>, StrHash, std::equal_to<>> guess_;
};

// Writes a compiled dictionary body line for an entry or a guessing rule.
void AppendCompiledEntry(std::string& body, const LexEntry& e);
void AppendCompiledGuess(std::string& body, StemClass c, std::string_view suffix, const GuessRule& r);
// Header + body, ready to be written to eesti.dct.
std::string FinishCompiled(const std::string& body);

}  // namespace vormik
