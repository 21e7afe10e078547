// UTF-8 and GBK through iconv, for the host tools and tests.
#include "common/gbk_text.h"

#include <iconv.h>

namespace {

bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    char* source = const_cast<char*>(in.data());
    std::size_t sourceLeft = in.size();
    bool ok = true;
    while (sourceLeft > 0) {
        char buffer[256];
        char* target = buffer;
        std::size_t targetLeft = sizeof buffer;
        std::size_t result = iconv(cd, &source, &sourceLeft, &target, &targetLeft);
        out.append(buffer, static_cast<std::size_t>(target - buffer));
        if (result == static_cast<std::size_t>(-1) && target == buffer) {
            ok = false;  // invalid or incomplete input, not just a full buffer
            break;
        }
    }
    iconv_close(cd);
    return ok;
}

}  // namespace

bool Utf8ToGbk(std::string_view utf8, std::string& gbk) {
    return Convert("CP936", "UTF-8", utf8, gbk);
}

bool GbkToUtf8(std::string_view gbk, std::string& utf8) {
    return Convert("UTF-8", "CP936", gbk, utf8);
}
