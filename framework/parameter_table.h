// An effect's host parameters as one table of data: for each index its name, label,
// display style, and where its value lives (the program record's field and the effect's
// live field). The operations below serve the host's parameter calls from such a table,
// so an effect class describes its parameters once instead of switching on the index in
// every operation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "parameter_text.h"
#include "relaxed.h"

template <typename Effect, typename Program>
struct ParameterEntry {
  const char* name;
  const char* label;
  ParameterDisplay display;
  float Program::*stored;
  Relaxed<float> Effect::*live;
};

// The effect's parameter table and the curve number its Type parameter selects.
template <typename Effect, typename Program, std::size_t N>
class ParameterTable {
 public:
  using Entry = ParameterEntry<Effect, Program>;
  explicit constexpr ParameterTable(const Entry (&table)[N]) : entries(table) {}

  const Entry* find(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < N ? &entries[index] : nullptr;
  }

  // Stores the value in the current program and in the live field; a curve parameter also
  // sets the curve number. Any host thread: live values are relaxed atomics.
  void set(Effect& effect, Program& program, Relaxed<std::int32_t>& curve, std::int32_t index,
           float value) const {
    const Entry* p = find(index);
    if (!p) return;
    program.*(p->stored) = value;
    (effect.*(p->live)).store(value);
    if (p->display == ParameterDisplay::Curve) curve.store(curveNumber(value));
  }

  // The value the host sees: the live value, or a curve's representative value.
  float get(const Effect& effect, const Relaxed<std::int32_t>& curve, std::int32_t index) const {
    const Entry* p = find(index);
    if (!p) return 0.0f;
    if (p->display == ParameterDisplay::Curve) return curveValue(curve.load());
    return (effect.*(p->live)).load();
  }

  // Texts into host buffers; an index outside the table leaves the buffer as it was.
  void name(std::int32_t index, char* text) const {
    if (const Entry* p = find(index)) copyText(text, p->name);
  }
  void label(std::int32_t index, char* text) const {
    if (const Entry* p = find(index)) copyText(text, p->label);
  }
  void display(const Effect& effect, const char* const (&curveNames)[kCurveCount],
               std::int32_t index, char* text) const {
    if (const Entry* p = find(index))
      writeParameterDisplay(p->display, (effect.*(p->live)).load(), curveNames, text);
  }

 private:
  const Entry (&entries)[N];
};
