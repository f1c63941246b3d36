// The item and fixitem type editors in the editor's hooks: the data trees'
// "Edit object" and the field object tree's "Edit this item and its type"
// and "Edit this fixitem and its type".
#pragma once

void Install_Type_Editors();
