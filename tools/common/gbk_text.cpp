#include "common/gbk_text.h"

std::string Gbk(std::string_view utf8) {
    std::string gbk;
    return Utf8ToGbk(utf8, gbk) ? gbk : std::string();
}

std::string Utf8(std::string_view gbk) {
    std::string utf8;
    return GbkToUtf8(gbk, utf8) ? utf8 : std::string();
}
