// Code page 936, the encoding of the texts in the score file. Everything else in the program is
// UTF-8; the conversion happens only at the file's edge.
//
// Every byte pair the code page maps is read and written back byte for byte: the pairs of
// glibc's GBK table, and the 2 149 pairs it lacks, which are the user-defined areas (AAA1-AFFE,
// F8A1-FEFE, A140-A7A0) and 255 further positions; those read as Private Use characters
// U+E000-U+E864. The single byte 0x80 is the euro sign.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvarn::gbk {

// Code page 936 bytes as UTF-8. A byte that does not begin a valid character becomes U+FFFD and
// decoding goes on with the very next byte: a lead byte whose second byte is not a trail byte
// never swallows it, and nothing is ever dropped silently.
std::string toUtf8(std::string_view gbkBytes);

// UTF-8 as code page 936 bytes, or nothing when the text is not valid UTF-8 or has a character
// without a code.
std::optional<std::string> fromUtf8(std::string_view utf8);

// UTF-8 as at most `maxBytes` bytes, for texts that must fit a fixed field whatever they hold:
// a character without a code (or an invalid UTF-8 byte) is written as '?', and the text ends
// before the first character that would not fit whole, so a double-byte character is never cut.
std::string fromUtf8Fitted(std::string_view utf8, std::size_t maxBytes);

// The longest beginning of a UTF-8 text that can be stored in `maxBytes` bytes as it stands: it
// ends before the first character without a code or that would not fit whole.
std::string fittingBeginning(std::string_view utf8, std::size_t maxBytes);

// The number of characters (Unicode code points) of a UTF-8 text; a stray byte counts as one.
std::size_t characterCount(std::string_view utf8);

} // namespace kelvarn::gbk
