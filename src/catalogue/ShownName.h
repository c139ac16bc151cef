#pragma once
// Catalogue names as a person reads them outside the drop-down lists: the lists
// need a literal '&' doubled ("Choir&&Pad"), people see one. A lone '&' (as in
// "Modern R&B") stays. Reports keep the stored bytes and do not use this.

#include <string>
#include <string_view>

namespace tessaro {

std::string ShownName(std::string_view stored);

} // namespace tessaro
