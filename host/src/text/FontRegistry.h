// The fonts of the stand-in host: every face FreeType can open in the font folder, named
// for the user interface as family plus style ("DejaVu Sans", "DejaVu Sans Bold",
// "DejaVu Sans Mono"), with glyph advances and outlines in ems taken from the unhinted,
// unscaled font data, so every measurement is deterministic.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace standin::text {

constexpr const char* kDefaultFontName = "DejaVu Sans";

// One anchor of a glyph contour, in ems: the point and its incoming and outgoing handles.
struct OutlineNode {
    double px, py, inx, iny, outx, outy;
};

struct GlyphData {
    double advance = 0.0;                           // in ems
    std::vector<std::vector<OutlineNode>> contours;  // closed cubic contours, in ems
};

class FontRegistry {
public:
    explicit FontRegistry(const std::string& folder);
    ~FontRegistry();
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    int32_t count() const { return static_cast<int32_t>(faces_.size()); }
    // Empty for an index out of range.
    const std::string& uiName(int32_t index) const;
    // Byte-exact, case-sensitive; -1 when no font has that name.
    int32_t find(std::string_view uiName) const;
    // "DejaVu Sans" when present, else the first font, else -1.
    int32_t defaultIndex() const;
    // The glyph of a character (the font's missing-glyph box when it has none), cached.
    // Null for a bad font index or a glyph FreeType cannot load.
    const GlyphData* glyph(int32_t font, char32_t c) const;

    // The registry for the configured font folder, made on first use.
    static FontRegistry& shared();

private:
    struct Face;
    struct Library;
    std::unique_ptr<Library> library_;
    std::vector<std::unique_ptr<Face>> faces_;
};

}  // namespace standin::text
