#include <gtest/gtest.h>

#include <string>

#include "common/gbk_text.h"
#include "engine/online_word.h"

namespace {

const std::string kHeader = "   青岚  28键松鹤 \n------------------\n";

std::string Codes(const std::string& utf8Selection) {
    char text[kSelectionCodesTextSize];
    const std::string gbk = Gbk(utf8Selection);
    BuildSelectionCodesText(gbk.c_str(), text);
    return Utf8(text);
}

TEST(SelectionCodesTest, HeaderLinesAreNineteenBytesEach) {
    char text[kSelectionCodesTextSize];
    BuildSelectionCodesText(nullptr, text);
    EXPECT_EQ(std::string(text).size(), 38u);
    EXPECT_EQ(Utf8(text), kHeader);
}

TEST(SelectionCodesTest, OneLinePerCharacterWithBothCodes) {
    // A 3-key Primary code gets one space more, so the columns line up.
    EXPECT_EQ(Codes("中a文"), kHeader + "中  khk     kez  \n文  yygy    yk  \n");
}

TEST(SelectionCodesTest, CharactersWithoutPrimaryCodeGiveNoLine) {
    EXPECT_EQ(Codes("Ａ工"), kHeader + "工  aaaa    dses  \n");
}

TEST(SelectionCodesTest, AtMostElevenCharactersCount) {
    const std::string twelve = Codes("一二三四五六七八九十工人");
    EXPECT_NE(twelve.find("工  aaaa"), std::string::npos);
    EXPECT_EQ(twelve.find("人  wwww"), std::string::npos);
    // Eleven lines of at most 19 bytes fit the text.
    EXPECT_LE(Gbk(twelve).size(), kSelectionCodesTextSize - 1);
    // A character without a code still counts.
    EXPECT_EQ(Codes("ＡＢＣＤＥＦＧＨＩＪＫ工").find("工"), std::string::npos);
}

TEST(SelectionCodesTest, AStrayByteShiftsThePairing) {
    // A CR before 中 pairs with 中's lead byte; what follows no longer forms 中.
    const std::string shifted = Codes("\r中文");
    EXPECT_EQ(shifted.find("中"), std::string::npos);
    EXPECT_EQ(Codes("中\r").find("中  khk"), kHeader.size());
}

}  // namespace
