#pragma once
// The program's own bitmaps and cursors, compiled in with Qt's resource
// system and found by resource name as the program names them (any case):
// bitmaps under ":/bitmaps/" as NAME.bmp or NAME.png, cursors under
// ":/cursors/" as NAME.png with their hot spots listed in Resources.cpp.

#include <string>

#include "platform/classlib/Form_Reader.h" // EResNotFound
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Graphics_Bitmap.h"

class QImage;

// Loads a bitmap resource into Bitmap (pf32bit); an unknown name raises
// EResNotFound and a broken picture EInvalidGraphic, the bitmap unchanged.
void Load_Bitmap_Resource(TBitmap* Bitmap, const std::string& Name);
bool Bitmap_Resource_Exists(const std::string& Name);
// Copies an image's pixels into Bitmap as pf32bit; alpha is dropped.
void Image_To_Bitmap(const QImage& Image, TBitmap* Bitmap);
// Makes the program's cursors ("GRABCURSOR", and the component library's
// hand as number 16548) loadable with LoadCursorA and any instance; their
// pictures are read when first used, so this may run before the GUI
// exists. Once is enough; again does no harm.
void Register_Cursor_Resources();
