// Writes Gong.wav: a struck gong made of a few inharmonic partials that die away, 16-bit PCM mono.
// Deterministic, so every build makes the same file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int SampleRate = 22050;
constexpr double Seconds = 2.2;

struct Partial {
    double ratio;      // to the fundamental; a gong's overtones are not whole multiples
    double amplitude;
    double decay;      // seconds for the partial to fall to 1/e
};

constexpr double Fundamental = 174.0;
constexpr Partial Partials[] = {
    {1.000, 1.00, 1.10}, {1.004, 0.45, 1.00},  // a close pair beats slowly, as a real gong does
    {1.520, 0.60, 0.80}, {2.000, 0.35, 0.70}, {2.440, 0.40, 0.60},
    {2.930, 0.25, 0.45}, {3.560, 0.18, 0.35}, {4.170, 0.12, 0.25},
};

void PutLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.wav\n", argv[0]);
        return 64;
    }
    const int frames = static_cast<int>(SampleRate * Seconds);
    std::vector<double> signal(static_cast<std::size_t>(frames));
    const double pi = std::acos(-1.0);
    double peak = 0;
    for (int n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / SampleRate;
        double v = 0;
        for (const Partial& p : Partials)
            v += p.amplitude * std::exp(-t / p.decay) * std::sin(2 * pi * Fundamental * p.ratio * t);
        // A soft 4 ms strike instead of a click, and a 150 ms fade so the end is silent.
        const double attack = std::min(1.0, t / 0.004);
        const double release = std::min(1.0, (Seconds - t) / 0.15);
        signal[static_cast<std::size_t>(n)] = v * attack * release;
        peak = std::max(peak, std::abs(signal[static_cast<std::size_t>(n)]));
    }

    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames) * 2;
    std::vector<unsigned char> wav;
    wav.reserve(44 + dataBytes);
    for (char c : {'R', 'I', 'F', 'F'}) wav.push_back(static_cast<unsigned char>(c));
    PutLittleEndian(wav, 36 + dataBytes, 4);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) wav.push_back(static_cast<unsigned char>(c));
    PutLittleEndian(wav, 16, 4);              // fmt chunk size
    PutLittleEndian(wav, 1, 2);               // PCM
    PutLittleEndian(wav, 1, 2);               // mono
    PutLittleEndian(wav, SampleRate, 4);
    PutLittleEndian(wav, SampleRate * 2, 4);  // bytes per second
    PutLittleEndian(wav, 2, 2);               // bytes per frame
    PutLittleEndian(wav, 16, 2);              // bits per sample
    for (char c : {'d', 'a', 't', 'a'}) wav.push_back(static_cast<unsigned char>(c));
    PutLittleEndian(wav, dataBytes, 4);
    const double scale = 0.8 * 32767 / peak;
    for (double v : signal) {
        const auto sample = static_cast<std::int16_t>(std::lround(v * scale));
        PutLittleEndian(wav, static_cast<std::uint16_t>(sample), 2);
    }

    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(wav.data(), 1, wav.size(), file) == wav.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
