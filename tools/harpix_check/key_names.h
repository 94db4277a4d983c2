// The keys of the description file as harpix-check names them, and how close a word is to one.
#pragma once

#include <string>

bool IsTopLevelKey(const std::string& word);  // settings and section keywords
bool IsSectionKeyword(const std::string& word);
bool IsAnySectionKey(const std::string& word);  // a key of some section, EndText included
bool IsNumberKey(const std::string& key);
bool SameKey(const std::string& a, const char* b);

// The key a word most likely misspells (at most one slip in a short key, two in a long one),
// or empty. A word that is a key, or shorter than four letters, misspells none.
std::string NearestKey(const std::string& word);
