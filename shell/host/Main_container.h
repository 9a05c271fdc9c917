#pragma once
// The pictures every form draws from: the bitmap list ("SCLBML30") and the
// image list ("SCLIML30") of the main window's container control. They are
// made from the artwork at build time (SVG files rasterised and packed in
// the lists' stored layout) and compiled into the program.
//
// TForm_Main calls, in its constructor, right after its form resource has
// been read and before any other form is created:
//     Load_Main_Container(*MainContainer);
// The data lands in the global lists (the control works on SCLContainer at
// run time), so every list holder registered by then repaints.

#include "components/foundations/Sclcont.h"

// Reads the compiled-in "BitmapList" and "ImageList" data through the
// control's own reader, each list cleared first. Raises EReadError when the
// data is missing or damaged.
void Load_Main_Container(TSCLContainerCtrl& Container);
