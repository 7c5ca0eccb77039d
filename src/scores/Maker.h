// Who made the game: the texts that name the maker, used alike by the main window's labels, the
// about window and the help window's "作者" text. Every link of the program opens the home page.
#pragma once

namespace kelvarn::maker {

inline constexpr const char* HomePage = "kelvarn.example.org";
inline constexpr const char* Studio = "蓝湾工作室";
inline constexpr const char* Author = "作者：林海";
inline constexpr const char* Email = "kelvarn@example.org";

} // namespace kelvarn::maker
