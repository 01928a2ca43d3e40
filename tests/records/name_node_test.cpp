// File-name chains: counting, appending, freeing with their pictures, and bounded names.
#include <string>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "name_node.h"

namespace {

TEST(NameNode, ConstructorsFillWhatTheyAreGiven) {
  CNameNode single("c:\\a.jpg");
  EXPECT_STREQ(single.name, "c:\\a.jpg");
  EXPECT_STREQ(single.secondName, "");
  EXPECT_EQ(single.next, nullptr);
  EXPECT_EQ(single.image, nullptr);
  EXPECT_EQ(single.value, 0);
  CNameNode pair("c:\\dir", "b.jpg");
  EXPECT_STREQ(pair.secondName, "b.jpg");
  CNameNode linked(&single, "x", "y");
  EXPECT_EQ(linked.next, &single);
  CNameNode empty(static_cast<CNameNode*>(nullptr));
  EXPECT_STREQ(empty.name, "");
}

TEST(NameNode, NamesLongerThanTheBufferAreCut) {
  const std::string longName(400, 'n');
  CNameNode node(longName.c_str(), longName.c_str());
  EXPECT_EQ(std::string(node.name), longName.substr(0, CNameNode::kNameSize - 1));
  EXPECT_EQ(std::string(node.secondName), longName.substr(0, CNameNode::kNameSize - 1));
}

TEST(NameNode, ChainsCountAppendAndFreeEveryPictureOnce) {
  CNameNode* head = new CNameNode("first");
  EXPECT_EQ(CNameNode::GetCount(head), 1);
  EXPECT_EQ(CNameNode::GetCount(nullptr), 0);
  for (int i = 0; i < 5000; ++i) {
    CNameNode* node = new CNameNode(std::to_string(i).c_str());
    if (i % 2) node->image = new Cimage;
    CNameNode::Append(head, node);
  }
  head->image = new Cimage;
  EXPECT_EQ(CNameNode::GetCount(head), 5001);
  // The sanitizer tree reports any picture or node freed twice or not at all.
  CNameNode::FreeList(head);
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(head->image, nullptr);
  EXPECT_EQ(CNameNode::GetCount(head), 1);
  delete head;
}

}  // namespace
