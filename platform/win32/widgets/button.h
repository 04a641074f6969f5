#pragma once
// A push button painted by its owner, so that its face can take any colour
// (themed buttons ignore the colour a parent offers them).

#include <windows.h>

#include <cstdint>

namespace quorvel {

// A colour as the models hold it (0x00BBGGRR, or 0x80000000 plus a system
// colour index) as a colour to paint with.
COLORREF paintColour(std::uint32_t modelColour);

// Paints the button with the given face colour, its caption, its pressed and
// focused states.
void paintColouredButton(const DRAWITEMSTRUCT& item, COLORREF face);

}  // namespace quorvel
