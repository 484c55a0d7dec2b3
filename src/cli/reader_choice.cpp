#include "reader_choice.h"

#include "isolated_map_reader.h"

namespace qvcli {

// Maps come from strangers: every read runs in the helper process, under limits.
qv::MapReader& ChosenMapReader() { return qv::IsolatedMapReader(); }

} // namespace qvcli
