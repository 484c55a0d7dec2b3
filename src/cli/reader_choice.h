// The one place that decides how maps are read: every run and every status look
// goes through the reader chosen here.
#pragma once

#include "map_reader.h"

namespace qvcli {

qv::MapReader& ChosenMapReader();

} // namespace qvcli
