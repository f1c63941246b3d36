// The ids of the editor's dialogs and of their controls, as their templates
// give them. The two dialogs' ids overlap (1011, 1135): a control is found
// within its dialog.
#pragma once

// The editor dialog (template 132).
constexpr int IDD_EDITOR = 132;
constexpr int IDC_OK = 1;
constexpr int IDC_MAP_PROPERTIES = 2;  // the dialog's cancel id: Esc presses it
constexpr int IDC_SAVE_DATA = 1010;
constexpr int IDC_LOAD_DATA = 1011;
constexpr int IDC_RESTORE_MAP = 1012;
constexpr int IDC_TEST_MAP = 1013;
constexpr int IDC_STATUS = 1121;
constexpr int IDC_LEVEL_UP = 1122;
constexpr int IDC_LEVEL_DOWN = 1123;
constexpr int IDC_HEXA_GRID = 1127;
constexpr int IDC_MAP_INDEX = 1135;

// The data-tree dialog (template 101).
constexpr int IDD_DATA_TREE = 101;
constexpr int IDC_FIELD_TREE = 1011;
constexpr int IDC_TABS = 1018;
constexpr int IDC_ITEM_TREE = 1019;
constexpr int IDC_FIXITEM_TREE = 1020;
constexpr int IDC_CHAR_TREE = 1021;
constexpr int IDC_EDIT = 1023;
constexpr int IDC_INSERT = 1024;
constexpr int IDC_FIELD_INDEX = 1135;

// The template sizes in dialog units.
constexpr int EDITOR_DIALOG_UNITS_WIDTH = 72;
constexpr int DATA_TREE_DIALOG_UNITS_WIDTH = 79;
constexpr int DIALOG_UNITS_HEIGHT = 296;

// The map properties dialog (template 156).
constexpr int IDD_MAP_PROPERTIES = 156;
constexpr int IDC_CHANGE_SIZE = 1;  // the dialog's OK
constexpr int IDC_PROP_CLOSE = 2;   // the dialog's cancel: Esc presses it
constexpr int IDC_NEW_MAP = 1007;
constexpr int IDC_LOAD_MAP = 1008;
constexpr int IDC_SAVE_MAP = 1009;
constexpr int IDC_X_SIZE = 1014;
constexpr int IDC_Y_SIZE = 1015;
constexpr int IDC_Z_SIZE = 1016;
constexpr int IDC_MAP_NAME = 1083;
