#include "vormik/paradigm.h"

#include <array>

namespace vormik {
namespace {

const std::array<const char*, kClassCount> kNames = {
    "N", "G", "P", "A", "PG", "PP", "MA", "B", "D", "DES", "PS", "PI", "NUD", "IMP", "T", "TA", "W", "F", "X"};

std::vector<std::vector<Ending>> MakeTables() {
  std::vector<std::vector<Ending>> t(kClassCount);
  t[kNom] = {{"", "sg n, "}};
  t[kGen] = {{"", "sg g, "},     {"d", "pl n, "},   {"sse", "sg ill, "}, {"s", "sg in, "},
             {"st", "sg el, "},  {"le", "sg all, "}, {"l", "sg ad, "},    {"lt", "sg abl, "},
             {"ks", "sg tr, "},  {"ni", "sg ter, "}, {"na", "sg es, "},   {"ta", "sg ab, "},
             {"ga", "sg kom, "}};
  t[kPart] = {{"", "sg p, "}};
  t[kAdt] = {{"", "adt, "}};
  t[kPlGen] = {{"", "pl g, "},    {"sse", "pl ill, "}, {"s", "pl in, "},  {"st", "pl el, "},
               {"le", "pl all, "}, {"l", "pl ad, "},    {"lt", "pl abl, "}, {"ks", "pl tr, "},
               {"ni", "pl ter, "}, {"na", "pl es, "},   {"ta", "pl ab, "},  {"ga", "pl kom, "}};
  t[kPlPart] = {{"", "pl p, "}};
  t[kMa] = {{"ma", "ma, "},     {"mas", "mas, "}, {"mast", "mast, "}, {"maks", "maks, "},
            {"mata", "mata, "}, {"v", "v, "},     {"vat", "vat, "}};
  t[kPres] = {{"n", "n, "},       {"d", "d, "},         {"b", "b, "},         {"me", "me, "},
              {"te", "te, "},     {"vad", "vad, "},     {"", "o, "},          {"ks", "ks, "},
              {"ksin", "ksin, "}, {"ksid", "ksid, "},   {"ksime", "ksime, "}, {"ksite", "ksite, "}};
  t[kDa] = {{"", "da, "}};
  t[kDes] = {{"", "des, "}};
  t[kPastS] = {{"s", "s, "}, {"sin", "sin, "}, {"sid", "sid, "}, {"sime", "sime, "}, {"site", "site, "}};
  t[kPastI] = {{"", "s, "}, {"n", "sin, "}, {"d", "sid, "}, {"me", "sime, "}, {"te", "site, "}};
  t[kNud] = {{"nud", "nud, "},         {"nuks", "nuks, "},       {"nuksin", "nuksin, "},
             {"nuksid", "nuksid, "},   {"nuksime", "nuksime, "}, {"nuksite", "nuksite, "},
             {"nuvat", "nuvat, "}};
  t[kImp] = {{"e", "ge, "}, {"u", "gu, "}, {"em", "gem, "}};
  t[kImps] = {{"ud", "tud, "},   {"i", "ti, "},       {"aks", "taks, "}, {"agu", "tagu, "},
              {"av", "tav, "},   {"avat", "tavat, "}, {"ama", "tama, "}, {"uks", "tuks, "},
              {"uvat", "tuvat, "}};
  t[kTa] = {{"", "ta, "}, {"kse", "takse, "}};
  t[kWord] = {{"", ""}};
  t[kFixed] = {{"", ""}};
  t[kFirst] = {};
  return t;
}

const std::vector<std::vector<Ending>>& Tables() {
  static const std::vector<std::vector<Ending>> tables = MakeTables();
  return tables;
}

}  // namespace

const char* ClassName(StemClass c) { return c < kClassCount ? kNames[c] : "?"; }

StemClass ClassFromName(std::string_view name) {
  for (int i = 0; i < kClassCount; ++i)
    if (name == kNames[static_cast<std::size_t>(i)]) return static_cast<StemClass>(i);
  return kClassCount;
}

const std::vector<Ending>& EndingsOf(StemClass c) { return Tables()[c]; }

bool IsVerbClass(StemClass c) { return c >= kMa && c <= kTa; }

std::size_t MaxEndingLength() { return 7; }

bool IsUpper1257(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0xA8 || c == 0xAA ||
         c == 0xAF;
}
bool IsLower1257(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFE && c != 0xF7) || c == 0xB8 || c == 0xBA ||
         c == 0xBF;
}
bool IsLetter1257(unsigned char c) { return IsUpper1257(c) || IsLower1257(c); }

unsigned char ToLower1257(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0xA8 || c == 0xAA || c == 0xAF) return static_cast<unsigned char>(c + 16);
  return c;
}
unsigned char ToUpper1257(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  if (c == 0xB8 || c == 0xBA || c == 0xBF) return static_cast<unsigned char>(c - 16);
  return c;
}

std::string Lower1257(std::string_view s) {
  std::string r(s);
  for (char& ch : r) ch = static_cast<char>(ToLower1257(static_cast<unsigned char>(ch)));
  return r;
}

}  // namespace vormik
