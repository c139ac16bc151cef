#pragma once
// How a keyboard backup-set folder is recognised, shown and named. Paths use '/';
// names inside a set are matched without regard to case, because a keyboard floppy
// may show MDB.BUP where the program writes MDB.bup.

#include <string>
#include <string_view>

#include "common/Prompts.h"

namespace tessaro {

// The last path component ends in ".buf" (any case) or in '.', 'B' or 'b' and two digits.
bool IsBackupSetName(std::string_view name);

// A backup-set name whose folder holds a BACKUP.INI (any case).
bool IsBackupSetFolder(const std::string& path);

// A backup-set folder that holds a file matching mask ("MDB*.bup", "STY*.b*").
bool SetHoldsWantedFile(const std::string& path, std::string_view mask);

// Name of the first file in folder matching mask, without regard to case; empty when
// there is none. "First" is the case-insensitive name order, so the answer does not
// depend on the order in which the file system happens to list the folder.
std::string FindFirstMatch(const std::string& folder, std::string_view mask);

// 0 unless text is at most two decimal digits; an empty text gives 0.
int DiskNumberOf(std::string_view text);

// " [Disk-07]" for disk 7; empty for 0.
std::string DiskSuffix(int n);

// "Party.buf" -> "Party", "Party.B01" -> "Party [Disk-01]", "Party.b00" -> "Party";
// any other text stays as it is.
void ToSetDisplayName(std::string& name);

// A set folder's path split into the folder that holds it and its own name. A set
// right below the root lies in "/", one right below a disk image's root in
// "disk1.img::/"; a path without '/' lies in the empty folder.
struct SetPathParts
{
    std::string folder;
    std::string name;
};
SetPathParts SplitSetPath(const std::string& path);

// A set name as shown or typed back to its folder name: "Party [Disk-02]" -> "Party.b02",
// "Party" -> "Party.buf"; a backup-set name stays as it is.
std::string SetFolderNameOf(std::string_view name);

// The chosen folder joined with the set folder of name. A folder of one character
// (the root "/") gets no second separator; an empty folder gives the bare name.
// A name that is an absolute path ("/media/floppy/Set") is taken as it is.
// A set folder that exists in another letter case is taken as it is spelled on
// disk, so that "Party [Disk-01]" finds "Party.B01" and saving never makes a second one.
std::string ChosenSetPath(const std::string& chosenFolder, std::string_view name);

// The browse dialog's result: ChosenSetPath, and in open mode the first file in that
// set matching mask appended when there is one.
std::string ChosenPath(const std::string& chosenFolder, std::string_view name, BrowseMode mode,
                       std::string_view mask);

} // namespace tessaro
