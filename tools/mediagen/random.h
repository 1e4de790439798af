// A small seeded generator, so every run of the generator makes the same
// bytes whatever the platform's own rand() does.
#pragma once

#include <cstdint>
#include <string_view>

namespace mediagen {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed ^ 0x9E3779B97F4A7C15ull) {}
    explicit Rng(std::string_view name) : Rng(HashName(name)) {}

    std::uint64_t Next() {
        // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    float Uniform() { return static_cast<float>(Next() >> 40) * (1.0f / 16777216.0f); }
    float Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform in [-1, 1).
    float Signed() { return Uniform() * 2.0f - 1.0f; }
    int Int(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<std::uint64_t>(n)) : 0; }

    static std::uint64_t HashName(std::string_view name) {
        std::uint64_t h = 1469598103934665603ull;  // FNV-1a
        for (char c : name) {
            h ^= static_cast<unsigned char>(c);
            h *= 1099511628211ull;
        }
        return h;
    }

private:
    std::uint64_t state_;
};

}  // namespace mediagen
