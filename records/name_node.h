#pragma once
// The program's one list of files handed between parts (dropped files, search results, the work
// lists of batch jobs, web pages, printing and e-mail): a singly linked chain whose holder owns
// the whole chain.
class Cimage;

class CNameNode {
 public:
  static constexpr int kNameSize = 262;

  explicit CNameNode(const char* name);
  explicit CNameNode(CNameNode* next);
  CNameNode(CNameNode* next, const char* name);
  CNameNode(CNameNode* next, const char* name, const char* secondName);
  CNameNode(const char* name, const char* secondName);
  CNameNode(const CNameNode&) = delete;
  CNameNode& operator=(const CNameNode&) = delete;

  // Deletes the head's image and every node behind it (with their images); the caller deletes
  // the head itself.
  static void FreeList(CNameNode* head);
  // Nodes in the chain, the head included; 0 for none.
  static int GetCount(const CNameNode* head);
  static void Append(CNameNode* head, CNameNode* node);

  CNameNode* next;
  Cimage* image;  // owned
  char name[kNameSize];
  char secondName[kNameSize];
  int value;

 private:
  CNameNode(CNameNode* next, const char* name, const char* secondName, int);
};
