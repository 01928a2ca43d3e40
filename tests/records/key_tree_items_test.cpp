// The master tree shown in the Key view: every key gets one item below its parent's (top-level
// keys below the folder item), each grown level sorted once; a new key "new key" is the first key
// of its level; renaming keeps the 31 characters a key name holds; a file's keys are marked where
// the view shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "key_index.h"
#include "temp_folder.h"

namespace {

// A stand-in for the Key view's tree: items are numbers, remembered with their parent and text.
class FakeTree : public KeyTreeDisplay {
 public:
  struct Node {
    Item parent;
    std::string text;
  };
  Item RootItem() override { return root_; }
  Item InsertKeyItem(Item parent, const std::string& name) override {
    Item item = reinterpret_cast<Item>(next_++);
    nodes[item] = {parent, name};
    inserted.push_back(PathOf(item));
    return item;
  }
  void SortChildren(Item parent) override { sorted.push_back(parent == root_ ? "(root)" : PathOf(parent)); }
  void SetItemText(Item item, const std::string& text) override { nodes[item].text = text; }
  void Expand(Item item) override { expanded.push_back(item); }
  void MarkKeyPath(Item item) override { marked.push_back(PathOf(item)); }

  std::string PathOf(Item item) const {
    std::string path;
    for (Item at = item; at != root_; at = nodes.at(at).parent) path = nodes.at(at).text + (path.empty() ? "" : "\\") + path;
    return path;
  }

  std::map<Item, Node> nodes;
  std::vector<std::string> inserted;
  std::vector<std::string> sorted;
  std::vector<Item> expanded;
  std::vector<std::string> marked;

 private:
  Item root_ = reinterpret_cast<Item>(uintptr_t(1));
  uintptr_t next_ = 2;
};

TEST(KeyTreeItems, FillTreeShowsEachKeyOnceBelowItsParentAndSortsTheGrownLevels) {
  CKeyIndex index;
  for (const char* path : {"People\\Anna", "People\\Bob", "Places\\Rome", "Zoo"}) FindOrInsertPath(index.MasterTree(), path);
  FakeTree tree;
  index.FillTree(tree);
  EXPECT_EQ(tree.inserted, (std::vector<std::string>{"People", "Places", "Zoo", "Places\\Rome", "People\\Anna",
                                                     "People\\Bob"}));
  EXPECT_EQ(tree.sorted.size(), 3u);  // the folder item's level, People's and Places'
  for (const char* level : {"(root)", "People", "Places"})
    EXPECT_NE(std::find(tree.sorted.begin(), tree.sorted.end(), level), tree.sorted.end()) << level;

  // Keys learnt later join; the shown ones are not shown twice.
  FindOrInsertPath(index.MasterTree(), "People\\Carl");
  tree.inserted.clear();
  tree.sorted.clear();
  index.FillTree(tree);
  EXPECT_EQ(tree.inserted, std::vector<std::string>{"People\\Carl"});
  EXPECT_EQ(tree.sorted, std::vector<std::string>{"People"});
}

TEST(KeyTreeItems, ANewKeyIsTheFirstOfItsLevelAndRenamingKeeps31Characters) {
  CKeyIndex index;
  FindOrInsertPath(index.MasterTree(), "People");
  FakeTree tree;
  index.FillTree(tree);

  const CKeyIndex::TreeItem top = index.NewKey(tree, tree.RootItem());
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(std::string(index.MasterTree().first->name), "new key");
  EXPECT_EQ(index.GetKeyPath(top), "new key");
  EXPECT_EQ(tree.expanded, std::vector<KeyTreeDisplay::Item>{tree.RootItem()});

  const CKeyIndex::TreeItem people = index.MasterTree().first->next->treeItem;
  const CKeyIndex::TreeItem child = index.NewKey(tree, people);
  EXPECT_EQ(index.GetKeyPath(child), "People\\new key");
  EXPECT_EQ(tree.PathOf(child), "People\\new key");

  // An item no key is bound to makes nothing.
  EXPECT_EQ(index.NewKey(tree, reinterpret_cast<KeyTreeDisplay::Item>(uintptr_t(999))), nullptr);

  index.RenameKey(tree, child, std::string(40, 'k'));
  EXPECT_EQ(index.GetKeyPath(child), "People\\" + std::string(31, 'k'));
  EXPECT_EQ(tree.nodes[child].text, std::string(31, 'k'));
  index.RenameKey(tree, child, "Al");
  EXPECT_EQ(index.GetKeyPath(child), "People\\Al");
}

class KeyTreeFiles : public TempFolderTest {};

TEST_F(KeyTreeFiles, AFilesKeysAreMarkedWhereTheViewShowsThem) {
  CKeyIndex index;
  for (const char* path : {"People\\Anna", "Places"}) FindOrInsertPath(index.MasterTree(), path);
  FakeTree tree;
  index.FillTree(tree);
  const std::string file = Make("a.jpg", "picture");
  index.SetFileKey(FindByPath(index.MasterTree(), "Places")->treeItem, file, true);
  index.SetFileKey(FindByPath(index.MasterTree(), "People\\Anna")->treeItem, file, true);
  ASSERT_TRUE(index.SaveFolder());

  index.ShowFileKeys(tree, file);
  EXPECT_EQ(tree.marked, (std::vector<std::string>{"Places", "People\\Anna"}));

  // A key the view does not show (yet) is passed over; a file without keys marks nothing.
  FindByPath(index.MasterTree(), "Places")->treeItem = nullptr;
  tree.marked.clear();
  index.ShowFileKeys(tree, file);
  EXPECT_EQ(tree.marked, std::vector<std::string>{"People\\Anna"});
  tree.marked.clear();
  index.ShowFileKeys(tree, Make("b.jpg", "picture"));
  EXPECT_TRUE(tree.marked.empty());
}

}  // namespace
