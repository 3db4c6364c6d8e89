#include "dkp/game_language.h"

#include <string_view>

namespace dkp {
namespace {

// Characters frequent in the game's zone, boss and item names that Simplified and Traditional
// Chinese write differently, pair by pair at the same position.
constexpr std::u16string_view kSimplified =
    u"纳萨玛龙战卫灵圣护风师阴阳红蓝绿银铁钢剑长门开关东乐厅亚诺尔兰达图军团头们个这来时会为说对"
    u"与击领实点将赞鲁伦罗贝丽维杰恶兽鸟书宝币级带裤铠饰项链织锁环坠韧觉迈苏顿尔庙坛帅";
constexpr std::u16string_view kTraditional =
    u"納薩瑪龍戰衛靈聖護風師陰陽紅藍綠銀鐵鋼劍長門開關東樂廳亞諾爾蘭達圖軍團頭們個這來時會為說對"
    u"與擊領實點將讚魯倫羅貝麗維傑惡獸鳥書寶幣級帶褲鎧飾項鏈織鎖環墜韌覺邁蘇頓爾廟壇帥";

class Tally {
public:
    void add(const std::u16string& text) {
        for (const char16_t c : text) {
            simplified_ += kSimplified.find(c) != std::u16string_view::npos;
            traditional_ += kTraditional.find(c) != std::u16string_view::npos;
        }
    }
    bool isTraditional() const { return traditional_ > simplified_; }

private:
    std::size_t simplified_ = 0;
    std::size_t traditional_ = 0;
};

} // namespace

std::string guessGameLanguage(const std::vector<const Raid*>& raids) {
    Tally tally;
    for (const Raid* raid : raids) {
        tally.add(raid->getRaidLog().getZone());
        for (const BossKill& kill : raid->getBossKills().getBossKills())
            tally.add(kill.name);
        for (const Loot& loot : raid->getLoots()) {
            tally.add(loot.name);
            tally.add(loot.zone);
            tally.add(loot.boss);
        }
    }
    return tally.isTraditional() ? "zhTW" : "zhCN";
}

} // namespace dkp
