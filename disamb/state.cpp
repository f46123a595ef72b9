#include "disamb/state.h"

#include <algorithm>
#include <cstdarg>

namespace vaarikas::disamb::detail {

State gState;

void Report(const char* fmt, ...) {
  std::FILE* err = S().err;
  if (!err) return;
  va_list ap;
  va_start(ap, fmt);
  std::vfprintf(err, fmt, ap);
  va_end(ap);
}

int32_t TagId(const std::string& tag) {
  auto& ids = S().tagIds;
  auto it = ids.find(tag);
  if (it != ids.end()) return it->second;
  int32_t id = static_cast<int32_t>(ids.size());
  ids.emplace(tag, id);
  return id;
}

Member MakeMember(const std::vector<std::string>& tags) {
  Member m;
  m.text.assign(1, ' ');
  for (const auto& t : tags) {
    m.text += t;
    m.text += ' ';
    m.tags.push_back(TagId(t));
  }
  std::sort(m.tags.begin(), m.tags.end());
  m.tags.erase(std::unique(m.tags.begin(), m.tags.end()), m.tags.end());
  return m;
}

}  // namespace vaarikas::disamb::detail

namespace vaarikas::disamb {

Sentence& CurrentSentence() { return detail::S().sentence; }

void SetDelimiters(std::vector<std::string> delimiters) { detail::S().delimiters = std::move(delimiters); }

void SetOptions(bool scrambled, bool heuristic, std::FILE* err) {
  auto& s = detail::S();
  s.scrambled = scrambled;
  s.heuristic = heuristic;
  s.err = err;
}

int ConstraintCount(int kind) {
  if (kind < 0 || kind > 2) return 0;
  return static_cast<int>(detail::S().lists[kind].size());
}

}  // namespace vaarikas::disamb
