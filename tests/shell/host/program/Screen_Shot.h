#pragma once
// A picture of a window of another process on an X display, taken from
// outside as a user sees it, with chosen pixels read back and the whole
// saved as a test artefact.

#include <QImage>

#include <string>

struct Rectangle_On_Screen {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The window's content now; a null image when it cannot be read.
QImage Grab_Window(unsigned long window);

// Pixels in the area for which the test holds.
template <typename Test>
int Count_Pixels(const QImage& image, const Rectangle_On_Screen& area, Test test)
{
    int count = 0;
    for (int y = area.Top; y < area.Top + area.Height; ++y)
        for (int x = area.Left; x < area.Left + area.Width; ++x)
            if (image.valid(x, y) && test(image.pixelColor(x, y)))
                ++count;
    return count;
}

// Saves the picture as <folder>/<name>.png beside the test's other artefacts.
void Save_Artefact(const QImage& image, const std::string& name);
