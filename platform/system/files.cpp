#include "platform/system/files.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace plat {
namespace {

bool Exists(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0;
}

// Finds an entry of `dir` whose name equals `name` ignoring case.
bool FindNoCase(const std::string& dir, const std::string& name, std::string& found) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return false;
    bool ok = false;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            found = e->d_name;
            ok = true;
            break;
        }
    }
    ::closedir(d);
    return ok;
}

}  // namespace

std::string ResolvePath(const std::string& winPath) {
    std::string path = winPath;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.empty() || Exists(path)) return path;

    // Walk the components, matching each without regard to case.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    std::string built = (path[0] == '/') ? "/" : "";
    auto join = [](const std::string& dir, const std::string& name) {
        return dir + (dir.empty() || dir.back() == '/' ? "" : "/") + name;
    };
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") continue;
        std::string candidate = join(built, part);
        if (!Exists(candidate)) {
            std::string found;
            // Nothing matches: keep the name as written.
            if (part == ".." || !FindNoCase(built, part, found)) return path;
            candidate = join(built, found);
        }
        built = candidate;
    }
    return built.empty() ? path : built;
}

std::string ResolvePath(const char* winPath) { return ResolvePath(std::string(winPath ? winPath : "")); }

std::FILE* OpenFile(const char* winPath, const char* mode) {
    if (!winPath || !mode) return nullptr;
    return std::fopen(ResolvePath(winPath).c_str(), mode);
}

bool FileExists(const char* winPath) {
    if (!winPath) return false;
    struct stat st {};
    return ::stat(ResolvePath(winPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

long long FileLength(const char* winPath) {
    File f = Open(winPath, "rb");
    if (!f) return -1;
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return -1;
    long n = std::ftell(f.get());
    return n < 0 ? -1 : static_cast<long long>(n);
}

std::vector<std::uint8_t> ReadWholeFile(const char* winPath) {
    std::vector<std::uint8_t> bytes;
    File f = Open(winPath, "rb");
    if (!f) return bytes;
    std::uint8_t buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.insert(bytes.end(), buf, buf + n);
    return bytes;
}

bool WriteFileAtomically(const char* winPath, const void* data, std::size_t size) {
    if (!winPath) return false;
    const std::string target = ResolvePath(winPath);
    const std::string temp = target + ".tmp";
    {
        File f(std::fopen(temp.c_str(), "wb"));
        if (!f) return false;
        if (size && std::fwrite(data, 1, size, f.get()) != size) {
            f.reset();
            ::unlink(temp.c_str());
            return false;
        }
        if (std::fflush(f.get()) != 0 || ::fsync(::fileno(f.get())) != 0) {
            f.reset();
            ::unlink(temp.c_str());
            return false;
        }
        // Some file systems report a failed write only when the file is closed.
        if (std::fclose(f.release()) != 0) {
            ::unlink(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace plat
