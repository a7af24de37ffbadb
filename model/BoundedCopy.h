#pragma once

#include <cstddef>

namespace VstToolkit {

// Copies `source` into a fixed-width text field of `width` bytes: at most `width`
// bytes are read from `source` (it need not be terminated within them), the rest
// of the field is filled with zero bytes, and the last byte is forced to NUL, so
// the field holds at most width - 1 characters. The zero padding matters because
// state chunks store whole fields. A null `source` gives an empty field.
// Any thread; allocates nothing.
void BoundedCopy(char* destination, const char* source, std::size_t width);

}  // namespace VstToolkit
