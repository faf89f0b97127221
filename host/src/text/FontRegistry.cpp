// FreeType-backed font registry: scanning the font folder, naming faces and extracting
// glyph outlines (quadratic pieces raised to cubics) in ems.
#include "text/FontRegistry.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#ifndef PLOTWISE_FONT_DIR
#define PLOTWISE_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace standin::text {

struct FontRegistry::Library {
    FT_Library ft = nullptr;
    Library() {
        if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
    }
    ~Library() {
        if (ft) FT_Done_FreeType(ft);
    }
};

struct FontRegistry::Face {
    std::string name;
    std::string path;
    FT_Face face = nullptr;
    double unitsPerEm = 1000.0;
    mutable std::map<char32_t, std::unique_ptr<GlyphData>> cache;
    ~Face() {
        if (face) FT_Done_Face(face);
    }
};

namespace {

std::string uiNameOf(FT_Face face) {
    std::string family = face->family_name ? face->family_name : "";
    const std::string style = face->style_name ? face->style_name : "";
    if (family.empty()) family = "Unnamed";
    if (style.empty() || style == "Book" || style == "Regular") return family;
    return family + " " + style;
}

// Builds closed contours of cubic nodes from FreeType's decomposition.
struct ContourBuilder {
    double scale;
    std::vector<std::vector<OutlineNode>> contours;

    void close() {
        if (contours.empty()) return;
        auto& c = contours.back();
        if (c.size() > 1 && c.back().px == c.front().px && c.back().py == c.front().py) {
            c.front().inx = c.back().inx;
            c.front().iny = c.back().iny;
            c.pop_back();
        }
        if (c.size() < 2) contours.pop_back();
    }
    OutlineNode node(const FT_Vector* p) const {
        const double x = p->x * scale, y = p->y * scale;
        return {x, y, x, y, x, y};
    }

    static int moveTo(const FT_Vector* to, void* user) {
        auto* b = static_cast<ContourBuilder*>(user);
        b->close();
        b->contours.push_back({b->node(to)});
        return 0;
    }
    static int lineTo(const FT_Vector* to, void* user) {
        auto* b = static_cast<ContourBuilder*>(user);
        if (b->contours.empty()) return 1;
        b->contours.back().push_back(b->node(to));
        return 0;
    }
    static int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        auto* b = static_cast<ContourBuilder*>(user);
        if (b->contours.empty()) return 1;
        OutlineNode& last = b->contours.back().back();
        const double cx = control->x * b->scale, cy = control->y * b->scale;
        OutlineNode n = b->node(to);
        last.outx = last.px + 2.0 / 3.0 * (cx - last.px);
        last.outy = last.py + 2.0 / 3.0 * (cy - last.py);
        n.inx = n.px + 2.0 / 3.0 * (cx - n.px);
        n.iny = n.py + 2.0 / 3.0 * (cy - n.py);
        b->contours.back().push_back(n);
        return 0;
    }
    static int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        auto* b = static_cast<ContourBuilder*>(user);
        if (b->contours.empty()) return 1;
        OutlineNode& last = b->contours.back().back();
        last.outx = c1->x * b->scale;
        last.outy = c1->y * b->scale;
        OutlineNode n = b->node(to);
        n.inx = c2->x * b->scale;
        n.iny = c2->y * b->scale;
        b->contours.back().push_back(n);
        return 0;
    }
};

// The font files of a folder, sorted (directory order is not stable). Listed with the
// system's directory calls: the library's directory iterator allocates inside a routine that
// may not throw, so memory running out there would end the program.
std::vector<std::string> fontFiles(const std::string& folder) {
    std::vector<std::string> paths;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return paths;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::filesystem::path path = std::filesystem::path(folder) / entry->d_name;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        std::string ext = path.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext == ".ttf" || ext == ".otf") paths.push_back(path.string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

FontRegistry::FontRegistry(const std::string& folder) : library_(std::make_unique<Library>()) {
    if (!library_->ft) return;
    const std::vector<std::string> paths = fontFiles(folder);
    for (const auto& path : paths) {
        auto face = std::make_unique<Face>();
        if (FT_New_Face(library_->ft, path.c_str(), 0, &face->face) != 0) {
            face->face = nullptr;
            continue;
        }
        if (!FT_IS_SCALABLE(face->face) || face->face->units_per_EM == 0) continue;
        face->name = uiNameOf(face->face);
        if (find(face->name) >= 0) continue;  // one font per user-interface name
        face->path = path;
        face->unitsPerEm = face->face->units_per_EM;
        faces_.push_back(std::move(face));
    }
    std::stable_sort(faces_.begin(), faces_.end(),
                     [](const auto& a, const auto& b) { return a->name < b->name; });
}

FontRegistry::~FontRegistry() {
    faces_.clear();  // faces before the library that owns them
}

const std::string& FontRegistry::uiName(int32_t index) const {
    static const std::string empty;
    if (index < 0 || index >= count()) return empty;
    return faces_[static_cast<size_t>(index)]->name;
}

int32_t FontRegistry::find(std::string_view name) const {
    for (size_t i = 0; i < faces_.size(); ++i)
        if (faces_[i]->name == name) return static_cast<int32_t>(i);
    return -1;
}

int32_t FontRegistry::defaultIndex() const {
    const int32_t i = find(kDefaultFontName);
    if (i >= 0) return i;
    return faces_.empty() ? -1 : 0;
}

const GlyphData* FontRegistry::glyph(int32_t font, char32_t c) const {
    if (font < 0 || font >= count()) return nullptr;
    const Face& f = *faces_[static_cast<size_t>(font)];
    if (auto it = f.cache.find(c); it != f.cache.end()) return it->second.get();
    const FT_UInt index = FT_Get_Char_Index(f.face, c);
    if (FT_Load_Glyph(f.face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return nullptr;
    auto data = std::make_unique<GlyphData>();
    const double scale = 1.0 / f.unitsPerEm;
    data->advance = static_cast<double>(f.face->glyph->metrics.horiAdvance) * scale;
    if (f.face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        ContourBuilder builder{scale, {}};
        FT_Outline_Funcs funcs{};
        funcs.move_to = &ContourBuilder::moveTo;
        funcs.line_to = &ContourBuilder::lineTo;
        funcs.conic_to = &ContourBuilder::conicTo;
        funcs.cubic_to = &ContourBuilder::cubicTo;
        if (FT_Outline_Decompose(&f.face->glyph->outline, &funcs, &builder) == 0) {
            builder.close();
            data->contours = std::move(builder.contours);
        }
    }
    const GlyphData* result = data.get();
    f.cache.emplace(c, std::move(data));
    return result;
}

FontRegistry& FontRegistry::shared() {
    static FontRegistry registry(PLOTWISE_FONT_DIR);
    return registry;
}

}  // namespace standin::text
