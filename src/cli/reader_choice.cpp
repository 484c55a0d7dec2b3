#include "reader_choice.h"

namespace qvcli {

qv::MapReader& ChosenMapReader() {
  return qv::DirectMapReader();
}

} // namespace qvcli
