#include <string>

#include "scores/Gbk.h"
#include "scores/HeroList.h"
#include "scores/HeroRecords.h"
#include "scores/ScoreStore.h"

namespace kelvarn {
namespace {

constexpr std::size_t MaxNameCharacters = 16;

// A name goes into the list only if it is stored exactly as typed: 1 to 16 characters, each with
// a GBK form, together no more than the 16 bytes of its record (eight Chinese characters).
bool nameFits(const std::string& name) {
    const std::size_t characters = gbk::characterCount(name);
    if (characters < 1 || characters > MaxNameCharacters) {
        return false;
    }
    const auto bytes = gbk::fromUtf8(name);
    return bytes && bytes->size() <= MaxTextBytes;
}

} // namespace

// The file is read whatever it holds: a missing file comes back created and empty, a short one
// leaves the missing places empty. A file that cannot be read leaves the list empty, and the
// player is told where records will be kept instead.
void HeroRecords::loadHeroList(GameEdit& game) {
    game.heroList = decodeHeroList(store_.loadBytes());
    game.heroListAsLoaded = game.heroList;
    if (const auto notice = store_.takeNotice()) {
        game.services.dialogs.messageBox(scoreFileNoticeText(*notice), "Kelvarn", Buttons::Ok);
    }
}

// The file is replaced whole, and every caller goes on to end the program. A save that fails
// keeps the previous file; if the list had changed since it was loaded, a record is lost, and
// the player is told so.
void HeroRecords::saveHeroList(GameEdit& game) {
    const auto& heroList = game.heroList;
    const bool saved = store_.saveBytes(encodeHeroList(heroList));
    const auto notice = store_.takeNotice();
    bool changed = false;
    for (int k = 1; k <= heroList.size; ++k) {
        changed = changed || !(heroList[k] == game.heroListAsLoaded[k]);
    }
    if (!saved && changed) {
        const StoreNotice told = notice.value_or(StoreNotice{StoreNotice::Kind::NotSaved, "", ""});
        game.services.dialogs.messageBox(scoreFileNoticeText(told), "Kelvarn", Buttons::Ok);
    }
}

void HeroRecords::checkNewRecord(GameEdit& game) {
    auto& heroList = game.heroList;
    Services& services = game.services;
    if (game.score == 0) {
        return;
    }
    int place = 0;
    for (int i = 1; i <= heroList.size; ++i) {
        if (heroList[i].entryScore < game.score) {
            place = i;
            break;
        }
    }
    if (place == 0) {
        return;
    }

    const std::string number = std::to_string(place);
    const Answer answer =
        services.dialogs.messageBox("祝贺你！ " + std::to_string(game.score) + " 是一个新的高分！" +
                                        "\r\n" + "你想记录下来吗？",
                                    "新的最高分 第" + number + "名", Buttons::YesNo);
    services.shell.setMainWindowEnabled(false);
    game.paused = true;
    if (answer != Answer::Yes) {
        return;
    }

    for (int j = heroList.size; j >= place + 1; --j) {
        heroList[j] = heroList[j - 1];
    }
    // No way out but a name that fits; a cancelled box is an empty answer and asks again. A name
    // that does not fit comes back cut to its longest beginning that does, so the player sees
    // what can be kept.
    std::string name;
    std::string offered;
    for (;;) {
        name = services.dialogs.inputBox("请输入姓名：", "最高分:第 " + number + "名", offered);
        if (nameFits(name)) {
            break;
        }
        offered = gbk::fittingBeginning(name, MaxTextBytes);
    }

    HeroEntry& entry = heroList[place];
    entry.entryDate = services.shell.shortDateText();
    entry.entryName = name;
    entry.entryScore = game.score;

    services.shell.unloadMainWindow();
    services.shell.showWindow(WindowId::High, true);
    game.recordShown = true;
}

} // namespace kelvarn
