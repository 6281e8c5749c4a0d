#include "cli/game_look_output.h"

#include "core/io/codepage.h"

namespace varmelo::cli {

namespace {

// Names from the game's files are Windows-1251 bytes.
std::string utf8(const std::string& s) { return cp1251ToUtf8(s); }

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
    return out.empty() ? "none" : out;
}

}  // namespace

void writeGameLook(JsonWriter& w, const GameLook& look) {
    w.newline().key("game").beginObject().key("kind").value(gameKindName(look.kind)).key("id");
    if (look.record) w.number(double(look.record->id)).key("ide").value(utf8(look.record->ide));
    else w.null().key("ide").null();
    w.key("dictionaries").beginArray();
    for (const DictionaryLink& l : look.textures.chain) w.value(utf8(l.name));
    w.endArray().key("textures").beginObject();
    for (const TextureSource& s : look.textures.sources) {
        w.key(utf8(s.texture));
        if (s.dictionary) w.value(utf8(*s.dictionary));
        else w.null();
    }
    w.endObject().key("colours").beginArray();
    for (const PaletteColour& c : look.colours) w.beginArray().value(uint64_t(c.r)).value(uint64_t(c.g)).value(uint64_t(c.b)).endArray();
    w.endArray().key("colourIndices").beginArray();
    for (uint8_t i : look.colourIndices) w.value(uint64_t(i));
    w.endArray().endObject();
}

std::string gameLookText(const GameLook& look) {
    std::string o = "game: ";
    o += gameKindName(look.kind);
    if (!look.record) return o + ", no IDE record of this model\n";
    o += ", id " + std::to_string(look.record->id) + ", " + utf8(look.record->ide) + "\n";
    std::vector<std::string> chain, textures, colours;
    for (const DictionaryLink& l : look.textures.chain) chain.push_back(utf8(l.name) + (l.found ? "" : " (not found)"));
    for (const TextureSource& s : look.textures.sources)
        textures.push_back(utf8(s.texture) + " from " + (s.dictionary ? utf8(*s.dictionary) : "none"));
    for (size_t i = 0; i < look.colourIndices.size(); ++i) {
        std::string c = std::to_string(look.colourIndices[i]);
        if (i < look.colours.size())
            c += " (" + std::to_string(look.colours[i].r) + ", " + std::to_string(look.colours[i].g) + ", " +
                 std::to_string(look.colours[i].b) + ")";
        colours.push_back(c);
    }
    o += "game dictionaries: " + joined(chain) + "\n";
    o += "game textures: " + joined(textures) + "\n";
    o += "game colours: " + joined(colours) + "\n";
    return o;
}

}  // namespace varmelo::cli
