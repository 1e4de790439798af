// Fonts and text output on SDL2_ttf.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/display/ddraw.h"
#include "platform/system/files.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_objects.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDefaultHeight = 16;

bool TtfReady() {
    static bool ready = TTF_WasInit() || TTF_Init() == 0;
    return ready;
}

// Lower case, letters and digits only: "DejaVu Sans" and "DejaVuSans.ttf"
// both become "dejavusans".
std::string Normalised(std::string name) {
    std::string ext = ".ttf";
    if (name.size() > ext.size()) {
        std::string tail = name.substr(name.size() - ext.size());
        std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
        if (tail == ext) name.resize(name.size() - ext.size());
    }
    std::string out;
    for (unsigned char c : name)
        if (std::isalnum(c)) out += static_cast<char>(std::tolower(c));
    return out;
}

std::vector<fs::path> FontFolders() {
    std::vector<fs::path> folders{"/usr/share/fonts", "/usr/local/share/fonts"};
    if (const char* home = std::getenv("HOME")) {
        folders.push_back(fs::path(home) / ".fonts");
        folders.push_back(fs::path(home) / ".local/share/fonts");
    }
    return folders;
}

std::string FindInstalled(const std::string& wanted) {
    if (wanted.empty()) return {};
    for (const fs::path& folder : FontFolders()) {
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) continue;
        for (auto it = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (!it->is_regular_file(ec)) continue;
            std::string ext = it->path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
            if (ext != ".ttf") continue;
            if (Normalised(it->path().filename().string()) == wanted) return it->path().string();
        }
    }
    return {};
}

}  // namespace

void TtfFontCloser::operator()(_TTF_Font* font) const noexcept { TTF_CloseFont(font); }

namespace plat {

std::string FindFontFile(const std::string& face, int weight) {
    bool bold = weight >= 600;
    if (!face.empty() && FileExists(face.c_str())) return ResolvePath(face);
    std::string wanted = Normalised(face);
    if (bold) {
        std::string path = FindInstalled(wanted + "bold");
        if (!path.empty()) return path;
    }
    std::string path = FindInstalled(wanted);
    if (!path.empty()) return path;
    // The face is not installed: substitute DejaVu Sans.
    const char* fallback = bold ? "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
                                : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    std::error_code ec;
    if (fs::exists(fallback, ec)) return fallback;
    return FindInstalled(bold ? "dejavusansbold" : "dejavusans");
}

}  // namespace plat

HFONT CreateFontA(int height, int, int, int, int weight, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  const char* face) {
    auto font = std::make_unique<GdiFont>();
    font->height = height == 0 ? kDefaultHeight : std::abs(height);
    font->weight = weight;
    font->face = face ? face : "";
    font->filePath = plat::FindFontFile(font->face, weight);
    if (!font->filePath.empty() && TtfReady()) {
        font->ttf.reset(TTF_OpenFont(font->filePath.c_str(), font->height));
        // A positive height is the whole character cell (ascent and descent),
        // a negative one the characters alone; SDL_ttf sizes the characters.
        if (font->ttf && height > 0 && TTF_FontHeight(font->ttf.get()) > height) {
            const int size = std::max(1, height * height / TTF_FontHeight(font->ttf.get()));
            font->ttf.reset(TTF_OpenFont(font->filePath.c_str(), size));
        }
        // A regular face asked to be bold (no bold file was found).
        if (font->ttf && weight >= 600 && font->filePath.find("Bold") == std::string::npos)
            TTF_SetFontStyle(font->ttf.get(), TTF_STYLE_BOLD);
    }
    return plat::Gdi().Add(std::move(font));
}

namespace {

// The font a context draws with: the selected one, or the default face.
GdiFont* ContextFont(HDC dc) {
    if (dc->font) return dc->font;
    static std::unique_ptr<GdiFont> systemFont;
    if (!systemFont) {
        systemFont.reset(CreateFontA(kDefaultHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "DejaVu Sans"));
        // Taken out of the object table: the default font is never deleted.
        plat::Gdi().Release(systemFont.get());
    }
    return systemFont.get();
}

}  // namespace

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size) {
    if (!dc || !text || length < 0 || !size) return 0;
    GdiFont* font = ContextFont(dc);
    if (!font->ttf) return 0;
    std::string s(text, static_cast<std::size_t>(length));
    int w = 0, h = 0;
    if (TTF_SizeText(font->ttf.get(), s.c_str(), &w, &h) != 0) return 0;
    size->cx = w;
    size->cy = TTF_FontHeight(font->ttf.get());
    return 1;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int length) {
    if (!dc || !text || length < 0) return 0;
    int w = 0, h = 0;
    if (!plat::DcSize(dc, &w, &h)) return 0;
    if (length == 0) return 1;
    GdiFont* font = ContextFont(dc);
    if (!font->ttf) return 0;
    std::string s(text, static_cast<std::size_t>(length));
    SDL_Color fg{255, 255, 255, 255};
    SDL_Surface* glyphs = TTF_RenderText_Solid(font->ttf.get(), s.c_str(), fg);
    if (!glyphs) return 0;
    SDL_LockSurface(glyphs);
    for (int j = 0; j < glyphs->h; ++j) {
        const auto* row = static_cast<const BYTE*>(glyphs->pixels) + static_cast<std::size_t>(j) * glyphs->pitch;
        int ty = y + j;
        if (ty < 0 || ty >= h) continue;
        for (int i = 0; i < glyphs->w; ++i) {
            int tx = x + i;
            if (tx < 0 || tx >= w) continue;
            if (row[i] != 0)
                plat::DcWrite(dc, tx, ty, dc->textColor);
            else if (dc->bkMode == OPAQUE)
                plat::DcWrite(dc, tx, ty, dc->bkColor);
        }
    }
    SDL_UnlockSurface(glyphs);
    SDL_FreeSurface(glyphs);
    return 1;
}
