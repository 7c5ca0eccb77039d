#include "platform/InputBoxLayout.h"

#include "platform/DialogTexts.h"

namespace kelvarn {

const InputBoxLayout& inputBoxLayout() {
    static const InputBoxLayout layout{
        4740,                   // 316 px wide
        1860,                   // 124 px high
        {120, 120, 3240, 1080}, // prompt: (8, 8), 216 x 72 px
        {3480, 120, 1140, 375}, // 确定: (232, 8), 76 x 25 px
        {3480, 585, 1140, 375}, // 取消: (232, 39), 76 x 25 px
        {120, 1395, 4500, 330}, // field: (8, 93), 300 x 22 px
        FontSpec{"宋体", 9, false},
        dialog_texts::Ok,
        dialog_texts::Cancel,
    };
    return layout;
}

} // namespace kelvarn
