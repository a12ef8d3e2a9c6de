// The coding model of the archive's LZARI stream, shared by the decoder in
// the program and the encoder of the build tool so that the two cannot drift.
//
// LZ77 over a 4096-byte ring buffer (pre-filled with blanks, writing starts at
// 4036) with matches of 3..60 bytes; literals and match lengths share one
// adaptive frequency model of 314 symbols, match positions use a fixed model
// weighted towards near positions. Arithmetic coding with 15-bit frequencies
// and 17-bit code values.
#pragma once

#include <array>
#include <cstdint>

namespace lang::lzari {

inline constexpr int kRingSize = 4096;                         // N
inline constexpr int kMaxMatch = 60;                           // F
inline constexpr int kThreshold = 2;                           // longest match coded as literals
inline constexpr int kStartPosition = kRingSize - kMaxMatch;   // 4036
inline constexpr int kSymbols = 256 - kThreshold + kMaxMatch;  // 314
inline constexpr int kPrecisionBits = 15;
inline constexpr uint32_t kQ1 = 1u << kPrecisionBits;  // 0x8000
inline constexpr uint32_t kQ2 = 2 * kQ1;               // 0x10000
inline constexpr uint32_t kQ3 = 3 * kQ1;               // 0x18000
inline constexpr uint32_t kQ4 = 4 * kQ1;               // 0x20000
inline constexpr uint32_t kMaxCumulative = kQ1 - 1;    // 32767
inline constexpr int kInitialBits = kPrecisionBits + 2;

// The smallest i in 1..last with cumulative[i] <= x (cumulative falls with
// i); last when there is none. Both models search their tables this way.
template <typename Table>
int FindInterval(const Table& cumulative, int last, uint32_t x) {
  int i = 1;
  int j = last;
  while (i < j) {
    const int k = (i + j) / 2;
    if (cumulative[k] > x) {
      i = k + 1;
    } else {
      j = k;
    }
  }
  return i;
}

// Symbols are numbered 1..kSymbols by falling frequency; cumulative[0] is the
// total. Characters 0..255 are literals, 256.. are match lengths 3..60.
class SymbolModel {
 public:
  SymbolModel() {
    cumulative_[kSymbols] = 0;
    for (int sym = kSymbols; sym >= 1; --sym) {
      const int ch = sym - 1;
      charToSym_[ch] = sym;
      symToChar_[sym] = ch;
      frequency_[sym] = 1;
      cumulative_[sym - 1] = cumulative_[sym] + 1;
    }
    frequency_[0] = 0;  // sentinel, never equal to a real frequency
  }

  uint32_t Total() const { return cumulative_[0]; }
  uint32_t Cumulative(int sym) const { return cumulative_[sym]; }
  int SymbolOf(int ch) const { return charToSym_[ch]; }
  int CharOf(int sym) const { return symToChar_[sym]; }

  // The symbol s in 1..kSymbols with cumulative[s - 1] > x >= cumulative[s];
  // 1 or kSymbols at the ends.
  int Find(uint32_t x) const { return FindInterval(cumulative_, kSymbols, x); }

  // Counts one more occurrence of sym: halves all frequencies once the total
  // reaches the ceiling, moves the symbol in front of those of equal
  // frequency, then increments it.
  void Update(int sym) {
    if (cumulative_[0] >= kMaxCumulative) {
      uint32_t c = 0;
      for (int i = kSymbols; i > 0; --i) {
        cumulative_[i] = c;
        frequency_[i] = (frequency_[i] + 1) >> 1;
        c += frequency_[i];
      }
      cumulative_[0] = c;
    }
    int i = sym;
    while (frequency_[i] == frequency_[i - 1]) --i;
    if (i < sym) {
      const int chI = symToChar_[i];
      const int chSym = symToChar_[sym];
      symToChar_[i] = chSym;
      symToChar_[sym] = chI;
      charToSym_[chI] = sym;
      charToSym_[chSym] = i;
    }
    ++frequency_[i];
    while (--i >= 0) ++cumulative_[i];
  }

 private:
  std::array<int, kSymbols> charToSym_{};
  std::array<int, kSymbols + 1> symToChar_{};
  std::array<uint32_t, kSymbols + 1> frequency_{};
  std::array<uint32_t, kSymbols + 1> cumulative_{};
};

// Fixed model of match positions 0..kRingSize-1 (distance back minus one):
// position p covers cumulative[p + 1] .. cumulative[p], weights 10000/(i+200).
class PositionModel {
 public:
  PositionModel() {
    cumulative_[kRingSize] = 0;
    for (int i = kRingSize; i >= 1; --i) {
      cumulative_[i - 1] = cumulative_[i] + 10000 / (i + 200);
    }
  }

  uint32_t Total() const { return cumulative_[0]; }
  uint32_t Cumulative(int i) const { return cumulative_[i]; }

  // The position p with cumulative[p] > x >= cumulative[p + 1]; 0 or
  // kRingSize - 1 at the ends.
  int Find(uint32_t x) const { return FindInterval(cumulative_, kRingSize, x) - 1; }

 private:
  std::array<uint32_t, kRingSize + 1> cumulative_{};
};

}  // namespace lang::lzari
