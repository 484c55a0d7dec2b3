// The map's string file "war3map.wts", rewritten as plain lines.
//
// A line ends at a line feed; a carriage return right before it goes with it. Every
// line is written back followed by CR LF. Nothing is parsed or renumbered: the race's
// strings simply begin at the line "STRING 25", and the map's own stand before it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// Install: program_dir + "war3map.wts" becomes the lines of "war3map_1.wts" (the
// map's strings; when `cut_race_strings`, only those before "STRING 25", so that a
// reinstall does not add the race's strings twice) followed by the lines of
// "war3map_2.wts" (the race's, without a byte-order mark). A missing input adds no
// lines. Returns false when the output could not be written.
bool CreateMapStrings(const std::string& program_dir, bool cut_race_strings);

// Uninstall: program_dir + "war3map.wts" becomes the lines of "war3map_temp.wts"
// before its first line "STRING 25". Returns false when the output could not be written.
bool CreateOldMapStrings(const std::string& program_dir);

// Collects the numbers of the "STRING n" lines of a string file fed in pieces.
class StringIdScanner {
public:
  void Feed(const char* data, std::size_t size);
  // Call once after the last piece; returns the numbers in file order.
  const std::vector<unsigned>& Finish();

private:
  void EndLine();

  std::vector<unsigned> ids_;
  std::string head_;          // the start of the current line, enough to recognise a header
  bool at_file_start_ = true; // a byte-order mark may stand here
  bool finished_ = false;
};

} // namespace qv
