#pragma once
// Edits of the user's mimeapps.list that touch only the program's own lines: every other
// line, comment, blank line and section is kept byte for byte.
#include <string>

namespace varmelo {

// Makes desktopFile the default application of mimeType in [Default Applications],
// replacing that type's existing line or adding one (and the section when missing).
std::string setDefaultApplication(const std::string& text, const std::string& mimeType,
                                  const std::string& desktopFile);

// Takes desktopFile out of mimeType's line in [Default Applications]; the line goes when
// nothing else is left on it. Lines naming other programs stay.
std::string removeDefaultApplication(const std::string& text, const std::string& mimeType,
                                     const std::string& desktopFile);

}  // namespace varmelo
