#pragma once

// Inside RecordTable: the name index of a field, shared by the files that implement the table.

#include "model/record_table.h"
#include "model/text_index.h"

struct RecordTable::Index : TextIndex {};
