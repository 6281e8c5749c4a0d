#pragma once
// The Windows code pages that language files are written in, chosen by the font character
// set number such a file names (204 Russian, 238 Central European, ...), decoded to UTF-8.
#include <string>

namespace varmelo {

// The code page a font character set stands for: 204 -> 1251, 0 and 1 -> 1252, 238 -> 1250,
// 161 -> 1253, 162 -> 1254, 177 -> 1255, 178 -> 1256, 186 -> 1257, 163 -> 1258, and the East
// Asian and Thai sets to their double-byte pages. Anything else is read as 1252.
int codePageOfCharSet(int charSet);

// Bytes of a Windows code page as UTF-8. A byte (or byte pair) the code page has no
// character for becomes U+FFFD; nothing is dropped silently and nothing throws.
std::string windowsCodePageToUtf8(const std::string& bytes, int codePage);

}  // namespace varmelo
