#include "platform/graphics/Font.h"
#include "platform/graphics/detail/FontFileBytes.h"
#include "platform/graphics/detail/FontGlyph.h"
#include "platform/base/TextCharacters.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <atomic>
#include <future>
#include <cmath>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <tuple>
#include <utility>
#include <unordered_map>

namespace platform {

namespace {

// Faces the programs name, the free face that stands in for each, and the
// smallest cell height the original offers (raster faces come in fixed sizes;
// smaller requests get the smallest one, as the desktop gives them).
struct FaceAlias {
    const char* name;
    const char* family;
    int minimumCell;
};

constexpr FaceAlias kFaceAliases[] = {
    {"MS Sans Serif", "Liberation Sans", 13},
    {"MS Serif", "Liberation Serif", 13},
    {"Arial", "Liberation Sans", 0},
    {"Helvetica", "Liberation Sans", 0},
    {"Times New Roman", "Liberation Serif", 0},
    {"Courier New", "Liberation Mono", 0},
    {"Courier", "Liberation Mono", 13},
    {"System", "DejaVu Sans", 16},
    {"Tahoma", "DejaVu Sans", 0},
    {"Verdana", "DejaVu Sans", 0},
};

const FaceAlias* FindAlias(const std::string& face)
{
    for (const FaceAlias& alias : kFaceAliases)
        if (face == alias.name)
            return &alias;
    return nullptr;
}

std::atomic<long> gCreatedFonts{0};

struct FontFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

std::mutex gMutex;       // guards the library, the caches, every FT_Face use and the reading below
bool gFilesRead = false; // a face read its file since the last ReleaseReadFontFiles

// The font configuration read in the background (PrepareFonts), until taken.
std::future<void> gConfigurationRead;
bool gConfigurationAsked = false;

void AwaitConfiguration()
{
    if (gConfigurationRead.valid())
        gConfigurationRead.get();
}

FT_Library Library()
{
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0)
            throw std::runtime_error("FreeType could not start");
        return lib;
    }();
    return library;
}

FontFile MatchFile(const std::string& family, bool bold, bool italic)
{
    static std::map<std::tuple<std::string, bool, bool>, FontFile> cache;
    const auto key = std::make_tuple(family, bold, italic);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;

    AwaitConfiguration();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        throw std::runtime_error("no font for " + family);

    FontFile file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file.path = reinterpret_cast<const char*>(path);
    FcPatternGetInteger(match, FC_INDEX, 0, &file.index);
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    file.bold = weight >= FC_WEIGHT_DEMIBOLD;
    file.italic = slant != FC_SLANT_ROMAN;
    FcPatternDestroy(match);
    if (file.path.empty())
        throw std::runtime_error("no font file for " + family);
    cache.emplace(key, file);
    return file;
}

} // namespace

// One face file at one cell height, with its rendered characters.
class FontFace {
public:
    FontFace(const FontFile& file, int cellHeight, bool bold, bool italic)
        : bytes_(FontFileBytes::Of(file.path)), emboldenSynthetically_(bold && !file.bold),
          slantSynthetically_(italic && !file.italic)
    {
        gFilesRead = true;
        if (FT_New_Memory_Face(Library(), bytes_->Data(), static_cast<FT_Long>(bytes_->Size()), file.index, &face_) !=
            0)
            throw std::runtime_error("cannot open font " + file.path);
        FT_Size_RequestRec request{};
        request.type = FT_SIZE_REQUEST_TYPE_CELL;
        request.height = static_cast<FT_Long>(cellHeight) * 64;
        if (FT_Request_Size(face_, &request) != 0) {
            FT_Done_Face(face_);
            throw std::runtime_error("cannot size font " + file.path);
        }
        ComputeMetrics(cellHeight, bold);
    }
    ~FontFace() { FT_Done_Face(face_); }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const TextMetrics& Metrics() const { return metrics_; }
    int UnderlineOffset() const { return underlineOffset_; }
    int UnderlineThickness() const { return underlineThickness_; }

    const GlyphImage& Glyph(char32_t ch)
    {
        auto it = glyphs_.find(ch);
        if (it == glyphs_.end())
            it = glyphs_.emplace(ch, Render(ch)).first;
        return it->second;
    }

private:
    void ComputeMetrics(int cell, bool bold)
    {
        const double units = static_cast<double>(face_->ascender - face_->descender);
        const double yScale = cell / (units > 0 ? units : 1.0); // pixels per font unit
        metrics_.height = cell;
        metrics_.ascent = static_cast<int>(std::lround(cell * face_->ascender / (units > 0 ? units : 1.0)));
        metrics_.descent = cell - metrics_.ascent;
        metrics_.internalLeading = std::max(0, cell - static_cast<int>(std::lround(face_->units_per_EM * yScale)));
        metrics_.externalLeading = 0;
        metrics_.weight = bold ? 700 : 400;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
        metrics_.averageCharWidth = os2 != nullptr && os2->xAvgCharWidth > 0
            ? static_cast<int>(std::lround(os2->xAvgCharWidth * yScale))
            : Glyph('x').advance;
        metrics_.maxCharWidth = static_cast<int>(std::lround(face_->max_advance_width * yScale));
        underlineOffset_ = std::max(1, static_cast<int>(std::lround(-face_->underline_position * yScale)));
        underlineThickness_ = std::max(1, static_cast<int>(std::lround(face_->underline_thickness * yScale)));
    }

    GlyphImage Render(char32_t ch)
    {
        gFilesRead = true;
        GlyphImage image;
        if (FT_Load_Char(face_, ch, FT_LOAD_DEFAULT) != 0)
            return image;
        FT_GlyphSlot slot = face_->glyph;
        if (slantSynthetically_)
            FT_GlyphSlot_Oblique(slot);
        if (emboldenSynthetically_)
            FT_GlyphSlot_Embolden(slot);
        image.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
            return image;
        const FT_Bitmap& bitmap = slot->bitmap;
        image.left = slot->bitmap_left;
        image.top = slot->bitmap_top;
        image.width = static_cast<int>(bitmap.width);
        image.rows = static_cast<int>(bitmap.rows);
        image.coverage.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.rows));
        for (int y = 0; y < image.rows; ++y) {
            const unsigned char* src = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
            std::copy(src, src + image.width, image.coverage.begin() + static_cast<long>(y) * image.width);
        }
        return image;
    }

    std::shared_ptr<const FontFileBytes> bytes_; // outlives face_, which reads it
    FT_Face face_ = nullptr;
    bool emboldenSynthetically_;
    bool slantSynthetically_;
    TextMetrics metrics_;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    std::unordered_map<char32_t, GlyphImage> glyphs_; // nodes stay put: references remain valid
};

namespace {

std::shared_ptr<FontFace> RealiseFace(const std::string& family, int cell, bool bold, bool italic)
{
    static std::map<std::tuple<std::string, int, bool, bool>, std::shared_ptr<FontFace>> cache;
    const auto key = std::make_tuple(family, cell, bold, italic);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    const FontFile file = MatchFile(family, bold, italic);
    auto face = std::make_shared<FontFace>(file, cell, bold, italic);
    cache.emplace(key, face);
    return face;
}

} // namespace

std::shared_ptr<const Font> Font::Create(const FontRequest& request)
{
    const FaceAlias* alias = FindAlias(request.face);
    const std::string family =
        alias != nullptr ? alias->family : (request.face.empty() ? "Liberation Sans" : request.face);
    int cell = std::abs(request.cellHeight);
    if (cell == 0)
        cell = 16;
    if (alias != nullptr)
        cell = std::max(cell, alias->minimumCell);
    std::lock_guard lock(gMutex);
    auto face = RealiseFace(family, cell, request.bold, request.italic);
    ++gCreatedFonts;
    return std::shared_ptr<const Font>(new Font(request, std::move(face)));
}

Font::Font(FontRequest request, std::shared_ptr<FontFace> face) : request_(std::move(request)), face_(std::move(face))
{ }

const TextMetrics& Font::Metrics() const
{
    return face_->Metrics();
}

const GlyphImage& Font::Glyph(char32_t ch) const
{
    std::lock_guard lock(gMutex);
    return face_->Glyph(ch); // glyphs are never evicted, so the reference stays valid
}

int Font::Advance(char32_t ch) const
{
    return Glyph(ch).advance;
}

TextExtent Font::Extent(std::string_view text) const
{
    TextExtent extent{0, Metrics().height};
    for (size_t at = 0; at < text.size();)
        extent.width += Advance(DecodeCharacter(text, at));
    return extent;
}

int Font::UnderlineOffset() const
{
    return face_->UnderlineOffset();
}
int Font::UnderlineThickness() const
{
    return face_->UnderlineThickness();
}

long Font::CreatedCount()
{
    return gCreatedFonts.load();
}

void PrepareFonts()
{
    std::lock_guard lock(gMutex);
    if (gConfigurationAsked)
        return;
    gConfigurationAsked = true;
    try {
        // A failed reading leaves it to the first match, which reads it itself.
        gConfigurationRead = std::async(std::launch::async, [] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: the first font reads the configuration.
    }
}

void ReleaseReadFontFiles()
{
    std::lock_guard lock(gMutex);
    if (std::exchange(gFilesRead, false))
        FontFileBytes::ReleaseAllPages();
}

std::string ResolveFontFile(const std::string& face, bool bold, bool italic)
{
    const FaceAlias* alias = FindAlias(face);
    std::lock_guard lock(gMutex);
    return MatchFile(alias != nullptr ? alias->family : face, bold, italic).path;
}

} // namespace platform

// fontconfig keeps its parsed configuration for the whole life of the process,
// and so does D-Bus its connection once the desktop backend has started; the
// leak checker of sanitizer builds is told so instead of reporting them.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}
