#pragma once
// How the desktop, the open dialog and the "Открывать в Varmelo" menu show an archive kind's
// files. Each kind's row holds one; kinds stored under one extension (the two IMG forms) hold
// the same one and are one file type to the user. Texts are UTF-8; the program's own texts
// are in its base language, which the language files translate.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varmelo {

struct ArchiveFileType {
    std::string_view extension;      // lower case, without the dot: "syb"
    std::string_view command;        // the command that associates the type: "ServiceSyberia1"
    std::string_view menuCaption;    // that command's caption: "Архивы Syberia"
    std::string_view comment;        // the MIME type's description: "Syberia archive"
    std::string_view commentRu;      // ... in Russian: "Архив Syberia"
    // Its line in the open dialog's filter ("Архивы Syberia 2"); empty: the menu caption.
    std::string_view filterCaption = {};
    // The MIME type its files also are ("application/zip"), or empty.
    std::string_view mimeParent = {};

    bool operator==(const ArchiveFileType&) const = default;
};

// One per extension, in the order of the kinds' values; an association's tag is its index.
std::span<const ArchiveFileType* const> archiveFileTypes();

// "application/x-varmelo-<extension>".
std::string mimeTypeOf(const ArchiveFileType& t);

// The signatures files of this type start with (one per kind that has one), raw bytes.
std::vector<std::string_view> magicsOf(const ArchiveFileType& t);

// The open dialog's filter ("Description|*.a;*.b|..."): every type at once, each type, and all
// files.
std::string archiveOpenFilter();

}  // namespace varmelo
