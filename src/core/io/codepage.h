#pragma once
// Windows-1251, the code page of entry names and language files, to and from UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace varmelo {

std::string cp1251ToUtf8(const std::string& bytes);
// Fails (nullopt) when the text holds a character Windows-1251 has no byte for,
// or when it is not valid UTF-8.
std::optional<std::string> utf8ToCp1251(const std::string& utf8);

// ASCII-only upper-casing, as the name comparisons of the program use.
char asciiUpper(char c);
std::string asciiUpper(const std::string& s);
// ASCII-only lower-casing, for keys in the lower case the game's files and our JSON use.
std::string asciiLower(std::string_view s);
// Upper-casing by Windows-1251 letters: ASCII plus the Cyrillic lower-case letters.
std::string cp1251Upper(const std::string& s);

}  // namespace varmelo
