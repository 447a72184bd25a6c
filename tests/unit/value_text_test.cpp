// The base class's fixed-width value texts, through the smallest effect that has them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "audioeffect.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
const char kHuge[] = " Huge!  ";
const char kMinusInfinity[] = "   -\xB0   ";

class Formatter : public AudioEffect {
 public:
  Formatter() : AudioEffect(nullptr, 1, 0) {}
  void process(float**, float**, std::int32_t) override {}
};

// The sample rate and the number format reach the other texts only through these virtuals.
class FixedRate : public Formatter {
 public:
  float getSampleRate() override { return 1000.0f; }
};

class Bracketed : public Formatter {
 public:
  void float2string(float value, char* text) override {
    char wide[64];
    std::snprintf(wide, sizeof wide, "<%g>", static_cast<double>(value));
    const std::size_t length = std::min<std::size_t>(std::strlen(wide), 8);
    std::memcpy(text, wide, length);
    text[length] = 0;
  }
};

enum class Op { Float, Db, Hz, Ms, Long };

void write(AudioEffect& fx, Op op, double value, char* text) {
  const auto v = static_cast<float>(value);
  switch (op) {
    case Op::Float: fx.float2string(v, text); break;
    case Op::Db: fx.dB2string(v, text); break;
    case Op::Hz: fx.Hz2string(v, text); break;
    case Op::Ms: fx.ms2string(v, text); break;
    case Op::Long: fx.long2string(static_cast<std::int32_t>(value), text); break;
  }
}

std::string show(AudioEffect& fx, Op op, double value) {
  char text[32];
  std::memset(text, 0x55, sizeof text);
  write(fx, op, value, text);
  return std::string(text, strnlen(text, sizeof text));
}

TEST(ValueText, FixedWidthTexts) {
  struct Case { Op op; double value; float rate; const char* expected; };
  const Case cases[] = {
      {Op::Float, 0.0, 44100, "0.000000"},       {Op::Float, 1.5, 44100, "1.500000"},
      {Op::Float, -1.25, 44100, "-1.25000"},     {Op::Float, 123.456, 44100, "123.4560"},
      {Op::Float, 1000.0, 44100, "1000.000"},    {Op::Float, 1234567.0, 44100, "1234567."},
      {Op::Float, 0.7, 44100, "0.699999"},       {Op::Float, 42.0, 44100, "42.00000"},
      {Op::Float, -0.001, 44100, "-0.00100"},    {Op::Float, 1e-10, 44100, "0.000000"},
      {Op::Float, -0.0, 44100, "0.000000"},      {Op::Float, 9999999.0, 44100, "9999999."},
      {Op::Float, -123456.0, 44100, "-123456."}, {Op::Float, 1e8, 44100, kHuge},
      {Op::Float, 1e20, 44100, kHuge},           {Op::Float, -1e7, 44100, kHuge},
      {Op::Float, -1e20, 44100, kHuge},          {Op::Float, kInf, 44100, kHuge},
      {Op::Float, -kInf, 44100, kHuge},
      // Integer parts one digit too wide for the point are shown whole, without it.
      {Op::Float, 12345678.0, 44100, "12345678"}, {Op::Float, 99999992.0, 44100, "99999992"},
      {Op::Float, -1234567.0, 44100, "-1234567"}, {Op::Float, -9999999.0, 44100, "-9999999"},
      {Op::Float, kNaN, 44100, "   NaN  "},

      {Op::Db, 1.0, 44100, "0.000000"},          {Op::Db, 0.5, 44100, "-6.02059"},
      {Op::Db, 2.0, 44100, "6.020599"},          {Op::Db, 0.001, 44100, "-60.0000"},
      {Op::Db, 0.0, 44100, kMinusInfinity},      {Op::Db, -0.0, 44100, kMinusInfinity},
      {Op::Db, -1.0, 44100, kMinusInfinity},     {Op::Db, -kInf, 44100, kMinusInfinity},
      {Op::Db, kInf, 44100, kHuge},

      {Op::Hz, 100.0, 44100, "441.0000"},        {Op::Hz, 0.0, 44100, "0.000000"},
      {Op::Hz, -0.0, 44100, "0.000000"},         {Op::Hz, 0.0, 0, "0.000000"},
      {Op::Hz, 0.0, 96000, "0.000000"},          {Op::Hz, 1.0, 0, "0.000000"},

      {Op::Ms, 441.0, 44100, "10.00000"},        {Op::Ms, 1.0, 44100, "0.022675"},
      {Op::Ms, 1.0, 0, kHuge},                   {Op::Ms, 0.0, 0, "   NaN  "},

      {Op::Long, 5, 44100, "      5"},           {Op::Long, 0, 44100, "      0"},
      {Op::Long, 12345678, 44100, "12345678"},   {Op::Long, 99999999, 44100, "99999999"},
      {Op::Long, -1234567, 44100, "-1234567"},   {Op::Long, -9999999, 44100, "-9999999"},
      {Op::Long, 100000000, 44100, kHuge},       {Op::Long, -10000000, 44100, kHuge},
      {Op::Long, INT32_MAX, 44100, kHuge},       {Op::Long, INT32_MIN, 44100, kHuge},
  };
  Formatter fx;
  for (const Case& c : cases) {
    fx.setSampleRate(c.rate);
    EXPECT_EQ(show(fx, c.op, c.value), c.expected)
        << "op " << static_cast<int>(c.op) << " value " << c.value << " rate " << c.rate;
  }

  FixedRate thousand;
  EXPECT_EQ(show(thousand, Op::Hz, 100.0), "10.00000");
  EXPECT_EQ(show(thousand, Op::Ms, 1.0), "1.000000");
  Bracketed bracketed;
  EXPECT_EQ(show(bracketed, Op::Db, 1.0), "<0>");
  EXPECT_EQ(show(bracketed, Op::Hz, 100.0), "<441>");
  EXPECT_EQ(show(bracketed, Op::Ms, 441.0), "<10>");
  EXPECT_EQ(show(bracketed, Op::Db, 0.0), kMinusInfinity);
}

TEST(ValueText, NeverWritesMoreThanNineBytes) {
  const double values[] = {kNaN, -kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX, FLT_MIN / 2, -0.0,
                           1e7, 12345678.0, 5e7, 99999992.0, 1e8, -1e6, -1234567.0, -5e6,
                           -9999999.0, -1e7};
  const float rates[] = {44100.0f, 0.0f, -0.0f, FLT_MIN, FLT_MAX, kNaN};
  Formatter fx;
  for (float rate : rates) {
    fx.setSampleRate(rate);
    for (Op op : {Op::Float, Op::Db, Op::Hz, Op::Ms})
      for (double value : values) {
        unsigned char text[32];
        std::memset(text, 0x55, sizeof text);
        write(fx, op, value, reinterpret_cast<char*>(text));
        const auto* end = static_cast<const unsigned char*>(std::memchr(text, 0, 9));
        ASSERT_NE(end, nullptr) << "op " << static_cast<int>(op) << " value " << value << " rate " << rate;
        for (std::size_t i = 9; i < sizeof text; ++i)
          ASSERT_EQ(text[i], 0x55) << "op " << static_cast<int>(op) << " value " << value << " rate " << rate;
      }
  }
  for (std::int32_t value : {INT32_MIN, INT32_MAX, -10000000, -9999999, 99999999, 100000000}) {
    unsigned char text[32];
    std::memset(text, 0x55, sizeof text);
    fx.long2string(value, reinterpret_cast<char*>(text));
    EXPECT_NE(std::memchr(text, 0, 9), nullptr) << value;
    for (std::size_t i = 9; i < sizeof text; ++i) ASSERT_EQ(text[i], 0x55) << value;
  }
}

}  // namespace
