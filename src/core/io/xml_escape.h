#pragma once
// Text put into an XML file the program writes (MIME types, AppStream data, menu entries).
#include <string>
#include <string_view>

namespace varmelo {

// &, <, > and " as entities; everything else as it is.
std::string xmlEscape(std::string_view s);

}  // namespace varmelo
