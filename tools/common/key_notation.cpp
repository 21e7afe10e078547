#include "common/key_notation.h"

#include "common/us_keyboard.h"

namespace {

constexpr std::uint8_t kShiftKey = 0x10;
constexpr std::uint8_t kRightShiftScan = 0x36;

KeyToken TokenFor(std::string text, const UsKey& key) {
    return KeyToken{std::move(text), KeyTokenKind::Key, key.virtualKey, key.scan,
                    key.extended,    key.shift,         false,          false};
}

struct NamedKey {
    const char* name;
    std::uint8_t virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"Enter", 0x0D}, {"Esc", 0x1B}, {"BS", 0x08},   {"PgUp", 0x21},  {"PgDn", 0x22},
    {"Home", 0x24},  {"End", 0x23}, {"Caps", 0x14}, {"Space", 0x20},
};

bool FindNamedKey(std::string_view name, UsKey& key) {
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) {
            key = UsKeyForVirtualKey(named.virtualKey);
            return true;
        }
    }
    return false;
}

// The inside of <...>: a named key, a tap, or a modifier with a key.
bool ParseNamed(std::string_view inside, KeyToken& token, std::string& error) {
    const std::string text = "<" + std::string(inside) + ">";
    UsKey key;
    if (inside == "lt") {
        UsKeyForCharacter('<', key);
        token = TokenFor(text, key);
        return true;
    }
    if (inside == "LShift" || inside == "RShift") {
        const bool right = inside == "RShift";
        key = UsKeyForVirtualKey(kShiftKey);
        token = TokenFor(text, key);
        token.kind = KeyTokenKind::ShiftTap;
        token.rightShift = right;
        token.scan = right ? kRightShiftScan : key.scan;
        return true;
    }
    if (inside == "S-Space") {
        FindNamedKey("Space", key);
        token = TokenFor(text, key);
        token.shift = true;
        return true;
    }
    if (inside.size() > 2 && inside.substr(0, 2) == "C-") {
        const std::string_view rest = inside.substr(2);
        if (!(rest.size() == 1 && UsKeyForCharacter(rest[0], key)) && rest != "Space") {
            error = "unknown key after C- in " + text;
            return false;
        }
        if (rest == "Space") {
            FindNamedKey(rest, key);
        }
        token = TokenFor(text, key);
        token.ctrl = true;
        return true;
    }
    if (inside != "Space" && FindNamedKey(inside, key)) {
        token = TokenFor(text, key);
        return true;
    }
    error = "unknown key name " + text;
    return false;
}

}  // namespace

bool ParseKeyNotation(std::string_view text, std::vector<KeyToken>& tokens, std::string& error) {
    tokens.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            ++i;
            continue;
        }
        if (c != '<') {
            UsKey key;
            if (!UsKeyForCharacter(c, key)) {
                error = "not a key: byte " + std::to_string(static_cast<unsigned char>(c));
                return false;
            }
            tokens.push_back(TokenFor(std::string(1, c), key));
            ++i;
            continue;
        }
        // "<C->>" and "<C-<>": the character after "C-" is the key even when it is '<' or '>'.
        std::size_t end = text.find('>', text.compare(i + 1, 2, "C-") == 0 ? i + 4 : i + 1);
        if (end == std::string_view::npos) {
            error = "'<' without '>' at offset " + std::to_string(i);
            return false;
        }
        KeyToken token;
        if (!ParseNamed(text.substr(i + 1, end - i - 1), token, error)) {
            return false;
        }
        tokens.push_back(std::move(token));
        i = end + 1;
    }
    return true;
}
