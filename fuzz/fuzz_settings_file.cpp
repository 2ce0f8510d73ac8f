// The settings-file reader and writer (kabiro.ini and the list-type files) on arbitrary bytes
// followed by a script of writes: see readerchecks::settingsFile for the input's form.

#include "fuzz_support.h"
#include "reader_checks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString scratch = fuzzsupport::scratchPath("kabiro.ini");
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzsupport::require("settings file", readerchecks::settingsFile(bytes, scratch));
    return 0;
}
