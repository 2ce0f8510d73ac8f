#pragma once

// Inside RecordTable: the name index of a field, shared by the files that implement the table.

#include "model/record_table.h"
#include "model/text_index.h"

// Exact-match index of one text field: text -> the records holding it. Most texts (product
// names) are held by one record, which is kept inline so a lookup touches no further memory.
struct RecordTable::Index : TextIndex {};
