// A data tree of the editor: folders and object entries in order, each with
// a label, a kind (also its picture) and the database record it names. The
// editor's tree controls show one; "edit.edt" and the read-only copies of
// the editor's dialogs hold it as a tree stream: a u32 node count, then
// every node in pre-order as its depth, a 40-byte item record and its label.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "datafiles/FileReader.h"
#include "platform/Packed.h"

// An entry of a tree; TREE_ROOT is the invisible root above the top-level
// entries and also stands for "no entry".
using TreeItem = std::uint32_t;
constexpr TreeItem TREE_ROOT = 0;
// Insert positions besides an entry: first or last among the siblings.
constexpr TreeItem TREE_FIRST = 0xFFFF0001u;
constexpr TreeItem TREE_LAST = 0xFFFF0002u;

// Entry kinds: 0 a folder, else the object kind of the record it names
// (2 character type, 3 item type, 5 fixitem type).
constexpr std::int32_t TREE_FOLDER = 0;

constexpr char RECYCLE_BIN_LABEL[] = "Recycle Bin";

// Stream limits: depths 1..199; a label of at most 19 characters and its
// zero; the item record's mask says text, image, parameter, handle and
// selected image are valid.
constexpr std::int32_t TREE_MAX_DEPTH = 199;
constexpr std::uint32_t TREE_TEXT_SIZE = 20;
constexpr std::uint32_t TREE_LABEL_CHARS = TREE_TEXT_SIZE - 1;
constexpr std::uint32_t TREE_ITEM_MASK = 0x2F;

// The item record of a node as the tree control reports it. Only mask, text
// length, image, selected image and parameter carry information; the rest
// is written as 0 and ignored when read.
struct ORVEX_PACKED tree_item_record {
    std::uint32_t mask;
    std::uint32_t handle;
    std::uint32_t state;
    std::uint32_t state_mask;
    std::uint32_t text;
    std::uint32_t text_length;  // label bytes that follow, its zero included
    std::int32_t image;         // the kind
    std::int32_t selected_image;
    std::uint32_t children;
    std::uint32_t parameter;  // the record an object entry names
};
ORVEX_RECORD_SIZE(tree_item_record, 40);
ORVEX_FIELD_OFFSET(tree_item_record, text_length, 20);
ORVEX_FIELD_OFFSET(tree_item_record, image, 24);
ORVEX_FIELD_OFFSET(tree_item_record, parameter, 36);

// The smallest node of a stream: depth, item record, an empty label's zero.
constexpr std::uint64_t TREE_NODE_MIN_SIZE = 4 + sizeof(tree_item_record) + 1;

class CDataTree {
  public:
    explicit CDataTree(std::int32_t kind = TREE_FOLDER, bool read_only = false);

    std::int32_t Kind() const { return kind_; }
    bool Read_Only() const { return read_only_; }

    // ---- Entries ----
    // Every entry, every level counted.
    std::size_t Count() const { return nodes_.size() - 1; }
    // Whether item names an entry of this tree (the root is none).
    bool Valid(TreeItem item) const { return item != TREE_ROOT && nodes_.count(item) != 0; }
    // A new entry under parent (TREE_ROOT: top level), after the sibling
    // after (or TREE_FIRST, TREE_LAST). None (TREE_ROOT) when parent is no
    // entry, after is not its child, or the entry would lie deeper than a
    // stream can hold.
    TreeItem Insert_Item(const std::string& label, std::int32_t image, std::uint32_t parameter,
                         TreeItem parent = TREE_ROOT, TreeItem after = TREE_LAST);
    // Deletes the entry with its whole subtree.
    void Delete_Item(TreeItem item);
    // Moves the entry with its whole subtree under parent, after the sibling
    // after (or TREE_FIRST, TREE_LAST); every entry keeps its handle. False,
    // and nothing moved, when parent lies in the entry's subtree, after is
    // not a child of parent, or the subtree would lie deeper than a stream
    // can hold. After the entry itself leaves it in its place.
    bool Move_Tree_Item(TreeItem item, TreeItem parent, TreeItem after);
    // Levels below the entry: 0 for an entry without children.
    std::int32_t Height(TreeItem item) const;
    void Delete_All_Items();

    // TREE_ROOT for a top-level entry (and for none).
    TreeItem Parent(TreeItem item) const;
    // The children of an entry, or of TREE_ROOT the top-level entries, in order.
    const std::vector<TreeItem>& Children(TreeItem item) const;
    TreeItem First_Child(TreeItem item) const;
    TreeItem Next_Sibling(TreeItem item) const;
    // 1 for a top-level entry, 0 for none.
    std::int32_t Depth(TreeItem item) const;
    // Whether item lies in the subtree of top (top itself included).
    bool In_Subtree(TreeItem item, TreeItem top) const;

    const std::string& Label(TreeItem item) const;
    void Set_Label(TreeItem item, const std::string& label);
    std::int32_t Image(TreeItem item) const;
    std::uint32_t Parameter(TreeItem item) const;
    void Set_Parameter(TreeItem item, std::uint32_t parameter);

    // ---- The "Recycle Bin" ----
    TreeItem Recycle_Bin() const { return bin_; }
    // A top-level folder "Recycle Bin" added last; it becomes the bin.
    TreeItem Create_Recycle_Bin();
    // The bin of a loaded tree: its last top-level folder labelled "Recycle
    // Bin", made when it has none.
    void Find_Recycle_Bin();

    // ---- The tree stream ----
    // Appends the stream of the whole tree.
    void Save_Tree(std::vector<std::uint8_t>& out) const;
    // Replaces the tree with one stream read from in. A stream outside the
    // limits (a depth outside 1..199 or more than one below the node before,
    // a text length outside 1..20 or without its closing zero, a count the
    // bytes left cannot hold, a cut end) is refused whole: false, the tree
    // unchanged, in at some place inside the stream.
    bool Load_Tree(FileReader& in);

  private:
    struct Node {
        std::string label;
        std::int32_t image = TREE_FOLDER;
        std::uint32_t parameter = 0;
        TreeItem parent = TREE_ROOT;
        std::vector<TreeItem> children;
    };

    void Save_Level(std::vector<std::uint8_t>& out, TreeItem first, std::int32_t depth) const;
    void Save_Item(std::vector<std::uint8_t>& out, TreeItem item, std::int32_t depth) const;
    const Node* Find(TreeItem item) const;
    Node* Find(TreeItem item);
    void Forget_Subtree(TreeItem item);

    std::int32_t kind_;
    bool read_only_;
    std::unordered_map<TreeItem, Node> nodes_;  // the root as TREE_ROOT
    TreeItem next_handle_ = 1;
    TreeItem bin_ = TREE_ROOT;
};

// Copies a tree into another through its stream (labels keep 19
// characters), as the read-only trees of the dialogs are filled; the
// target keeps its own kind and read-only flag.
void Copy_Tree(const CDataTree& from, CDataTree& to);
