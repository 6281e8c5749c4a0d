#pragma once
// Entry names are Windows-1251 bytes and paths are file-system bytes; the widgets speak
// QString. Names and paths become widget text, and back, through these.
#include <QString>
#include <exception>
#include <optional>
#include <string>

namespace varmelo::gui {

QString fromCp1251(const std::string& bytes);
// nullopt when the text holds a character Windows-1251 has no byte for.
std::optional<std::string> toCp1251(const QString& text);

QString fromPathBytes(const std::string& path);
std::string toPathBytes(const QString& path);

// The text of a core error for a message box. Most texts are UTF-8; a few carry an entry
// name or a mask as Windows-1251 bytes, which are decoded as such.
QString errorText(const std::exception& e);

}  // namespace varmelo::gui
