// The list-file reader on arbitrary bytes: refused files carry a message, load() agrees with
// parse(), and what is accepted is written and read back unchanged.

#include "fuzz_support.h"
#include "reader_checks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString scratch = fuzzsupport::scratchPath("list.pnv");
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzsupport::require("list file", readerchecks::listFile(bytes, scratch));
    return 0;
}
