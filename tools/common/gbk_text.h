// Conversion between the user's UTF-8 and the input method's GBK (code page 936), for the host
// tools and tests.
#pragma once

#include <string>
#include <string_view>

// False when the text has a character that GBK cannot hold (or is not valid UTF-8).
bool Utf8ToGbk(std::string_view utf8, std::string& gbk);
// False when the bytes are not valid GBK; what could be converted is in utf8.
bool GbkToUtf8(std::string_view gbk, std::string& utf8);

// Conveniences that give "" when the conversion fails.
std::string Gbk(std::string_view utf8);
std::string Utf8(std::string_view gbk);
