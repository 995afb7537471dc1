// chart/labels.h - object and constellation labels, with Greek Bayer letters.
#pragma once

namespace qv {

// DrawLabel: text with its lower-left corner at (x, y), in the current pen colour and font.
// length 0 takes the text up to its first ';' (the first of several names) or its end. A text
// starting with '$' draws its next character as a Greek letter (the Symbol font) and a digit
// after it as a superscript raised by half its height; the rest follows in the current font.
// Returns the x just past the text.
int DrawLabel(const char* text, int length, int x, int y);

// LabelWidth: the width DrawLabel gives the same text in the current font.
int LabelWidth(const char* text, int length);

}  // namespace qv
