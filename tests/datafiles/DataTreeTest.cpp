#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "datafiles/DataTree.h"
#include "datafiles/FileReader.h"
#include "tests/datafiles/MapFileFixture.h"

using fixture::Append;
using fixture::Bytes;

namespace {

Bytes Stream(const CDataTree& tree) {
    Bytes out;
    tree.Save_Tree(out);
    return out;
}

bool Load(CDataTree& tree, const Bytes& stream) {
    MemoryInput in(stream.data(), stream.size());
    FileReader reader(in, stream.size());
    return tree.Load_Tree(reader);
}

// The tree as text: each entry as depth, kind, parameter and label, in
// pre-order.
void Describe(const CDataTree& tree, TreeItem parent, int depth, std::string& out) {
    for (TreeItem item : tree.Children(parent)) {
        out += std::to_string(depth) + ":" + std::to_string(tree.Image(item)) + ":" +
               std::to_string(tree.Parameter(item)) + ":" + tree.Label(item) + " ";
        Describe(tree, item, depth + 1, out);
    }
}
std::string Shape(const CDataTree& tree) {
    std::string out;
    Describe(tree, TREE_ROOT, 1, out);
    return out;
}

// A node record as a stream holds it.
void Node(Bytes& out, std::int32_t depth, const std::string& label, std::int32_t image = 0,
          std::uint32_t parameter = 0) {
    Append(out, depth);
    tree_item_record r{};
    r.mask = TREE_ITEM_MASK;
    r.text_length = static_cast<std::uint32_t>(label.size() + 1);
    r.image = r.selected_image = image;
    r.parameter = parameter;
    Append(out, r);
    out.insert(out.end(), label.begin(), label.end());
    out.push_back(0);
}

CDataTree Sample_Tree() {
    CDataTree tree(3);
    const TreeItem weapons = tree.Insert_Item("Weapons", TREE_FOLDER, 0);
    const TreeItem swords = tree.Insert_Item("Swords", TREE_FOLDER, 0, weapons);
    tree.Insert_Item("Long sword", 3, 7, swords);
    tree.Insert_Item("Short sword", 3, 6, swords);
    tree.Insert_Item("Empty folder", TREE_FOLDER, 9, weapons);
    tree.Insert_Item("Mace", 3, 8, weapons);
    tree.Insert_Item("Dead body", 3, 1);
    tree.Create_Recycle_Bin();
    return tree;
}

TEST(TreeStream, AnEmptyTreeIsItsCountAlone) {
    const CDataTree empty(3);
    const Bytes stream = Stream(empty);
    EXPECT_EQ(stream, Bytes(4, 0));
    CDataTree read = Sample_Tree();
    ASSERT_TRUE(Load(read, stream));
    EXPECT_EQ(read.Count(), 0u);
}

TEST(TreeStream, ABinOnlyTreeIsOneRecordOfDepthOne) {
    CDataTree tree(5);
    tree.Create_Recycle_Bin();
    const Bytes stream = Stream(tree);
    ASSERT_EQ(stream.size(), 60u);
    std::uint32_t count, mask, handle, text_length;
    std::int32_t depth, image, selected;
    std::memcpy(&count, &stream[0], 4);
    std::memcpy(&depth, &stream[4], 4);
    std::memcpy(&mask, &stream[8], 4);
    std::memcpy(&handle, &stream[12], 4);
    std::memcpy(&text_length, &stream[28], 4);
    std::memcpy(&image, &stream[32], 4);
    std::memcpy(&selected, &stream[36], 4);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(mask, 0x2Fu);
    EXPECT_EQ(handle, 0u) << "handles of the run are written as 0";
    EXPECT_EQ(text_length, 12u);
    EXPECT_EQ(image, 0);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stream[48])), "Recycle Bin");
}

TEST(TreeStream, RoundTripKeepsShapeOrderLabelsKindsAndParameters) {
    const CDataTree tree = Sample_Tree();
    CDataTree read(3);
    ASSERT_TRUE(Load(read, Stream(tree)));
    EXPECT_EQ(Shape(read), Shape(tree));
    EXPECT_EQ(Shape(read),
              "1:0:0:Weapons 2:0:0:Swords 3:3:7:Long sword 3:3:6:Short sword 2:0:9:Empty folder 2:3:8:Mace "
              "1:3:1:Dead body 1:0:0:Recycle Bin ");
    EXPECT_EQ(Stream(read), Stream(tree));
}

TEST(TreeStream, ALongLabelComesBackAsItsFirst19Characters) {
    CDataTree tree(2);
    const TreeItem item = tree.Insert_Item("Twenty-three char name", 2, 4);
    ASSERT_EQ(tree.Label(item).size(), 22u);
    tree.Set_Label(item, "A label of 23 letters!!");
    ASSERT_EQ(tree.Label(item).size(), 23u);
    CDataTree read(2);
    ASSERT_TRUE(Load(read, Stream(tree)));
    EXPECT_EQ(read.Label(read.First_Child(TREE_ROOT)), "A label of 23 lette");
    EXPECT_EQ(tree.Label(item).size(), 23u) << "the tree itself keeps the whole label";
}

TEST(TreeStream, StreamsFollowOneAnotherInOneFile) {
    Bytes file;
    Sample_Tree().Save_Tree(file);
    CDataTree(5).Save_Tree(file);
    CDataTree bin(2);
    bin.Create_Recycle_Bin();
    bin.Save_Tree(file);
    MemoryInput in(file.data(), file.size());
    FileReader reader(in, file.size());
    CDataTree a(3), b(5), c(2);
    ASSERT_TRUE(a.Load_Tree(reader));
    ASSERT_TRUE(b.Load_Tree(reader));
    ASSERT_TRUE(c.Load_Tree(reader));
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(a.Count(), 8u);
    EXPECT_EQ(b.Count(), 0u);
    EXPECT_EQ(Shape(c), "1:0:0:Recycle Bin ");
}

TEST(TreeStream, StreamsOutsideTheLimitsAreRefusedWholeAndTheTreeStays) {
    auto with_nodes = [](std::uint32_t count, auto add) {
        Bytes b;
        Append(b, count);
        add(b);
        return b;
    };
    Bytes good = with_nodes(2, [](Bytes& b) {
        Node(b, 1, "Folder");
        Node(b, 2, "Thing", 3, 1);
    });
    Bytes no_zero = good;
    no_zero.back() = 'x';
    Bytes long_text = with_nodes(1, [](Bytes& b) { Node(b, 1, std::string(20, 'a')); });
    Bytes zero_text = with_nodes(1, [](Bytes& b) { Node(b, 1, ""); });
    std::memset(&zero_text[4 + 4 + 20], 0, 4);  // text length 0
    struct Case {
        const char* what;
        Bytes stream;
    };
    const Case cases[] = {
        {"depth 0", with_nodes(1, [](Bytes& b) { Node(b, 0, "A"); })},
        {"a first node of depth 2", with_nodes(1, [](Bytes& b) { Node(b, 2, "A"); })},
        {"depth 200", with_nodes(200,
                                 [](Bytes& b) {
                                     for (int d = 1; d <= 200; ++d) Node(b, d, "A");
                                 })},
        {"negative depth", with_nodes(2,
                                      [](Bytes& b) {
                                          Node(b, 1, "A");
                                          Node(b, -1, "B");
                                      })},
        {"two levels deeper than the node before", with_nodes(2,
                                                              [](Bytes& b) {
                                                                  Node(b, 1, "A");
                                                                  Node(b, 3, "B");
                                                              })},
        {"text length 0", zero_text},
        {"text length 21", long_text},
        {"a label without its closing zero", no_zero},
        {"a count the bytes cannot hold", with_nodes(3,
                                                     [](Bytes& b) {
                                                         Node(b, 1, "A");
                                                         Node(b, 1, "B");
                                                     })},
        {"a count of 2^32 - 1", with_nodes(0xFFFFFFFF, [](Bytes& b) { Node(b, 1, "A"); })},
        {"cut in the count", Bytes(good.begin(), good.begin() + 3)},
        {"cut in a depth", Bytes(good.begin(), good.begin() + 6)},
        {"cut in an item record", Bytes(good.begin(), good.begin() + 30)},
        {"cut in a label", Bytes(good.begin(), good.end() - 2)},
    };
    for (const Case& c : cases) {
        CDataTree tree = Sample_Tree();
        const std::string before = Shape(tree);
        EXPECT_FALSE(Load(tree, c.stream)) << c.what;
        EXPECT_EQ(Shape(tree), before) << c.what;
        EXPECT_NE(tree.Recycle_Bin(), TREE_ROOT) << c.what;
    }
    // The deepest stream a reader takes, and a label of 19 characters.
    Bytes deepest = with_nodes(TREE_MAX_DEPTH, [](Bytes& b) {
        for (int d = 1; d <= TREE_MAX_DEPTH; ++d) Node(b, d, std::string(19, 'z'));
    });
    CDataTree tree(0);
    ASSERT_TRUE(Load(tree, deepest));
    EXPECT_EQ(tree.Count(), static_cast<std::size_t>(TREE_MAX_DEPTH));
    EXPECT_EQ(Stream(tree), deepest);
}

TEST(TreeStream, ANodeLessDeepThanTheOneBeforeGoesUnderTheLastNodeOfItsParentsDepth) {
    Bytes b;
    Append(b, std::uint32_t{5});
    Node(b, 1, "A");
    Node(b, 2, "A1");
    Node(b, 3, "A1x", 3, 4);
    Node(b, 2, "A2");
    Node(b, 1, "B");
    CDataTree tree(3);
    ASSERT_TRUE(Load(tree, b));
    EXPECT_EQ(Shape(tree), "1:0:0:A 2:0:0:A1 3:3:4:A1x 2:0:0:A2 1:0:0:B ");
}

TEST(DataTree, EntriesGoWhereTheyAreInsertedAndDeleteWithTheirSubtree) {
    CDataTree tree(3);
    const TreeItem a = tree.Insert_Item("A", TREE_FOLDER, 0);
    const TreeItem c = tree.Insert_Item("C", TREE_FOLDER, 0);
    const TreeItem b = tree.Insert_Item("B", TREE_FOLDER, 0, TREE_ROOT, a);
    tree.Insert_Item("First", 3, 1, TREE_ROOT, TREE_FIRST);
    const TreeItem inner = tree.Insert_Item("Inner", 3, 2, b);
    EXPECT_EQ(Shape(tree), "1:3:1:First 1:0:0:A 1:0:0:B 2:3:2:Inner 1:0:0:C ");
    EXPECT_EQ(tree.Parent(inner), b);
    EXPECT_EQ(tree.Depth(inner), 2);
    EXPECT_TRUE(tree.In_Subtree(inner, b));
    EXPECT_FALSE(tree.In_Subtree(b, inner));
    EXPECT_EQ(tree.Next_Sibling(a), b);
    EXPECT_EQ(tree.Next_Sibling(c), TREE_ROOT);
    EXPECT_EQ(tree.Insert_Item("X", 3, 0, TREE_ROOT, inner), TREE_ROOT) << "after must be a child of parent";
    EXPECT_EQ(tree.Insert_Item("X", 3, 0, 999), TREE_ROOT) << "no such parent";
    tree.Delete_Item(b);
    EXPECT_FALSE(tree.Valid(b));
    EXPECT_FALSE(tree.Valid(inner));
    EXPECT_EQ(tree.Count(), 3u);
    EXPECT_EQ(tree.Label(inner), "");
}

TEST(DataTree, NoEntryGoesDeeperThanAStreamHolds) {
    CDataTree tree(5);
    TreeItem parent = TREE_ROOT;
    for (int d = 1; d <= TREE_MAX_DEPTH; ++d) parent = tree.Insert_Item("F", TREE_FOLDER, 0, parent);
    ASSERT_TRUE(tree.Valid(parent));
    EXPECT_EQ(tree.Insert_Item("Too deep", 5, 1, parent), TREE_ROOT);
    CDataTree read(5);
    EXPECT_TRUE(Load(read, Stream(tree)));
}

TEST(DataTree, ALoadedTreesBinIsItsLastTopLevelRecycleBinFolder) {
    CDataTree tree(3);
    tree.Insert_Item(RECYCLE_BIN_LABEL, TREE_FOLDER, 0);
    const TreeItem folder = tree.Insert_Item("Folder", TREE_FOLDER, 0);
    tree.Insert_Item(RECYCLE_BIN_LABEL, TREE_FOLDER, 0, folder);  // not at the top
    const TreeItem last = tree.Insert_Item(RECYCLE_BIN_LABEL, TREE_FOLDER, 0);
    tree.Insert_Item(RECYCLE_BIN_LABEL, 3, 4);  // an object, not a folder
    tree.Find_Recycle_Bin();
    EXPECT_EQ(tree.Recycle_Bin(), last);

    CDataTree without(3);
    without.Insert_Item(RECYCLE_BIN_LABEL, 3, 4);
    without.Find_Recycle_Bin();
    ASSERT_TRUE(without.Valid(without.Recycle_Bin()));
    EXPECT_EQ(without.Children(TREE_ROOT).back(), without.Recycle_Bin());
    EXPECT_EQ(without.Image(without.Recycle_Bin()), TREE_FOLDER);
    without.Delete_Item(without.Recycle_Bin());
    EXPECT_EQ(without.Recycle_Bin(), TREE_ROOT);
}

TEST(DataTree, ACopyGoesThroughTheStreamAndKeepsItsOwnKindAndFlag) {
    CDataTree tree = Sample_Tree();
    tree.Set_Label(tree.First_Child(TREE_ROOT), "Weapons of every kind and size");
    CDataTree copy(5, true);
    Copy_Tree(tree, copy);
    EXPECT_EQ(copy.Kind(), 5);
    EXPECT_TRUE(copy.Read_Only());
    EXPECT_EQ(copy.Count(), tree.Count());
    EXPECT_EQ(copy.Label(copy.First_Child(TREE_ROOT)), "Weapons of every ki");
    EXPECT_EQ(Stream(copy), Stream(tree));
}

TEST(DataTree, HandlesAreNotReusedAfterALoad) {
    CDataTree tree = Sample_Tree();
    const TreeItem old_bin = tree.Recycle_Bin();
    ASSERT_TRUE(Load(tree, Stream(Sample_Tree())));
    EXPECT_FALSE(tree.Valid(old_bin)) << "an entry of the old tree names nothing in the new one";
}

TEST(DataTree, AnEntryMovesWithItsSubtreeKeepingItsHandles) {
    CDataTree tree = Sample_Tree();
    const TreeItem weapons = tree.First_Child(TREE_ROOT);
    const TreeItem swords = tree.First_Child(weapons);
    const TreeItem bin = tree.Recycle_Bin();
    ASSERT_TRUE(tree.Move_Tree_Item(swords, bin, TREE_LAST));
    EXPECT_EQ(tree.Parent(swords), bin);
    EXPECT_EQ(tree.Children(swords).size(), 2u) << "the children come along";
    EXPECT_EQ(tree.Label(tree.First_Child(swords)), "Long sword");
    EXPECT_EQ(tree.Count(), Sample_Tree().Count());
    // After a sibling, first, and after itself (it stays).
    ASSERT_TRUE(tree.Move_Tree_Item(swords, TREE_ROOT, weapons));
    EXPECT_EQ(tree.Next_Sibling(weapons), swords);
    ASSERT_TRUE(tree.Move_Tree_Item(swords, TREE_ROOT, TREE_FIRST));
    EXPECT_EQ(tree.First_Child(TREE_ROOT), swords);
    EXPECT_TRUE(tree.Move_Tree_Item(swords, TREE_ROOT, swords));
    EXPECT_EQ(tree.First_Child(TREE_ROOT), swords);
}

TEST(DataTree, AMoveIntoItsOwnSubtreeOrTooDeepMovesNothing) {
    CDataTree tree = Sample_Tree();
    const TreeItem weapons = tree.First_Child(TREE_ROOT);
    const TreeItem swords = tree.First_Child(weapons);
    const Bytes before = Stream(tree);
    EXPECT_FALSE(tree.Move_Tree_Item(weapons, swords, TREE_LAST));
    EXPECT_FALSE(tree.Move_Tree_Item(weapons, weapons, TREE_LAST));
    EXPECT_FALSE(tree.Move_Tree_Item(weapons, TREE_ROOT, swords)) << "after an entry that is not a child";
    EXPECT_FALSE(tree.Move_Tree_Item(TREE_ROOT, weapons, TREE_LAST));
    // A chain down to depth 198: weapons (three levels) cannot go under it.
    TreeItem deep = TREE_ROOT;
    for (int d = 1; d <= TREE_MAX_DEPTH - 1; ++d) deep = tree.Insert_Item("d", TREE_FOLDER, 0, deep);
    const Bytes with_chain = Stream(tree);
    EXPECT_FALSE(tree.Move_Tree_Item(weapons, deep, TREE_LAST));
    EXPECT_EQ(Stream(tree), with_chain);
    EXPECT_TRUE(tree.Move_Tree_Item(tree.Children(weapons).back(), deep, TREE_LAST)) << "a leaf fits at 199";
    EXPECT_NE(before, with_chain);
}

}  // namespace
