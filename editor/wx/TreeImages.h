// The 16 x 16 pictures of the editor's trees, one per entry kind, so that
// an entry's image index is its kind: 0 folder, 1 unused, 2 character,
// 3 item, 4 folder, 5 fixitem.
#pragma once

class wxImageList;

// A new list (the caller owns it).
wxImageList* Make_Tree_Images();
