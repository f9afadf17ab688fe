#pragma once

#include "core/Vec3.h"
#include "pictures/Canvas.h"
#include "pictures/Lettering.h"

#include <vector>

namespace qv::content::signs {

// The looks of the game's signs. Every one sits in the same dark rim.
Rgba rgb(uint32_t hex);
LetterLook skyLetters();   // titles over the sky: white fading to ice blue
LetterLook goldLetters();  // cheers and numbers: yellow into orange
LetterLook goLetters();    // the start signal: lime into green
LetterLook alarmLetters(); // time up: coral into red
LetterLook plainLetters(); // words beside a number: white into light grey

// Rim width for capitals of a height: bolder for bigger letters.
float rimFor(float capHeight);

// Lettering::line in overlay units (`unit` pixels each), with the rim that suits the size.
void writeLine(const Lettering& lettering, Canvas& canvas, float unit, const std::vector<TextRun>& runs,
               Vec2 at, float align, float capHeight, float maxWidth);

// A rounded plate behind a sign: a dark, see-through middle in a bright frame, frameWidth
// pixels wide.
void drawPlate(Canvas& canvas, Vec2 topLeft, Vec2 bottomRight, float frameWidth);

// A solid triangle pointing left (direction -1) or right (+1) from its centre, `size` pixels
// across, rimmed like the lettering.
void drawPointer(Canvas& canvas, Vec2 centre, float size, float direction, const LetterLook& look,
                 float rimWidth);

} // namespace qv::content::signs
