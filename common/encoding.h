// Conversions between the pipeline's 8-bit Windows-1257 text and UTF-8,
// used only at the edges (editor, console front end, error display).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vaarikas {

// Every Windows-1257 byte has a Unicode character except the few undefined
// positions; those are kept visible as U+FFFD so nothing vanishes silently.
std::string Cp1257ToUtf8(std::string_view bytes);

// Characters that Windows-1257 cannot hold become "?"; *replaced (if given)
// receives their number so the caller can warn. Malformed UTF-8 bytes count
// as replaced too.
std::string Utf8ToCp1257(std::string_view utf8, std::size_t* replaced = nullptr);

}  // namespace vaarikas
