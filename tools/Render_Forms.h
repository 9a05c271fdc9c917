#pragma once
// Every form and window of the program as the render tool draws it: each
// over a working camera (SD or HD as the form requires, see Render_State.h),
// refreshed as after two polls, then shown offscreen and grabbed.

#include <QImage>

#include <functional>
#include <string>
#include <vector>

class St_System;

struct Render_Request {
    // Applied to every camera's working record once it is set up.
    std::function<void(St_System&)> Adjust;
    // The camera count the camera pages and their windows read.
    int Camera_Count = 1;
};

struct Renderable_Form {
    std::string Name;
    std::string Description;
    // Throws std::runtime_error when the form cannot be drawn.
    std::function<QImage(const Render_Request&)> Render;
};

// In the order --help lists them.
const std::vector<Renderable_Form>& Renderable_Forms();
