#include "object_mods.h"

#include <stdexcept>

namespace qvrace {

Modification Modification::String(std::string field, std::string value, std::int32_t level) {
  Modification m;
  m.field = std::move(field);
  m.type = kString;
  m.level = level;
  m.string_value = std::move(value);
  return m;
}

Modification Modification::Int(std::string field, std::int32_t value, std::int32_t level) {
  Modification m;
  m.field = std::move(field);
  m.type = kInt;
  m.level = level;
  m.int_value = value;
  return m;
}

Modification Modification::Real(std::string field, float value, std::int32_t level) {
  Modification m;
  m.field = std::move(field);
  m.type = kReal;
  m.level = level;
  m.real_value = value;
  return m;
}

namespace {

void WriteTable(ByteWriter& w, const std::vector<ObjectDefinition>& objects, bool leveled, bool custom) {
  w.I32(static_cast<std::int32_t>(objects.size()));
  for (const ObjectDefinition& o : objects) {
    if (o.base_id.size() != 4 || (custom ? o.new_id.size() != 4 : !o.new_id.empty()))
      throw std::invalid_argument("object ids are four characters: " + o.base_id + "/" + o.new_id);
    w.Id(o.base_id);
    w.Id(custom ? o.new_id : std::string(4, '\0'));
    w.I32(static_cast<std::int32_t>(o.modifications.size()));
    for (const Modification& m : o.modifications) {
      if (m.field.size() != 4) throw std::invalid_argument("field ids are four characters: " + m.field);
      w.Id(m.field);
      w.I32(m.type);
      if (leveled) {
        w.I32(m.level);
        w.I32(m.data_column);
      }
      switch (m.type) {
      case Modification::kInt:
        w.I32(m.int_value);
        break;
      case Modification::kReal:
      case Modification::kUnreal:
        w.F32(m.real_value);
        break;
      case Modification::kString:
        w.CString(m.string_value);
        break;
      }
      w.Id(custom ? o.new_id : o.base_id);
    }
  }
}

} // namespace

Bytes EncodeObjectMods(const ObjectModFile& file) {
  ByteWriter w;
  w.I32(kObjectModVersion);
  WriteTable(w, file.original, file.leveled, false);
  WriteTable(w, file.custom, file.leveled, true);
  return w.Take();
}

} // namespace qvrace
