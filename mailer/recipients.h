#pragma once
// Recipient fields as the user types them: names from the address book, "Name <address>",
// comments in parentheses, several addresses separated by commas.
#include <string>
#include <vector>

#include "address_book.h"

// The addresses the SMTP envelope names: the address inside "<...>" of "Name <a@b>"; elsewhere
// the text without "(comments)" and 'quoted' parts, split at commas (outside quotes) and spaces.
std::vector<std::string> EnvelopeAddresses(const std::string& field);

// Each comma-separated piece that is a contact's name (without regard to case) becomes that
// contact's address; the pieces are joined again with single commas.
std::string ResolveRecipients(const std::string& text, const std::vector<Contact>& contacts);
