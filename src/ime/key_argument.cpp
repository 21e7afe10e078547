#include "ime/key_argument.h"

KeyArgument DecodeKeyArgument(UINT key) {
    KeyArgument decoded{static_cast<BYTE>(key & 0xFF), static_cast<BYTE>((key >> 8) & 0xFF)};
    const UINT wide = key >> 16;
    if (decoded.character == 0 && wide != 0 && wide <= 0xFF) {
        decoded.character = static_cast<BYTE>(wide);
    }
    return decoded;
}
