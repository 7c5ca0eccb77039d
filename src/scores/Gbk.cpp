#include "scores/Gbk.h"

#include <array>
#include <cstdint>
#include <vector>

#include "scores/GbkTable.h"

namespace kelvarn::gbk {
namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr char32_t Euro = 0x20AC;                        // the single byte 0x80

// ---- glibc's pairs, both ways ----

unsigned pairIndex(unsigned lead, unsigned trail) {
    return (lead - table::FirstLead) * table::Trails + (trail - table::FirstTrail) -
           (trail > 0x7F ? 1 : 0);
}

// The character of a pair in glibc's table, or 0.
char32_t tableCharacter(unsigned lead, unsigned trail) {
    return table::pairs[pairIndex(lead, trail)];
}

// The pair in glibc's table of a character of the Basic Multilingual Plane, or 0. Each
// character stands at most once in the table (tools/gbktable makes sure).
unsigned tablePair(char32_t c) {
    static const std::vector<std::uint16_t> reverse = [] {
        std::vector<std::uint16_t> pairOf(0x10000, 0);
        for (unsigned lead = table::FirstLead; lead <= table::LastLead; ++lead) {
            for (unsigned trail = table::FirstTrail; trail <= table::LastTrail; ++trail) {
                if (trail != 0x7F) {
                    if (const std::uint16_t ch = table::pairs[pairIndex(lead, trail)]) {
                        pairOf[ch] = std::uint16_t((lead << 8) | trail);
                    }
                }
            }
        }
        return pairOf;
    }();
    return c < reverse.size() ? reverse[c] : 0;
}

// ---- the pairs glibc's GBK table lacks ----

// Three user-defined areas, each a block of lead bytes times a run of trail bytes, taking the
// Private Use Area from U+E000 on in this order, row by row.
struct UserArea {
    unsigned firstLead, lastLead;
    unsigned firstTrail, lastTrail; // 0x7F, never a trail byte, is skipped
    char32_t first;
};
constexpr std::array<UserArea, 3> UserAreas{{
    {0xAA, 0xAF, 0xA1, 0xFE, 0xE000}, // 6 x 94
    {0xF8, 0xFE, 0xA1, 0xFE, 0xE234}, // 7 x 94
    {0xA1, 0xA7, 0x40, 0xA0, 0xE4C6}, // 7 x 96
}};

// The positions outside those areas that the code page maps to Private Use characters: U+E766
// onward, one after another in the order of their codes, up to U+E864.
struct PairRun {
    std::uint16_t first, last;
};
constexpr std::array<PairRun, 27> OtherPrivatePairs{{
    {0xA2AB, 0xA2B0}, {0xA2E3, 0xA2E4}, {0xA2EF, 0xA2F0}, {0xA2FD, 0xA2FE}, {0xA4F4, 0xA4FE},
    {0xA5F7, 0xA5FE}, {0xA6B9, 0xA6C0}, {0xA6D9, 0xA6DF}, {0xA6EC, 0xA6ED}, {0xA6F3, 0xA6F3},
    {0xA6F6, 0xA6FE}, {0xA7C2, 0xA7D0}, {0xA7F2, 0xA7FE}, {0xA896, 0xA8A0}, {0xA8BC, 0xA8BC},
    {0xA8BF, 0xA8BF}, {0xA8C1, 0xA8C4}, {0xA8EA, 0xA8FE}, {0xA958, 0xA958}, {0xA95B, 0xA95B},
    {0xA95D, 0xA95F}, {0xA989, 0xA995}, {0xA997, 0xA9A3}, {0xA9F0, 0xA9FE}, {0xD7FA, 0xD7FE},
    {0xFE50, 0xFE7E}, {0xFE80, 0xFEA0},
}};
constexpr char32_t OtherPrivateFirst = 0xE766;
constexpr char32_t PrivateLast = 0xE864;

constexpr bool isLead(unsigned byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

constexpr bool isTrail(unsigned byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// The trail bytes of an area before `trail` (0x7F does not count).
constexpr unsigned trailIndex(const UserArea& area, unsigned trail) {
    return trail - area.firstTrail - (area.firstTrail < 0x7F && trail > 0x7F ? 1 : 0);
}

constexpr unsigned trailsPerRow(const UserArea& area) {
    return trailIndex(area, area.lastTrail) + 1;
}

// The Private Use character of a pair that glibc's table lacks, or 0.
char32_t privateUseOf(unsigned lead, unsigned trail) {
    for (const UserArea& area : UserAreas) {
        if (lead >= area.firstLead && lead <= area.lastLead && trail >= area.firstTrail &&
            trail <= area.lastTrail) {
            return area.first + (lead - area.firstLead) * trailsPerRow(area) +
                   trailIndex(area, trail);
        }
    }
    const unsigned pair = (lead << 8) | trail;
    char32_t next = OtherPrivateFirst;
    for (const PairRun& run : OtherPrivatePairs) {
        if (pair >= run.first && pair <= run.last) {
            return next + (pair - run.first);
        }
        next += run.last - run.first + 1u;
    }
    return 0;
}

// The pair of a Private Use character the code page maps, or 0.
unsigned pairOfPrivateUse(char32_t c) {
    if (c < UserAreas[0].first || c > PrivateLast) {
        return 0;
    }
    if (c < OtherPrivateFirst) {
        for (auto area = UserAreas.rbegin(); area != UserAreas.rend(); ++area) {
            if (c >= area->first) {
                const unsigned index = c - area->first;
                unsigned trail = area->firstTrail + index % trailsPerRow(*area);
                trail += area->firstTrail < 0x7F && trail >= 0x7F ? 1 : 0;
                return ((area->firstLead + index / trailsPerRow(*area)) << 8) | trail;
            }
        }
    }
    unsigned index = c - OtherPrivateFirst;
    for (const PairRun& run : OtherPrivatePairs) {
        const unsigned length = run.last - run.first + 1u;
        if (index < length) {
            return run.first + index;
        }
        index -= length;
    }
    return 0;
}

// ---- UTF-8 ----

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the UTF-8 character starting at the front of `s`: the lead byte and the
// continuation bytes that follow it, as far as its lead byte announces. A stray byte is one long.
std::size_t characterLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s.front());
    std::size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        expected = 4;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        expected = 3;
    } else if (lead >= 0xC0 && lead <= 0xDF) {
        expected = 2;
    }
    std::size_t length = 1;
    while (length < expected && length < s.size() &&
           isContinuation(static_cast<unsigned char>(s[length]))) {
        ++length;
    }
    return length;
}

// The code point of one whole two- or three-byte character (every character the code page has
// beyond ASCII is one), or 0 for anything else: longer forms, overlong forms, surrogates.
char32_t codePoint(std::string_view character) {
    const auto b0 = static_cast<unsigned char>(character[0]);
    for (std::size_t i = 1; i < character.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(character[i]))) {
            return 0;
        }
    }
    if (character.size() == 2 && (b0 & 0xE0) == 0xC0) {
        const char32_t c = (char32_t(b0 & 0x1F) << 6) | (character[1] & 0x3F);
        return c >= 0x80 ? c : 0;
    }
    if (character.size() == 3 && (b0 & 0xF0) == 0xE0) {
        const char32_t c = (char32_t(b0 & 0x0F) << 12) | (char32_t(character[1] & 0x3F) << 6) |
                           (character[2] & 0x3F);
        return c >= 0x800 && (c < 0xD800 || c > 0xDFFF) ? c : 0;
    }
    return 0;
}

void appendThreeByte(std::string& out, char32_t c) {
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
}

// A character of the code page (never below U+0080) as UTF-8.
void appendCharacter(std::string& out, char32_t c) {
    if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        appendThreeByte(out, c);
    }
}

// Appends the code of one UTF-8 character; false, with `out` unchanged, when it has none.
bool encodeCharacter(std::string_view character, std::string& out) {
    if (character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
        out.push_back(character[0]);
        return true;
    }
    const char32_t c = codePoint(character);
    if (c == 0) {
        return false;
    }
    if (c == Euro) {
        out.push_back(char(0x80));
        return true;
    }
    if (const unsigned pair = pairOfPrivateUse(c)) {
        out.push_back(char(pair >> 8));
        out.push_back(char(pair & 0xFF));
        return true;
    }
    if (const unsigned pair = tablePair(c)) {
        out.push_back(char(pair >> 8));
        out.push_back(char(pair & 0xFF));
        return true;
    }
    return false;
}

} // namespace

std::string toUtf8(std::string_view gbkBytes) {
    std::string out;
    std::size_t i = 0;
    while (i < gbkBytes.size()) {
        const auto byte = static_cast<unsigned char>(gbkBytes[i]);
        if (byte < 0x80) {
            out.push_back(char(byte));
            ++i;
            continue;
        }
        if (byte == 0x80) {
            appendThreeByte(out, Euro);
            ++i;
            continue;
        }
        if (isLead(byte) && i + 1 < gbkBytes.size()) {
            const auto trail = static_cast<unsigned char>(gbkBytes[i + 1]);
            if (isTrail(trail)) {
                if (const char32_t c = privateUseOf(byte, trail)) {
                    appendThreeByte(out, c);
                    i += 2;
                    continue;
                }
                if (const char32_t c = tableCharacter(byte, trail)) {
                    appendCharacter(out, c);
                    i += 2;
                    continue;
                }
            }
        }
        // Not a character here: replace this one byte and read the next one on its own.
        out.append(Replacement);
        ++i;
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        const std::size_t length = characterLength(utf8);
        if (!encodeCharacter(utf8.substr(0, length), out)) {
            return std::nullopt;
        }
        utf8.remove_prefix(length);
    }
    return out;
}

std::string fromUtf8Fitted(std::string_view utf8, std::size_t maxBytes) {
    std::string out;
    while (!utf8.empty()) {
        const std::size_t length = characterLength(utf8);
        std::string piece;
        if (!encodeCharacter(utf8.substr(0, length), piece)) {
            piece.assign(1, '?');
        }
        if (out.size() + piece.size() > maxBytes) {
            break;
        }
        out += piece;
        utf8.remove_prefix(length);
    }
    return out;
}

std::string fittingBeginning(std::string_view utf8, std::size_t maxBytes) {
    std::string encoded;
    std::size_t kept = 0;
    while (kept < utf8.size()) {
        const std::size_t length = characterLength(utf8.substr(kept));
        if (!encodeCharacter(utf8.substr(kept, length), encoded) || encoded.size() > maxBytes) {
            break;
        }
        kept += length;
    }
    return std::string(utf8.substr(0, kept));
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    while (!utf8.empty()) {
        utf8.remove_prefix(characterLength(utf8));
        ++count;
    }
    return count;
}

} // namespace kelvarn::gbk
