// The captions of the buttons of the message and input boxes, the same on every desktop. "&"
// makes the next letter the button's mnemonic.
#pragma once

namespace kelvarn::dialog_texts {

inline constexpr const char* Yes = "是(&Y)";
inline constexpr const char* No = "否(&N)";
inline constexpr const char* Ok = "确定";
inline constexpr const char* Cancel = "取消";

} // namespace kelvarn::dialog_texts
