#include "ColourChoice.h"

namespace zo::visual {

namespace {

std::uint32_t Nudged(std::uint32_t colour) {
  const std::uint32_t red = colour & 0xFF;
  const std::uint32_t newRed = red < 128 ? red + 1 : red - 1;
  return (colour & 0xFFFF00) | newRed;
}

std::uint32_t At(const TracePalette& palette, Trace trace) {
  return palette[static_cast<std::size_t>(trace)];
}

}  // namespace

TracePalette ColourChoice::Defaults() {
  using model::Rgb;
  return {Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(0, 128, 0), Rgb(255, 255, 0),
          Rgb(0, 255, 255), Rgb(255, 0, 255), Rgb(0, 0, 255), Rgb(128, 0, 0)};
}

std::uint32_t ColourChoice::MakeUnique(std::uint32_t chosen, const TracePalette& palette) {
  std::uint32_t colour = chosen & 0xFFFFFF;
  for (int pass = 0; pass < 2; ++pass) {
    if (colour == model::Rgb(0, 0, 0)) colour = Nudged(colour);
    if (colour == model::Rgb(255, 255, 255)) colour = Nudged(colour);
    for (const std::uint32_t taken : palette) {
      if (colour == taken) colour = Nudged(colour);
    }
  }
  return colour;
}

model::TraceColours ColourChoice::ForParameterGrid(const TracePalette& palette) {
  model::TraceColours colours;
  colours.rpm = At(palette, Trace::Rpm);
  colours.lam = At(palette, Trace::Lam);
  colours.sim = At(palette, Trace::Sim);
  colours.tps = At(palette, Trace::Tps);
  colours.mot = At(palette, Trace::Mot);
  return colours;
}

}  // namespace zo::visual
