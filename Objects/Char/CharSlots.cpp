#include "Objects/Char/CharSlots.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Request.h"
#include "System/ErrorReport.h"

namespace {

// The cells a size's top-left corner is tried at when repacking, in the
// order the sizes are placed: the large items first, each kind gathered at
// its own side of the backpack.
struct pack_order {
    std::uint8_t size;
    std::vector<int> cells;
};

std::vector<int> All_Cells() {
    std::vector<int> cells(BACKPACK_CELLS);
    for (int c = 0; c < BACKPACK_CELLS; ++c) cells[static_cast<std::size_t>(c)] = c;
    return cells;
}

const std::vector<pack_order>& Pack_Orders() {
    static const std::vector<pack_order> orders = {
        {SIZE_2X4, {22, 20, 18, 16}},
        {SIZE_2X2, {38, 22, 6, 36, 20, 4, 34, 18, 2, 32, 16, 0}},
        {SIZE_2X1, {46, 38, 30, 22, 14, 6, 44, 36, 28, 20, 12, 4, 42, 34, 26, 18, 10, 2, 40, 32, 24, 16, 8, 0}},
        {SIZE_1X2, {39, 38, 23, 22, 7, 6, 37, 36, 21, 20, 5, 4, 35, 34, 19, 18, 3, 2, 33, 32, 17, 16, 1, 0}},
        {SIZE_2X3, {0, 24, 2, 26, 4, 28, 6, 30}},
        {SIZE_1X3, {0, 1, 24, 25, 2, 3, 26, 27, 4, 5, 28, 29, 6, 7, 30, 31}},
        {SIZE_1X1, All_Cells()},
    };
    return orders;
}

// The packing order of a size byte; none for a size the repacking cannot place.
const pack_order* Order_Of(std::uint8_t size) {
    for (const pack_order& o : Pack_Orders())
        if (o.size == size) return &o;
    return nullptr;
}

// A size byte with width and height at least 1.
std::uint8_t Whole_Size(std::uint8_t size) {
    const int w = std::max(Size_Width(size), 1), h = std::max(Size_Height(size), 1);
    return static_cast<std::uint8_t>((w << 4) | h);
}

// The size of an item type that the repacking can place; 0 for the empty
// type, a type outside the table or a size the repacking does not know.
std::uint8_t Packable_Size(std::int32_t type) {
    if (type <= 0 || static_cast<std::size_t>(type) >= item_types.size()) return 0;
    const std::uint8_t size = Whole_Size(item_types[static_cast<std::size_t>(type)].size);
    return Order_Of(size) != nullptr ? size : 0;
}

// The type of an item that the repacking can place, 0 when it cannot.
std::uint16_t Packable_Type(std::uint16_t item) {
    if (item == 0 || item >= itemarray.Capacity() || Item_Record_Is_Free(item)) return 0;
    const std::uint16_t type = itemarray.records[item].type;
    return Packable_Size(type) != 0 ? type : 0;
}

bool Inside(int cell, int dx, int dy) {
    return cell % BACKPACK_COLUMNS + dx < BACKPACK_COLUMNS && cell / BACKPACK_COLUMNS + dy < BACKPACK_ROWS;
}

std::int16_t Marker(int dx, int dy) { return static_cast<std::int16_t>(-(dx + BACKPACK_COLUMNS * dy)); }

// The top-left cell a backpack cell belongs to, -1 when it is empty or its
// marker leads nowhere.
int Top_Left_Of(const backpack_grid& slots, int cell) {
    const std::int16_t v = slots[cell];
    if (v > 0) return cell;
    if (v == 0) return -1;
    const int top_left = cell + v;
    return top_left >= 0 && slots[static_cast<std::size_t>(top_left)] > 0 ? top_left : -1;
}

}  // namespace

backpack_grid Backpack_Of(const char_record& r) {
    backpack_grid grid;
    std::memcpy(grid.data(), reinterpret_cast<const char*>(&r) + offsetof(char_record, slots), sizeof grid);
    return grid;
}

void Set_Backpack(char_record& r, const backpack_grid& grid) {
    std::memcpy(reinterpret_cast<char*>(&r) + offsetof(char_record, slots), grid.data(), sizeof grid);
}

std::uint8_t Item_Size(std::uint16_t item) {
    const item_type* t = Item_Type_Of(item);
    return Whole_Size(t != nullptr ? t->size : SIZE_1X1);
}

void Remove_Item_From_Char(std::uint16_t c, std::uint16_t item) {
    if (c >= chararray.Capacity() || item == 0 || item >= itemarray.Capacity()) return;
    char_record& r = chararray.records[c];
    for (int s = 0; s < CHAR_SLOTS; ++s) {
        if (r.slots[s] != static_cast<std::int16_t>(item)) continue;
        if (s < BACKPACK_SLOTS) {
            // Only the cells that lead back to this item are cleared, so a
            // footprint that does not match the type's size never takes a
            // neighbour's cells with it.
            r.slots[s] = 0;
            for (int k = s + 1; k < BACKPACK_SLOTS; ++k)
                if (r.slots[k] < 0 && k + r.slots[k] == s) r.slots[k] = 0;
        } else {
            Object_Request(Make_Obj(OBJ_CHAR, c), Make_Obj(OBJ_ITEM, item), 0, REQ_UNEQUIP, NO_VALUE);
            chararray.records[c].slots[s] = 0;
        }
        item_record& it = itemarray.records[item];
        it.owner = Make_Obj(OBJ_NONE, Obj_Index(it.owner));
        return;
    }
}

void Put_Item_To_Char_Slot(std::uint16_t c, std::uint16_t item, int slot) {
    if (c >= chararray.Capacity() || item == 0 || item >= itemarray.Capacity() || slot < 0 || slot >= CHAR_SLOTS) {
        Error_Query_Quit("Invalid character slot");
        return;
    }
    item_record& it = itemarray.records[item];
    it.link = Make_Obj(OBJ_NONE, Obj_Index(it.link));
    it.owner = Make_Obj(OBJ_CHAR, c);
    char_record& r = chararray.records[c];
    if (slot < BACKPACK_SLOTS) {
        const std::uint8_t size = Item_Size(item);
        // Cells beyond the backpack's edges are not written.
        for (int dy = 0; dy < Size_Height(size); ++dy)
            for (int dx = 0; dx < Size_Width(size); ++dx)
                if (Inside(slot, dx, dy))
                    r.slots[slot + dx + BACKPACK_COLUMNS * dy] =
                        (dx == 0 && dy == 0) ? static_cast<std::int16_t>(item) : Marker(dx, dy);
    } else {
        r.slots[slot] = static_cast<std::int16_t>(item);
        Object_Request(Make_Obj(OBJ_CHAR, c), Make_Obj(OBJ_ITEM, item), 0, REQ_EQUIP, NO_VALUE);
    }
}

std::int16_t Item_Under_Place(std::uint16_t c, std::uint16_t hand, int slot) {
    if (c >= chararray.Capacity() || slot < 0 || slot >= CHAR_SLOTS) return 0;
    if (slot >= BACKPACK_SLOTS) return chararray.records[c].slots[slot];
    const backpack_grid slots = Backpack_Of(chararray.records[c]);
    const std::uint8_t size = hand != 0 ? Item_Size(hand) : SIZE_1X1;
    std::int16_t found = 0;
    for (int dy = 0; dy < Size_Height(size); ++dy)
        for (int dx = 0; dx < Size_Width(size); ++dx) {
            if (!Inside(slot, dx, dy)) continue;
            const int top_left = Top_Left_Of(slots, slot + dx + BACKPACK_COLUMNS * dy);
            if (top_left < 0) continue;
            const std::int16_t item = slots[static_cast<std::size_t>(top_left)];
            if (item == static_cast<std::int16_t>(hand)) continue;
            if (found == 0)
                found = item;
            else if (found != item)
                return -1;
        }
    return found;
}

int Fit_Item_In_Grid(backpack_grid& grid, int cell, std::uint8_t size) {
    const int w = Size_Width(size), h = Size_Height(size);
    if (cell < 0 || cell >= BACKPACK_CELLS || w < 1 || h < 1 || !Inside(cell, w - 1, h - 1)) return 0;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx)
            if (grid[cell + dx + BACKPACK_COLUMNS * dy] != 0) return 0;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) grid[cell + dx + BACKPACK_COLUMNS * dy] = Marker(dx, dy);
    grid[cell] = size;
    return 1;
}

int Repack_Backpack_Types(backpack_grid& grid, std::uint16_t t) {
    if (t == 0) return 1;
    // How many items of each size there are, the new one among them.
    std::array<int, 256> count{};
    for (int c = 0; c < BACKPACK_CELLS; ++c) {
        if (grid[c] <= 0) continue;
        const std::uint8_t size = Packable_Size(grid[c]);
        if (size == 0) return 0;
        ++count[size];
    }
    const std::uint8_t new_size = Packable_Size(t);
    if (new_size == 0) return 0;
    ++count[new_size];

    backpack_grid packed{};
    for (const pack_order& o : Pack_Orders())
        for (int n = 0; n < count[o.size]; ++n) {
            const auto fits = [&](int cell) { return Fit_Item_In_Grid(packed, cell, o.size) == 1; };
            if (std::find_if(o.cells.begin(), o.cells.end(), fits) == o.cells.end()) return 0;
        }

    // Every new place gets the first old item of its size not yet given a
    // place, in cell order; the one left over is the new type.
    bool used[BACKPACK_CELLS] = {};
    for (int c = 0; c < BACKPACK_CELLS; ++c) {
        if (packed[c] <= 0) continue;
        const std::uint8_t size = static_cast<std::uint8_t>(packed[c]);
        std::int16_t type = static_cast<std::int16_t>(t);
        for (int old = 0; old < BACKPACK_CELLS; ++old)
            if (grid[old] > 0 && !used[old] && Packable_Size(grid[old]) == size) {
                used[old] = true;
                type = grid[old];
                break;
            }
        packed[c] = type;
    }
    grid = packed;
    return 1;
}

int Repack_Backpack(backpack_grid& slots, std::uint16_t i) {
    if (i == 0) return 1;
    const std::uint16_t new_type = Packable_Type(i);
    if (new_type == 0) return 0;
    backpack_grid grid;
    for (int c = 0; c < BACKPACK_CELLS; ++c) {
        grid[c] = slots[c];
        if (slots[c] <= 0) continue;
        // An item already packed is not packed twice; an item without a
        // type to pack by would be lost.
        if (slots[c] == static_cast<std::int16_t>(i)) return 0;
        const std::uint16_t type = Packable_Type(static_cast<std::uint16_t>(slots[c]));
        if (type == 0) return 0;
        grid[c] = static_cast<std::int16_t>(type);
    }
    if (Repack_Backpack_Types(grid, new_type) == 0) return 0;

    bool used[BACKPACK_CELLS] = {};
    for (int c = 0; c < BACKPACK_CELLS; ++c) {
        if (grid[c] <= 0) continue;
        std::int16_t item = static_cast<std::int16_t>(i);
        for (int old = 0; old < BACKPACK_CELLS; ++old)
            if (slots[old] > 0 && !used[old] &&
                itemarray.records[static_cast<std::uint16_t>(slots[old])].type == grid[c]) {
                used[old] = true;
                item = slots[old];
                break;
            }
        grid[c] = item;
    }
    slots = grid;
    return 1;
}
