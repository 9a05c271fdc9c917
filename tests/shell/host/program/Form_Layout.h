#pragma once
// Where a form resource puts its controls: each named control's area in the
// form's client coordinates (its own Left/Top plus its parents'), read from
// the form text the program itself is built with.

#include "tests/shell/host/program/Screen_Shot.h"

#include <filesystem>
#include <map>
#include <string>

using Form_Layout = std::map<std::string, Rectangle_On_Screen>;

// Empty when the file cannot be read.
Form_Layout Read_Form_Layout(const std::filesystem::path& form_text);
