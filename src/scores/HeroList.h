// The high-score file as bytes: 30 records of 18 bytes, three per place (name, score, date).
// Names and dates are counted strings (a 16-bit little-endian byte count, then that many GBK
// bytes); a score is a little-endian signed 32-bit number in the first 4 bytes of its record.
// Whatever the bytes hold, decoding stays inside each record and never fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/GameEdit.h"

namespace kelvarn {

using HeroTable = SlotTable<HeroEntry, 10>;

inline constexpr std::size_t HeroFileSize = 540;
// Text bytes a counted string can hold: its record less the 2 bytes of the count.
inline constexpr std::size_t MaxTextBytes = 16;

// The list held by a file's bytes; places whose records are missing are empty. A count above 16
// reads the 16 bytes the record holds; bytes that are not GBK read as U+FFFD.
HeroTable decodeHeroList(const std::vector<std::uint8_t>& bytes);

// The 540 bytes of a file holding `list`, padding zero. A text longer than 16 GBK bytes is cut
// before the first character that does not fit whole, and a character without a GBK form is
// written as '?' (the new-record flow accepts only names that fit, so this guards dates and texts
// that were read from a damaged file).
std::vector<std::uint8_t> encodeHeroList(const HeroTable& list);

// `list` with the entries of `other` that earn a place in it, each placed as a new record is:
// above the first entry with a strictly lower score, below equal ones; the last place drops off.
// An entry of `other` that `list` already holds (the same name, score and date) is the same
// record and is not added again; places never filled are not entries.
HeroTable mergeHeroLists(const HeroTable& list, const HeroTable& other);

struct StoreNotice;
// What the player is told, in a box titled like the game's other boxes, when the list's file
// could not be read or written.
std::string scoreFileNoticeText(const StoreNotice& notice);

} // namespace kelvarn
