#include "lang/lzari.h"

#include <algorithm>
#include <array>

#include "lang/lzari_model.h"

namespace lang {
namespace {

using namespace lzari;

constexpr size_t kInitialReserve = 1u << 20;

// Bits are read most significant first. A stream written by the encoder ends
// with its final partial byte; the decoder looks ahead at most
// kInitialBits - 2 bits beyond what the encoder wrote, so a little reading
// past the end (as zeros) is normal. More than that means the stream was cut.
class BitReader {
 public:
  explicit BitReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint32_t Next() {
    const size_t byte = bitIndex_ >> 3;
    const int shift = 7 - static_cast<int>(bitIndex_ & 7);
    ++bitIndex_;
    if (byte >= bytes_.size()) return 0;
    return (bytes_[byte] >> shift) & 1u;
  }

  bool Overrun() const { return bitIndex_ > bytes_.size() * 8 + kInitialBits; }

 private:
  std::span<const uint8_t> bytes_;
  size_t bitIndex_ = 0;
};

// Whatever the input, the code value stays inside the coder's interval and
// every index stays inside the ring, so damaged input yields wrong bytes or a
// failure, never an access out of bounds.
class Decoder {
 public:
  explicit Decoder(std::span<const uint8_t> stream) : bits_(stream) {
    for (int i = 0; i < kInitialBits; ++i) value_ = 2 * value_ + bits_.Next();
  }

  // The decoded character: 0..255 a literal, 256.. a match length.
  int DecodeChar() {
    const uint32_t range = high_ - low_;
    const uint32_t total = symbols_.Total();
    const int sym = symbols_.Find(
        static_cast<uint32_t>(((static_cast<uint64_t>(value_ - low_) + 1) * total - 1) / range));
    high_ = low_ + static_cast<uint32_t>(static_cast<uint64_t>(range) *
                                         symbols_.Cumulative(sym - 1) / total);
    low_ += static_cast<uint32_t>(static_cast<uint64_t>(range) * symbols_.Cumulative(sym) / total);
    Renormalise();
    const int ch = symbols_.CharOf(sym);
    symbols_.Update(sym);
    return ch;
  }

  // The match position 0..4095 (distance back minus one).
  int DecodePosition() {
    const uint32_t range = high_ - low_;
    const uint32_t total = positions_.Total();
    const int pos = positions_.Find(
        static_cast<uint32_t>(((static_cast<uint64_t>(value_ - low_) + 1) * total - 1) / range));
    high_ = low_ + static_cast<uint32_t>(static_cast<uint64_t>(range) * positions_.Cumulative(pos) /
                                         total);
    low_ += static_cast<uint32_t>(static_cast<uint64_t>(range) * positions_.Cumulative(pos + 1) /
                                  total);
    Renormalise();
    return pos;
  }

  bool Overrun() const { return bits_.Overrun(); }

 private:
  void Renormalise() {
    for (;;) {
      if (low_ >= kQ2) {
        value_ -= kQ2;
        low_ -= kQ2;
        high_ -= kQ2;
      } else if (low_ >= kQ1 && high_ <= kQ3) {
        value_ -= kQ1;
        low_ -= kQ1;
        high_ -= kQ1;
      } else if (high_ > kQ2) {
        break;
      }
      low_ += low_;
      high_ += high_;
      value_ = 2 * value_ + bits_.Next();
    }
  }

  BitReader bits_;
  SymbolModel symbols_;
  PositionModel positions_;
  uint32_t low_ = 0;
  uint32_t high_ = kQ4;
  uint32_t value_ = 0;
};

}  // namespace

bool LzariDecode(std::span<const uint8_t> stream, size_t length, std::vector<uint8_t>& out) {
  out.clear();
  if (length > kMaxDecodedLength) return false;
  if (length == 0) return true;
  // Grown as bytes arrive, so that a damaged length costs nothing up front.
  out.reserve(std::min(length, kInitialReserve));

  Decoder decoder(stream);
  std::array<uint8_t, kRingSize> ring;
  ring.fill(' ');
  int r = kStartPosition;
  while (out.size() < length) {
    const int c = decoder.DecodeChar();
    if (c < 256) {
      out.push_back(static_cast<uint8_t>(c));
      ring[r] = static_cast<uint8_t>(c);
      r = (r + 1) & (kRingSize - 1);
    } else {
      const int position = decoder.DecodePosition();
      const size_t matchLength = static_cast<size_t>(c - 255 + kThreshold);
      if (matchLength > length - out.size()) break;
      const int from = (r - position - 1) & (kRingSize - 1);
      for (size_t k = 0; k < matchLength; ++k) {
        const uint8_t byte = ring[(from + k) & (kRingSize - 1)];
        out.push_back(byte);
        ring[r] = byte;
        r = (r + 1) & (kRingSize - 1);
      }
    }
    if (decoder.Overrun()) break;
  }
  if (out.size() < length) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace lang
