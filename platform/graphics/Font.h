#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

// What a font is asked for: a face name as the programs know it, the cell
// height in pixels (ascent plus descent), and styles.
struct FontRequest {
    std::string face;
    int cellHeight = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct TextMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 400;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

struct GlyphImage;
class FontFace;

// A font made from a request: faces the programs name are mapped onto the
// installed free faces (Liberation, DejaVu) through fontconfig and rendered by
// FreeType with greyscale antialiasing. Text is UTF-8; bytes that are not
// (texts kept byte for byte) show as Windows-1252 characters
// (platform/TextCharacters.h). Fonts are shared, immutable handles.
class Font {
public:
    // Throws std::runtime_error when no face at all can be opened.
    static std::shared_ptr<const Font> Create(const FontRequest& request);

    const FontRequest& Request() const { return request_; }
    const TextMetrics& Metrics() const;
    TextExtent Extent(std::string_view text) const;
    int Advance(char32_t ch) const;
    const GlyphImage& Glyph(char32_t ch) const;
    // Rows below the baseline and thickness of the underline.
    int UnderlineOffset() const;
    int UnderlineThickness() const;

    // How many fonts were made so far (creation is costly; drawing code keeps it low).
    static long CreatedCount();

private:
    Font(FontRequest request, std::shared_ptr<FontFace> face);
    FontRequest request_;
    std::shared_ptr<FontFace> face_;
};

// Starts reading the desktop's font configuration on a thread of its own, so
// that a program's start goes on meanwhile; the first font made waits for it.
void PrepareFonts();

// Characters are rendered once and kept: when a face was made or a
// character rendered since the last call, lets go of the font files' pages
// (read again from the file if another character is needed). A program's
// idle step calls it.
void ReleaseReadFontFiles();

// The installed font file a face name resolves to (for tools and tests).
std::string ResolveFontFile(const std::string& face, bool bold, bool italic);

} // namespace platform
