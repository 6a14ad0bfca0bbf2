// The byte-stream pixel writers: each encodes one source pixel at
// destImagePtr and moves it past the bytes it stored.
#pragma once

#include <cstdint>

#include "conversion_pass.h"

// Byte order of 16- and 32-bit output values: with "-b" the value's bytes are
// swapped, so that storing it low byte first puts its high byte first.
uint16_t output_endian(uint16_t value, const Settings& settings);
uint32_t output_endian(uint32_t value, const Settings& settings);

void WritePixel24(const tagRGBTRIPLE& pixel, PassState& pass);    // R, G, B
void WritePixel8(const tagRGBTRIPLE& pixel, PassState& pass);     // b2g3r3
void WritePixelGP8(const tagRGBTRIPLE& pixel, PassState& pass);   // r3g3b2
void WritePixelGB(const tagRGBTRIPLE& pixel, PassState& pass);    // x1b5g5r5
void WritePixelGP32(const tagRGBTRIPLE& pixel, PassState& pass);  // r5g5b5i1
void WritePixelGC(const tagRGBTRIPLE& pixel, PassState& pass);    // Y, Cb, Y, Cr
