// The character of every code page 936 byte pair in glibc's GBK table, generated once by
// tools/gbktable so that every system converts alike. The pairs glibc lacks (the user-defined
// areas and a few more) read as 0 here; Gbk.cpp gives them their Private Use characters.
#pragma once

#include <cstdint>

namespace kelvarn::gbk::table {

inline constexpr unsigned FirstLead = 0x81, LastLead = 0xFE;
inline constexpr unsigned FirstTrail = 0x40, LastTrail = 0xFE; // 0x7F is not a trail byte
inline constexpr unsigned Leads = LastLead - FirstLead + 1;
inline constexpr unsigned Trails = LastTrail - FirstTrail; // without 0x7F

// Row by lead byte, column by trail byte (0x7F skipped); 0 where glibc's table has no character.
extern const std::uint16_t pairs[Leads * Trails];

} // namespace kelvarn::gbk::table
