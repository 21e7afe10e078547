#include "support/bench_data.h"

#include <cstdio>
#include <cstring>

#include "common/scratch_directory.h"
#include "context/input_context.h"
#include "dict/dictionary_files.h"
#include "engine/commit.h"
#include "engine/conversion_state.h"
#include "engine/dispatch.h"
#include "engine/lookup.h"
#include "ime/process_state.h"
#include "platform/host/host_control.h"
#include "settings/settings.h"

std::vector<std::string> ReadWorkload() {
    std::vector<std::string> codes;
    std::FILE* file = std::fopen(ZELK_SOURCE_DIR "/bench/workload.txt", "rb");
    if (file == nullptr) {
        return codes;
    }
    char line[64];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        std::size_t length = std::strcspn(line, "\r\n");
        if (length > 0) {
            codes.emplace_back(line, length);
        }
    }
    std::fclose(file);
    return codes;
}

bool UseMachineData(MainTables tables) {
    static ScratchDirectory scratch;
    static const bool created = scratch.Create();
    static std::string systems[2];
    std::string& system = systems[tables == MainTables::Images ? 1 : 0];
    if (system.empty()) {
        const std::string path =
            created ? scratch.Path(tables == MainTables::Images ? "images" : "text") : "";
        if (path.empty() || !CopyDictionaryFiles(ZELK_SOURCE_DIR "/data", path)) {
            return false;
        }
        for (const std::int32_t codeSet : {kCodeSetPrimary, kCodeSetSecondary}) {
            const std::string main = path + "/zelk/" + MainFileName(codeSet);
            if (tables == MainTables::Images && !BuildTableImage(main.c_str(), codeSet)) {
                return false;
            }
        }
        system = path;
    }
    HostSetSystemDirectory(system.c_str());
    HostSetApplicationDataDirectory(nullptr);
    return true;
}

bool WorkloadSession::Open() {
    ResetProcessState();
    DecodeSettings(kInstalledDefaults, Settings);
    SYSTEMTIME now{};
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 7;
    now.wDayOfWeek = 1;
    now.wHour = 21;
    now.wMinute = 8;
    HostSetLocalTime(&now);
    if (LoadDictionaries(Settings.CodeSet, true, true) != 1) {
        return false;
    }
    owner = HostCreateWindow();
    context = HostCreateInputContext();
    HostSetContextOwner(context, owner);
    INPUTCONTEXT* data = ImmLockIMC(context);
    InitCompositionString(data);
    ShapeSelectedCandidateInfo(data);
    ImmUnlockIMC(context);
    return true;
}

WorkloadSession::~WorkloadSession() {
    if (context != nullptr) {
        HostDestroyInputContext(context);
        HostDestroyWindow(owner);
    }
}

void TypeWorkload(HIMC context, const std::vector<std::string>& codes) {
    for (const std::string& code : codes) {
        for (const char key : code) {
            ProcessCharacter(context, static_cast<unsigned char>(key), 0);
        }
        if (Conversion.CodeLength != 0 && Conversion.CandidateCount > kFirstCandidateSlot) {
            Conversion.CandidateCount = kFirstCandidateSlot;
            Conversion.CandidatesOpen = 0;
            CommitFirstCandidate(context);
            EditCode(context, ' ', Clear, true);
        }
    }
}
