#pragma once

#include <QFont>

// Makes the typefaces the windows name available: the two that Debian's
// fonts-wine holds outside the system's font folders are registered, and
// free faces of the same metrics stand in for "Arial" and "Comic sans ms".
// A face that is not installed falls back to the system's choice, silently.
void use_designed_fonts();

// Gives a bitmap face that has no bold strike one at the size `bold` asks
// for, made from its regular strike the way old screens made it: each glyph
// drawn twice, a pixel apart, and a pixel wider. Outline faces, and bitmap
// faces that have their own bold, are left to the font machinery.
void add_overstruck_bold(const QFont& bold);
