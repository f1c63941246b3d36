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

// ---- The type editors ----
// Both dialogs' OK and Cancel.
constexpr int IDC_DIALOG_OK = 1;
constexpr int IDC_DIALOG_CANCEL = 2;

// The modifier page (template 150), embedded in each type editor.
constexpr int IDD_MOD_PAGE = 150;
constexpr int IDC_MOD_PARAM1_LABEL = 1053;
constexpr int IDC_MOD_PARAM2_LABEL = 1054;
constexpr int IDC_MOD_PARAM4_LABEL = 1055;
constexpr int IDC_MOD_PARAM3_LABEL = 1056;
constexpr int IDC_MOD_PARAM1 = 1057;
constexpr int IDC_MOD_PARAM2 = 1058;
constexpr int IDC_MOD_PARAM3 = 1059;
constexpr int IDC_MOD_PARAM4 = 1060;
constexpr int IDC_MOD_CAPTION = 1061;
constexpr int IDC_MOD_SLOT_SPIN = 1062;
constexpr int IDC_MOD_SLOT = 1063;
constexpr int IDC_MOD_KIND = 1065;
constexpr int IDC_MOD_LEVEL = 1070;
constexpr int IDC_MOD_LEVEL_LABEL = 1073;
// The labels and values of parameters 1..4, in parameter order.
constexpr int IDC_MOD_PARAM_LABELS[4] = {IDC_MOD_PARAM1_LABEL, IDC_MOD_PARAM2_LABEL, IDC_MOD_PARAM3_LABEL,
                                         IDC_MOD_PARAM4_LABEL};
constexpr int IDC_MOD_PARAMS[4] = {IDC_MOD_PARAM1, IDC_MOD_PARAM2, IDC_MOD_PARAM3, IDC_MOD_PARAM4};

// The item type editor (template 147).
constexpr int IDD_EDIT_ITEM = 147;
constexpr int IDC_ITEM_PICTURE = 1024;
constexpr int IDC_ITEM_CLASS = 1027;
constexpr int IDC_ITEM_EXTRA_LABEL = 1028;
constexpr int IDC_ITEM_MAX_DISTANCE = 1029;
constexpr int IDC_ITEM_WEIGHT = 1031;
constexpr int IDC_ITEM_DISTURB = 1032;
constexpr int IDC_ITEM_MP = 1033;
constexpr int IDC_ITEM_PRICE = 1034;
constexpr int IDC_ITEM_NAME = 1035;
constexpr int IDC_ITEM_HEIGHT_SPIN = 1038;
constexpr int IDC_ITEM_WIDTH_SPIN = 1039;
constexpr int IDC_ITEM_PICTURE_SCROLL = 1042;
constexpr int IDC_ITEM_ATTACK = 1043;
constexpr int IDC_ITEM_DAMAGE_MIN = 1044;
constexpr int IDC_ITEM_DAMAGE_MAX = 1045;
constexpr int IDC_ITEM_DEFEND = 1046;
constexpr int IDC_ITEM_TWO_HANDED = 1047;
constexpr int IDC_ITEM_SECONDARY = 1048;
constexpr int IDC_ITEM_BURNABLE = 1049;
constexpr int IDC_ITEM_MAGICAL = 1050;
constexpr int IDC_ITEM_RECOGNIZE = 1074;
constexpr int IDC_ITEM_PALETTE = 1109;

// The fixitem type editor (template 152).
constexpr int IDD_EDIT_FIXITEM = 152;
constexpr int IDC_FIX_BROWSE = 1075;
constexpr int IDC_FIX_FILE_NAME = 1076;
constexpr int IDC_FIX_MP = 1077;
constexpr int IDC_FIX_FILL = 1078;
constexpr int IDC_FIX_DEFEND = 1079;
constexpr int IDC_FIX_AMORTIZED = 1080;
constexpr int IDC_FIX_CLEAR = 1081;
constexpr int IDC_FIX_SET = 1082;
constexpr int IDC_FIX_NAME = 1083;
constexpr int IDC_FIX_HEIGHT = 1084;
constexpr int IDC_FIX_ANIMATED = 1085;
constexpr int IDC_FIX_WATER = 1086;
constexpr int IDC_FIX_BURNABLE = 1087;
constexpr int IDC_FIX_GROUND = 1088;
constexpr int IDC_FIX_MAX_HP = 1089;
constexpr int IDC_FIX_HP = 1090;
constexpr int IDC_FIX_FRAME = 1091;
constexpr int IDC_FIX_FRAME_LABEL = 1092;
constexpr int IDC_FIX_FRAME_COUNT = 1093;

// The fixitem selection (template 153): a read-only fixitem tree.
constexpr int IDD_SELECT_FIXITEM = 153;
constexpr int IDC_SELECT_TREE = 1084;

// ---- The character type editor (template 154) ----
constexpr int IDD_EDIT_CHAR = 154;
constexpr int IDC_CHAR_NAME = 1083;
constexpr int IDC_CHAR_FILENAME = 1076;
constexpr int IDC_CHAR_BROWSE = 1075;
constexpr int IDC_CHAR_HEAD = 1095;
constexpr int IDC_CHAR_CORPSE = 1015;
constexpr int IDC_CHAR_PALETTE = 1097;
constexpr int IDC_CHAR_SHADOW = 1099;
constexpr int IDC_CHAR_FEMALE = 1133;
constexpr int IDC_CHAR_FLYING = 1134;
constexpr int IDC_CHAR_RACE = 1100;
constexpr int IDC_CHAR_ANIMAL = 1101;
constexpr int IDC_CHAR_MONSTER = 1102;
constexpr int IDC_CHAR_PROFESSION = 1103;
constexpr int IDC_CHAR_LOBBY = 1104;
constexpr int IDC_CHAR_LEVEL = 1070;
constexpr int IDC_CHAR_LEVEL_SPIN = 1112;
constexpr int IDC_CHAR_EXPERIENCE = 1105;
constexpr int IDC_CHAR_HP = 1090;
constexpr int IDC_CHAR_HP_MAX = 1089;
constexpr int IDC_CHAR_STAMINA = 1029;
constexpr int IDC_CHAR_STAMINA_MAX = 1030;
constexpr int IDC_CHAR_ATTACK = 1043;
constexpr int IDC_CHAR_DEFEND = 1079;
constexpr int IDC_CHAR_STRENGTH = 1019;
constexpr int IDC_CHAR_DEXTERITY = 1021;
constexpr int IDC_CHAR_SPIRIT = 1023;
constexpr int IDC_CHAR_IQ = 1025;
constexpr int IDC_CHAR_BRAVENESS = 1045;
constexpr int IDC_CHAR_FIRE_MANA = 1111;
constexpr int IDC_CHAR_FIRE_MANA_MAX = 1016;
constexpr int IDC_CHAR_WATER_MANA = 1086;
constexpr int IDC_CHAR_WATER_MANA_MAX = 1018;
constexpr int IDC_CHAR_AIR_MANA = 1031;
constexpr int IDC_CHAR_AIR_MANA_MAX = 1032;
constexpr int IDC_CHAR_EARTH_MANA = 1033;
constexpr int IDC_CHAR_EARTH_MANA_MAX = 1034;
constexpr int IDC_CHAR_ENERGY = 1035;
constexpr int IDC_CHAR_NATURE = 1037;
constexpr int IDC_CHAR_SPIRIT_PROTECTION = 1039;
constexpr int IDC_CHAR_DARKNESS = 1041;
constexpr int IDC_CHAR_MACES = 1020;
constexpr int IDC_CHAR_AXES = 1022;
constexpr int IDC_CHAR_PIKES = 1024;
constexpr int IDC_CHAR_SWORDS = 1026;
constexpr int IDC_CHAR_KNIVES = 1036;
constexpr int IDC_CHAR_ASSASSIN = 1038;
constexpr int IDC_CHAR_BOWS = 1040;
constexpr int IDC_CHAR_SHIELDS = 1046;
constexpr int IDC_CHAR_FIST = 1048;
constexpr int IDC_CHAR_TWO_HANDED = 1044;
constexpr int IDC_CHAR_LEFT_HAND = 1049;
constexpr int IDC_CHAR_LEADERSHIP = 1047;
constexpr int IDC_CHAR_LOCKS = 1050;
constexpr int IDC_CHAR_DETECT = 1051;
constexpr int IDC_CHAR_PERSUASION = 1052;
constexpr int IDC_CHAR_BACKSTAB = 1053;
constexpr int IDC_CHAR_POISONS = 1054;
constexpr int IDC_CHAR_THIEVERY = 1055;
constexpr int IDC_CHAR_HERBS = 1056;
constexpr int IDC_CHAR_ANIMALS = 1057;
constexpr int IDC_CHAR_MONSTERS = 1058;
constexpr int IDC_CHAR_HUMANOIDS = 1059;
constexpr int IDC_CHAR_ANATOMY = 1060;
constexpr int IDC_CHAR_ARTIFACTS = 1061;
constexpr int IDC_CHAR_SPELLS = 1130;
constexpr int IDC_CHAR_PREVIEW_SCROLL = 1042;
constexpr int IDC_CHAR_EDIT_ITEMS = 1110;
// OK and Cancel are IDC_DIALOG_OK and IDC_DIALOG_CANCEL.

// ---- The character items dialog (template 155) ----
constexpr int IDD_CHAR_ITEMS = 155;
constexpr int IDC_ITEMS_TREE = 1113;
constexpr int IDC_ITEMS_BACKPACK = 1117;
constexpr int IDC_ITEMS_PUT_INTO_BACKPACK = 1118;
constexpr int IDC_ITEMS_GOLD = 1120;
constexpr int IDC_ITEMS_REMOVE_SELECTED = 1187;
constexpr int IDC_ITEMS_REMOVE_BACKPACK = 1188;
constexpr int IDC_ITEMS_REMOVE_ALL = 1189;
constexpr int IDC_ITEMS_EDIT_UNIQUE = 1190;
// The 19 slot buttons are in the items dialog's slot table (CharItems.h).
