#include "editor/wx/TypeEditors.h"

#include "editor/EditorView.h"
#include "editor/wx/EditFixDlg.h"
#include "editor/wx/EditItemDlg.h"

void Install_Type_Editors() {
    EditorDialogs& dialogs = Editor_Dialogs();
    dialogs.edit_item = [](std::uint16_t type, std::uint16_t item) { Run_Edit_Item_Dlg(type, item); };
    dialogs.edit_fixitem = [](std::uint16_t type, std::uint16_t fixitem) { Run_Edit_Fix_Dlg(type, fixitem); };
    dialogs.edit_item_type = [](std::uint16_t type) { Run_Edit_Item_Dlg(type, -1); };
    dialogs.edit_fixitem_type = [](std::uint16_t type) { Run_Edit_Fix_Dlg(type, -1); };
}
