#pragma once

#include "tools/picgen/Picture.h"

#include <vector>

namespace picgen {

// The fixed pictures, by the part of the program that draws them.
void AddPanelPictures(std::vector<CPicture>& out);  // borders, jacks, LEDs, meters, arrow, scroll bar
void AddButtonPictures(std::vector<CPicture>& out); // button face, steppers, symbols, small buttons
void AddKnobPictures(std::vector<CPicture>& out);   // knob strips, markers, slider
void AddEditorPictures(std::vector<CPicture>& out); // toolbar, tab sheet, splash, keyboard, icons
void AddCursors(std::vector<CPicture>& out);

} // namespace picgen
