// SPDX-License-Identifier: GPL-3.0-or-later
// Differential target: the batch over a column of points against the single
// evaluation point by point, values to the bit and defined flags alike, for
// every input that can vary and for the derivatives.
//
// Input: a selector byte (compile mode, variables, derivative order), the
// term's length and text, a choice of the fixed inputs, the number of points,
// then the points, each a tag byte and its bytes.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "term/Term.h"
#include "term/TermBatch.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const double kSpecial[] = {
    0.0,   -0.0,  1.0,  -1.0,  0.5,          2.0,    -2.0,        1e-300,      -1e30, 1e49,  1e50,
    -1e50, 1e300, kInf, -kInf, kNaN,         -kNaN,  1e-31,       1e-29,       15.0,  -15.0, 7.0,
    90.0,  -45.0, 1e20, 1e21,  2147483647.0, 5e-324, 1.570796327, 3.141592654, 33.0,  -1e-16};

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::size_t Take(std::size_t n, const std::uint8_t*& at) {
    at = data_ + pos_;
    n = std::min(n, size_ - pos_);
    pos_ += n;
    return n;
  }
  double Number() {
    const std::uint8_t tag = Byte();
    switch (tag % 4) {
      case 0: {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = bits << 8 | Byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
      }
      case 1:
        return kSpecial[Byte() % std::size(kSpecial)];
      case 2:
        return (static_cast<int>(Byte()) - 128) / 8.0;
      default:
        return static_cast<int>(Byte()) - 128;
    }
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void Check(bool same) {
  if (!same) __builtin_trap();
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kurvio;
  Reader in(data, size);
  const std::uint8_t selector = in.Byte();
  TermIntegralMode = selector & 1;
  TermSequenceMode = selector & 2;
  const bool variables = selector & 4;
  const int order = (selector >> 3) % 5;  // 4 stands for every order above 2
  const std::uint8_t* text = nullptr;
  const std::size_t length = in.Take(in.Byte() % 64, text);

  TermHandle term;
  CompileTermQuietly(term, std::string(reinterpret_cast<const char*>(text), length), variables);
  TermIntegralMode = false;
  TermSequenceMode = false;
  if (!term) return 0;

  TermInputs fixed{0.25, 0.5, 1.5, -2.0, 3.0, 7.0};
  const std::uint8_t fixedChoice = in.Byte();
  if (fixedChoice & 1) fixed.a = in.Number();
  if (fixedChoice & 2) fixed.b = in.Number();
  if (fixedChoice & 4) fixed.t = in.Number();
  if (fixedChoice & 8) fixed.n = in.Number();
  if (fixedChoice & 16) fixed.c = in.Number();
  if (fixedChoice & 32) fixed.x = in.Number();

  std::size_t count = (static_cast<std::size_t>(in.Byte()) << 8 | in.Byte()) % 3001;
  std::vector<double> points;
  points.reserve(count);
  double sweep = -5.0;
  for (std::size_t i = 0; i < count; ++i) {
    if (!in.Empty()) {
      points.push_back(in.Number());
    } else {
      points.push_back(sweep);
      sweep += 0.0137;
    }
  }

  std::vector<double> values(count);
  std::unique_ptr<bool[]> defined(new bool[count + 1]);
  const BatchInput inputs[] = {BatchInput::X, BatchInput::T, BatchInput::XT, BatchInput::N};
  for (BatchInput vary : inputs) {
    EvalTermBatch(term, vary, fixed, points.data(), count, values.data(), defined.get());
    Check(TermDefined == (count == 0 || defined[count - 1]));
    for (std::size_t i = 0; i < count; ++i) {
      TermInputs at = fixed;
      if (vary == BatchInput::X || vary == BatchInput::XT) at.x = points[i];
      if (vary == BatchInput::T || vary == BatchInput::XT) at.t = points[i];
      if (vary == BatchInput::N) at.n = points[i];
      const double single = EvalTerm(term, at.x, at.t, at.a, at.b, at.c, at.n);
      Check(TermDefined == defined[i] && SameBits(single, values[i]));
    }
  }

  EvalDerivativeBatch(term, order, fixed, points.data(), count, values.data(), defined.get());
  Check(TermDefined == (count == 0 || defined[count - 1]));
  for (std::size_t i = 0; i < count; ++i) {
    const double single =
        EvalDerivative(term, order, points[i], fixed.t, fixed.a, fixed.b, fixed.c, fixed.n);
    Check(TermDefined == defined[i] && SameBits(single, values[i]));
  }
  return 0;
}
