// Table images on disk: where the image of a main file lies, putting one in use, and building
// one. The installer builds the images of the machine's main files; the input method builds the
// image of a user's own main file when it finds none for the file as it stands.
#pragma once

#include <cstdint>

#include "dict/data_places.h"
#include "dict/file_io.h"
#include "dict/table_image.h"

// The image of a version of a main file lies beside it, named by the version's checksum
// ("zelk2006.mb.0123456789abcdef.img"): a new image never has to replace one that running
// programs still map, which Windows refuses.
bool TableImagePath(const char* mainPath, std::uint64_t checksum, char (&path)[kPathBufferSize]);
// Whether a file name is that of an image of the main file of this name.
bool IsTableImageName(const char* fileName, const char* mainFileName);

// The facts of a main file as it stands: its size, write time and checksum, from one read.
FileReadStatus ReadSourceFacts(const char* mainPath, SourceFacts& facts);

// Why the image beside the main file at mainPath would not be used, None when it would be (its
// groups' entries aside, which are checked as they are first read).
ImageFault CheckTableImageFile(const char* mainPath, std::int32_t codeSet);

// Reads the main table from the image of the main file at mainPath, when one stands beside it
// for exactly these facts and this code set and passes its checks (and was not found bad in this
// process). Returns whether the main table is now read from it.
bool UseTableImage(const char* mainPath, const SourceFacts& facts, std::int32_t codeSet);
// The image in use was found bad: it is not used again in this process, unless the process
// writes it anew.
void RefuseImageInUse();
// The main table is read from the own block again; the view of the image left stays mapped until
// the next change of image, so that a thread still reading it never finds it gone.
void LeaveTableImage();

// Unmaps every image and forgets the one found bad; the main table is then read from the own
// block: the module is being unloaded.
void ReleaseTableImages();

// Writes the image of the main table in use, just loaded from the main file at mainPath (with
// these facts), beside that file, and removes the images of the file's other versions that no
// program maps. One attempt: false when any step fails.
bool WriteTableImage(const char* mainPath, const SourceFacts& facts, std::int32_t codeSet);
