// The user guide tells only what the product does: the installed copy is the master text, every
// hot key it names is taken by the key decisions the way it says, every window text it quotes is
// in the resources, and every file and command it names is one the product uses.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "common/setup_plan.h"
#include "dict/table_image_files.h"
#include "keys/key_decisions.h"
#include "keys/soft_keyboard.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/word_dialog_rules.h"

namespace {

const std::string kRoot = ZELK_SOURCE_DIR;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string& Guide() {
    static const std::string text = ReadFile(kRoot + "/docs/user-guide.txt");
    return text;
}

// Every place where the guide holds `word`.
std::vector<std::size_t> Occurrences(const std::string& word) {
    std::vector<std::size_t> at;
    for (std::size_t p = Guide().find(word); p != std::string::npos;
         p = Guide().find(word, p + 1)) {
        at.push_back(p);
    }
    return at;
}

KeyEventFacts Press(BYTE vk, bool ctrl, bool shift) {
    return KeyEventFacts{vk, true, ctrl, shift};
}
// A key pressed in Chinese mode: while a code with candidates is typed, or with nothing typed and
// `candidates` (2 = none, more = an association list) on offer.
TakeDecision Typing(BYTE vk) {
    return DecideTaken(TakeFacts{vk, true, true, 5, 1, false, false, true, false});
}
TakeDecision Idle(BYTE vk, std::uint16_t candidates = 2, bool english = false) {
    return DecideTaken(TakeFacts{vk, true, false, candidates, 0, english, false, !english, false});
}
TranslateRoute Route(BYTE vk, BYTE ch, bool shift, int softKeyboard, std::uint16_t candidates) {
    return DecideTranslateRoute(
        TranslateFacts{vk, ch, false, shift, softKeyboard, true, false, false, candidates, false});
}
bool ClosesOrPages(BYTE vk) {  // taken while typing and while an association list shows
    return Typing(vk).taken && Idle(vk, 5).taken && !Idle(vk).taken;
}

bool PromotesWithEveryDigit() {
    for (BYTE d = '0'; d <= '9'; ++d) {
        if (DecidePressRoute(d, true, false, 0) != PressRoute::PromoteCandidate) {
            return false;
        }
    }
    return true;
}

struct HotKey {
    const char* spelling;  // as the guide writes it
    bool works;            // the product takes the key and does what the guide says
};

std::vector<HotKey> HotKeys() {
    return {
        {"Ctrl+J", DecidePressRoute(0x0A00 | 'J', true, false, 0) == PressRoute::SwitchCodeSet &&
                       DecideShortcut(Press('J', true, false), 0) == ShortcutAction::None},
        {"Ctrl+M", DecidePressRoute(0x0D00 | 'M', true, false, 0) == PressRoute::SwitchGbkMode &&
                       DecideShortcut(Press('M', true, false), 0) == ShortcutAction::None},
        {"Ctrl+.",
         DecideShortcut(Press(VK_OEM_PERIOD, true, false), 0) == ShortcutAction::FlipPunctuation},
        {"Ctrl+空格",
         DecideShortcut(Press(VK_SPACE, true, false), 0) == ShortcutAction::StopWordCollection},
        {"Ctrl+`", Idle(VK_OEM_3).taken &&
                       DecidePressRoute(VK_OEM_3, true, false, 0) == PressRoute::ClipboardCommand},
        {"Ctrl+/", Idle(VK_OEM_2).taken &&
                       DecidePressRoute(VK_OEM_2, true, false, 0) == PressRoute::ClipboardCommand},
        {"Ctrl+3", Typing('3').taken &&
                       DecidePressRoute('3', true, false, 0) == PressRoute::PromoteCandidate},
        {"Ctrl+数字键", PromotesWithEveryDigit()},
        {"Shift+空格",
         DecideShortcut(Press(VK_SPACE, false, true), 0) == ShortcutAction::FlipFullWidth &&
             Idle(VK_SPACE).taken},
        {"Shift+1",
         Route('1', '!', true, 0, 2) == TranslateRoute::Symbol &&
             DecidePressRoute('1' | '!' << 8, false, true, 0) == PressRoute::CommitShifted},
        {"Shift+字母键",
         DecideShortcut(Press('A', false, true), 0) == ShortcutAction::EndShiftTap &&
             DecidePressRoute('A' | 'A' << 8, false, true, 0) == PressRoute::CommitShifted},
        {"Shift+数字键",
         DecidePressRoute('1' | '!' << 8, false, true, 3) == PressRoute::SelectInSecondRow},
        // The Greek soft keyboard: q gives α (A6C1), Shift+Q gives Α (A6A1).
        {"Shift+Q", Route('Q', 'Q', true, 2, 2) == TranslateRoute::SoftKeyboard &&
                        SoftKeyboardCellCode(2, true, SoftKeyboardCellOf('Q')) == 0xA6A1 &&
                        SoftKeyboardCellCode(2, false, SoftKeyboardCellOf('Q')) == 0xA6C1},
        // A tap of the chosen side switches, neither side with "临时关闭", and none while a soft
        // keyboard shows (Shift then goes to the application).
        {"Shift 键",
         StartsShiftTap(kLeftShiftScan) && StartsShiftTap(kRightShiftScan) &&
             ShiftReleaseSwitches(kReleaseScanBits | kLeftShiftScan, true, false) &&
             !ShiftReleaseSwitches(kReleaseScanBits | kLeftShiftScan, false, true) &&
             ShiftReleaseSwitches(kReleaseScanBits | kRightShiftScan, false, true) &&
             !ShiftReleaseSwitches(kReleaseScanBits | kRightShiftScan, false, false) &&
             DecideShortcut(Press(VK_SHIFT, false, true), 1) == ShortcutAction::ToApplication},
        {"Caps Lock", Idle(VK_CAPITAL, 2, true).taken && Typing(VK_CAPITAL).discardCode &&
                          NextEnglishMode(1, true) && NextEnglishMode(-127, true) &&
                          !NextEnglishMode(0, true)},
        {"Page Down", ClosesOrPages(VK_NEXT) && IsEngineCharacterKey(VK_NEXT)},
        {"Page Up", ClosesOrPages(VK_PRIOR) && IsEngineCharacterKey(VK_PRIOR)},
        {"等号键", Typing(VK_OEM_PLUS).taken && IsEngineCharacterKey(VK_OEM_PLUS)},
        {"减号键", Typing(VK_OEM_MINUS).taken && IsEngineCharacterKey(VK_OEM_MINUS)},
        {"Esc", ClosesOrPages(VK_ESCAPE) && !IsEngineCharacterKey(VK_ESCAPE)},
        {"Enter", ClosesOrPages(VK_RETURN) && !IsEngineCharacterKey(VK_RETURN)},
        {"空格键", Typing(VK_SPACE).taken && Idle(VK_SPACE).taken},
        // Backspace shortens a code; over an association list it closes it and reaches the program.
        {"退格键", Typing(VK_BACK).taken && Idle(VK_BACK, 5).closeAssociation &&
                       !Idle(VK_BACK, 5).taken && !Idle(VK_BACK).taken},
    };
}

TEST(UserGuideTest, TheInstalledCopyIsTheMasterTextInGbkWithCrLf) {
    const std::string& master = Guide();
    ASSERT_FALSE(master.empty()) << "docs/user-guide.txt is missing";
    ASSERT_EQ(master.find('\r'), std::string::npos) << "docs/user-guide.txt has LF line ends";
    std::string gbk;
    ASSERT_TRUE(Utf8ToGbk(master, gbk)) << "docs/user-guide.txt holds a character outside GBK";
    std::string expected;
    for (char c : gbk) {
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    // A GBK trail byte is never 0x0A, so every LF above was a line end.
    const std::string installed = ReadFile(kRoot + "/data/" + Utf8(kUserGuideFileName));
    EXPECT_TRUE(installed == expected)
        << "data/" << Utf8(kUserGuideFileName)
        << " differs from docs/user-guide.txt; regenerate it:\n"
        << "  iconv -f UTF-8 -t GBK docs/user-guide.txt | sed 's/$/\\r/' > 'data/"
        << Utf8(kUserGuideFileName) << "'";
}

TEST(UserGuideTest, EveryHotKeyIsTakenAsTheGuideSays) {
    const std::vector<HotKey> hotKeys = HotKeys();
    for (const HotKey& key : hotKeys) {
        EXPECT_FALSE(Occurrences(key.spelling).empty()) << key.spelling << " is not in the guide";
        EXPECT_TRUE(key.works) << key.spelling;
    }
    // No combination in the guide escapes the list above.
    for (const char* modifier : {"Ctrl+", "Shift+"}) {
        for (std::size_t at : Occurrences(modifier)) {
            bool known = false;
            for (const HotKey& key : hotKeys) {
                known = known ||
                        Guide().compare(at, std::string(key.spelling).size(), key.spelling) == 0;
            }
            EXPECT_TRUE(known) << "unchecked hot key: " << Guide().substr(at, 16);
        }
    }
}

// The string literals of the resource script, comments left out.
std::vector<std::string> ResourceTexts() {
    std::istringstream rc(ReadFile(kRoot + "/src/res/zelk.rc"));
    std::vector<std::string> texts;
    for (std::string line; std::getline(rc, line);) {
        if (line.find_first_not_of(' ') != std::string::npos &&
            line.compare(line.find_first_not_of(' '), 2, "//") == 0) {
            continue;
        }
        for (std::size_t open = line.find('"'); open != std::string::npos;) {
            const std::size_t close = line.find('"', open + 1);
            if (close == std::string::npos) {
                break;
            }
            texts.push_back(line.substr(open + 1, close - open - 1));
            open = line.find('"', close + 1);
        }
    }
    return texts;
}

TEST(UserGuideTest, EveryQuotedWindowTextIsTheProducts) {
    const std::vector<std::string> resources = ResourceTexts();
    ASSERT_FALSE(resources.empty());
    std::vector<std::string> pageNames;
    for (const auto& name : kSettingsPageNames) {
        const std::string utf8 = Utf8(name);
        pageNames.push_back(utf8.substr(0, utf8.find_last_not_of(' ') + 1));
    }
    const std::string open = "「", close = "」";
    std::size_t quoted = 0;
    for (std::size_t at : Occurrences(open)) {
        const std::size_t end = Guide().find(close, at);
        ASSERT_NE(end, std::string::npos);
        const std::string text = Guide().substr(at + open.size(), end - at - open.size());
        if (text.empty()) {
            continue;  // the quotes themselves, where the guide explains them
        }
        bool found = false;
        for (const std::string& resource : resources) {
            found = found || resource.find(text) != std::string::npos;
        }
        for (const std::string& page : pageNames) {
            found = found || page == text;
        }
        EXPECT_TRUE(found) << "「" << text << "」 is no caption, menu item or page of the product";
        ++quoted;
    }
    EXPECT_GT(quoted, 60u);  // the guide names every page, option and menu item
}

TEST(UserGuideTest, EveryFileItNamesIsOneTheProductUses) {
    std::vector<std::string> known = {"." + std::string(kBackupDefaultExtension)};
    for (const char* file : kRequiredDataFiles) {
        known.push_back(std::string(file).substr(std::string(file).rfind('\\') + 1));
    }
    char imagePath[kPathBufferSize];
    ASSERT_TRUE(TableImagePath(kRequiredDataFiles[0], 0, imagePath));
    const std::string imageName =
        std::string(imagePath).substr(std::string(imagePath).rfind('\\') + 1);
    const std::string windowsBuild = ReadFile(kRoot + "/cmake/windows.cmake");
    const std::string guideName = Utf8(kUserGuideFileName);
    const std::string guideStem = guideName.substr(0, guideName.rfind('.'));
    const std::string& guide = Guide();
    auto nameChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
    };
    std::size_t names = 0;
    for (std::size_t p = 0; p < guide.size(); ++p) {
        if (!nameChar(guide[p]) || (p > 0 && nameChar(guide[p - 1]))) {
            continue;
        }
        std::size_t end = p;
        while (end < guide.size() && nameChar(guide[end])) {
            ++end;
        }
        const std::string token = guide.substr(p, end - p);
        const std::size_t dot = token.rfind('.');
        if (dot == std::string::npos || dot + 1 == token.size() ||
            !std::isalpha(static_cast<unsigned char>(token[dot + 1])) ||
            std::isdigit(static_cast<unsigned char>(token[0]))) {
            continue;  // no file name: a word, a number, a key
        }
        ++names;
        const std::string stem = token.substr(0, dot);
        // After a "*" the guide names a family of files by their common ending.
        const bool wildcardTail = p > 0 && guide[p - 1] == '*' && token[0] == '.';
        bool used =
            (wildcardTail && imageName.size() > token.size() &&
             imageName.compare(imageName.size() - token.size(), token.size(), token) == 0) ||
            IsOwnImeFile(token) ||
            (token == ".txt" && p >= guideStem.size() &&
             guide.compare(p - guideStem.size(), guideStem.size(), guideStem) == 0) ||
            (token.substr(dot) == ".exe" &&
             windowsBuild.find("add_executable(" + stem + " ") != std::string::npos);
        for (const std::string& name : known) {
            used = used || token == name;
        }
        EXPECT_TRUE(used) << token << " is no file of the product";
    }
    EXPECT_GT(names, 10u);
    // The backup files' type as the file dialogs show it.
    const std::string filter(kBackupFilter, sizeof kBackupFilter);
    const std::string backupType =
        Utf8(filter.substr(filter.find('\0', filter.find('\0') + 1) + 1).c_str());
    EXPECT_FALSE(Occurrences(backupType).empty()) << backupType;
}

TEST(UserGuideTest, EveryInstallerCommandLineIsAccepted) {
    const std::string command = "zelk-setup ";
    ASSERT_GE(Occurrences(command).size(), 4u);
    for (std::size_t at : Occurrences(command)) {
        std::istringstream line(
            Guide().substr(at + command.size(), Guide().find('\n', at) - at - command.size()));
        std::vector<std::string> arguments;
        for (std::string word; line >> word && static_cast<unsigned char>(word[0]) < 0x80;) {
            arguments.push_back(word);
        }
        EXPECT_NE(ParseSetupArguments(arguments).command, SetupCommand::Invalid)
            << Guide().substr(at, Guide().find('\n', at) - at);
    }
}

}  // namespace
