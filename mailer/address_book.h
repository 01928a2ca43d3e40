#pragma once
// The address book as the registry keeps it: two double-NUL lists, names and addresses, whose
// i-th entries belong together.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Contact {
  std::string name;
  std::string address;
};

// The entries of a stored list up to its empty entry or its end; a last entry whose NUL is
// missing (a value written by someone else) still counts.
std::vector<std::string> ReadDoubleNulList(const char* bytes, size_t size);

// The stored form: each entry with its NUL, then the closing NUL ("\0\0" for no entries).
std::string MakeDoubleNulList(const std::vector<std::string>& entries);

// Pairs the two lists while both have entries.
std::vector<Contact> PairContacts(const std::vector<std::string>& names, const std::vector<std::string>& addresses);

// The lists to store; a contact with an empty name or address is left out whole, since an empty
// entry would end its list and put the other list out of step.
void SplitContacts(const std::vector<Contact>& contacts, std::vector<std::string>& names,
                   std::vector<std::string>& addresses);

// The first four bytes of the name, the first one highest.
uint32_t ContactSortKey(const std::string& name);

// -1, 0 or 1 in the order asked for.
int CompareContactKeys(uint32_t a, uint32_t b, bool ascending);
