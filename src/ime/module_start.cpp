#include "ime/module_start.h"

#include "dict/dictionary_files.h"
#include "ime/process_state.h"
#include "settings/settings.h"

bool StartModule() {
    ResetProcessState();
    LoadSettings();
    return LoadDictionaries(Settings.CodeSet, true, true) != 0;
}

bool TranslatedMessagesNeedBuffer(bool underWine, bool is64Bit) {
    return underWine && is64Bit;
}

bool IsWin9xPlatform(DWORD platformId) {
    return platformId == 1;
}
