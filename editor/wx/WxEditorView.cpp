// The editor's view on wx: its two dialogs laid on the game window in the
// picture's margins (the data-tree dialog left of the map view, the editor
// dialog right of it, from the screen's edge to the view, the picture's
// height), placed again whenever the window moves or changes its size; the
// status line and its timer; the hot keys.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/weakref.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "editor/EditorScreen.h"
#include "editor/EditorView.h"
#include "editor/FieldObjectList.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/DataTreeCtrl.h"
#include "editor/wx/EditCharDlg.h"
#include "editor/wx/EditorDialogs.h"
#include "editor/wx/EditorModal.h"
#include "editor/wx/Latin1Text.h"
#include "editor/wx/PropDlg.h"
#include "editor/wx/TypeEditors.h"
#include "editor/wx/WxEditor.h"
#include "frontend/MapView.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

// The hot keys, without modifier keys.
int Hot_Key_Of(int key_code) {
    switch (key_code) {
        case WXK_LEFT: return HOT_KEY_PREV_FRAME;
        case WXK_RIGHT: return HOT_KEY_NEXT_FRAME;
        case WXK_NUMPAD_ADD: return HOT_KEY_RAISE;
        case WXK_NUMPAD_SUBTRACT: return HOT_KEY_LOWER;
        default: return 0;
    }
}

bool Inside(const wxWindow* w, const wxWindow* ancestor) {
    for (; w != nullptr; w = w->GetParent())
        if (w == ancestor) return true;
    return false;
}

// A text the designer types into (a read-only text is none).
bool Is_Text_Entry(wxWindow* w) {
    const auto* text = dynamic_cast<wxTextEntry*>(w);
    return text != nullptr && text->IsEditable();
}

class WxEditorView final : public EditorView {
  public:
    void Open_Dialogs() override {
        Close_Dialogs();
        hwnd_ = Get_Main_Window();
        frame_ = Wx_Game_Frame(hwnd_);
        if (frame_ == nullptr) return;
        trees_ = new CDataTreeDlg(frame_);
        editor_ = new CEditorDlg(frame_);
        Follow_Pointer(trees_);
        Follow_Pointer(editor_);
        Place_Dialogs();
        for (wxWindow* w : {static_cast<wxWindow*>(trees_), static_cast<wxWindow*>(editor_)}) {
            w->Show();
            w->Raise();
        }
        frame_->Bind(wxEVT_CHAR_HOOK, &WxEditorView::On_Char_Hook, this);
        // The keys go on reaching the map until the designer clicks a dialog.
        if (wxWindow* canvas = Wx_Game_Canvas(hwnd_)) canvas->SetFocus();
    }

    void Close_Dialogs() override {
        if (frame_ != nullptr) frame_->Unbind(wxEVT_CHAR_HOOK, &WxEditorView::On_Char_Hook, this);
        // The keys go back to the game's picture.
        if (wxWindow* canvas = frame_ != nullptr ? Wx_Game_Canvas(hwnd_) : nullptr) canvas->SetFocus();
        if (editor_ != nullptr) editor_->Stop_Status_Timer();
        // A dialog's own button may be closing it: the windows go once the
        // event has been handled (unless the game window took them first).
        for (wxWindow* w : {static_cast<wxWindow*>(trees_), static_cast<wxWindow*>(editor_)}) {
            if (w == nullptr) continue;
            w->Hide();
            wxWeakRef<wxWindow> later(w);
            wxTheApp->CallAfter([later] {
                if (later) later->Destroy();
            });
        }
        trees_ = nullptr;
        editor_ = nullptr;
        frame_ = nullptr;
    }

    void Place_Dialogs() override {
        if (frame_ == nullptr) return;
        const screen_fit fit = Wx_Game_Fit(hwnd_);
        const int top = fit.top;
        const int height = PICTURE_HEIGHT * fit.scale;
        const int view_left = fit.left + EDITOR_VIEW.left * fit.scale;
        const int view_right = fit.left + EDITOR_VIEW.right * fit.scale;
        trees_->SetSize(0, top, view_left, height);
        editor_->SetSize(view_right, top, frame_->GetClientSize().x - view_right, height);
    }

    void Show_Status(const std::string& text) override {
        if (editor_ != nullptr) editor_->Show_Status(Latin1_Text(text));
    }
    void Start_Status_Timer(int milliseconds) override {
        if (editor_ != nullptr) editor_->Start_Status_Timer(milliseconds);
    }
    void Stop_Status_Timer() override {
        if (editor_ != nullptr) editor_->Stop_Status_Timer();
    }
    void Show_Map_Index(const std::string& text) override {
        if (editor_ != nullptr) editor_->Show_Map_Index(Latin1_Text(text));
    }
    void Show_Field_Objects(const field_object_list& list) override {
        if (trees_ == nullptr) return;
        trees_->Field_Tree()->Show_List(list);
        trees_->Show_Field_Index(Latin1_Text(list.label));
    }
    void Focus_Tree(EditorTree tree) override {
        if (trees_ == nullptr) return;
        wxWindow* target = trees_->Field_Tree();
        if (tree == EditorTree::Items) target = trees_->Data_Tree(3);
        if (tree == EditorTree::Fixitems) target = trees_->Data_Tree(5);
        if (tree == EditorTree::Chars) target = trees_->Data_Tree(2);
        if (target != nullptr) target->SetFocus();
    }
    void Show_Data_Trees() override {
        if (trees_ != nullptr) trees_->Show_Trees();
    }
    bool Hexa_Grid_Checked() override { return editor_ != nullptr && editor_->Hexa_Grid(); }

  private:
    // The pointer over the dialogs is the game's too (the map scrolls when
    // it touches the screen's edge there).
    void Follow_Pointer(wxWindow* w) {
        w->Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
            const wxPoint at = wxGetMousePosition();
            Wx_Pointer_At(hwnd_, at.x, at.y);
            e.Skip();
        });
        for (wxWindow* child : w->GetChildren()) Follow_Pointer(child);
    }

    // The hot keys are the editor's while it is open and no text is being
    // typed (a modal dialog's keys never come here). In the editor dialog
    // Esc opens the map properties, and Enter closes nothing.
    void On_Char_Hook(wxKeyEvent& e) {
        wxWindow* focus = wxWindow::FindFocus();
        // Keys typed into another window (a modal dialog) are that window's.
        const bool in_game_window = focus == nullptr || wxGetTopLevelParent(focus) == frame_;
        if (e.GetModifiers() == wxMOD_NONE && in_game_window) {
            const int key = e.GetKeyCode();
            if (const int id = Hot_Key_Of(key); id != 0 && !Is_Text_Entry(focus)) {
                Editor_Hot_Key(id);
                return;
            }
            if (editor_ != nullptr && Inside(focus, editor_)) {
                if (key == WXK_ESCAPE) {
                    Editor_Map_Properties();
                    return;
                }
                const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
                if (enter &&
                    (focus == nullptr || focus->GetId() == IDC_OK || dynamic_cast<wxButton*>(focus) == nullptr))
                    return;
            }
        }
        e.Skip();
    }

    HWND hwnd_ = nullptr;
    wxFrame* frame_ = nullptr;
    CDataTreeDlg* trees_ = nullptr;
    CEditorDlg* editor_ = nullptr;
};

}  // namespace

void Install_Wx_Editor() {
    static WxEditorView view;
    Set_Editor_View(&view);
    Editor_Dialogs().map_properties = &Run_Map_Properties;
    Install_Type_Editors();
    Install_Char_Editor_Dialogs();
}
