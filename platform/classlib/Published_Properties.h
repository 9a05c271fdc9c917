#pragma once
// The published properties of the class library's own classes, and the
// names its enumerations are stored by in form resources.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"

inline constexpr const char* Align_Names[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
inline constexpr const char* Help_Type_Names[] = {"htKeyword", "htContext"};
inline constexpr const char* Form_Border_Style_Names[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                          "bsDialog", "bsToolWindow", "bsSizeToolWin"};
inline constexpr const char* Border_Icon_Names[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
inline constexpr const char* Form_Style_Names[] = {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};
inline constexpr const char* Position_Names[] = {
    "poDesigned",    "poDefault",       "poDefaultPosOnly", "poDefaultSizeOnly",
    "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"};
inline constexpr const char* Window_State_Names[] = {"wsNormal", "wsMinimized", "wsMaximized"};
inline constexpr const char* Font_Style_Names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
inline constexpr const char* Font_Pitch_Names[] = {"fpDefault", "fpVariable", "fpFixed"};

// Registers TComponent, TControl, TWinControl, TGraphicControl,
// TCustomControl, TCustomForm, TForm, TFont, TStrings and the standard
// controls of StdCtrls_Published.h and the action classes. The registry runs
// it before its first look-up.
void Register_Class_Library();
