// Turns one cell of a sample data file into the value its field takes.
#pragma once

#include "components/vfp/Value.h"
#include "components/vfpwriter/TableWriter.h"
#include "samples/CsvReader.h"

namespace samples {

// The cell's value for field: Null for an unquoted NULL, Empty (a blank value) for an empty
// cell of a non-text field, otherwise the kind the table writer expects for the field's type.
// Numbers are checked exactly (no rounding): a numeric field gets its decimals filled with
// zeros, and more decimals than the field has is an error.
// Throws std::runtime_error saying what is wrong with the text (the caller adds where).
vfp::Value parseSampleValue(const CsvCell& cell, const vfpwriter::FieldDefinition& field);

}  // namespace samples
