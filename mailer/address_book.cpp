#include "address_book.h"

#include <cstring>

std::vector<std::string> ReadDoubleNulList(const char* bytes, size_t size) {
  std::vector<std::string> entries;
  size_t start = 0;
  while (start < size && bytes[start] != '\0') {
    const void* nul = std::memchr(bytes + start, '\0', size - start);
    const size_t end = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : size;
    entries.emplace_back(bytes + start, end - start);
    start = end + 1;
  }
  return entries;
}

std::string MakeDoubleNulList(const std::vector<std::string>& entries) {
  std::string list;
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;
    list += entry;
    list += '\0';
  }
  if (list.empty()) list += '\0';
  return list + '\0';
}

std::vector<Contact> PairContacts(const std::vector<std::string>& names, const std::vector<std::string>& addresses) {
  std::vector<Contact> contacts;
  for (size_t i = 0; i < names.size() && i < addresses.size(); ++i) contacts.push_back({names[i], addresses[i]});
  return contacts;
}

void SplitContacts(const std::vector<Contact>& contacts, std::vector<std::string>& names,
                   std::vector<std::string>& addresses) {
  names.clear();
  addresses.clear();
  for (const Contact& contact : contacts) {
    if (contact.name.empty() || contact.address.empty()) continue;
    names.push_back(contact.name);
    addresses.push_back(contact.address);
  }
}

uint32_t ContactSortKey(const std::string& name) {
  uint32_t key = 0;
  for (size_t i = 0; i < 4; ++i) key = key << 8 | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
  return key;
}

int CompareContactKeys(uint32_t a, uint32_t b, bool ascending) {
  const int order = a < b ? -1 : a > b ? 1 : 0;
  return ascending ? order : -order;
}
