#include "dict/main_group_check.h"

#include "dict/dictionary_files.h"
#include "dict/main_table_block.h"
#include "dict/table_image.h"
#include "dict/table_image_files.h"

void ReadyMainGroup(int ordinal) {
    if (MainGroupChecked(ordinal)) {
        return;
    }
    if (ImageGroupPasses(MainBlockInUse(), ordinal, Tables.CodeSet)) {
        MarkMainGroupChecked(ordinal);
        return;
    }
    // What the image holds is not what a main file may: the file itself is read instead, and
    // the image is not used again.
    RefuseImageInUse();
    LoadDictionaries(Tables.CodeSet, true, false);
}
