#pragma once
// How a person reads a stored name. The catalogues store a literal "&" doubled
// ("Swing && Jazz"), the way the keyboard's old editor wanted it for lists that
// underline the letter after a single "&"; a few names hold a lone "&" that was
// always meant as itself ("Modern R&B"). Shown: one "&" for "&&", a lone "&"
// kept, nothing underlined. Files and reports keep the stored bytes.
//
// Works on Windows-1252 bytes and on UTF-8 alike: '&' is one byte in both and
// never part of a longer UTF-8 sequence.

#include <string>
#include <string_view>

namespace tessaro {

std::string ReadableName(std::string_view stored);

// What to store for a name a person edited in its readable form: the stored
// bytes when the shown text was left as it was (so an untouched "&&" stays),
// else the text as typed.
std::string StoredNameAfterEdit(std::string_view stored, std::string_view edited);

} // namespace tessaro
