#include "tools/mediagen/generator.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "tools/mediagen/catalog.h"

namespace mediagen {

namespace {

bool SameBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) != bytes.size() || ec) return false;
    std::ifstream in(path, std::ios::binary);
    Bytes old(bytes.size());
    if (!in.read(reinterpret_cast<char*>(old.data()), static_cast<std::streamsize>(old.size()))) return false;
    return old == bytes;
}

// Writes through a temporary file and a rename, so a reader never sees half
// a file. Returns an error text, empty on success.
std::string WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) return "cannot create " + path.parent_path().string() + ": " + ec.message();
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) return "cannot write " + tmp.string();
    }
    std::filesystem::rename(tmp, path, ec);
    if (ec) return "cannot rename " + tmp.string() + ": " + ec.message();
    return {};
}

}  // namespace

GenerateResult Generate(const std::filesystem::path& gameDir, const std::filesystem::path& genDir, int threads,
                        const std::function<bool(const std::string&)>& only) {
    GenerateResult result;
    for (const std::filesystem::path& root : {gameDir, genDir}) {
        std::error_code ec;
        std::filesystem::create_directories(root, ec);
        if (ec || !std::filesystem::is_directory(root)) {
            result.error = "cannot use folder " + root.string() + (ec ? ": " + ec.message() : std::string());
            return result;
        }
    }
    std::vector<Job> jobs = AllJobs();
    if (only) std::erase_if(jobs, [&](const Job& j) { return !only(j.name); });
    std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.cost > b.cost; });
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex lock;
    auto worker = [&] {
        for (;;) {
            const std::size_t i = next.fetch_add(1);
            if (i >= jobs.size() || failed) return;
            std::vector<Output> outputs;
            try {
                outputs = jobs[i].make();
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> g(lock);
                if (result.error.empty()) result.error = jobs[i].name + ": " + e.what();
                failed = true;
                return;
            }
            for (const Output& o : outputs) {
                const std::filesystem::path path = (o.root == Root::Game ? gameDir : genDir) / o.path;
                const bool same = SameBytes(path, o.bytes);
                const std::string err = same ? std::string() : WriteFile(path, o.bytes);
                std::lock_guard<std::mutex> g(lock);
                ++result.files;
                if (!same && err.empty()) ++result.written;
                if (!err.empty()) {
                    if (result.error.empty()) result.error = err;
                    failed = true;
                }
            }
        }
    };
    std::vector<std::thread> pool;
    const int n = std::max(1, threads);
    for (int t = 0; t < n; ++t) pool.emplace_back(worker);
    for (std::thread& t : pool) t.join();
    return result;
}

}  // namespace mediagen
