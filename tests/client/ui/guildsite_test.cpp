#include "ui/guildsite.h"

#include <gtest/gtest.h>

namespace {

const std::u16string kHost = u"dkp.example:8080";
const std::u16string kOldHost = u"dkp.old.example";

TEST(GuildSiteName, IsThePieceAfterTheHost) {
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080/adpt_dkp", kOldHost, kHost), u"adpt_dkp");
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080/adpt_dkp/index", kOldHost, kHost),
              u"adpt_dkp");
    EXPECT_EQ(ui::guildSiteName(u"dkp.example:8080/g", kOldHost, kHost), u"");
}

TEST(GuildSiteName, TheOldHostIsRewrittenBeforeTheSplit) {
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.old.example/adpt_dkp", kOldHost, kHost), u"adpt_dkp");
}

TEST(GuildSiteName, TheHostMustMatchExactly) {
    EXPECT_EQ(ui::guildSiteName(u"http://DKP.example:8080/adpt_dkp", kOldHost, kHost), u"");
    EXPECT_EQ(ui::guildSiteName(u"http://www.dkp.example:8080/adpt_dkp", kOldHost, kHost), u"");
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080/adpt_dkp", kOldHost, u""), u"");
}

TEST(GuildSiteName, ASingleCharacterPieceIsSkipped) {
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080/g/adpt_dkp", kOldHost, kHost),
              u"adpt_dkp");
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080/g", kOldHost, kHost), u"");
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080//adpt_dkp", kOldHost, kHost), u"");
    EXPECT_EQ(ui::guildSiteName(u"http://dkp.example:8080", kOldHost, kHost), u"");
}

} // namespace
