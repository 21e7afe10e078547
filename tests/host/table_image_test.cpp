// The table images: an image is used only when everything about it is right, and is built again
// otherwise; a table read through one gives what the text gives; and what a program changes in
// its view stays its own until it is saved and loaded again.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dict/dictionary_files.h"
#include "dict/learned_order.h"
#include "dict/main_table_block.h"
#include "dict/table_image_files.h"
#include "engine/commit.h"
#include "engine/lookup.h"
#include "settings/settings.h"
#include "support/test_platform.h"

namespace {

std::string ImagePathOf(const std::string& mainPath) {
    SourceFacts facts;
    char path[kPathBufferSize] = {};
    if (ReadSourceFacts(mainPath.c_str(), facts) != FileReadStatus::Read ||
        !TableImagePath(mainPath.c_str(), facts.checksum, path)) {
        return "";
    }
    return path;
}

// Every candidate text and hint of every lookup of the codes, and of the association after the
// first candidate of each: one string to compare.
std::string Lists(const std::vector<std::string>& codes) {
    std::string lists;
    const auto add = [&lists](const std::optional<LookupOutcome>& outcome) {
        for (int k = 0; outcome && k < outcome->found.count; ++k) {
            const CandidateItem& item = outcome->found.items[k];
            lists.append(item.text, item.textLength).append("|");
            lists.append(item.hint != nullptr ? item.hint : "", item.hintLength).append(" ");
        }
        lists += '\n';
    };
    for (const std::string& code : codes) {
        const std::optional<LookupOutcome> outcome = LookupCandidates(code.c_str());
        add(outcome);
        if (outcome && outcome->found.count > 0) {
            const CandidateItem& first = outcome->found.items[0];
            add(AssociationLookup(code.c_str(), std::string(first.text, first.textLength).c_str()));
        }
    }
    return lists;
}

// Every code of one and two keys, and every prefix of the first codes of the benchmark's
// workload.
std::vector<std::string> SampleCodes(std::int32_t codeSet) {
    std::vector<std::string> codes;
    const std::string keys =
        codeSet == kCodeSetPrimary ? "abcdefghijklmnopqrstuvwxyz" : "abcdefghijklmnopqrstuvwxyz;/";
    for (const char first : keys) {
        codes.push_back(std::string(1, first));
        for (const char second : keys) {
            codes.push_back(std::string(1, first) + second);
        }
    }
    const std::string workload = ReadWholeFile(ShippedDataDirectory() + "../bench/workload.txt");
    std::size_t start = 0;
    for (int n = 0; n < 3000 && start < workload.size(); ++n) {
        const std::size_t end = workload.find_first_of("\r\n", start);
        const std::string code = workload.substr(start, end - start);
        for (std::size_t length = 3; length <= code.size(); ++length) {
            codes.push_back(code.substr(0, length));
        }
        start = workload.find_first_not_of("\r\n", end);
    }
    return codes;
}

class TableImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ReleaseTableImages();
        DecodeSettings(kInstalledDefaults, Settings);
        folders_ = CopyShippedDictionaries();
        ResetTableState();
        ASSERT_EQ(LookAtUserDataDirectory(true), UserFolderState::Ready);
        // The user's own copy of the main file, as after their first learned order.
        userMain_ = folders_.user + MainFileName(Settings.CodeSet);
        WriteWholeFile(userMain_, ReadWholeFile(folders_.machine + MainFileName(Settings.CodeSet)));
    }
    void TearDown() override { ReleaseTableImages(); }

    DataFolders folders_;
    std::string userMain_;
};

TEST_F(TableImageTest, AUsersMainFileGetsAnImageThatTheNextLoadMaps) {
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_TRUE(MainBlockIsOwn()) << "the first load reads the text";
    EXPECT_EQ(CheckTableImageFile(userMain_.c_str(), Settings.CodeSet), ImageFault::None);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_FALSE(MainBlockIsOwn()) << "the next load maps the image";
    EXPECT_EQ(Tables.MainSource, TableSource::User);
    // The machine's files get theirs from the installer only.
    EXPECT_EQ(FolderListing(folders_.machine).find(".img"), std::string::npos);
}

// Each part of the header wrong once, a file of another size, and a block that cannot be read
// through: the image is not used, the text is read instead, and the image is built again.
TEST_F(TableImageTest, AnyWrongImageIsIgnoredAndBuiltAgain) {
    const auto field = [](std::size_t offset, std::uint64_t value, std::size_t size) {
        return [=](std::string& image) { std::memcpy(&image[offset], &value, size); };
    };
    const std::size_t block = offsetof(TableImage, block);
    const std::size_t secondGroup = static_cast<std::size_t>(LetterStartPrimary[1]);
    const struct {
        const char* name;
        std::function<void(std::string&)> change;
        ImageFault fault;
    } cases[] = {
        {"magic", [](std::string& image) { image[3] = 'X'; }, ImageFault::Format},
        {"layout version", field(offsetof(TableImageHeader, layout), kTableImageLayout + 1, 4),
         ImageFault::Layout},
        {"code set", field(offsetof(TableImageHeader, codeSet), kCodeSetSecondary, 4),
         ImageFault::CodeSet},
        {"capacity", field(offsetof(TableImageHeader, capacity), kMainTableCapacity - 1, 4),
         ImageFault::Layout},
        {"entry size", field(offsetof(TableImageHeader, entryBytes), 108, 4), ImageFault::Layout},
        {"image size", field(offsetof(TableImageHeader, imageBytes), sizeof(TableImage) + 8, 8),
         ImageFault::Layout},
        {"source size", field(offsetof(TableImageHeader, sourceBytes), 1, 8), ImageFault::Source},
        {"source time", field(offsetof(TableImageHeader, sourceWriteTime), 12345, 8),
         ImageFault::Source},
        {"source checksum", field(offsetof(TableImageHeader, sourceChecksum), 0, 8),
         ImageFault::Source},
        {"truncated", [](std::string& image) { image.resize(image.size() / 2); }, ImageFault::Size},
        {"one byte more", [](std::string& image) { image += '\0'; }, ImageFault::Size},
        {"a code of seven keys",
         field(block + offsetof(MainTableBlock, codes) + 8 * 5, PackedCode{7} << 48 | 0x61, 8),
         ImageFault::Index},
        {"a word longer than its field",
         field(block + offsetof(MainTableBlock, heads) + 4 * 5, WordHead{120} << 16, 4),
         ImageFault::Index},
        {"an empty entry inside a group",
         field(block + offsetof(MainTableBlock, codes) + 8 * 9, 0, 8), ImageFault::Index},
        {"a second-key position in another group",
         field(block + offsetof(MainTableBlock, bySecondKey), secondGroup + 3, 4),
         ImageFault::Orders},
        {"a position past the table",
         field(block + offsetof(MainTableBlock, byWordHead) + 4 * secondGroup, 0x7FFFFFFF, 4),
         ImageFault::Orders},
        {"group starts out of order",
         field(block + offsetof(MainTableBlock, groupStart) + 4 * 2, 1, 4), ImageFault::Orders},
    };
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    const std::string imagePath = ImagePathOf(userMain_);
    const std::string good = ReadWholeFile(imagePath);
    ASSERT_EQ(good.size(), sizeof(TableImage));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReleaseTableImages();
        std::string bad = good;
        c.change(bad);
        SourceFacts facts;
        ReadSourceFacts(userMain_.c_str(), facts);
        EXPECT_EQ(CheckTableImage(bad.data(), bad.size(), facts, Settings.CodeSet), c.fault);
        WriteWholeFile(imagePath, bad);
        ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
        EXPECT_TRUE(MainBlockIsOwn());
        EXPECT_EQ(ReadWholeFile(imagePath), good) << "built again";
    }
}

// What the checks at mapping leave unread, the entries themselves, are checked before a group
// is first read: a group that breaks the rules makes the text load instead, and the lists are
// the text's.
TEST_F(TableImageTest, AnEntryThatBreaksTheRulesMakesTheTextLoad) {
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    const std::string expected = Lists({"a", "aa", "b", "bb"});
    const std::string imagePath = ImagePathOf(userMain_);
    std::string image = ReadWholeFile(imagePath);
    // The first word of group b gets a CR, its index left as it was.
    const std::size_t b = static_cast<std::size_t>(LetterStartPrimary[1]);
    image[offsetof(TableImage, block) + b * sizeof(DictEntry) + kCodeFieldSize] = '\r';
    ReleaseTableImages();
    WriteWholeFile(imagePath, image);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    ASSERT_FALSE(MainBlockIsOwn()) << "what mapping checks passes";
    EXPECT_EQ(Lists({"a", "aa"}), expected.substr(0, Lists({"a", "aa"}).size()));
    EXPECT_FALSE(MainBlockIsOwn()) << "group a is sound";
    EXPECT_EQ(Lists({"a", "aa", "b", "bb"}), expected);
    EXPECT_TRUE(MainBlockIsOwn()) << "group b made the text load";
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_TRUE(MainBlockIsOwn()) << "an image found bad is not used again";
}

TEST_F(TableImageTest, TheImagesGiveTheListsOfTheText) {
    for (const std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        SCOPED_TRACE(codeSet);
        Settings.CodeSet = codeSet;
        const std::vector<std::string> codes = SampleCodes(codeSet);
        const std::string machineMain = folders_.machine + MainFileName(codeSet);
        ReleaseTableImages();
        std::remove(userMain_.c_str());
        ASSERT_EQ(LoadDictionaries(codeSet, true, true), 1);
        ASSERT_TRUE(MainBlockIsOwn());
        const std::string text = Lists(codes);
        ASSERT_TRUE(BuildTableImage(machineMain.c_str(), codeSet));
        ASSERT_EQ(LoadDictionaries(codeSet, true, true), 1);
        ASSERT_FALSE(MainBlockIsOwn());
        EXPECT_EQ(Tables.MainSource, TableSource::Machine);
        EXPECT_TRUE(Lists(codes) == text);
        EXPECT_TRUE(MainBlockIsOwn() == false) << "every group passed";
    }
}

// A promotion writes this program's view only: the image on disk, and so every other program,
// keeps the order it had until the order is saved; the next program then loads the saved order.
TEST_F(TableImageTest, APromotionStaysInItsProgramUntilSaved) {
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    ASSERT_FALSE(MainBlockIsOwn());
    const std::string imagePath = ImagePathOf(userMain_);
    const std::string onDisk = ReadWholeFile(imagePath);
    const DictEntry first = Tables.MainTable[0];
    const DictEntry second = Tables.MainTable[1];
    ASSERT_TRUE(RecordPromotion(second, first));
    std::rotate(Tables.MainTable, Tables.MainTable + 1, Tables.MainTable + 2);
    Tables.MainTableModified = true;

    MappedFile other;
    ASSERT_EQ(other.Map(imagePath.c_str(), sizeof(TableImage)), MapStatus::Mapped);
    const DictEntry* theirs = static_cast<const TableImage*>(other.View())->block.entries;
    EXPECT_EQ(std::memcmp(&theirs[0], &first, sizeof first), 0) << "another program's view";
    EXPECT_EQ(std::memcmp(&Tables.MainTable[0], &second, sizeof second), 0) << "this one's";
    EXPECT_EQ(ReadWholeFile(imagePath), onDisk);

    ASSERT_EQ(SaveLearnedOrder(Settings.CodeSet), OrderSaveResult::Saved);
    other.Unmap();
    ReleaseTableImages();
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1) << "the next program";
    EXPECT_EQ(std::memcmp(&Tables.MainTable[0], &second, sizeof second), 0);
    EXPECT_EQ(std::memcmp(&Tables.MainTable[1], &first, sizeof first), 0);
    ASSERT_EQ(LoadDictionaries(Settings.CodeSet, true, true), 1);
    EXPECT_FALSE(MainBlockIsOwn()) << "through the saved order's own image";
    EXPECT_EQ(std::memcmp(&Tables.MainTable[0], &second, sizeof second), 0);
    EXPECT_EQ(FileExists(imagePath), false) << "the old version's image is removed";
}

// zelk-dict image builds what the installer builds, and prints where; a file that is no usable
// main file gets none.
TEST_F(TableImageTest, ZelkDictBuildsTheImageAndPrintsItsPath) {
    const std::string tool = std::string(ZELK_BINARY_DIR) + "/bin/zelk-dict image ";
    const auto run = [](const std::string& command, std::string& out) {
        out.clear();
        std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
        char buffer[512];
        std::size_t got;
        while (pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, got);
        }
        const int status = pipe != nullptr ? pclose(pipe) : -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string machineMain = folders_.machine + MainFileName(kCodeSetSecondary);
    std::string out;
    EXPECT_EQ(run(tool + "'" + machineMain + "'", out), 0);
    EXPECT_EQ(out, ImagePathOf(machineMain) + "\n");
    EXPECT_EQ(CheckTableImageFile(machineMain.c_str(), kCodeSetSecondary), ImageFault::None)
        << "a file named shm28 is of the Secondary code set";
    EXPECT_EQ(run(tool + "'" + machineMain + "' --code-set primary", out), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run(tool + "--code-set", out), 2);
}

// An image in use cannot be replaced (Windows refuses it), which is why each version of a main
// file has an image of its own name; only names of that pattern are ever removed.
TEST(TableImageNameTest, EachVersionHasItsOwnName) {
    char path[kPathBufferSize];
    ASSERT_TRUE(TableImagePath("/u/zelk2006.mb", 0x0123456789ABCDEFu, path));
    EXPECT_STREQ(path, "/u/zelk2006.mb.0123456789abcdef.img");
    EXPECT_TRUE(IsTableImageName("zelk2006.mb.0123456789abcdef.img", "zelk2006.mb"));
    for (const char* other :
         {"zelk2006.mb", "zelk2006.mb.img", "zelk2006.mb.0123456789abcde.img",
          "zelk2006.mb.0123456789ABCDEF.img", "shm28.mb.0123456789abcdef.img",
          "zelk2006.mb.0123456789abcdef.img.old", "zelk2006.mbx0123456789abcdef.img"}) {
        EXPECT_FALSE(IsTableImageName(other, "zelk2006.mb")) << other;
    }
    const std::string longPath(kPathBufferSize - 10, 'x');
    EXPECT_FALSE(TableImagePath(longPath.c_str(), 1, path));
}

// The checksum sees every byte and the order of the bytes, however the file comes in chunks.
TEST(SourceChecksumTest, ChunksDoNotMatterBytesDo) {
    std::string bytes;
    for (int i = 0; i < 1000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    SourceChecksum whole;
    whole.Add(bytes.data(), bytes.size());
    for (const std::size_t chunk : {1u, 3u, 31u, 32u, 33u, 999u}) {
        SourceChecksum parts;
        for (std::size_t at = 0; at < bytes.size(); at += chunk) {
            parts.Add(bytes.data() + at, std::min(chunk, bytes.size() - at));
        }
        EXPECT_EQ(parts.Value(), whole.Value()) << chunk;
    }
    std::vector<std::uint64_t> seen = {whole.Value()};
    for (const std::size_t at : {0u, 31u, 32u, 500u, 999u}) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        SourceChecksum other;
        other.Add(changed.data(), changed.size());
        seen.push_back(other.Value());
    }
    SourceChecksum longer;
    longer.Add((bytes + '\0').data(), bytes.size() + 1);
    seen.push_back(longer.Value());
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end()) << "every change shows";
}

}  // namespace
