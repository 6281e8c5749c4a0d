#pragma once
// The message table: the run-time texts (UTF-8), Russian by default; a language file may
// replace entries one by one (strings/STR000, STR001, ...). Entries 0 to 31 are the classic
// table every language file knows; the later ones are texts this program added since.
#include <array>
#include <string>

namespace varmelo {

inline constexpr int kMessageCount = 69;

class MessageTable {
public:
    MessageTable();  // filled with the defaults
    void fillDefaults();
    const std::string& get(int n) const { return texts_.at(size_t(n)); }
    void set(int n, std::string text) { texts_.at(size_t(n)) = std::move(text); }
    static const std::array<const char*, kMessageCount>& defaults();

private:
    std::array<std::string, kMessageCount> texts_;
};

// Well-known message numbers.
enum Msg : int {
    MsgBytes = 0, MsgKilobytes = 1, MsgMegabytes = 2, MsgGigabytes = 3,
    MsgNotFound = 4, MsgExtractFolder = 5, MsgExtractFilter = 6,
    MsgDirMissing = 7, MsgDirMissingCaption = 8, MsgLoading = 9, MsgLoadingPercent = 10,
    MsgLoaded = 11, MsgConfirmDelete = 12, MsgConfirmDeleteCaption = 13, MsgNotFoundAll = 14,
    MsgPart = 15, MsgSizeKb = 16, MsgTextures = 17, MsgWait = 18, MsgFiltered = 19,
    MsgVertsPolys = 20, MsgRebuilding = 21, MsgColIndex = 22, MsgColName = 23,
    MsgColAddress = 24, MsgColSize = 25, MsgObjects = 26, MsgFileType = 27,
    MsgFirstRunCaption = 28, MsgFirstRun = 29, MsgExistsCaption = 30, MsgExists = 31,
    MsgShortListing = 32, MsgConsoleGeometry = 33, MsgConsoleGeometryCount = 34,
    MsgMissingTextures = 35, MsgDictionaryTitle = 36, MsgDictionaryQuestion = 37,
    MsgBadTriangles = 38, MsgDamagedSizeWord = 39, MsgGameFolderTitle = 40, MsgNotGameFolder = 41,
    MsgGameModel = 42, MsgColourSet = 43, MsgColoursTitle = 44, MsgColoursQuestion = 45, MsgExtraTitle = 46,
    MsgExtraQuestion = 47, MsgTxdUnsaved = 48, MsgTxdUnsavedCaption = 49, MsgTxdRenameTitle = 50,
    MsgTxdRenameLabel = 51, MsgPictureFilter = 52, MsgTxdImportTitle = 53, MsgTxdImportNone = 54,
    MsgTxdImported = 55, MsgTxdFilter = 56, MsgNewTxdTitle = 57, MsgNewTxdGame = 58, MsgNewTxdWhere = 59,
    MsgNewTxdIntoArchive = 60, MsgNewTxdToFile = 61, MsgNewTxdEntryName = 62, MsgTextureOptionsTitle = 63,
    MsgTextureFormat = 64, MsgTextureMipmaps = 65, MsgMipmapChoices = 66, MsgResizeToPowerOfTwo = 67,
    MsgFormatAuto = 68,
};

}  // namespace varmelo
