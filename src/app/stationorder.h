// The station order file: the station list control written as an object stream,
// so that the names come back in their order at the next start.
#pragma once

#include <string>

class TListBox;

// Makes the list control's class known to the object stream; the program does it
// once, before its windows are made.
void RegisterStationListClass();

// Creates or replaces the file from the list control's position, size, drag mode,
// row height, items and tab position. The bytes go to a temporary file that then
// replaces the old one, so a failure part-way leaves the old list readable. Raises
// EFCreateError "Cannot create file <path>" when it cannot be written.
void SaveStationList(const TListBox& list, const std::string& path);

// Replaces the items (and the other stored values) of the list control from the
// file. Raises EFOpenError "Cannot open file <path>", EFilerError "Invalid stream
// format" or EReadError "Stream read error"; names read before the failure stay in
// the list, and the damaged file is first copied to <path>.bak, so that the next
// save cannot destroy the stations beyond the damage for good.
void LoadStationList(TListBox& list, const std::string& path);
