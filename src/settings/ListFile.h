// vemora.lst: the item names and unit entries offered by the editors.
//
//   [items]
//   居室
//   [tani]
//   m^2,1
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ListFile {
    std::vector<std::string> items;  // "[items]" entries, UTF-8, as read
    std::vector<std::string> units;  // "[tani]" entries: unit entries ("m^2,1")
};

// Parses the file's bytes. CR LF, bare LF and bare CR all end a line. A header on the last
// line adds nothing. Never fails.
ListFile ParseListFile(std::string_view bytes);

// Reads the file; a missing or unreadable file gives empty lists.
ListFile ReadListFile(const std::string& path);
