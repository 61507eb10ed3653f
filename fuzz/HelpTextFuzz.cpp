// Feeds arbitrary bytes to the help window's text handling: a help file as
// the pane shows it (rich text or plain, any encoding damage), and the
// context search over it for a grid of first-column texts cut from the same
// bytes. The first byte chooses the selected row and the controller family.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help/HelpFile.h"
#include "help/HelpSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string pane = zo::help::HelpFile::PaneText(bytes);
  // Rows: the input's lines, up to 16, row 0 the header.
  std::vector<std::string> rows;
  for (std::size_t start = 0; start <= bytes.size() && rows.size() < 16;) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    rows.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  const int selected = data[0] & 0x0F;
  const zo::help::HelpFound found =
      zo::help::HelpSearch(pane, (data[0] & 0x10) != 0).Find(rows, selected);
  if (found.name && found.name->start + found.name->length > pane.size()) __builtin_trap();
  return 0;
}
