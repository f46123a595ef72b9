// Scrambled rule files: the body of a rule file is stored with every byte
// rotated right by one bit; the readers rotate left and skip zero bytes.
#pragma once

#include <string>
#include <string_view>

namespace vaarikas {

inline unsigned char RotateRight1(unsigned char b) { return static_cast<unsigned char>((b >> 1) | (b << 7)); }
inline unsigned char RotateLeft1(unsigned char b) { return static_cast<unsigned char>((b << 1) | (b >> 7)); }

enum class RuleFileKind { kDisamb, kSyntax };

// Returns the scrambled form of a plain rule file. Disambiguation files stay
// plain through the first line containing SET-DECLARATIONS; syntax files
// through the line after the first line containing SENTENCE-DELIMITERS.
// Everything after is rotated, and a missing final line end is added.
// On a file without that header, *error is set and the result is empty.
std::string ScrambleRuleFile(std::string_view plain, RuleFileKind kind, std::string* error);

// Undoes the rotation of a scrambled body (zero bytes after rotation dropped).
std::string UnscrambleBody(std::string_view body);

}  // namespace vaarikas
