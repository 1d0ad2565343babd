#pragma once
#include <string>

// Whether a cached screenshot or icon is whole: a JPEG that starts with its
// start-of-image marker and ends with its end-of-image marker, or a Windows
// bitmap whose pixel rows all lie within the file. A file cut short, missing or
// of another kind is not, and the next update fetches it again.
bool isWholePictureFile(const std::string& path);
