#include "editor/wx/TreeImages.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/imaglist.h>

#include <functional>

namespace {

constexpr int ICON_SIZE = 16;
const wxColour KEY_COLOUR(255, 0, 255);

wxBitmap Icon(const std::function<void(wxDC&)>& draw) {
    wxBitmap bitmap(ICON_SIZE, ICON_SIZE);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(KEY_COLOUR));
        dc.Clear();
        dc.SetPen(*wxBLACK_PEN);
        draw(dc);
    }
    bitmap.SetMask(new wxMask(bitmap, KEY_COLOUR));
    return bitmap;
}

void Folder(wxDC& dc) {
    dc.SetBrush(wxBrush(wxColour(232, 196, 88)));
    dc.DrawRectangle(1, 3, 7, 3);
    dc.DrawRectangle(1, 5, 14, 9);
}

void Unused(wxDC& dc) {
    dc.SetBrush(wxBrush(wxColour(200, 200, 200)));
    dc.DrawRectangle(3, 3, 10, 10);
}

void Character(wxDC& dc) {
    dc.SetBrush(wxBrush(wxColour(236, 188, 150)));
    dc.DrawCircle(8, 4, 3);
    dc.SetBrush(wxBrush(wxColour(60, 96, 200)));
    dc.DrawRectangle(5, 8, 7, 7);
}

void Item(wxDC& dc) {
    dc.SetBrush(wxBrush(wxColour(190, 190, 210)));
    const wxPoint blade[] = {{8, 1}, {10, 3}, {10, 10}, {6, 10}, {6, 3}};
    dc.DrawPolygon(5, blade);
    dc.SetBrush(wxBrush(wxColour(140, 90, 40)));
    dc.DrawRectangle(4, 10, 8, 2);
    dc.DrawRectangle(7, 12, 2, 3);
}

void Fixitem(wxDC& dc) {
    dc.SetBrush(wxBrush(wxColour(150, 100, 60)));
    dc.DrawRectangle(2, 2, 12, 13);
    dc.SetBrush(wxBrush(wxColour(90, 60, 30)));
    dc.DrawRectangle(5, 5, 6, 10);
}

}  // namespace

wxImageList* Make_Tree_Images() {
    auto* images = new wxImageList(ICON_SIZE, ICON_SIZE, true, 4);
    images->Add(Icon(Folder));
    images->Add(Icon(Unused));
    images->Add(Icon(Character));
    images->Add(Icon(Item));
    images->Add(Icon(Folder));
    images->Add(Icon(Fixitem));
    return images;
}
