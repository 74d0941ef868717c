// Writes the reminder chime: two soft bell tones, a fourth apart, that fade out within about 1.3 seconds.
// Mono, 22050 Hz, 16-bit PCM WAV.
//
//   make_chime <out.wav>
//
// Run tools/make_assets.sh rather than this program directly.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 1.3;

// A bell-like tone: the fundamental with two quiet overtones, a smooth 15 ms rise (no click) and an
// exponential fade.
double Tone(double t, double frequency, double decay) {
    if (t < 0)
        return 0;
    const double rise = std::min(1.0, t / 0.015);
    const double attack = std::sin(rise * M_PI / 2) * std::sin(rise * M_PI / 2);
    const double envelope = attack * std::exp(-t / decay);
    const double w = 2 * M_PI * frequency * t;
    return envelope * (std::sin(w) + 0.28 * std::sin(2 * w) * std::exp(-t / 0.12) + 0.08 * std::sin(3 * w));
}

void PutLE(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chime <out.wav>\n");
        return 2;
    }
    const int count = static_cast<int>(kRate * kSeconds);
    std::vector<double> mix(static_cast<std::size_t>(count));
    double peak = 0;
    for (int i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kRate;
        // G5, then C6 a little later; the whole chime fades to silence by its end.
        double v = 0.85 * Tone(t, 783.99, 0.30) + Tone(t - 0.16, 1046.50, 0.36);
        v *= std::min(1.0, (kSeconds - t) / 0.15);
        mix[static_cast<std::size_t>(i)] = v;
        peak = std::max(peak, std::fabs(v));
    }
    std::ofstream out(argv[1], std::ios::binary);
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(count) * 2;
    out.write("RIFF", 4);
    PutLE(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLE(out, 16, 4);        // format chunk size
    PutLE(out, 1, 2);         // PCM
    PutLE(out, 1, 2);         // mono
    PutLE(out, kRate, 4);     // samples per second
    PutLE(out, kRate * 2, 4); // bytes per second
    PutLE(out, 2, 2);         // bytes per sample frame
    PutLE(out, 16, 2);        // bits per sample
    out.write("data", 4);
    PutLE(out, dataBytes, 4);
    // Peak at half of full scale: a reminder, not an alarm.
    for (double v : mix)
        PutLE(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v / peak * 0.5 * 32767))), 2);
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_chime: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
