#include "name_node.h"

#include <cstring>

#include "Cimage.h"

namespace {

// Names longer than the buffer are cut, never written past its end.
void CopyName(char (&to)[CNameNode::kNameSize], const char* from) {
  to[0] = '\0';
  if (!from) return;
  std::strncpy(to, from, CNameNode::kNameSize - 1);
  to[CNameNode::kNameSize - 1] = '\0';
}

}  // namespace

CNameNode::CNameNode(CNameNode* nextNode, const char* first, const char* second, int)
    : next(nextNode), image(nullptr), value(0) {
  CopyName(name, first);
  CopyName(secondName, second);
}

CNameNode::CNameNode(const char* first) : CNameNode(nullptr, first, nullptr, 0) {}
CNameNode::CNameNode(CNameNode* nextNode) : CNameNode(nextNode, nullptr, nullptr, 0) {}
CNameNode::CNameNode(CNameNode* nextNode, const char* first) : CNameNode(nextNode, first, nullptr, 0) {}
CNameNode::CNameNode(CNameNode* nextNode, const char* first, const char* second)
    : CNameNode(nextNode, first, second, 0) {}
CNameNode::CNameNode(const char* first, const char* second) : CNameNode(nullptr, first, second, 0) {}

void CNameNode::FreeList(CNameNode* head) {
  if (!head) return;
  delete head->image;
  head->image = nullptr;
  // Node by node rather than recursively: a chain of thousands of dropped files must not
  // exhaust the stack.
  CNameNode* node = head->next;
  head->next = nullptr;
  while (node) {
    CNameNode* following = node->next;
    delete node->image;
    delete node;
    node = following;
  }
}

int CNameNode::GetCount(const CNameNode* head) {
  int count = 0;
  for (; head; head = head->next) ++count;
  return count;
}

void CNameNode::Append(CNameNode* head, CNameNode* node) {
  if (!head || !node) return;
  while (head->next) head = head->next;
  head->next = node;
}
