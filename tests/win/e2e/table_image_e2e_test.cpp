// The images the installer builds of the machine's main files are what every program maps: two
// programs that have them mapped at once (typing one after the other: the keyboard is one) type
// exactly what a program reading the text types.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <cstdlib>
#include <string>

#include "dict/data_places.h"
#include "dict/dictionary_files.h"
#include "dict/table_image_files.h"
#include "support/test_platform.h"
#include "win/e2e/e2e_support.h"

namespace {

const char kResultVariable[] = "ZELK_TABLE_IMAGE_RESULT";
// Set when both programs have typed: they end then, not before.
const char kEndEvent[] = "ZelkTableImageTestEnd";
// Both code sets (Ctrl+J), phrases, a choice by digit, punctuation.
const char kKeys[] =
    "aaaa aaww khlg2 kebm dsii2 ,tkhm wwww jjjj .<C-j>kebm dsii2 aaww ,wwww mmmm .<C-j>aaaa ";

std::string MachineMainFile(std::int32_t codeSet) {
    char path[kPathBufferSize];
    return MachineFilePath(MainFileName(codeSet), path) ? std::string(path) : std::string();
}

// The views of table images in this process's address space.
int MappedImages() {
    int images = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        char name[MAX_PATH];
        const DWORD length =
            region.Type == MEM_MAPPED && region.BaseAddress == region.AllocationBase
                ? GetMappedFileNameA(GetCurrentProcess(), region.BaseAddress, name, MAX_PATH)
                : 0;
        images += length > 4 && std::string(name, length).substr(length - 4) == ".img";
    }
    return images;
}

TEST(TableImageE2eTest, TwoProgramsOnTheImagesTypeWhatTheTextGives) {
    InstallWithDefaults();
    for (const std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        ASSERT_EQ(CheckTableImageFile(MachineMainFile(codeSet).c_str(), codeSet), ImageFault::None)
            << "the installer built the image of " << MainFileName(codeSet);
    }
    const std::string results[] = {PackageFolder() + "typed-first.txt",
                                   PackageFolder() + "typed-second.txt"};
    HANDLE end = CreateEventA(nullptr, TRUE, FALSE, kEndEvent);
    ASSERT_NE(end, nullptr);
    HANDLE programs[2];
    for (int i = 0; i < 2; ++i) {
        DeleteFileA(results[i].c_str());
        programs[i] = StartTestInAnotherProcess(
            "", kResultVariable, "TableImageE2eTest.ProgramOnTheImages", results[i].c_str());
        const DWORD until = GetTickCount() + 90000;
        while (!FileExists(results[i]) && GetTickCount() < until) {
            Sleep(100);
        }
    }
    SetEvent(end);
    for (HANDLE program : programs) {
        EXPECT_EQ(WaitForTestProcess(program), 0u);
    }
    CloseHandle(end);

    // Without the images the text is read, as before there were any.
    for (const std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
        SourceFacts facts;
        char image[kPathBufferSize];
        ASSERT_EQ(ReadSourceFacts(MachineMainFile(codeSet).c_str(), facts), FileReadStatus::Read);
        ASSERT_TRUE(TableImagePath(MachineMainFile(codeSet).c_str(), facts.checksum, image));
        ASSERT_TRUE(DeleteFileA(image));
    }
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    const std::string fromText = typing.Type(kKeys);
    EXPECT_EQ(MappedImages(), 0);
    ASSERT_FALSE(fromText.empty());
    for (const std::string& result : results) {
        EXPECT_EQ(ReadWholeFile(result), "2 images\n" + fromText) << result;
        DeleteFileA(result.c_str());
    }
}

// Started twice by the test above: types the keys with both code sets' images mapped, leaves
// what the EDIT control holds, after how many images it maps, in the file named, and stays until
// the other program has typed too.
TEST(TableImageE2eTest, ProgramOnTheImages) {
    const char* result = std::getenv(kResultVariable);
    if (result == nullptr) {
        GTEST_SKIP() << "the other programs' half of TableImageE2eTest";
    }
    TypingWindow typing;
    ASSERT_TRUE(typing.ready());
    const std::string typed = typing.Type(kKeys);
    const std::string temporary = std::string(result) + ".part";
    WriteWholeFile(temporary, std::to_string(MappedImages()) + " images\n" + typed);
    MoveFileA(temporary.c_str(), result);
    HANDLE end = OpenEventA(SYNCHRONIZE, FALSE, kEndEvent);
    ASSERT_NE(end, nullptr);
    const DWORD until = GetTickCount() + 90000;
    while (WaitForSingleObject(end, 0) == WAIT_TIMEOUT && GetTickCount() < until) {
        TypingWindow::Pump();
    }
    CloseHandle(end);
}

}  // namespace
