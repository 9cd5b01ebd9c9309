#pragma once
// The few file-system calls the save layer and the loose-file lookup need
// beyond the C library.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace host {

// Pushes what was written to an open file down to the disk; true on success.
bool SyncFile(std::FILE* file);
// Pushes a folder's entries (a rename into it) down to the disk; quiet when
// the folder cannot be opened.
void SyncFolder(const std::string& folder);
// Something (file or folder) is there under path.
bool PathExists(const std::string& path);
// Something stands under the name itself: a link counts, whatever it points to.
bool NameTaken(const std::string& path);
// The names in folder ("" for the current one), in the order the system
// lists them; false when the folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names);

enum class FileRead {
    Missing,     // nothing under the name
    Damaged,     // something is there but cannot be read as a regular file
    Unreadable,  // a regular file the system refuses to read: nothing says its data is bad
    Ok,
};
// Reads at most limit bytes of a regular file (a longer one comes back cut
// at limit). Never blocks: a FIFO, device or folder under the name is
// Damaged; a regular file this user may not read, or whose reading fails, is
// Unreadable. reason gets the system's words for either answer.
FileRead ReadRegularFile(const std::string& path, std::vector<uint8_t>& out, size_t limit,
                         std::string* reason = nullptr);
// Replaces path with data: a fresh sibling temporary file (a stale one is
// removed first; created exclusively, never through a link) is written,
// flushed to the disk and renamed over path, so path holds its old or its
// new content after any crash. False with the system's reason on failure;
// what names the file there ("save" for "the save file" and "the save's
// temporary file").
bool ReplaceFile(const std::string& path, const uint8_t* data, size_t size, const char* what, std::string& reason);
// Whether ReplaceFile (path) is sure to fail for what stands at path or at
// its temporary name (a folder it may not remove or write over); reason then
// says so in the words ReplaceFile would use. Nothing is changed.
bool ReplaceBlocked(const std::string& path, const char* what, std::string& reason);
// stem for 1, else stem-n: the names FreeName tries, 1 to kNumberedNames.
constexpr int kNumberedNames = 9;
std::string NumberedName(const std::string& stem, int n);
// The first of stem, stem-2 ... stem-9 under which nothing stands; "" when
// every one is taken.
std::string FreeName(const std::string& stem);
// Moves from to to, never over anything that stands at to. False with the
// system's reason on failure.
bool MoveWithoutReplacing(const std::string& from, const std::string& to, std::string& reason);
// Whether files with names of up to longestName characters can be reached in
// folder (which ends with '/'): 0 when they can, else the system's error
// (EACCES: the folder cannot be entered; ENAMETOOLONG: their paths pass the
// system's limit).
int FolderFault(const std::string& folder, size_t longestName);
// "a folder holding 3 entries", "an empty folder", "a file", "a named pipe",
// ...: what stands under path, "" when nothing does.
std::string DescribeEntry(const std::string& path);
// Removes a file; a folder under the name is left alone.
void RemoveFile(const std::string& path);

}  // namespace host
