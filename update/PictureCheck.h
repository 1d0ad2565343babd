#pragma once
#include <string>
#include <vector>

// Whether a screenshot or icon is whole: a JPEG whose segments and scans reach its
// end-of-image marker, or a Windows bitmap whose pixel rows all lie within the file.
// A file cut short or of another kind is not.
bool isWholePicture(const std::vector<unsigned char>& bytes);

// The same for a cached file; a missing one is not whole, and the next update fetches it again.
bool isWholePictureFile(const std::string& path);
