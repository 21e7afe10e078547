#include "keys/key_argument.h"

KeyArgument DecodeKeyArgument(UINT key, bool wineForm) {
    KeyArgument decoded{static_cast<BYTE>(key & 0xFF), static_cast<BYTE>((key >> 8) & 0xFF)};
    const UINT wide = key >> 16;
    if (wineForm && decoded.character == 0 && wide != 0 && wide <= 0xFF) {
        decoded.character = static_cast<BYTE>(wide);
    }
    return decoded;
}
