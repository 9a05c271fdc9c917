#pragma once
// The published properties of the standard controls, menus and dialogs, so
// that form resources can place them, and the names their enumerations are
// stored by.

#include "platform/classlib/Class_Registry.h"

inline constexpr const char* Alignment_Names[] = {"taLeftJustify", "taRightJustify", "taCenter"};
inline constexpr const char* Text_Layout_Names[] = {"tlTop", "tlCenter", "tlBottom"};
inline constexpr const char* Scroll_Style_Names[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
inline constexpr const char* Combo_Box_Style_Names[] = {"csDropDown", "csSimple", "csDropDownList",
                                                        "csOwnerDrawFixed", "csOwnerDrawVariable"};
inline constexpr const char* Panel_Bevel_Names[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
inline constexpr const char* Bevel_Shape_Names[] = {"bsBox",        "bsFrame",     "bsTopLine", "bsBottomLine",
                                                    "bsLeftLine",   "bsRightLine", "bsSpacer"};
inline constexpr const char* Bevel_Style_Names[] = {"bsLowered", "bsRaised"};
inline constexpr const char* Popup_Alignment_Names[] = {"paLeft", "paRight", "paCenter"};
inline constexpr const char* Open_Option_Names[] = {
    "ofReadOnly",         "ofOverwritePrompt",   "ofHideReadOnly",       "ofNoChangeDir",
    "ofShowHelp",         "ofNoValidate",        "ofAllowMultiSelect",   "ofExtensionDifferent",
    "ofPathMustExist",    "ofFileMustExist",     "ofCreatePrompt",       "ofShareAware",
    "ofNoReadOnlyReturn", "ofNoTestFileCreate",  "ofNoNetworkButton",    "ofNoLongNames",
    "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"};

// Registers TLabel, TButton, TEdit, TMemo, TComboBox, TPanel, TBevel,
// TImage (with TPicture), TScrollBox, TPopupMenu, TMenuItem and TSaveDialog
// with their class bases. Once is enough; again does no harm.
void Register_Standard_Controls();
