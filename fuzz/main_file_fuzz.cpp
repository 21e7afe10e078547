// A user's own main file, as a hand or a broken save may leave it, through the whole life of a
// table: load, keys with automatic frequency, the save of the learned order, and a load again.
// The file is the shipped Primary one with the input's edits (lines replaced, deleted, inserted,
// swapped), so that most inputs stay near a usable file.
//
// Checked: a file is used only when it passes the whole-file test, else the machine's file is;
// what is committed never holds a control byte; whatever the save writes passes the test and
// holds exactly the lines of the file the table came from (promotions only reorder a group);
// a table from no file is never written.
//
// Input: edits, each an operation byte (bits 0..1: replace, delete, insert, swap with the next),
// three bytes of line number and, but for delete and swap, the line's bytes up to a LF; a 0xFF
// operation byte ends them. The bytes after it are keys: letters of the code, digits that choose
// (and so promote), space and Esc.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/scratch_directory.h"
#include "dict/dictionary_files.h"
#include "dict/entry_rules.h"
#include "dict/learned_order.h"
#include "engine/dispatch.h"
#include "ime/process_state.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"
#include "support/engine_fixture.h"

namespace {

std::vector<std::string> shippedLines;  // each with its CR LF
std::string userMainPath;

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
    }
    return bytes;
}

std::vector<std::string> SortedLines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find('\n', at);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(at, next - at));
        at = next;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool Passes(const std::string& bytes) {
    MainFileCheck check(kCodeSetPrimary, nullptr);
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find('\n', at);
        const bool lf = end != std::string::npos;
        const std::size_t length = (lf ? end : bytes.size()) - at;
        check.Line(bytes.data() + at, length, lf);
        at += length + (lf ? 1 : 0);
    }
    check.Finish();
    return check.Passed();
}

// The edited file; position: where the keys start.
std::string EditedFile(const std::uint8_t* data, std::size_t size, std::size_t& position) {
    std::vector<std::string> lines = shippedLines;
    position = 0;
    while (position + 4 <= size && data[position] != 0xFF) {
        const unsigned operation = data[position] & 3;
        const std::size_t number =
            (static_cast<std::size_t>(data[position + 1]) << 16 |
             static_cast<std::size_t>(data[position + 2]) << 8 | data[position + 3]) %
            (lines.size() + 1);
        position += 4;
        std::string line;
        if (operation == 0 || operation == 2) {
            while (position < size && data[position] != '\n') {
                line += static_cast<char>(data[position++]);
            }
            line += '\n';
            position += position < size ? 1 : 0;
        }
        if (operation == 0 && number < lines.size()) {
            lines[number] = line;
        } else if (operation == 1 && number < lines.size()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(number));
        } else if (operation == 2) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(number), line);
        } else if (operation == 3 && number + 1 < lines.size()) {
            std::swap(lines[number], lines[number + 1]);
        }
    }
    position += position < size ? 1 : 0;
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
    }
    return bytes;
}

void TypeKeys(const std::uint8_t* keys, std::size_t count) {
    static const char kKeys[] = "abcdefghijklmnopqrstuvwxyaaaawwww 1234567890";
    HWND owner = nullptr;
    HIMC context = CreatePreparedContext(owner);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned pick = keys[i] % (sizeof kKeys);  // the last pick is Esc
        const unsigned character = pick < sizeof kKeys - 1 ? kKeys[pick] : 0x1B;
        ProcessCharacter(context, character, 0);
        CheckState(context);
    }
    HostDestroyInputContext(context);
    HostDestroyWindow(owner);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static ScratchDirectory scratch;
    const std::string system = scratch.Create() ? scratch.Path("system") : std::string();
    if (system.empty() || !CopyDictionaryFiles(ZELK_SOURCE_DIR "/data", system)) {
        std::abort();
    }
    HostSetSystemDirectory(system.c_str());
    const std::string appData = scratch.Path("appdata");
    HostSetApplicationDataDirectory(appData.c_str());
    if (LookAtUserDataDirectory(true) != UserFolderState::Ready) {
        std::abort();
    }
    char path[kPathBufferSize];
    UserFilePath(MainFileName(kCodeSetPrimary), path);
    userMainPath = path;
    const std::string shipped = ReadAll(ZELK_SOURCE_DIR "/data/zelk/zelk2006.mb");
    for (std::size_t at = 0; at < shipped.size();) {
        const std::size_t next = shipped.find('\n', at) + 1;
        shippedLines.push_back(shipped.substr(at, next - at));
        at = next;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t keys = 0;
    const std::string edited = EditedFile(data, size, keys);
    if (std::FILE* file = std::fopen(userMainPath.c_str(), "wb")) {
        std::fwrite(edited.data(), 1, edited.size(), file);
        std::fclose(file);
    }
    const bool passes = Passes(edited);

    ResetProcessState();
    DecodeSettings(kInstalledDefaults, Settings);
    Settings.AutoFrequency = 1;
    Require(LoadDictionaries(kCodeSetPrimary, true, true) == 1, "the machine's file always loads");
    Require(Tables.MainSource == (passes ? TableSource::User : TableSource::Machine),
            "a main file is used exactly when it passes");
    HostResetRecords();
    TypeKeys(data + keys, size - keys);

    const bool modified = Tables.MainTableModified;
    const OrderSaveResult saved = SaveLearnedOrder(kCodeSetPrimary);
    Require(modified == (saved != OrderSaveResult::NothingToSave), "a change is saved");
    const std::string written = ReadAll(userMainPath);
    if (saved == OrderSaveResult::Saved) {
        Require(Passes(written), "what is saved passes");
        const std::string source =
            passes ? edited : ReadAll(ZELK_SOURCE_DIR "/data/zelk/zelk2006.mb");
        Require(SortedLines(written) == SortedLines(source),
                "the save holds the lines of the table's file, in another order");
        Require(LoadDictionaries(kCodeSetPrimary, true, false) == 1 &&
                    Tables.MainSource == TableSource::User,
                "the saved file is the one loaded next");
    } else {
        Require(written == edited, "an unsaved file stays as it was");
    }
    return 0;
}
