#include "tools/sound-effects/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kRate = kSampleRate;

// Sample counts that give the files the sizes of the program's first set.
constexpr size_t kClickSamples = 2955;
constexpr size_t kConfirmSamples = 3456;
constexpr size_t kAmbienceSamples = 17373;

class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  // Uniform in [-1, 1).
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483648.0 - 1.0;
  }

 private:
  uint32_t state_;
};

// One-pole low-pass filter with its corner at `hz`.
class LowPass {
 public:
  explicit LowPass(double hz) : a_(1.0 - std::exp(-kTwoPi * hz / kRate)) {}
  double operator()(double x) { return y_ += a_ * (x - y_); }

 private:
  double a_;
  double y_ = 0.0;
};

// 0 → 1 over `length` samples with a raised cosine.
double RaisedCosine(size_t i, size_t length) {
  if (i >= length) return 1.0;
  return 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / length);
}

// Fades in over `in` and out over `out` samples, reaching exactly 0 at the
// first and last sample.
void Fade(std::vector<double>& x, size_t in, size_t out) {
  const size_t n = x.size();
  for (size_t i = 0; i < n; ++i) {
    x[i] *= RaisedCosine(i, in) * RaisedCosine(n - 1 - i, out);
  }
}

// Removes the mean under a Hann window, which is 0 at both ends, so the
// faded ends stay silent.
void RemoveDc(std::vector<double>& x) {
  const size_t n = x.size();
  std::vector<double> window(n);
  double sum = 0.0, weight = 0.0;
  for (size_t i = 0; i < n; ++i) {
    window[i] = 0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(i) / (n - 1));
    sum += x[i];
    weight += window[i];
  }
  for (size_t i = 0; i < n; ++i) x[i] -= sum / weight * window[i];
}

std::vector<int16_t> Quantise(std::vector<double> x, double peak) {
  RemoveDc(x);
  double largest = 0.0;
  for (double v : x) largest = std::max(largest, std::abs(v));
  const double gain = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
  std::vector<int16_t> out(x.size());
  std::transform(x.begin(), x.end(), out.begin(),
                 [gain](double v) { return static_cast<int16_t>(std::lround(v * gain)); });
  return out;
}

// A decaying sine tick starting at `start` seconds: `hz` gliding down by
// `glide` of itself, decaying with time constant `tau`, with a brighter
// overtone and a breath of noise on the attack.
void AddTick(std::vector<double>& x, double start, double hz, double glide, double tau,
             uint32_t seed) {
  Noise noise(seed);
  LowPass soften(5000.0);
  double phase = 0.0, overtonePhase = 0.0;
  for (size_t i = static_cast<size_t>(start * kRate); i < x.size(); ++i) {
    const double t = i / kRate - start;
    const double f = hz * (1.0 - glide * (1.0 - std::exp(-t / 0.015)));
    phase += kTwoPi * f / kRate;
    overtonePhase += kTwoPi * 2.7 * f / kRate;
    const double attack = RaisedCosine(i - static_cast<size_t>(start * kRate), 70);
    const double body = std::sin(phase) * std::exp(-t / tau);
    const double overtone = 0.3 * std::sin(overtonePhase) * std::exp(-t / (tau * 0.35));
    const double breath = 0.25 * soften(noise.Next()) * std::exp(-t / 0.002);
    x[i] += attack * (body + overtone + breath);
  }
}

// Writes little-endian fields into a file of fixed size.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  void U16(uint32_t v) {
    out_[at_++] = static_cast<uint8_t>(v);
    out_[at_++] = static_cast<uint8_t>(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Tag(const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out_[at_++] = static_cast<uint8_t>(tag[i]);
  }

 private:
  std::vector<uint8_t>& out_;
  size_t at_ = 0;
};

}  // namespace

std::vector<int16_t> MenuClick() {
  std::vector<double> x(kClickSamples, 0.0);
  AddTick(x, 0.0, 1250.0, 0.12, 0.010, 0x5e1ec7u);
  Fade(x, 4, 350);
  return Quantise(std::move(x), 0.45);
}

std::vector<int16_t> ConfirmClick() {
  std::vector<double> x(kConfirmSamples, 0.0);
  AddTick(x, 0.0, 900.0, 0.08, 0.009, 0xc0175e1u);
  AddTick(x, 0.028, 1350.0, 0.08, 0.011, 0xc0175e2u);
  Fade(x, 4, 400);
  return Quantise(std::move(x), 0.45);
}

std::vector<int16_t> UnderwaterAmbience() {
  std::vector<double> x(kAmbienceSamples, 0.0);
  // The murmur: white noise through two low-passes, swelling slowly.
  Noise noise(0xa3b1e5u);
  LowPass first(320.0), second(320.0);
  for (size_t i = 0; i < x.size(); ++i) {
    const double t = i / kRate;
    x[i] = 6.0 * second(first(noise.Next())) * (0.8 + 0.2 * std::sin(kTwoPi * 2.5 * t));
  }
  // Bubbles: short sines whose pitch rises as they near the surface.
  struct Bubble {
    double start, hz, tau, level;
  };
  const Bubble bubbles[] = {{0.040, 420.0, 0.030, 0.55},
                            {0.115, 610.0, 0.022, 0.40},
                            {0.170, 350.0, 0.035, 0.50},
                            {0.240, 520.0, 0.025, 0.45},
                            {0.300, 700.0, 0.018, 0.35}};
  for (const Bubble& b : bubbles) {
    double phase = 0.0;
    const size_t first = static_cast<size_t>(b.start * kRate);
    for (size_t i = first; i < x.size(); ++i) {
      const double t = i / kRate - b.start;
      phase += kTwoPi * b.hz * (1.0 + 6.0 * t) / kRate;
      x[i] += b.level * RaisedCosine(i - first, 130) * std::exp(-t / b.tau) * std::sin(phase);
    }
  }
  Fade(x, static_cast<size_t>(0.05 * kRate), static_cast<size_t>(0.08 * kRate));
  return Quantise(std::move(x), 0.30);
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, uint32_t sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out(44 + dataBytes);
  ByteWriter w(out);
  w.Tag("RIFF");
  w.U32(36 + dataBytes);
  w.Tag("WAVE");
  w.Tag("fmt ");
  w.U32(16);
  w.U16(1);  // integer PCM
  w.U16(1);  // mono
  w.U32(sampleRate);
  w.U32(sampleRate * 2);
  w.U16(2);  // bytes a frame
  w.U16(16);
  w.Tag("data");
  w.U32(dataBytes);
  for (int16_t s : samples) w.U16(static_cast<uint16_t>(s));
  return out;
}

std::vector<SoundFile> SoundEffectFiles() {
  return {{"select.wav", EncodeWav(MenuClick(), kSampleRate)},
          {"unwatambS.wav", EncodeWav(UnderwaterAmbience(), kSampleRate)},
          {"COMPSEL.WAV", EncodeWav(ConfirmClick(), kSampleRate)}};
}

}  // namespace synth
