// The list-type values: which products a value names, and values made from identifiers.

#include "fuzz_support.h"
#include "reader_checks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzsupport::require("list-type value", readerchecks::listTypeValues(bytes));
    return 0;
}
