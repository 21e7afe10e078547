// Reading the input method's files as data anybody may have put there: what the reader refuses
// before it hands over a byte, and what counts as a failed read.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "dict/file_io.h"
#include "platform/host/host_control.h"
#include "support/test_platform.h"

namespace {

class Collect final : public ByteSink {
  public:
    bool Take(const char* bytes, std::size_t size) override {
        text.append(bytes, size);
        return true;
    }
    std::string text;
};

TEST(FileIoTest, OnlyAPlainFileWithinTheBoundIsRead) {
    const std::string folder = UseFreshDataFolders().machine;
    const std::string file = folder + "words";
    WriteWholeFile(file, "0123456789");
    ASSERT_EQ(symlink(file.c_str(), (folder + "link").c_str()), 0);
    ASSERT_EQ(link(file.c_str(), (folder + "second-name").c_str()), 0);
    WriteWholeFile(folder + "alone", "abc");
    ASSERT_TRUE(CreateBlockingFolder(folder + "folder"));
    const struct {
        const char* name;
        std::uint64_t bound;
        std::size_t readable;  // bytes the disk gives before a read fails
        FileReadStatus status;
        const char* taken;
    } cases[] = {
        {"alone", 3, ~std::size_t{0}, FileReadStatus::Read, "abc"},
        {"alone", 2, ~std::size_t{0}, FileReadStatus::Refused, ""},  // larger than the bound
        {"alone", 9, 2, FileReadStatus::Failed, "ab"},               // a read fails part-way
        {"nothing", 9, ~std::size_t{0}, FileReadStatus::Missing, ""},
        {"link", 99, ~std::size_t{0}, FileReadStatus::Refused, ""},
        {"words", 99, ~std::size_t{0}, FileReadStatus::Refused, ""},  // it has a second name
        {"folder", 99, ~std::size_t{0}, FileReadStatus::Refused, ""},
    };
    for (const auto& c : cases) {
        Collect sink;
        std::uint64_t time = 1;
        HostSetReadFailureAfter(c.readable);
        EXPECT_EQ(ReadFileInto((folder + c.name).c_str(), c.bound, sink, &time), c.status)
            << c.name;
        HostSetReadFailureAfter(~std::size_t{0});
        EXPECT_EQ(sink.text, c.taken) << c.name;
        EXPECT_EQ(time != 0, c.status == FileReadStatus::Read) << c.name;
    }
}

}  // namespace
