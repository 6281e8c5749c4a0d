#pragma once
// The installed files that name the archive file types - the MIME package, the desktop entry,
// the AppStream file and the manual page - made from the kinds' rows at build time, so a new
// kind reaches them with its row. The package is made whole; the other three are hand-written
// templates whose @NAME@ fields are filled here.
#include <map>
#include <string>

namespace varmelo {

// share/mime/packages/varmelo.xml: one MIME type per file type, with its comments, globs and
// the magic of each kind that has one.
std::string mimePackageXml();

// The template fields: MIME_TYPES (the desktop entry's MimeType list), MEDIA_TYPES (AppStream
// <mediatype> lines), ARCHIVE_ITEMS (AppStream <li> lines), ARCHIVE_LIST (manual page lines).
std::map<std::string, std::string> desktopDataFields();

// `text` with every @NAME@ replaced by fields[NAME]; throws UsageError naming a field it does
// not have, so a template and the generator cannot drift apart unnoticed.
std::string fillFields(const std::string& text, const std::map<std::string, std::string>& fields);

}  // namespace varmelo
