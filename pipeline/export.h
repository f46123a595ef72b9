// Turning an editor text into the bytes of the source file.
#pragma once

#include <string>
#include <string_view>

namespace vaarikas {

// The text (Windows-1257 bytes) as written to the source file: "." appended
// when it holds none of ".", "?", "!"; the letters S/Z with caron moved from
// their Windows-1252 positions (0x8A 0x8E 0x9A 0x9E) to their Windows-1257
// ones (0xD0 0xDE 0xF0 0xFE); then one zero byte.
std::string ExportBytes(std::string_view text);

// The Analyse command refuses texts shorter than this many characters.
inline constexpr std::size_t kMinAnalyseLength = 2;
inline constexpr const char* kMsgTooShort = "Open morphologically analysed text to find Noun Phrases.";

}  // namespace vaarikas
