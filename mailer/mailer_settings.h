#pragma once
// Postlark's settings and address book, loaded once by Postlark_Initialize and changed by its
// dialogs. The user-interface thread owns them; a send works on a copy.
#include <string>
#include <vector>

#include "address_book.h"

struct MailerSettings {
  std::string smtpHost = "mail.example.com";
  std::string replyTo = "you@example.com";
  std::vector<std::string> contactNames;
  std::vector<std::string> contactAddresses;
  int doResize = 0;
  int resizeWidth = 640;
  int resizeHeight = 480;
  int resizeQuality = 80;
  int firstUse = 1;

  std::vector<Contact> Contacts() const { return PairContacts(contactNames, contactAddresses); }
};

// A reduction box or quality of 0 (or less) would give no picture at all.
inline int AtLeastOne(int value) { return value < 1 ? 1 : value; }

extern MailerSettings g_mailerSettings;
