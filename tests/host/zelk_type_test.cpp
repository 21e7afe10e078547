// zelk-type transcripts: the built tool typing on the shipped data, its output compared with what
// the input method must have done.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "support/test_platform.h"

namespace {

struct ToolRun {
    int status;
    std::string out;  // standard output
    std::vector<std::string> lines;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs zelk-type with the arguments; input, when given, is its standard input.
ToolRun ZelkType(const std::vector<std::string>& arguments, const std::string* input = nullptr) {
    std::string command = Quoted(std::string(ZELK_BINARY_DIR) + "/bin/zelk-type");
    for (const std::string& argument : arguments) {
        command += " " + Quoted(argument);
    }
    std::string inputFile;
    if (input != nullptr) {
        inputFile = UseFreshDataFolders().machine + "input.txt";
        WriteWholeFile(inputFile, *input);
        command += " < " + Quoted(inputFile);
    }
    command += " 2>/dev/null";
    ToolRun run{-1, "", {}};
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::size_t start = 0;
    for (std::size_t end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1) {
        run.lines.push_back(run.out.substr(start, end - start));
    }
    return run;
}

std::string Field(const std::string& line, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const std::size_t at = line.find(key);
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + key.size();
    std::size_t end = start;
    int depth = 0;
    bool inString = false;
    for (; end < line.size(); ++end) {
        const char c = line[end];
        if (inString) {
            if (c == '\\') {
                ++end;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (depth == 0) {
                break;
            }
            --depth;
        } else if (c == ',' && depth == 0) {
            break;
        }
    }
    return line.substr(start, end - start);
}

// A copy of the shipped dictionaries that a run may change.
std::string SystemDirectoryCopy() {
    const std::string zelk = UseFreshDataFolders().machine;
    for (const char* name : {"zelk2006.mb", "zelk2006.emb", "shm28.mb", "shm28.emb"}) {
        WriteWholeFile(zelk + name, ReadWholeFile(ShippedDataDirectory() + "zelk/" + name));
    }
    return zelk.substr(0, zelk.size() - std::string("zelk/").size());
}

TEST(ZelkTypeTest, TypesCodesAndPrintsTheCommittedText) {
    const ToolRun run = ZelkType({"aaaa wwww khk "});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "工人中\n");
}

TEST(ZelkTypeTest, ReadsStandardInputIgnoringLineBreaks) {
    const std::string input = "aaaa \nwwww \r\nkhk \n";
    EXPECT_EQ(ZelkType({}, &input).out, "工人中\n");
}

TEST(ZelkTypeTest, KeysTheInputMethodLeavesGoToTheTextBox) {
    // The decimal point after a digit stays ASCII; after a space it is Chinese.
    EXPECT_EQ(ZelkType({"3.1 ."}).out, "3.1 。\n");
    // English: letters, Backspace and Enter reach the text box.
    EXPECT_EQ(ZelkType({"<LShift>ab<BS>c<Enter>d"}).out, "ac\nd\n");
    // Enter with a code typed discards it; Enter alone reaches the box.
    EXPECT_EQ(ZelkType({"ab<Enter>"}).out, "\n");
    EXPECT_EQ(ZelkType({"<Enter>"}).out, "\n\n");
}

TEST(ZelkTypeTest, ADeadCodeIsDiscardedByTheNextKey) {
    const ToolRun run = ZelkType({"--trace", "xza"});
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(Field(run.lines[1], "code"), "\"xz\"");
    EXPECT_EQ(Field(run.lines[1], "count"), "2");
    EXPECT_EQ(Field(run.lines[1], "beeps"), "1");
    EXPECT_EQ(Field(run.lines[2], "code"), "\"a\"");
    EXPECT_EQ(Field(run.lines[2], "commit"), "\"\"");
}

TEST(ZelkTypeTest, SemicolonAndSlashInBothCodeSets) {
    EXPECT_EQ(ZelkType({";/"}).out, "；/\n");
    const ToolRun secondary = ZelkType({"--imesetz", "0", "--trace", ";/"});
    ASSERT_EQ(secondary.lines.size(), 2u);
    EXPECT_EQ(Field(secondary.lines[0], "code"), "\";\"");
    EXPECT_EQ(Field(secondary.lines[0], "code_set"), "0");
    EXPECT_EQ(Field(secondary.lines[1], "code"), "\";/\"");
}

TEST(ZelkTypeTest, ShiftTapSidesAsTraced) {
    // Left Shift off, right Shift on.
    const ToolRun run = ZelkType({"--imeset", "0x14F", "--trace", "<LShift><RShift>"});
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0],
              "{\"key\":\"<LShift>\",\"taken\":true,\"commit\":\"\",\"code\":\"\",\"cands\":[],"
              "\"page_start\":2,\"page_size\":0,\"count\":2,\"complete\":false,\"assoc\":false,"
              "\"beeps\":0,\"english\":false,\"full_width\":false,\"chinese_punct\":true,"
              "\"code_set\":1,\"gbk\":false,\"messages\":[],\"boxes\":[],\"text\":\"\"}");
    EXPECT_EQ(run.lines[1],
              "{\"key\":\"<RShift>\",\"taken\":true,\"commit\":\"\",\"code\":\"\",\"cands\":[],"
              "\"page_start\":2,\"page_size\":0,\"count\":2,\"complete\":false,\"assoc\":false,"
              "\"beeps\":0,\"english\":true,\"full_width\":false,\"chinese_punct\":false,"
              "\"code_set\":1,\"gbk\":false,\"messages\":[],\"boxes\":[],\"text\":\"\"}");
}

TEST(ZelkTypeTest, CapsLockForcesEnglish) {
    EXPECT_EQ(ZelkType({"<Caps>a<LShift>b<Caps>a"}).out, "AB\n");
    const ToolRun run = ZelkType({"--trace", "<Caps><LShift><Caps>"});
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(Field(run.lines[1], "english"), "true");
    EXPECT_EQ(Field(run.lines[2], "english"), "false");
    EXPECT_EQ(Field(run.lines[2], "chinese_punct"), "true");
}

TEST(ZelkTypeTest, ShiftSpaceInTheMiddleOfACode) {
    const ToolRun run = ZelkType({"--trace", "ab<S-Space>"});
    ASSERT_EQ(run.lines.size(), 3u);
    const std::string& line = run.lines[2];
    EXPECT_EQ(Field(line, "commit"), "\"　\"");
    EXPECT_EQ(Field(line, "code"), "\"\"");
    EXPECT_EQ(Field(line, "count"), "2");
    EXPECT_EQ(Field(line, "full_width"), "true");
    EXPECT_EQ(
        Field(line, "messages"),
        "[\"WM_IME_NOTIFY IMN_CHANGECANDIDATE\",\"WM_IME_ENDCOMPOSITION\","
        "\"WM_IME_STARTCOMPOSITION\",\"WM_IME_COMPOSITION 0x800\",\"WM_IME_ENDCOMPOSITION\"]");
    EXPECT_EQ(Field(line, "text"), "\"　\"");
}

TEST(ZelkTypeTest, CtrlJWithCandidatesShowing) {
    const ToolRun run = ZelkType({"--trace", "khk<C-j>"});
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(Field(run.lines[3], "taken"), "true");
    EXPECT_EQ(Field(run.lines[3], "code_set"), "0");
    EXPECT_EQ(Field(run.lines[3], "cands"), Field(run.lines[2], "cands"));
    EXPECT_EQ(Field(run.lines[3], "code"), "\"khk\"");
    EXPECT_EQ(ZelkType({"<C-j>kez "}).out, "中\n");
}

TEST(ZelkTypeTest, ClipboardWordIsOfferedAndTheShippedFilesStayAsTheyAre) {
    const std::string shipped = ReadWholeFile(ShippedDataDirectory() + "zelk/zelk2006.emb");
    const ToolRun run = ZelkType({"--clipboard", "工人中", "--trace", "<C-`>"});
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(Field(run.lines[0], "boxes"),
              "[{\"caption\":\"提示\",\"text\":\"是否将自定义词存入词库?\\n工人中  awkh\"}]");
    // No composition was open: the emptied code is not announced as one.
    EXPECT_EQ(Field(run.lines[0], "messages"),
              "[\"WM_IME_NOTIFY IMN_OPENCANDIDATE\",\"WM_IME_NOTIFY IMN_CHANGECANDIDATE\"]");
    EXPECT_EQ(ReadWholeFile(ShippedDataDirectory() + "zelk/zelk2006.emb"), shipped);
}

// Without --userdir the user's data is in the --sysdir folder too; with it, in DIR/zelk/, and
// the --sysdir folder stays as it was.
TEST(ZelkTypeTest, CollectedWordIsSavedAndFoundInTheNextRun) {
    for (const bool ownFolder : {false, true}) {
        const std::string system = SystemDirectoryCopy();
        const std::string machineFile = system + "/zelk/zelk2006.emb";
        const std::string before = ReadWholeFile(machineFile);
        std::vector<std::string> options = {"--sysdir", system};
        const std::string userDirectory = system + "/../appdata";
        if (ownFolder) {
            options.insert(options.end(), {"--userdir", userDirectory});
        }
        const auto with = [&options](std::vector<std::string> more) {
            more.insert(more.begin(), options.begin(), options.end());
            return more;
        };
        const ToolRun first = ZelkType(with({"--trace", "<C-`>aaaa wwww khk <C-`>"}));
        ASSERT_FALSE(first.lines.empty());
        EXPECT_EQ(Field(first.lines.back(), "boxes"),
                  "[{\"caption\":\"提示\",\"text\":\"是否将自定义词存入词库?\\n工人中  awkh\"}]");
        const std::string userFile = ownFolder ? userDirectory + "/zelk/zelk2006.emb" : machineFile;
        EXPECT_EQ(ReadWholeFile(userFile), before + Gbk("awkh     工人中\r\n")) << ownFolder;
        EXPECT_EQ(ZelkType(with({"awkh"})).out, "工人中\n");
        if (ownFolder) {
            EXPECT_EQ(ReadWholeFile(machineFile), before);
            EXPECT_EQ(ZelkType({"--sysdir", system, "awkh"}).out, "\n") << "another user's word";
        }
    }
}

// A program that ends keeps what it learned: the next one offers the promoted word first.
TEST(ZelkTypeTest, TheLearnedOrderOutlivesTheProgram) {
    const std::string system = SystemDirectoryCopy();
    const std::string user = system + "/../appdata";
    const std::vector<std::string> options = {"--sysdir", system,      "--userdir",
                                              user,       "--imesetz", "3"};
    auto with = [&options](const char* keys) {
        std::vector<std::string> all = options;
        all.push_back(keys);
        return all;
    };
    EXPECT_EQ(ZelkType(with("aaaa ")).out, "工\n");
    EXPECT_EQ(ZelkType(with("aaaa2")).out, "恭恭敬敬\n");
    EXPECT_EQ(ZelkType(with("aaaa ")).out, "恭恭敬敬\n");
    EXPECT_EQ(ReadWholeFile(system + "/zelk/zelk2006.mb"),
              ReadWholeFile(ShippedDataDirectory() + "zelk/zelk2006.mb"))
        << "the machine's file is never written";
}

TEST(ZelkTypeTest, RefusedWords) {
    const ToolRun duplicate = ZelkType({"--clipboard", "中文", "--trace", "<C-`>"});
    ASSERT_EQ(duplicate.lines.size(), 1u);
    EXPECT_EQ(Field(duplicate.lines[0], "boxes"),
              "[{\"caption\":\"提示\",\"text\":\"是否将自定义词存入词库?\\n中文  khyy\"},"
              "{\"caption\":\"提示\",\"text\":\"自定义词已经存在!\"}]");
    const ToolRun unknown = ZelkType({"--clipboard", "Ａ文", "--trace", "<C-`>"});
    ASSERT_EQ(unknown.lines.size(), 1u);
    EXPECT_EQ(Field(unknown.lines[0], "boxes"),
              "[{\"caption\":\"提示\",\"text\":\"在线造词，因为输入未知汉字，导致造词失败!\"}]");
    const ToolRun cancelled =
        ZelkType({"--clipboard", "工人中", "--answer", "cancel", "--trace", "<C-`>"});
    ASSERT_EQ(cancelled.lines.size(), 1u);
    EXPECT_EQ(Field(cancelled.lines[0], "boxes"),
              "[{\"caption\":\"提示\",\"text\":\"是否将自定义词存入词库?\\n工人中  awkh\"}]");
}

TEST(ZelkTypeTest, FullUserFileRefusesTheWordAndStaysAsItWas) {
    const std::string system = SystemDirectoryCopy();
    const std::string userFile = system + "/zelk/zelk2006.emb";
    std::string full;
    for (int i = 0; i < 10000; ++i) {
        full +=
            "yy" + std::string(1, static_cast<char>('a' + i % 10)) + "      " + Gbk("词") + "\r\n";
    }
    WriteWholeFile(userFile, full);
    const ToolRun run = ZelkType({"--sysdir", system, "--clipboard", "工人中", "--trace", "<C-`>"});
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(Field(run.lines[0], "boxes"),
              "[{\"caption\":\"提示\",\"text\":\"是否将自定义词存入词库?\\n工人中  awkh\"},"
              "{\"caption\":\"提示\",\"text\":\"自定义词库已满，不能再存入新词!\"}]");
    EXPECT_EQ(ReadWholeFile(userFile), full);
}

TEST(ZelkTypeTest, UserLinesWithoutACodeHideAndLoseNoWord) {
    const std::string system = SystemDirectoryCopy();
    const std::string userFile = system + "/zelk/zelk2006.emb";
    WriteWholeFile(userFile, Gbk("eyyy 用户词库\r\n tfyn 选词\r\nwtyn 候选词\r\n"));
    const ToolRun lookup = ZelkType({"--sysdir", system, "--trace", "wtyn"});
    ASSERT_EQ(lookup.lines.size(), 4u);
    EXPECT_NE(Field(lookup.lines[3], "cands").find("\"候选词\""), std::string::npos);
    const ToolRun led = ZelkType({"--sysdir", system, "--trace", "tfyn"});
    ASSERT_EQ(led.lines.size(), 4u);
    EXPECT_NE(Field(led.lines[3], "cands").find("\"选词\""), std::string::npos);

    ZelkType({"--sysdir", system, "--clipboard", "工人中", "<C-`>"});
    EXPECT_EQ(ReadWholeFile(userFile),
              Gbk("eyyy     用户词库\r\ntfyn     选词\r\nwtyn     候选词\r\n"
                  "awkh     工人中\r\n"));
}

// A word with backspaces in a hand-edited user file once made the text box delete what was typed
// before it: such a line is no word, and the box gets plain text only.
TEST(ZelkTypeTest, ControlBytesInAUserFileNeverReachTheTextBox) {
    const std::string system = SystemDirectoryCopy();
    WriteWholeFile(system + "/zelk/zelk2006.emb",
                   Gbk("wtyn     候选") + "\x08\x08" + Gbk("词\r\nwtyn     候选词\r\n"));
    const ToolRun lookup = ZelkType({"--sysdir", system, "--trace", "wtyn"});
    ASSERT_EQ(lookup.lines.size(), 4u);
    EXPECT_EQ(Field(lookup.lines[3], "cands").find("\\b"), std::string::npos);
    // The fourth candidate is the user's plain word: "中词" is what the backspaces made of it.
    EXPECT_EQ(ZelkType({"--sysdir", system, "khk wtyn4"}).out, "中候选词\n");
}

TEST(ZelkTypeTest, ClipboardWordsThatAreNotPlainTextAreRefused) {
    const std::string system = SystemDirectoryCopy();
    const std::string userFile = system + "/zelk/zelk2006.emb";
    const std::string before = ReadWholeFile(userFile);
    for (const char* word : {"工人 中", "工人中\r\n", "工人\t中"}) {
        const ToolRun run = ZelkType({"--sysdir", system, "--clipboard", word, "--trace", "<C-`>"});
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(Field(run.lines[0], "boxes"),
                  "[{\"caption\":\"提示\",\"text\":\"词语中不能含有空格或控制字符!\"}]");
    }
    EXPECT_EQ(ReadWholeFile(userFile), before);
}

TEST(ZelkTypeTest, CodeLookupOfTheSelection) {
    const ToolRun run = ZelkType({"--clipboard", "中a文", "--trace", "<C-/>"});
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(Field(run.lines[0], "boxes"),
              "[{\"caption\":\"编码查询\",\"text\":\"   青岚  28键松鹤 \\n------------------\\n"
              "中  khk     kez  \\n文  yygy    yk  \\n\"}]");
}

TEST(ZelkTypeTest, FixedClockForTheSpecialCodes) {
    EXPECT_EQ(ZelkType({"--now", "2026-12-07 21:08", "week"}).out, "星期一\n");
    const ToolRun run = ZelkType({"--now", "2026-12-07 21:08", "--trace", "now"});
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(Field(run.lines[2], "cands").rfind("[\"2026年12月7日21时8分\"", 0), 0u);
}

TEST(ZelkTypeTest, BadInvocationsFail) {
    EXPECT_EQ(ZelkType({"<Foo>"}).status, 2);
    EXPECT_EQ(ZelkType({"<Foo>"}).out, "");
    EXPECT_EQ(ZelkType({"--frobnicate", "a"}).status, 2);
    EXPECT_EQ(ZelkType({"--now", "yesterday", "a"}).status, 2);
    EXPECT_EQ(ZelkType({"--answer", "maybe", "a"}).status, 2);
    EXPECT_EQ(ZelkType({"--sysdir", "/nonexistent/zelk-type", "a"}).status, 1);
}

}  // namespace
