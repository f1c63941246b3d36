#include "datafiles/DataTree.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/FileWrite.h"

namespace {

const std::string no_label;
const std::vector<TreeItem> no_children;

}  // namespace

CDataTree::CDataTree(std::int32_t kind, bool read_only) : kind_(kind), read_only_(read_only) {
    nodes_[TREE_ROOT] = Node{};
}

const CDataTree::Node* CDataTree::Find(TreeItem item) const {
    auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

CDataTree::Node* CDataTree::Find(TreeItem item) {
    auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

// ---- Entries ----

TreeItem CDataTree::Insert_Item(const std::string& label, std::int32_t image, std::uint32_t parameter, TreeItem parent,
                                TreeItem after) {
    Node* p = Find(parent);
    if (p == nullptr || Depth(parent) >= TREE_MAX_DEPTH) return TREE_ROOT;
    std::vector<TreeItem>& siblings = p->children;
    auto at = siblings.end();
    if (after == TREE_FIRST) {
        at = siblings.begin();
    } else if (after != TREE_LAST) {
        at = std::find(siblings.begin(), siblings.end(), after);
        if (at == siblings.end()) return TREE_ROOT;
        ++at;
    }
    const TreeItem item = next_handle_++;
    siblings.insert(at, item);
    Node n;
    n.label = label;
    n.image = image;
    n.parameter = parameter;
    n.parent = parent;
    nodes_.emplace(item, std::move(n));
    return item;
}

void CDataTree::Forget_Subtree(TreeItem item) {
    Node* n = Find(item);
    if (n == nullptr) return;
    for (TreeItem child : std::vector<TreeItem>(n->children)) Forget_Subtree(child);
    if (item == bin_) bin_ = TREE_ROOT;
    nodes_.erase(item);
}

void CDataTree::Delete_Item(TreeItem item) {
    if (!Valid(item)) return;
    std::vector<TreeItem>& siblings = Find(Parent(item))->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
    Forget_Subtree(item);
}

bool CDataTree::Move_Tree_Item(TreeItem item, TreeItem parent, TreeItem after) {
    Node* p = Find(parent);
    if (!Valid(item) || p == nullptr || In_Subtree(parent, item)) return false;
    if (Depth(parent) + 1 + Height(item) > TREE_MAX_DEPTH) return false;
    std::vector<TreeItem>& siblings = p->children;
    if (after == item) return Parent(item) == parent;
    if (after != TREE_FIRST && after != TREE_LAST &&
        std::find(siblings.begin(), siblings.end(), after) == siblings.end())
        return false;
    std::vector<TreeItem>& old_siblings = Find(Parent(item))->children;
    old_siblings.erase(std::find(old_siblings.begin(), old_siblings.end(), item));
    auto at = siblings.end();
    if (after == TREE_FIRST) at = siblings.begin();
    if (after != TREE_FIRST && after != TREE_LAST) at = std::find(siblings.begin(), siblings.end(), after) + 1;
    siblings.insert(at, item);
    Find(item)->parent = parent;
    return true;
}

std::int32_t CDataTree::Height(TreeItem item) const {
    std::int32_t height = 0;
    for (TreeItem child : Children(item)) height = std::max(height, 1 + Height(child));
    return height;
}

void CDataTree::Delete_All_Items() {
    nodes_.clear();
    nodes_[TREE_ROOT] = Node{};
    bin_ = TREE_ROOT;
}

TreeItem CDataTree::Parent(TreeItem item) const {
    const Node* n = Valid(item) ? Find(item) : nullptr;
    return n ? n->parent : TREE_ROOT;
}

const std::vector<TreeItem>& CDataTree::Children(TreeItem item) const {
    const Node* n = Find(item);
    return n ? n->children : no_children;
}

TreeItem CDataTree::First_Child(TreeItem item) const {
    const std::vector<TreeItem>& c = Children(item);
    return c.empty() ? TREE_ROOT : c.front();
}

TreeItem CDataTree::Next_Sibling(TreeItem item) const {
    if (!Valid(item)) return TREE_ROOT;
    const std::vector<TreeItem>& siblings = Children(Parent(item));
    auto at = std::find(siblings.begin(), siblings.end(), item);
    return at + 1 == siblings.end() ? TREE_ROOT : *(at + 1);
}

std::int32_t CDataTree::Depth(TreeItem item) const {
    std::int32_t depth = 0;
    for (TreeItem i = item; Valid(i); i = Parent(i)) ++depth;
    return depth;
}

bool CDataTree::In_Subtree(TreeItem item, TreeItem top) const {
    if (!Valid(top)) return false;
    for (TreeItem i = item; Valid(i); i = Parent(i))
        if (i == top) return true;
    return false;
}

const std::string& CDataTree::Label(TreeItem item) const {
    const Node* n = Valid(item) ? Find(item) : nullptr;
    return n ? n->label : no_label;
}

void CDataTree::Set_Label(TreeItem item, const std::string& label) {
    if (Valid(item)) Find(item)->label = label;
}

std::int32_t CDataTree::Image(TreeItem item) const {
    const Node* n = Valid(item) ? Find(item) : nullptr;
    return n ? n->image : TREE_FOLDER;
}

std::uint32_t CDataTree::Parameter(TreeItem item) const {
    const Node* n = Valid(item) ? Find(item) : nullptr;
    return n ? n->parameter : 0;
}

void CDataTree::Set_Parameter(TreeItem item, std::uint32_t parameter) {
    if (Valid(item)) Find(item)->parameter = parameter;
}

// ---- The "Recycle Bin" ----

TreeItem CDataTree::Create_Recycle_Bin() {
    bin_ = Insert_Item(RECYCLE_BIN_LABEL, TREE_FOLDER, 0);
    return bin_;
}

void CDataTree::Find_Recycle_Bin() {
    bin_ = TREE_ROOT;
    for (TreeItem item : Children(TREE_ROOT))
        if (Image(item) == TREE_FOLDER && Label(item) == RECYCLE_BIN_LABEL) bin_ = item;
    if (bin_ == TREE_ROOT) Create_Recycle_Bin();
}

// ---- The tree stream ----

void CDataTree::Save_Tree(std::vector<std::uint8_t>& out) const {
    Put_U32(out, static_cast<std::uint32_t>(Count()));
    if (Count() != 0) Save_Level(out, First_Child(TREE_ROOT), 1);
}

void CDataTree::Save_Level(std::vector<std::uint8_t>& out, TreeItem first, std::int32_t depth) const {
    const std::vector<TreeItem>& siblings = Children(Parent(first));
    for (auto at = std::find(siblings.begin(), siblings.end(), first); at != siblings.end(); ++at) {
        Save_Item(out, *at, depth);
        if (!Children(*at).empty()) Save_Level(out, First_Child(*at), depth + 1);
    }
}

void CDataTree::Save_Item(std::vector<std::uint8_t>& out, TreeItem item, std::int32_t depth) const {
    const std::string& label = Label(item);
    const std::size_t chars = std::min<std::size_t>(std::strlen(label.c_str()), TREE_LABEL_CHARS);
    tree_item_record r{};
    r.mask = TREE_ITEM_MASK;
    r.text_length = static_cast<std::uint32_t>(chars + 1);
    r.image = r.selected_image = Image(item);
    r.parameter = Parameter(item);
    Put_U32(out, static_cast<std::uint32_t>(depth));
    Put_Bytes(out, &r, sizeof r);
    Put_Bytes(out, label.data(), chars);
    Put_U8(out, 0);
}

bool CDataTree::Load_Tree(FileReader& in) {
    std::uint32_t count = 0;
    if (!in.Value(count) || !in.Fits(count, TREE_NODE_MIN_SIZE)) return false;
    CDataTree read(kind_, read_only_);
    read.next_handle_ = next_handle_;
    // The last node inserted at each depth; depth 0 is the root.
    std::array<TreeItem, TREE_MAX_DEPTH + 1> last{};
    std::int32_t previous_depth = 0;
    for (std::uint32_t n = 0; n < count; ++n) {
        std::int32_t depth = 0;
        tree_item_record r{};
        if (!in.Value(depth) || !in.Value(r)) return false;
        if (depth < 1 || depth > TREE_MAX_DEPTH || depth > previous_depth + 1) return false;
        if (r.text_length < 1 || r.text_length > TREE_TEXT_SIZE) return false;
        char text[TREE_TEXT_SIZE];
        if (!in.Bytes(text, r.text_length) || text[r.text_length - 1] != 0) return false;
        last[static_cast<std::size_t>(depth)] =
            read.Insert_Item(text, r.image, r.parameter, last[static_cast<std::size_t>(depth - 1)]);
        previous_depth = depth;
    }
    read.kind_ = kind_;
    read.read_only_ = read_only_;
    *this = std::move(read);
    return true;
}

void Copy_Tree(const CDataTree& from, CDataTree& to) {
    std::vector<std::uint8_t> stream;
    from.Save_Tree(stream);
    MemoryInput in(stream.data(), stream.size());
    FileReader reader(in, stream.size());
    to.Load_Tree(reader);
}
