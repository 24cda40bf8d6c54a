#include "import/sheet_writer.h"

namespace {
SheetWriter registered_writer = nullptr;
}

void SetSheetWriter(SheetWriter writer) {
    registered_writer = writer;
}

SheetResult WriteSheet(int object, int test, int kind) {
    return registered_writer != nullptr ? registered_writer(object, test, kind)
                                        : SheetResult::NotSaved;
}
