// Complete parameter images of a few controllers for the model tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "link/LinkTypes.h"

namespace zo::model::test {

using Image = link::ImageArea;

inline void Set(Image& image, std::initializer_list<std::pair<int, int>> bytes) {
  for (const auto& [index, value] : bytes)
    image[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
}

inline void SetPresent(Image& image, int index, bool present) {
  const auto at = static_cast<std::size_t>(3 + index / 8);
  const auto bit = static_cast<std::uint8_t>(1u << (index % 8));
  image[at] = present ? static_cast<std::uint8_t>(image[at] | bit)
                      : static_cast<std::uint8_t>(image[at] & ~bit);
}

// A Vela100 (version 1.79) with every parameter byte present and every
// optional group switched on: turbo, vacuum, lambda regulation, own
// simulation, rpm regulation, switch temperature, full level indication.
inline Image Vela100AllOn() {
  Image image = link::BlankImage();
  for (int i = 7; i <= 16; ++i)
    image[static_cast<std::size_t>(i)] = 0xFF;
  Set(image, {{0, 100}, {1, 179}, {2, 0x6D}, {4, 0x1D}, {6, 0xFF}});
  Set(image,
      {{78, 3},   {79, 3},   {32, 0},   {86, 1},   {33, 0},    {57, 40},   {54, 1},    {59, 10},
       {60, 5},   {61, 6},   {66, 7},   {44, 1},   {46, 50},   {45, 80},   {77, 9},    {47, 1},
       {48, 30},  {49, 11},  {50, 12},  {100, 1},  {101, 200}, {102, 160}, {103, 250}, {81, 1},
       {82, 1},   {83, 13},  {84, 14},  {85, 15},  {34, 0},    {75, 1},    {90, 2},    {53, 1},
       {58, 25},  {76, 16},  {96, 17},  {97, 100}, {40, 6},    {74, 18},   {35, 1},    {98, 3},
       {36, 40},  {37, 41},  {38, 5},   {39, 2},   {52, 1},    {51, 19},   {73, 0},    {43, 150},
       {88, 4},   {67, 0},   {62, 15},  {91, 120}, {55, 1},    {56, 101},  {104, 0},   {63, 40},
       {41, 200}, {65, 150}, {64, 100}, {42, 50},  {89, 0},    {99, 1},    {68, 1},    {69, 30},
       {70, 60},  {71, 90},  {72, 120}, {87, 0},   {80, 4}});
  Set(image,
      {{168, 24}, {169, 5}, {170, 17}, {171, 46}, {172, 25}, {173, 12}, {174, 31}, {175, 68}});
  return image;
}

}  // namespace zo::model::test
