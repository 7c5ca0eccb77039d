// GBK (code page 936), the encoding of the texts in the score file. Everything else in the program
// is UTF-8; the conversion happens only at the file's edge.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvarn::gbk {

// GBK bytes as UTF-8. A byte sequence that is not valid GBK becomes U+FFFD, one replacement per
// offending byte, and decoding goes on after it; nothing is ever dropped silently.
std::string toUtf8(std::string_view gbkBytes);

// UTF-8 as GBK bytes, or nothing when the text is not valid UTF-8 or has a character without a
// GBK form.
std::optional<std::string> fromUtf8(std::string_view utf8);

// UTF-8 as at most `maxBytes` GBK bytes, for texts that must fit a fixed field whatever they hold:
// a character without a GBK form (or an invalid UTF-8 byte) is written as '?', and the text ends
// before the first character that would not fit whole, so a double-byte character is never cut.
std::string fromUtf8Fitted(std::string_view utf8, std::size_t maxBytes);

// The number of characters (Unicode code points) of a UTF-8 text; a stray byte counts as one.
std::size_t characterCount(std::string_view utf8);

} // namespace kelvarn::gbk
