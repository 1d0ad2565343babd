#pragma once

#include <minizip/ioapi.h>

#include "assets/ZipSource.h"

// Fills the reader's input functions so that it reads the source through a
// ResourceStream; the source must outlive the reader.
void makeZipInput(zlib_filefunc_def& functions, ZipSource& source);
