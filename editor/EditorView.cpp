#include "editor/EditorView.h"

namespace {
EditorView empty_view;
EditorView* current_view = nullptr;
}  // namespace

EditorView& Editor_View() { return current_view != nullptr ? *current_view : empty_view; }

void Set_Editor_View(EditorView* view) { current_view = view; }

EditorDialogs& Editor_Dialogs() {
    static EditorDialogs dialogs;
    return dialogs;
}
