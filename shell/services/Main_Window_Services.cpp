#include "shell/services/Main_Window_Services.h"

Main_Window_Services* Main_Window = nullptr;
