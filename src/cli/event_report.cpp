#include "event_report.h"

#include "json.h"

namespace qvcli {

void EventReport::Emit(const std::string& json) {
  std::fputs(json.c_str(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

void EventReport::SetStatus(int part, const std::string& text) {
  Emit(JsonObject().Add("ui", "status").Add("part", part).Add("text", text).str());
}

void EventReport::EnableButtons(bool enabled) {
  Emit(JsonObject().Add("ui", "buttons").Add("enabled", enabled).str());
}

void EventReport::ShowProgress(bool visible) {
  Emit(JsonObject().Add("ui", "progress").Add("visible", visible).str());
}

void EventReport::SetProgressRange(int max) {
  Emit(JsonObject().Add("ui", "range").Add("max", max).str());
}

void EventReport::SetProgressPos(int pos) {
  Emit(JsonObject().Add("ui", "pos").Add("value", pos).str());
}

void EventReport::StepProgress() {
  Emit(JsonObject().Add("ui", "step").str());
}

void EventReport::ShowMessage(const std::string& text, const std::string& title, qv::MessageIcon icon) {
  const char* icon_name = icon == qv::MessageIcon::Exclamation ? "exclamation" : "information";
  Emit(JsonObject().Add("ui", "message").Add("title", title).Add("text", text).Add("icon", icon_name).str());
}

void EventReport::LaunchMap(const std::string& map_path) {
  Emit(JsonObject().Add("ui", "launch").Add("target", map_path).str());
  OpenIfAsked(map_path);
}

} // namespace qvcli
