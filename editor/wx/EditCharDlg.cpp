#include "editor/wx/EditCharDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// wx has TRUE and FALSE as macros; the platform layer has them as constants.
#undef TRUE
#undef FALSE

#include "Objects/Acts.h"
#include "editor/CharPreview.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "editor/FieldObjectList.h"
#include "editor/Preview.h"
#include "editor/wx/CharItemDlg.h"
#include "editor/wx/ControlIds.h"
#include "editor/wx/EditModPage.h"
#include "editor/wx/EditorModal.h"
#include "editor/wx/FieldFaultBox.h"
#include "editor/wx/Latin1Text.h"
#include "frontend/CharPage.h"
#include "frontend/GameLoop.h"
#include "platform/PathResolver.h"
#include "platform/Window.h"
#include "platform/wx/WxGameWindow.h"

namespace {

constexpr int GAP = 3;
constexpr int NUMBER_WIDTH = 52;
constexpr int SHORT_WIDTH = 40;
constexpr int SPELL_ROW_PADDING = 6;
constexpr const char* DIALOG_TITLE = "Edit character";
constexpr const char* BROWSE_TITLE = "Select character sprite";
constexpr const char* BROWSE_FILTER = "Character sprites (*.DYS;)|*.DYS;*.dys;*.Dys|All files (*.*)|*";

std::string Text_Of(const wxTextCtrl* text) { return Latin1_String(text->GetValue()); }

// A label and its controls in a row of a grid.
void Add_Row(wxWindow* parent, wxFlexGridSizer* grid, const char* label, wxWindow* first, wxWindow* second = nullptr) {
    grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(first, 0, wxALIGN_CENTER_VERTICAL);
    if (second != nullptr) {
        row->Add(new wxStaticText(parent, wxID_ANY, "/"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, GAP);
        row->Add(second, 0, wxALIGN_CENTER_VERTICAL);
    }
    grid->Add(row, 0, wxEXPAND);
}

wxFlexGridSizer* New_Grid() {
    auto* grid = new wxFlexGridSizer(2, GAP, 2 * GAP);
    grid->AddGrowableCol(1);
    return grid;
}

}  // namespace

CEditCharDlg::CEditCharDlg(wxWindow* parent, std::int32_t type, std::int32_t instance)
    : wxDialog(parent, IDD_EDIT_CHAR, DIALOG_TITLE), edit_(type, instance) {
    // The type editors open on what they edit: the preview shows a character.
    edit_.Leave_Selection();
    SetWindowVariant(wxWINDOW_VARIANT_SMALL);
    form_ = new wxPanel(this);
    form_->SetWindowVariant(wxWINDOW_VARIANT_SMALL);

    auto* first = new wxBoxSizer(wxHORIZONTAL);
    first->Add(Identity_Column(), 0, wxALL, GAP);
    first->Add(Numbers_Column(), 0, wxALL, GAP);
    auto* attributes = new wxBoxSizer(wxVERTICAL);
    attributes->Add(Group("Main attributes",
                          {{"Strength:", {IDC_CHAR_STRENGTH, 0}},
                           {"Dexterity:", {IDC_CHAR_DEXTERITY, 0}},
                           {"Spirit:", {IDC_CHAR_SPIRIT, 0}},
                           {"IQ:", {IDC_CHAR_IQ, 0}}},
                          2),
                    0, wxEXPAND);
    attributes->Add(Group("Magic protections",
                          {{"Energy:", {IDC_CHAR_ENERGY, 0}},
                           {"Nature:", {IDC_CHAR_NATURE, 0}},
                           {"Spirit:", {IDC_CHAR_SPIRIT_PROTECTION, 0}},
                           {"Darkness:", {IDC_CHAR_DARKNESS, 0}}},
                          2),
                    0, wxEXPAND | wxTOP, GAP);
    attributes->Add(Group("Mana points",
                          {{"Fire:", {IDC_CHAR_FIRE_MANA, IDC_CHAR_FIRE_MANA_MAX}},
                           {"Water:", {IDC_CHAR_WATER_MANA, IDC_CHAR_WATER_MANA_MAX}},
                           {"Air:", {IDC_CHAR_AIR_MANA, IDC_CHAR_AIR_MANA_MAX}},
                           {"Earth:", {IDC_CHAR_EARTH_MANA, IDC_CHAR_EARTH_MANA_MAX}}},
                          2),
                    0, wxEXPAND | wxTOP, GAP);
    first->Add(attributes, 0, wxALL, GAP);

    auto* second = new wxBoxSizer(wxHORIZONTAL);
    second->Add(Group("Combat skills",
                      {{"Maces", {IDC_CHAR_MACES, 0}},
                       {"Axes", {IDC_CHAR_AXES, 0}},
                       {"Pikes", {IDC_CHAR_PIKES, 0}},
                       {"Swords", {IDC_CHAR_SWORDS, 0}},
                       {"Knives", {IDC_CHAR_KNIVES, 0}},
                       {"Assassin", {IDC_CHAR_ASSASSIN, 0}},
                       {"Bows && throw.", {IDC_CHAR_BOWS, 0}},
                       {"Shields", {IDC_CHAR_SHIELDS, 0}},
                       {"Fist fight", {IDC_CHAR_FIST, 0}},
                       {"Two-handed", {IDC_CHAR_TWO_HANDED, 0}},
                       {"Left hand", {IDC_CHAR_LEFT_HAND, 0}},
                       {"Leadership", {IDC_CHAR_LEADERSHIP, 0}}},
                      3),
                0, wxALL, GAP);
    second->Add(Group("Thief skills",
                      {{"Locks", {IDC_CHAR_LOCKS, 0}},
                       {"Detect", {IDC_CHAR_DETECT, 0}},
                       {"Persuation", {IDC_CHAR_PERSUASION, 0}},
                       {"Backstab", {IDC_CHAR_BACKSTAB, 0}},
                       {"Poisons", {IDC_CHAR_POISONS, 0}},
                       {"Thiefery", {IDC_CHAR_THIEVERY, 0}}},
                      2),
                0, wxALL, GAP);
    second->Add(Group("Lores",
                      {{"Herbs", {IDC_CHAR_HERBS, 0}},
                       {"Animals", {IDC_CHAR_ANIMALS, 0}},
                       {"Monsters", {IDC_CHAR_MONSTERS, 0}},
                       {"Humanoids", {IDC_CHAR_HUMANOIDS, 0}},
                       {"Anatomy", {IDC_CHAR_ANATOMY, 0}},
                       {"Artifacts", {IDC_CHAR_ARTIFACTS, 0}}},
                      2),
                0, wxALL, GAP);

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(first);
    left->Add(second);
    form_->SetSizer(left);

    // Beside the form: the known spells, the modifier page, the preview's
    // scroll bar and the buttons.
    auto* spells_box = new wxStaticBoxSizer(wxVERTICAL, this, "Known spells");
    spells_ = new wxListBox(spells_box->GetStaticBox(), IDC_CHAR_SPELLS, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                            wxLB_EXTENDED);
    for (int s = 0; s < SPELL_COUNT; ++s) {
        spells_->Append(Latin1_Text(spell_table[s].act->name));
        if (edit_.Spell_Known(s)) spells_->SetSelection(s);
    }
    // Every spell in sight.
    spells_->SetMinSize(wxSize(-1, SPELL_COUNT * (spells_->GetCharHeight() + SPELL_ROW_PADDING)));
    spells_box->Add(spells_, 1, wxEXPAND | wxALL, GAP);
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(spells_box, 0, wxEXPAND | wxALL, GAP);
    const std::int32_t page_type = type >= 0 ? type : 0;
    page_ = new CEditModPage(this, OBJ_CHAR, static_cast<std::uint16_t>(page_type), instance);
    right->Add(page_, 1, wxEXPAND | wxALL, GAP);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(form_, 0);
    columns->Add(right, 1, wxEXPAND);

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    scroll_ = new wxScrollBar(this, IDC_CHAR_PREVIEW_SCROLL, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    bottom->Add(scroll_, 1, wxALIGN_CENTER_VERTICAL | wxALL, GAP);
    auto* items = new wxButton(this, IDC_CHAR_EDIT_ITEMS, "Edit character's items");
    bottom->Add(items, 0, wxALL, GAP);
    auto* ok = new wxButton(this, IDC_DIALOG_OK, "OK");
    auto* cancel = new wxButton(this, IDC_DIALOG_CANCEL, "Cancel");
    bottom->Add(ok, 0, wxALL, GAP);
    bottom->Add(cancel, 0, wxALL, GAP);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(columns, 1, wxEXPAND);
    top->Add(bottom, 0, wxEXPAND);
    SetSizerAndFit(top);

    ok->SetDefault();
    SetEscapeId(IDC_DIALOG_CANCEL);
    SetAffirmativeId(IDC_DIALOG_OK);
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_OK(); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Cancel(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { On_Cancel(); });
    items->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Edit_Items(); });
    scroll_->Bind(wxEVT_SCROLL_LINEUP, &CEditCharDlg::On_Scroll, this);
    scroll_->Bind(wxEVT_SCROLL_LINEDOWN, &CEditCharDlg::On_Scroll, this);
    scroll_->Bind(wxEVT_SCROLL_PAGEUP, &CEditCharDlg::On_Scroll, this);
    scroll_->Bind(wxEVT_SCROLL_PAGEDOWN, &CEditCharDlg::On_Scroll, this);
    scroll_->Bind(wxEVT_SCROLL_THUMBTRACK, &CEditCharDlg::On_Scroll, this);
    scroll_->Bind(wxEVT_SCROLL_TOP, &CEditCharDlg::On_Scroll, this);
    scroll_->Bind(wxEVT_SCROLL_BOTTOM, &CEditCharDlg::On_Scroll, this);

    Set_Mode(CharPreviewMode::Directions);
}

CEditCharDlg::~CEditCharDlg() { Release_Char_Preview(); }

wxWindow* CEditCharDlg::Own_Control(int id) const {
    if (id == IDC_DIALOG_OK || id == IDC_DIALOG_CANCEL || id == IDC_CHAR_PREVIEW_SCROLL || id == IDC_CHAR_EDIT_ITEMS ||
        id == IDC_CHAR_SPELLS)
        return FindWindowById(id, const_cast<CEditCharDlg*>(this));
    return FindWindowById(id, form_);
}

wxTextCtrl* CEditCharDlg::Number_Edit(int id) {
    auto* text = new wxTextCtrl(form_, id, Latin1_Text(edit_.texts[id]), wxDefaultPosition, wxSize(NUMBER_WIDTH, -1),
                                wxTE_RIGHT);
    numbers_[id] = text;
    return text;
}

wxSizer* CEditCharDlg::Group(const char* title, const std::vector<std::pair<const char*, std::pair<int, int>>>& rows,
                             int columns) {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, form_, title);
    auto* grid = new wxFlexGridSizer(2 * columns, GAP, 2 * GAP);
    // The rows run down the first column, then the next.
    const int per_column = (static_cast<int>(rows.size()) + columns - 1) / columns;
    for (int r = 0; r < per_column; ++r)
        for (int c = 0; c < columns; ++c) {
            const std::size_t i = static_cast<std::size_t>(c * per_column + r);
            if (i >= rows.size()) {
                grid->AddSpacer(0);
                grid->AddSpacer(0);
                continue;
            }
            const auto& [label, ids] = rows[i];
            Add_Row(form_, grid, label, Number_Edit(ids.first), ids.second != 0 ? Number_Edit(ids.second) : nullptr);
        }
    box->Add(grid, 0, wxEXPAND | wxALL, GAP);
    return box;
}

// A row of controls side by side.
wxSizer* Side_By_Side(std::initializer_list<wxWindow*> windows) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    for (wxWindow* w : windows) row->Add(w, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2 * GAP);
    return row;
}

wxSizer* CEditCharDlg::Identity_Column() {
    wxFlexGridSizer* grid = New_Grid();
    name_ = new wxTextCtrl(form_, IDC_CHAR_NAME, Latin1_Text(edit_.name), wxDefaultPosition, wxSize(150, -1));
    name_->SetMaxLength(CHAR_NAME_CHARS);
    Add_Row(form_, grid, "Name:", name_);

    file_name_ = new wxTextCtrl(form_, IDC_CHAR_FILENAME, Latin1_Text(edit_.File_Text()), wxDefaultPosition,
                                wxSize(150, -1), wxTE_READONLY);
    auto* browse = new wxButton(form_, IDC_CHAR_BROWSE, "Browse", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    grid->Add(new wxStaticText(form_, wxID_ANY, "Filename:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Side_By_Side({file_name_, browse}));

    head_ = new wxTextCtrl(form_, IDC_CHAR_HEAD, Latin1_Text(edit_.texts[IDC_CHAR_HEAD]), wxDefaultPosition,
                           wxSize(SHORT_WIDTH, -1), wxTE_RIGHT);
    corpse_ = new wxTextCtrl(form_, IDC_CHAR_CORPSE, Latin1_Text(edit_.texts[IDC_CHAR_CORPSE]), wxDefaultPosition,
                             wxSize(SHORT_WIDTH, -1), wxTE_RIGHT);
    grid->Add(new wxStaticText(form_, wxID_ANY, "Head:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Side_By_Side({head_, new wxStaticText(form_, wxID_ANY, "Corpse:"), corpse_}));

    palette_ = new wxTextCtrl(form_, IDC_CHAR_PALETTE, Latin1_Text(edit_.texts[IDC_CHAR_PALETTE]), wxDefaultPosition,
                              wxSize(SHORT_WIDTH, -1), wxTE_RIGHT);
    shadow_ = new wxCheckBox(form_, IDC_CHAR_SHADOW, "Shadow pal");
    shadow_->SetValue(edit_.shadow);
    grid->Add(new wxStaticText(form_, wxID_ANY, "Palette:"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Side_By_Side({palette_, shadow_}));

    female_ = new wxCheckBox(form_, IDC_CHAR_FEMALE, "Female");
    female_->SetValue(edit_.female);
    flying_ = new wxCheckBox(form_, IDC_CHAR_FLYING, "Flying");
    flying_->SetValue(edit_.flying);
    grid->AddSpacer(0);
    grid->Add(Side_By_Side({female_, flying_}));

    race_ = new wxChoice(form_, IDC_CHAR_RACE, wxDefaultPosition, wxSize(120, -1));
    animal_ = new wxCheckBox(form_, IDC_CHAR_ANIMAL, "Animal");
    animal_->SetValue(edit_.animal);
    monster_ = new wxCheckBox(form_, IDC_CHAR_MONSTER, "Monster");
    monster_->SetValue(edit_.monster);
    Add_Row(form_, grid, "Race:", race_);
    grid->AddSpacer(0);
    grid->Add(Side_By_Side({animal_, monster_}));
    Fill_Race_List();

    profession_ = new wxChoice(form_, IDC_CHAR_PROFESSION, wxDefaultPosition, wxSize(120, -1));
    for (const char* p : profession_names) profession_->Append(p);
    profession_->SetSelection(edit_.Profession_Row());
    Add_Row(form_, grid, "Profession:", profession_);
    lobby_ = new wxChoice(form_, IDC_CHAR_LOBBY, wxDefaultPosition, wxSize(120, -1));
    for (const char* l : lobby_names) lobby_->Append(Latin1_Text(l));
    lobby_->SetSelection(edit_.Lobby_Row());
    Add_Row(form_, grid, "Lobby:", lobby_);

    // What the preview shows follows the edit the designer works in.
    for (wxTextCtrl* t : {name_, file_name_})
        t->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
            Set_Mode(CharPreviewMode::Directions);
            e.Skip();
        });
    head_->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        Set_Mode(CharPreviewMode::Heads);
        e.Skip();
    });
    corpse_->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        Set_Mode(CharPreviewMode::CorpseFrames);
        e.Skip();
    });
    head_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { On_Head_Changed(); });
    corpse_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { On_Corpse_Changed(); });
    palette_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { On_Palette_Changed(); });
    shadow_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { On_Palette_Changed(); });
    // Leaving an edit shows the value taken.
    head_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        head_->ChangeValue(edit_.Head_Text());
        e.Skip();
    });
    corpse_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        corpse_->ChangeValue(edit_.Corpse_Text());
        e.Skip();
    });
    palette_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        palette_->ChangeValue(edit_.Palette_Text());
        e.Skip();
    });
    animal_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { On_Category(); });
    monster_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { On_Category(); });
    race_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { edit_.Pick_Race(race_->GetSelection()); });
    profession_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { edit_.Pick_Profession(profession_->GetSelection()); });
    lobby_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { edit_.Pick_Lobby(lobby_->GetSelection()); });
    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { On_Browse(); });
    return grid;
}

wxSizer* CEditCharDlg::Numbers_Column() {
    wxFlexGridSizer* grid = New_Grid();
    wxTextCtrl* level = Number_Edit(IDC_CHAR_LEVEL);
    level_spin_ = new wxSpinButton(form_, IDC_CHAR_LEVEL_SPIN, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    level_spin_->SetRange(LEVEL_FIRST - 1, LEVEL_LAST + 1);
    level_spin_->SetValue(LEVEL_FIRST);
    grid->Add(new wxStaticText(form_, wxID_ANY, "Level:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* level_row = new wxBoxSizer(wxHORIZONTAL);
    level_row->Add(level, 0, wxALIGN_CENTER_VERTICAL);
    level_row->Add(level_spin_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(level_row);
    Add_Row(form_, grid, "Experience:", Number_Edit(IDC_CHAR_EXPERIENCE));
    Add_Row(form_, grid, "Hitpoint:", Number_Edit(IDC_CHAR_HP), Number_Edit(IDC_CHAR_HP_MAX));
    Add_Row(form_, grid, "Stamina:", Number_Edit(IDC_CHAR_STAMINA), Number_Edit(IDC_CHAR_STAMINA_MAX));
    Add_Row(form_, grid, "Attack:", Number_Edit(IDC_CHAR_ATTACK));
    Add_Row(form_, grid, "Defend:", Number_Edit(IDC_CHAR_DEFEND));
    Add_Row(form_, grid, "Braveness:", Number_Edit(IDC_CHAR_BRAVENESS));
    level_spin_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent&) { On_Level_Spin(-1); });
    level_spin_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent&) { On_Level_Spin(+1); });
    return grid;
}

void CEditCharDlg::Fill_Race_List() {
    race_->Clear();
    for (const std::string& r : edit_.Race_List()) race_->Append(Latin1_Text(r));
    race_->SetSelection(edit_.Race_Position());
}

// ---- The preview ----

void CEditCharDlg::Redraw_Preview() {
    switch (edit_.mode) {
        case CharPreviewMode::Directions:
            edit_.body_frames = Char_Preview_Directions(edit_.sprite_name, edit_.direction, edit_.Palette_Byte());
            break;
        case CharPreviewMode::Heads: Char_Preview_Heads(edit_.head, edit_.Palette_Byte()); break;
        case CharPreviewMode::CorpseFrames: Char_Preview_Body_Frames(edit_.corpse, edit_.Palette_Byte()); break;
    }
}

void CEditCharDlg::Show_Scroll_Bar() {
    const int min = edit_.Scroll_Min();
    const int range = edit_.Scroll_Max() - min + 1;
    scroll_->SetScrollbar(edit_.Scroll_Value() - min, 1, range, SCROLL_PAGE);
}

void CEditCharDlg::Set_Mode(CharPreviewMode mode) {
    edit_.mode = mode;
    Redraw_Preview();
    Show_Scroll_Bar();
}

void CEditCharDlg::On_Scroll(wxScrollEvent& e) {
    const wxEventType t = e.GetEventType();
    ScrollMove move = ScrollMove::Thumb;
    if (t == wxEVT_SCROLL_LINEUP) move = ScrollMove::LineLeft;
    if (t == wxEVT_SCROLL_LINEDOWN) move = ScrollMove::LineRight;
    if (t == wxEVT_SCROLL_PAGEUP) move = ScrollMove::PageLeft;
    if (t == wxEVT_SCROLL_PAGEDOWN) move = ScrollMove::PageRight;
    if (t == wxEVT_SCROLL_TOP) move = ScrollMove::Home;
    if (t == wxEVT_SCROLL_BOTTOM) move = ScrollMove::End;
    edit_.Scroll(move, e.GetPosition() + edit_.Scroll_Min());
    if (edit_.mode == CharPreviewMode::Heads) head_->ChangeValue(edit_.Head_Text());
    if (edit_.mode == CharPreviewMode::CorpseFrames) corpse_->ChangeValue(edit_.Corpse_Text());
    Redraw_Preview();
    Show_Scroll_Bar();
}

// ---- The edits ----

void CEditCharDlg::On_Head_Changed() {
    edit_.Head_Changed(Text_Of(head_));
    edit_.mode = CharPreviewMode::Heads;
    Redraw_Preview();
    Show_Scroll_Bar();
}

void CEditCharDlg::On_Corpse_Changed() {
    edit_.Corpse_Changed(Text_Of(corpse_));
    edit_.mode = CharPreviewMode::CorpseFrames;
    Redraw_Preview();
    Show_Scroll_Bar();
}

void CEditCharDlg::On_Palette_Changed() {
    edit_.Palette_Changed(Text_Of(palette_), shadow_->GetValue());
    Redraw_Preview();
}

void CEditCharDlg::On_Level_Spin(int delta) {
    edit_.texts[IDC_CHAR_LEVEL] = Text_Of(numbers_[IDC_CHAR_LEVEL]);
    edit_.Level_Spin(delta);
    numbers_[IDC_CHAR_LEVEL]->ChangeValue(Latin1_Text(edit_.texts[IDC_CHAR_LEVEL]));
    // The spin itself never stops at an end: the level does.
    level_spin_->SetValue(LEVEL_FIRST);
}

void CEditCharDlg::On_Category() {
    edit_.Category_Changed(animal_->GetValue(), monster_->GetValue());
    Fill_Race_List();
}

void CEditCharDlg::On_Browse() {
    const std::optional<std::filesystem::path> folder = Resolve_Path(CHAR_SPRITE_FOLDER);
    wxFileDialog dialog(this, BROWSE_TITLE, folder ? wxString(folder->string()) : wxString(), "", BROWSE_FILTER,
                        wxFD_OPEN);
    if (dialog.ShowModal() == wxID_OK && edit_.Browse_Chosen(Latin1_String(dialog.GetPath())))
        file_name_->ChangeValue(Latin1_Text(edit_.File_Text()));
    Set_Mode(CharPreviewMode::Directions);
}

void CEditCharDlg::On_Edit_Items() {
    const editor_selection_ref selection = editor_selection;
    const std::uint32_t on_map = selection_on_map;
    const std::int32_t frame = preview_frame;
    const std::uint8_t palette = preview_palette;
    {
        CCharItemDlg items(this, edit_.Live(),
                           static_cast<std::uint16_t>(edit_.Live() ? edit_.Instance_Index() : edit_.Type_Index()));
        Run_Editor_Modal(items);
    }
    editor_selection = selection;
    selection_on_map = on_map;
    preview_frame = frame;
    preview_palette = palette;
    Set_Mode(CharPreviewMode::Directions);
}

// ---- OK and Cancel ----

void CEditCharDlg::Take_Controls() {
    edit_.name = Latin1_String(name_->GetValue());
    for (const auto& [id, text] : numbers_) edit_.texts[id] = Text_Of(text);
    edit_.Head_Changed(Text_Of(head_));
    edit_.Corpse_Changed(Text_Of(corpse_));
    edit_.Palette_Changed(Text_Of(palette_), shadow_->GetValue());
    edit_.female = female_->GetValue();
    edit_.flying = flying_->GetValue();
    for (int s = 0; s < SPELL_COUNT; ++s) edit_.Set_Spell(s, spells_->IsSelected(s));
}

void CEditCharDlg::On_OK() {
    Take_Controls();
    std::optional<field_fault> page_fault;
    const std::optional<field_fault> fault = edit_.OK(
        [this, &page_fault] {
            page_fault = page_->Page().Check(page_->Entries());
            return page_fault;
        },
        [this] { page_->Page().Save(); });
    if (fault) {
        Show_Field_Fault(page_fault ? static_cast<wxWindow*>(page_) : form_, *fault);
        return;
    }
    EndModal(IDC_DIALOG_OK);
}

void CEditCharDlg::On_Cancel() {
    edit_.Leave_Selection();
    EndModal(IDC_DIALOG_CANCEL);
}

void Run_Edit_Char_Dialog(std::int32_t type, std::int32_t instance) {
    {
        CEditCharDlg dialog(Wx_Game_Frame(Get_Main_Window()), type, instance);
        Run_Editor_Modal(dialog);
    }
    redraw_request = 1;
    if (instance >= 0)
        Editor_List_Field_Objects(instance, OBJ_CHAR);
    else
        Editor_Show_Selection_Preview();
}

void Install_Char_Editor_Dialogs() {
    Editor_Dialogs().edit_character = [](std::uint16_t c) { Run_Edit_Char_Dialog(-1, c); };
    Editor_Dialogs().edit_char_type = [](std::uint16_t type) { Run_Edit_Char_Dialog(type, -1); };
}
