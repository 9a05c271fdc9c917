#pragma once
// For test programs with GoogleTest's own main: makes the QGuiApplication
// that fonts, images and pixmaps need, once, unless the program has an
// application object already. It lives until the process ends.

void Ensure_Gui_Application();
