#include "core/archive/archive_file_type.h"

#include <algorithm>

#include "core/archive/archive_kinds.h"

namespace varmelo {

namespace {

std::vector<const ArchiveFileType*> distinctTypes() {
    std::vector<const ArchiveKindInfo*> rows;
    for (const ArchiveKindInfo& k : archiveKinds()) rows.push_back(&k);
    std::sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->kind < b->kind; });
    std::vector<const ArchiveFileType*> out;
    for (const ArchiveKindInfo* k : rows)
        if (std::none_of(out.begin(), out.end(), [&](auto* t) { return t->extension == k->files.extension; }))
            out.push_back(&k->files);
    return out;
}

std::string pattern(const ArchiveFileType& t) { return "*." + std::string(t.extension); }

}  // namespace

std::span<const ArchiveFileType* const> archiveFileTypes() {
    static const std::vector<const ArchiveFileType*> types = distinctTypes();
    return types;
}

std::string mimeTypeOf(const ArchiveFileType& t) { return "application/x-varmelo-" + std::string(t.extension); }

std::vector<std::string_view> magicsOf(const ArchiveFileType& t) {
    std::vector<std::string_view> out;
    for (const ArchiveKindInfo& k : archiveKinds())
        if (k.files.extension == t.extension && !k.magic.empty()) out.push_back(k.magic);
    return out;
}

std::string archiveOpenFilter() {
    std::string all, each;
    for (const ArchiveFileType* t : archiveFileTypes()) {
        all += (all.empty() ? "" : ";") + pattern(*t);
        const std::string_view caption = t->filterCaption.empty() ? t->menuCaption : t->filterCaption;
        each += "|" + std::string(caption) + " (" + pattern(*t) + ")|" + pattern(*t);
    }
    return "Все поддерживаемые|" + all + each + "|Все файлы (*.*)|*.*";
}

}  // namespace varmelo
